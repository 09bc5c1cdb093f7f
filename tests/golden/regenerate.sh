#!/usr/bin/env bash
# Renders the reference frames the golden tests compare against: the show's
# own and the example party's, a run of the offline renderer each. Run it
# when the picture is meant to change (new art, music or effects), look at
# the new frames, then commit them:
#   tests/golden/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$root" && realpath -m "${1:-build}")"
golden="$root/tests/golden"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target frosthem-capture -j2
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# render FOLDER [ARGS...]: the frames at FOLDER/times, in place of FOLDER's.
# From the repository root, where the show finds gfx/ and data/.
render() {
  local dir="$1"
  shift
  rm -rf "$scratch/frames"
  (cd "$root" && "$build/frosthem-capture" "$@" --out "$scratch/frames" --at "$(cat "$dir/times")")
  rm -f "$dir"/frame_*.png
  cp "$scratch"/frames/frame_*.png "$dir"/
  ls "$dir"/frame_*.png
}
render "$golden"
# The example party's frames.
render "$golden/party" --party examples/norrsken
