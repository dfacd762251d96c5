# What `cmake --install` puts where, and the packages CPack makes from it.
#
# - component "programme": the report, the example results file and the
#   teachers' text; on Windows all three side by side, as they are used.
# - component "developpement": the tools library, its header and the CMake
#   package, for other console programs: find_package(rapport_notes), then
#   link rapport_notes::tools (the same name as with add_subdirectory).
include(CMakePackageConfigHelpers)

if(WIN32)
  set(dossierProgramme .)
  set(dossierDocuments .)
  set(finsDeLigne WIN32)  # Notepad of every age reads them
else()
  set(dossierProgramme ${CMAKE_INSTALL_BINDIR})
  set(dossierDocuments ${CMAKE_INSTALL_DOCDIR})
  set(finsDeLigne UNIX)
endif()

install(TARGETS report RUNTIME DESTINATION ${dossierProgramme} COMPONENT programme)
foreach(texte examples/etudiant.txt doc/LISEZMOI.txt)
  get_filename_component(nom ${texte} NAME)
  configure_file(${texte} ${CMAKE_BINARY_DIR}/a-installer/${nom} @ONLY NEWLINE_STYLE ${finsDeLigne})
  install(FILES ${CMAKE_BINARY_DIR}/a-installer/${nom} DESTINATION ${dossierDocuments} COMPONENT programme)
endforeach()

set(dossierPaquetCMake ${CMAKE_INSTALL_LIBDIR}/cmake/rapport_notes)
install(TARGETS tools EXPORT rapport_notesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT developpement
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES tools/tools.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tools COMPONENT developpement)
install(EXPORT rapport_notesTargets NAMESPACE rapport_notes:: DESTINATION ${dossierPaquetCMake}
  COMPONENT developpement)
configure_package_config_file(cmake/rapport_notesConfig.cmake.in ${CMAKE_BINARY_DIR}/rapport_notesConfig.cmake
  INSTALL_DESTINATION ${dossierPaquetCMake})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/rapport_notesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/rapport_notesConfig.cmake ${CMAKE_BINARY_DIR}/rapport_notesConfigVersion.cmake
  DESTINATION ${dossierPaquetCMake} COMPONENT developpement)

set(CPACK_PACKAGE_NAME rapport-notes)
set(CPACK_PACKAGE_VENDOR "rapport_notes")
set(CPACK_PACKAGE_CONTACT "rapport_notes <rapport-notes@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/paquets)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # For teachers: the program, the example and the text, nothing to install.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
  set(CPACK_COMPONENTS_ALL programme)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_ARCHIVE_PROGRAMME_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
endif()
include(CPack)
