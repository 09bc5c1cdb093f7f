#!/usr/bin/env bash
# Sets up, builds and starts the show.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DFROSTHEM_TESTS=OFF -DFROSTHEM_BENCH=OFF >/dev/null
cmake --build build --target frosthem -j"$(nproc)"
exec build/frosthem "$@"
