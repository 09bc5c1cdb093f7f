#!/usr/bin/env bash
# Draws a contact sheet of the show: frames at the given seconds, rendered by
# the offline renderer, shrunk to half size, labelled with their time and
# laid out four to a row. For the README and the release; needs ffmpeg (with
# drawtext) and a built build/frosthem-capture (or the one FROSTHEM_CAPTURE
# names). Run from the repository root:
#   tools/contact-sheet.sh [OUT.png] [SECONDS,SECONDS,...] [RENDERER OPTIONS...]
set -euo pipefail
out=${1:-docs/contact-sheet.png}
times=${2:-}
[ -n "$times" ] || times=4,8,12,16,20,30,45,60,80,100,130,160
shift $(($# < 2 ? $# : 2))
capture=${FROSTHEM_CAPTURE:-build/frosthem-capture}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
columns=4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$capture" "$@" --out "$work/frames" --at "$times" >/dev/null 2>&1

IFS=, read -r -a seconds <<<"$times"
i=0
for frame in "$work"/frames/frame_*.png; do
  label="${seconds[$i]} s"
  ffmpeg -loglevel error -i "$frame" \
    -vf "scale=320:240:flags=area,drawtext=fontfile=$font:text='$label':x=6:y=h-th-6:fontsize=16:fontcolor=white:box=1:boxcolor=black@0.6:boxborderw=3" \
    "$work/tile_$(printf %03d "$i").png"
  i=$((i + 1))
done
rows=$(( (i + columns - 1) / columns ))
ffmpeg -loglevel error -y -framerate 1 -i "$work/tile_%03d.png" \
  -vf "tile=${columns}x${rows}:padding=4:margin=4:color=black" -frames:v 1 "$out"
echo "$out: $i frames at $times s"
