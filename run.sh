#!/usr/bin/env bash
# Sets up, builds and starts the show. Arguments are passed to the show.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# The same build folder and settings as ./test.sh, so neither undoes the other.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target frosthem -j"$(nproc)"
exec build/frosthem "$@"
