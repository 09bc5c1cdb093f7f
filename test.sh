#!/usr/bin/env bash
# Sets up, builds and runs every test. Exits non-zero on any failure.
#   FROSTHEM_SANITIZE=1 ./test.sh   the same with AddressSanitizer and
#                                   UndefinedBehaviorSanitizer, in build-asan/
# Extra arguments go to ctest instead of the default, which leaves out the
# two-hour soak: run that one with ./test.sh -L soak-full.
#   FROSTHEM_WEB_TESTS=0 ./test.sh  leaves out the browser site (ctest -L web),
#                                   which the plain pass builds and plays in
#                                   headless chromium
set -euo pipefail
cd "$(dirname "$0")"
# The plain pass also builds the Windows zip and runs it under wine in Xvfb,
# and builds the browser site and plays it in chromium.
if [ "${FROSTHEM_SANITIZE:-0}" = 1 ]; then
  deps=(ffmpeg)
  web=0
else
  # icoutils: the Windows build's icon, installed here rather than by
  # scripts/build-windows.sh while other tests use apt.
  deps=(ffmpeg g++-mingw-w64-x86-64 zip unzip icoutils wine wine64 xvfb xauth openbox xdotool)
  web=${FROSTHEM_WEB_TESTS:-1}
fi
build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${FROSTHEM_SANITIZE:-0}" = 1 ]; then
  flags+=(-DFROSTHEM_WINDOWS_TESTS=OFF)
else
  flags+=(-DFROSTHEM_WINDOWS_TESTS=ON)
fi
if [ "$web" = 1 ]; then
  deps+=(emscripten chromium python3-websocket)
  flags+=(-DFROSTHEM_WEB_TESTS=ON)
else
  flags+=(-DFROSTHEM_WEB_TESTS=OFF)
fi
scripts/install-deps.sh "${deps[@]}"
if [ "${FROSTHEM_SANITIZE:-0}" = 1 ]; then
  build=build-asan
  flags+=(-DFROSTHEM_SANITIZE=ON -DFROSTHEM_BENCH=OFF)
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
fi

cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
[ $# -eq 0 ] && set -- -LE soak-full
ctest --output-on-failure -j"$(nproc)" "$@"
