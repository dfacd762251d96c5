# Makes the release from this commit: the two Debian packages and the
# teachers' zip, with SHA256SUMS beside them, in build/publication.
#
#   cmake -P cmake/publier.cmake
#
# The same bytes whoever builds them, in whatever folder, at whatever time:
# every time stamp they hold (archive members, compressed headers, the
# program's PE header) is SOURCE_DATE_EPOCH when it is set, otherwise the
# last commit's date; each build starts afresh.
cmake_minimum_required(VERSION 3.25)
get_filename_component(racine "${CMAKE_CURRENT_LIST_DIR}" DIRECTORY)

# CPack 3.25 counts a package's Installed-Size with its directories' sizes as
# the disk gives them (4 KiB each on ext4, less on tmpfs), gives its folders
# the permissions of the builder's umask, and cannot write a Multi-Arch
# field. Each .deb is made again from its own contents with dpkg-deb, which
# orders its members by name and dates them SOURCE_DATE_EPOCH: folders
# 0755, Installed-Size from the files' sizes alone, and librapport-notes-dev
# marked Multi-Arch: same (its shared files, the header and the
# documentation, are the same on every architecture).
function(refaire_paquet_debian paquet)
  get_filename_component(nom "${paquet}" NAME)
  set(arbre "${paquet}.arbre")
  file(REMOVE_RECURSE "${arbre}")
  execute_process(COMMAND dpkg-deb --raw-extract "${paquet}" "${arbre}" COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD_RECURSE "${arbre}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
       WORLD_READ WORLD_EXECUTE)
  file(GLOB_RECURSE fichiers LIST_DIRECTORIES false "${arbre}/*")
  set(octets 0)
  foreach(fichier IN LISTS fichiers)
    if(NOT fichier MATCHES "^${arbre}/DEBIAN/")
      file(SIZE "${fichier}" taille)
      math(EXPR octets "${octets} + ${taille}")
    endif()
  endforeach()
  math(EXPR kio "(${octets} + 1023) / 1024")
  file(READ "${arbre}/DEBIAN/control" controle)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kio}" controle "${controle}")
  if(nom MATCHES "^librapport-notes-dev_")
    string(REPLACE "\nPackage: " "\nMulti-Arch: same\nPackage: " controle "${controle}")
  endif()
  string(STRIP "${controle}" controle)  # CPack ends it with an empty line
  file(WRITE "${arbre}/DEBIAN/control" "${controle}\n")
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${arbre}" "${paquet}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${arbre}")
endfunction()

if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${racine}" log -1 --format=%ct
    OUTPUT_VARIABLE dateDuCommit OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(ENV{SOURCE_DATE_EPOCH} "${dateDuCommit}")
endif()
message(STATUS "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}")

set(paquets "")
foreach(plateforme IN ITEMS linux windows)
  set(construction "${racine}/build/publication-${plateforme}")
  file(REMOVE_RECURSE "${construction}/paquets")
  execute_process(COMMAND "${CMAKE_COMMAND}" --workflow --preset publication-${plateforme} --fresh
    WORKING_DIRECTORY "${racine}" COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB debian "${construction}/paquets/*.deb")
  foreach(paquet IN LISTS debian)
    refaire_paquet_debian("${paquet}")
  endforeach()
  file(GLOB faits "${construction}/paquets/*.deb" "${construction}/paquets/*.zip")
  list(APPEND paquets ${faits})
endforeach()

set(publication "${racine}/build/publication")
file(REMOVE_RECURSE "${publication}")
file(MAKE_DIRECTORY "${publication}")
set(lignes "")
foreach(paquet IN LISTS paquets)
  get_filename_component(nom "${paquet}" NAME)
  file(COPY_FILE "${paquet}" "${publication}/${nom}")
  file(SHA256 "${paquet}" somme)
  list(APPEND lignes "${nom}|${somme}")
endforeach()
list(SORT lignes)  # by name
set(texte "")
foreach(ligne IN LISTS lignes)
  string(REPLACE "|" ";" champs "${ligne}")
  list(GET champs 0 nom)
  list(GET champs 1 somme)
  string(APPEND texte "${somme}  ${nom}\n")  # as sha256sum writes it, for sha256sum -c
endforeach()
file(WRITE "${publication}/SHA256SUMS" "${texte}")
message("${publication}/SHA256SUMS:\n${texte}")
