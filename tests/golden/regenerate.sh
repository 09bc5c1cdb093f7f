#!/usr/bin/env bash
# Renders the reference frames the golden test compares against, in one run
# of the offline renderer. Run it when the picture is meant to change (new
# art, music or effects), look at the new frames, then commit them:
#   tests/golden/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$root" && realpath -m "${1:-build}")"
golden="$root/tests/golden"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target frosthem-capture -j2
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# From the repository root, where the show finds gfx/ and data/.
(cd "$root" && "$build/frosthem-capture" --out "$scratch" --at "$(cat "$golden/times")")
rm -f "$golden"/frame_*.png
cp "$scratch"/frame_*.png "$golden"/
ls "$golden"/frame_*.png
