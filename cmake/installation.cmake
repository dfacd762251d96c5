# What `cmake --install` puts where, and the packages CPack makes from it.
#
# - component "programme": the program, the example results file, the
#   teachers' text and, off Windows, the manual pages.
# - component "developpement": the tools library, its header, the CMake
#   package and a pkg-config file, for other console programs:
#   find_package(rapport_notes) and rapport_notes::tools (the same name as
#   with add_subdirectory), or pkg-config's rapport-notes.
# On Debian they make two packages, rapport-notes and librapport-notes-dev,
# each with its copyright and changelog; on Windows the first is a zip for
# teachers, with the licence.
include(CMakePackageConfigHelpers)

set(paquetProgramme rapport-notes)
set(paquetDeveloppement librapport-notes-dev)
set(contact "the rapport_notes authors <rapport-notes@example.org>")
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

# source.gz, made at build time as Debian's policy asks: gzip -9n.
function(comprimer source)
  file(RELATIVE_PATH nom ${aInstaller} ${source})
  string(MAKE_C_IDENTIFIER "comprimer-${nom}" cible)
  add_custom_command(OUTPUT ${source}.gz COMMAND gzip -9nfk ${source} DEPENDS ${source} VERBATIM)
  add_custom_target(${cible} ALL DEPENDS ${source}.gz)
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
  # Stripped as dh_strip does: also the C runtime's compiler version strings.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND [[${CMAKE_STRIP}]] --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:report>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT programme)
  installer_texte(examples/etudiant.txt etudiant.txt ${docProgramme} programme)
  installer_texte(doc/LISEZMOI.txt LISEZMOI.txt ${docProgramme} programme)
  foreach(langue en fr)
    set(page doc/rapport-notes.1)
    set(dossierMan ${CMAKE_INSTALL_MANDIR}/man1)
    if(langue STREQUAL fr)
      set(page doc/rapport-notes.fr.1)
      set(dossierMan ${CMAKE_INSTALL_MANDIR}/fr/man1)
    endif()
    configure_file(${page} ${aInstaller}/man/${langue}/rapport-notes.1 @ONLY)
    comprimer(${aInstaller}/man/${langue}/rapport-notes.1)
    install(FILES ${aInstaller}/man/${langue}/rapport-notes.1.gz DESTINATION ${dossierMan} COMPONENT programme)
  endforeach()
endif()

# The module, for other programs
set(includeModule ${CMAKE_INSTALL_INCLUDEDIR}/rapport_notes)
set(dossierPaquetCMake ${CMAKE_INSTALL_LIBDIR}/cmake/rapport_notes)
install(TARGETS tools EXPORT rapport_notesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT developpement
  INCLUDES DESTINATION ${includeModule})
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

# Debian's files of each package: the licence in its machine-readable form
# and the changelog.
if(NOT WIN32)
  file(READ LICENSE licence)
  string(REGEX REPLACE "^.*\n(Permission is hereby granted)" "\\1" permission "${licence}")
  string(STRIP "${permission}" permission)
  string(REPLACE "\n\n" "\n.\n" permission "${permission}")
  string(REPLACE "\n" "\n " permission " ${permission}")
  configure_file(cmake/debian/copyright.in ${aInstaller}/copyright @ONLY)
  configure_file(cmake/debian/changelog ${aInstaller}/changelog COPYONLY)
  comprimer(${aInstaller}/changelog)
  set(docDebian ${aInstaller}/copyright ${aInstaller}/changelog.gz)
  install(FILES ${docDebian} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${paquetProgramme} COMPONENT programme)
  install(FILES ${docDebian} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${paquetDeveloppement}
    COMPONENT developpement)
endif()

set(CPACK_PACKAGE_NAME ${paquetProgramme})
set(CPACK_PACKAGE_VENDOR "the rapport_notes authors")
set(CPACK_PACKAGE_CONTACT ${contact})
# CPack puts this before each package's own description unless it is its
# default; the descriptions below each start with their own summary.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/paquets)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # For teachers: the program, the example and the texts, nothing to install.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
  set(CPACK_COMPONENTS_ALL programme)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_ARCHIVE_PROGRAMME_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL programme developpement)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SOURCE ${paquetProgramme})
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PROGRAMME_PACKAGE_NAME ${paquetProgramme})
  set(CPACK_DEBIAN_PROGRAMME_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PROGRAMME_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PROGRAMME_DESCRIPTION "class results report from a text file of marks
rapport-notes reads etudiant.txt in the current directory: a title line,
then each student's first name, last name and five marks. It prints one
row per student with the average of the five marks as a whole
percentage, flagged EC below 60, then the class average, and waits for
Enter. Its report and messages are in French.")
  set(CPACK_DEBIAN_DEVELOPPEMENT_PACKAGE_NAME ${paquetDeveloppement})
  set(CPACK_DEBIAN_DEVELOPPEMENT_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_DEVELOPPEMENT_DESCRIPTION "console and file helpers of rapport-notes (development files)
A small C++17 static library of free functions for console programs:
screen clearing and an Enter pause, discarding what was typed ahead,
opening a text file with absent or empty diagnostics, reading one field
at a time as the stream library does, and validated keyboard prompts.
.
This package holds the static library, its header, a CMake package
(find_package(rapport_notes)) and a pkg-config file (rapport-notes).")
endif()
include(CPack)
