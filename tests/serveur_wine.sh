#!/usr/bin/env bash
# Before the tests that run Windows programs: one wine server for them all,
# started persistent, and wine's services started apart. A server started
# by a program stops when the last one ends; a program starting meanwhile
# may lose its connection and show nothing. Services first started by a test
# program would keep its output open as long as the server lives. The
# server and services outlive this script: none of them may hold CTest's
# output, or CTest would wait for them. Takes the prefix's server for the
# tests: wine programs running there are stopped.
set -eu
export WINEDEBUG=-all
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
# Address randomisation off, as for every wine program here (cmake/mingw-w64.cmake).
setarch -R wineboot </dev/null >/dev/null 2>&1
echo "wine server persistent, services started"
