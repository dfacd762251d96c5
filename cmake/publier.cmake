# Makes the release from the commit checked out: Debian's source package and
# its two binary packages (dpkg-buildpackage, which runs the test suite
# first), and the teachers' zip for Windows, with SHA256SUMS, in
# build/publication.
#
#   cmake -P cmake/publier.cmake
#
# It refuses a working tree with uncommitted changes, and builds from the
# commit's own files (git archive), so that nothing else of the folder goes
# in. The same bytes whoever builds them, wherever, whenever: the one date
# they hold is that of debian/changelog's first entry (SOURCE_DATE_EPOCH),
# and what the builder's session could change is set here: umask 022, time
# zone UTC (a zip stores local times), locale C.UTF-8; the zip's members
# owned by user and group 0.
cmake_minimum_required(VERSION 3.25)
get_filename_component(racine "${CMAKE_CURRENT_LIST_DIR}" DIRECTORY)

function(executer)
  execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

function(lire_journal champ variable)
  execute_process(COMMAND dpkg-parsechangelog -l "${racine}/debian/changelog" -S ${champ}
    OUTPUT_VARIABLE valeur OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${valeur}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND git -C "${racine}" status --porcelain --untracked-files=no
  OUTPUT_VARIABLE modifications COMMAND_ERROR_IS_FATAL ANY)
if(NOT modifications STREQUAL "")
  message(FATAL_ERROR "The working tree has uncommitted changes; a release is made from a commit:\n${modifications}")
endif()

lire_journal(Version version)
lire_journal(Timestamp dateDuJournal)
set(ENV{SOURCE_DATE_EPOCH} "${dateDuJournal}")
set(ENV{TZ} UTC)
set(ENV{LC_ALL} C.UTF-8)
unset(ENV{LANGUAGE})
message(STATUS "rapport-notes ${version}, SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}")

# The commit's files, with the permissions git records (0644, or 0755 for
# what is executable) whatever the umask they were unpacked under.
set(construction "${racine}/build/publication-sources")
set(sources "${construction}/rapport-notes-${version}")
file(REMOVE_RECURSE "${construction}")
file(MAKE_DIRECTORY "${sources}")
executer(git -C "${racine}" archive --format=tar HEAD COMMAND tar -x -C "${sources}")
executer(chmod -R u=rwX,go=rX "${sources}")

# Debian's packages, next to the source folder; then the zip, built in it.
executer(sh -c "umask 022 && exec dpkg-buildpackage -us -uc" WORKING_DIRECTORY "${sources}")
executer(sh -c "umask 022 && exec \"$0\" --workflow --preset publication-windows" "${CMAKE_COMMAND}"
  WORKING_DIRECTORY "${sources}")
# A zip member records its owner's user and group: made 0, as a .deb's are,
# whoever built it (debhelper runs the same tool over the packages).
file(GLOB zip "${sources}/build/publication-windows/paquets/*.zip")
executer(strip-nondeterminism --type zip --timestamp "$ENV{SOURCE_DATE_EPOCH}" ${zip})

set(publication "${racine}/build/publication")
file(REMOVE_RECURSE "${publication}")
file(GLOB publies LIST_DIRECTORIES false
  "${construction}/rapport-notes_${version}.dsc" "${construction}/rapport-notes_${version}.tar.*"
  "${construction}/rapport-notes_${version}_*.deb" "${construction}/librapport-notes-dev_${version}_*.deb"
  ${zip})
file(COPY ${publies} DESTINATION "${publication}")
file(GLOB publies LIST_DIRECTORIES false RELATIVE "${publication}" "${publication}/*")  # sorted by name
set(sommes "")
foreach(nom IN LISTS publies)
  file(SHA256 "${publication}/${nom}" somme)
  string(APPEND sommes "${somme}  ${nom}\n")  # as sha256sum writes it, for sha256sum -c
endforeach()
file(WRITE "${publication}/SHA256SUMS" "${sommes}")
message("${publication}/SHA256SUMS:\n${sommes}")
