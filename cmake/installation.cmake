# What `cmake --install` puts where, and the teachers' zip CPack makes from
# it on Windows.
#
# - component "programme": the program, the example results file, the
#   teachers' text and, off Windows, the manual pages.
# - component "developpement": the tools library, its header, the CMake
#   package and a pkg-config file, for other console programs:
#   find_package(rapport_notes) and rapport_notes::tools (the same name as
#   with add_subdirectory), or pkg-config's rapport-notes.
# Debian's packages (debian/) are split from the same install by debhelper.
include(CMakePackageConfigHelpers)

set(paquetProgramme rapport-notes)
set(aInstaller ${CMAKE_BINARY_DIR}/a-installer)

# Text files, with the line ends of the system they are read on.
function(installer_texte source nom destination composant)
  if(WIN32)
    set(finsDeLigne WIN32)  # Notepad of every age reads them
  else()
    set(finsDeLigne UNIX)
  endif()
  configure_file(${source} ${aInstaller}/${composant}/${nom} @ONLY NEWLINE_STYLE ${finsDeLigne})
  install(FILES ${aInstaller}/${composant}/${nom} DESTINATION ${destination} COMPONENT ${composant})
endfunction()

# The program and its texts
if(WIN32)
  install(TARGETS report RUNTIME DESTINATION . COMPONENT programme)
  installer_texte(examples/etudiant.txt etudiant.txt . programme)
  installer_texte(doc/LISEZMOI.txt LISEZMOI.txt . programme)
  installer_texte(LICENSE LICENSE.txt . programme)
else()
  set(docProgramme ${CMAKE_INSTALL_DATAROOTDIR}/doc/${paquetProgramme})
  install(TARGETS report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
  installer_texte(examples/etudiant.txt etudiant.txt ${docProgramme} programme)
  installer_texte(doc/LISEZMOI.txt LISEZMOI.txt ${docProgramme} programme)
  foreach(langue en fr)
    set(page doc/rapport-notes.1)
    set(dossierMan ${CMAKE_INSTALL_MANDIR}/man1)
    if(langue STREQUAL fr)
      set(page doc/rapport-notes.fr.1)
      set(dossierMan ${CMAKE_INSTALL_MANDIR}/fr/man1)
    endif()
    # The version and its date, from debian/changelog (CMakeLists.txt).
    string(REPLACE "-" "\\-" dateDePage "${RAPPORT_DATE}")
    configure_file(${page} ${aInstaller}/man/${langue}/rapport-notes.1 @ONLY)
    install(FILES ${aInstaller}/man/${langue}/rapport-notes.1 DESTINATION ${dossierMan} COMPONENT programme)
  endforeach()
endif()

# The module, for other programs
set(includeModule ${CMAKE_INSTALL_INCLUDEDIR}/rapport_notes)
set(dossierPaquetCMake ${CMAKE_INSTALL_LIBDIR}/cmake/rapport_notes)
# Its include folder, the header's own (${includeModule}) and nothing
# above it, is the target's (tools/CMakeLists.txt).
install(TARGETS tools EXPORT rapport_notesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT developpement)
install(FILES tools/include/tools/tools.h DESTINATION ${includeModule}/tools COMPONENT developpement)
install(EXPORT rapport_notesTargets NAMESPACE rapport_notes:: DESTINATION ${dossierPaquetCMake}
  COMPONENT developpement)
configure_package_config_file(cmake/rapport_notesConfig.cmake.in ${CMAKE_BINARY_DIR}/rapport_notesConfig.cmake
  INSTALL_DESTINATION ${dossierPaquetCMake})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/rapport_notesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/rapport_notesConfig.cmake ${CMAKE_BINARY_DIR}/rapport_notesConfigVersion.cmake
  DESTINATION ${dossierPaquetCMake} COMPONENT developpement)
# The pkg-config file names the prefix, known only when installing.
install(CODE "
  set(includedir [[${includeModule}]])
  set(libdir [[${CMAKE_INSTALL_LIBDIR}]])
  set(version [[${PROJECT_VERSION}]])
  configure_file([[${PROJECT_SOURCE_DIR}/cmake/rapport-notes.pc.in]] [[${aInstaller}/rapport-notes.pc]] @ONLY)"
  COMPONENT developpement)
install(FILES ${aInstaller}/rapport-notes.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT developpement)

# For teachers on Windows: the program, the example and the texts, nothing
# to install.
if(WIN32)
  set(CPACK_PACKAGE_NAME ${paquetProgramme})
  set(CPACK_PACKAGE_VENDOR "the rapport_notes authors")
  set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/paquets)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
  set(CPACK_COMPONENTS_ALL programme)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_ARCHIVE_PROGRAMME_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
endif()
