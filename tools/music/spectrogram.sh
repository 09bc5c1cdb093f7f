#!/usr/bin/env bash
# Renders a spectrogram of the music to a PNG, for checking the arrangement
# by eye: the build-up, the break at 18.5 s, the sections, the ending.
#   tools/music/spectrogram.sh [MP3] [PNG]
# Decodes with ffmpeg when it is installed, otherwise with our musiccheck
# (build it first into build/ or build-music/); sox draws the picture.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
mp3="${1:-$root/data/demo.mp3}"
png="${2:-/tmp/demo-spectrogram.png}"
wav="$(mktemp --suffix=.wav)"
trap 'rm -f "$wav"' EXIT

if command -v ffmpeg >/dev/null; then
  ffmpeg -loglevel error -y -i "$mp3" "$wav"
else
  check=""
  for dir in build build-music; do
    [ -x "$root/$dir/tools/music/musiccheck" ] && check="$root/$dir/tools/music/musiccheck" && break
  done
  [ -n "$check" ] || { echo "spectrogram.sh: need ffmpeg or a built musiccheck" >&2; exit 1; }
  "$check" "$mp3" --wav "$wav" >/dev/null
fi
sox "$wav" -n remix - spectrogram -x 1600 -y 513 -z 90 -t "$(basename "$mp3")" -o "$png"
echo "$png"
