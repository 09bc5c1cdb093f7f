#!/usr/bin/env bash
# The whole release from one command, twice:
#   tests/release/release_test.sh [PARTY_DIR]
# Checks that every artefact is there, that the video lasts the music's
# length within a frame, that the checksums hold, that the source archive
# unpacks and its project configures offline with the library tarballs it
# carries, and that a second run changes no byte and makes no new video.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
party=${1:-}
fail() { echo "release test: $*" >&2; exit 1; }

# A work tree with local changes (a developer's) still gives a release.
export FROSTHEM_RELEASE_DIRTY=1
scripts/release.sh ${party:+"$party"}

version=$(sed -n 's/^project(frosthem VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=${party:+$(basename "$party")}
release=${name:-frosthem}-$version
dist=dist/$release

for f in "$release-web/index.html" "$release-web/frosthem.wasm" "$release-web/frosthem.data" \
         "$release-web/music.mp3" "$release-web/LICENSE.txt" "$release-web.zip" "$release-windows-x64.zip" "$release.mp4" \
         "$release-poster.png" "$release.nfo" "$release-source.tar" SHA256SUMS; do
  [ -s "$dist/$f" ] || fail "$f is missing from $dist"
done

# The licences travel with every build.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unzip -Z1 "$dist/$release-windows-x64.zip" >"$scratch/zip-files"
for f in LICENSE.txt licences/gcc-runtime.txt licences/CC-BY-4.0.txt licences/DejaVu.txt licences/SDL.txt; do
  grep -q "/$f\$" "$scratch/zip-files" || fail "the Windows zip lacks $f"
done
grep -q 'CC BY 4.0' "$dist/$release.nfo" || fail "the release note does not give the licence"

# A party's release carries its words: in the site's data, in the zip, and
# its name in the note.
if [ -n "$party" ]; then
  line=$(grep -v '^#' "$party/invitation.txt" | grep -m1 '[A-Z]' | sed 's/ *{.*//')
  grep -aqF "$line" "$dist/$release-web/frosthem.data" || fail "the site's data lacks the party's text \"$line\""
  grep -q '/party/invitation.txt$' "$scratch/zip-files" || fail "the Windows zip lacks the party's invitation"
  party_name=$(python3 -c 'import sys, tomllib; print(tomllib.load(open(sys.argv[1], "rb")).get("name", ""))' \
           "$party/party.toml")
  [ -z "$party_name" ] || grep -qF "$party_name" "$dist/$release.nfo" || fail "the release note lacks the party's name"
fi

# The video: the music's length, within one frame of 60 a second.
music=data/demo.mp3
if [ -n "$party" ]; then
  given=$(python3 -c 'import sys, tomllib; print(tomllib.load(open(sys.argv[1], "rb")).get("music", ""))' \
            "$party/party.toml")
  [ -z "$given" ] || music=$party/$given
fi
# The site streams the same music from beside its page.
cmp -s "$music" "$dist/$release-web/music.mp3" || fail "the site's music.mp3 is not $music"
want=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$music")
got=$(ffprobe -v error -select_streams v:0 -show_entries stream=duration -of csv=p=0 "$dist/$release.mp4")
size=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=p=0 "$dist/$release.mp4")
[ "$size" = "1280,960" ] || fail "the video is $size, not 1280,960"
awk -v a="$want" -v b="$got" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 1 / 60 + 1e-6) }' ||
  fail "the video lasts $got s, the music $want s"
ffprobe -v error -select_streams a:0 -show_entries stream=codec_name -of csv=p=0 "$dist/$release.mp4" |
  grep -q . || fail "the video has no sound"

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not hold"

# The source archive: our project configures from it, without the network,
# and the library tarballs it carries are whole.
tar -xf "$dist/$release-source.tar" -C "$scratch"
src=$scratch/$release-source
[ -f "$src/frosthem/CMakeLists.txt" ] || fail "the source archive has no frosthem/CMakeLists.txt"
tarballs=$(find "$src/libraries" -name '*.tar.*' | wc -l)
[ "$tarballs" -ge 6 ] || fail "the source archive carries $tarballs library tarballs, not the six built in"
for t in "$src"/libraries/*.tar.*; do
  tar -tf "$t" >/dev/null || fail "$(basename "$t") does not unpack"
done
cmake -S "$src/frosthem" -B "$scratch/build" -DFROSTHEM_TESTS=OFF -DFROSTHEM_BENCH=OFF >"$scratch/configure.log" 2>&1 ||
  fail "the source archive's project does not configure: $(tail -5 "$scratch/configure.log")"

# Nothing changed: the same bytes, and the video is not made again.
cp "$dist/SHA256SUMS" "$scratch/first"
video_time=$(stat -c %Y "$dist/$release.mp4")
scripts/release.sh ${party:+"$party"}
cmp -s "$scratch/first" "$dist/SHA256SUMS" ||
  fail "a second run changed: $(diff "$scratch/first" "$dist/SHA256SUMS" | grep '^>' | head -5)"
[ "$(stat -c %Y "$dist/$release.mp4")" = "$video_time" ] || fail "a second run made the video again"
echo "release test: $dist whole and reproducible"
