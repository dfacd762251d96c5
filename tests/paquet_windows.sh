#!/usr/bin/env bash
# Installs the Windows build's library as its users get it, then builds the
# programs of examples/lecture (bonjour, mots) against it twice, as they
# would: through its CMake package and through pkg-config.
# Usage: paquet_windows.sh WINDOWS_BUILD SOURCES DESTINATION
set -euo pipefail
construction=$1 sources=$2 destination=$3
rm -rf "$destination"
cmake --install "$construction" --prefix "$destination/prefixe" --component developpement >/dev/null
cmake -S "$sources/examples" -B "$destination/cmake" --toolchain "$sources/cmake/mingw-w64.cmake" \
  -Drapport_notes_DIR="$destination/prefixe/lib/cmake/rapport_notes" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$destination/cmake" --target bonjour mots
mkdir -p "$destination/pkg-config"
drapeaux=$(PKG_CONFIG_LIBDIR="$destination/prefixe/lib/pkgconfig" pkg-config --cflags --libs rapport-notes)
for programme in bonjour mots; do
  echo "x86_64-w64-mingw32-g++-posix $programme.cpp $drapeaux"
  # shellcheck disable=SC2086 # the flags are words
  x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Werror -static \
    "$sources/examples/lecture/$programme.cpp" $drapeaux -o "$destination/pkg-config/$programme.exe"
done
