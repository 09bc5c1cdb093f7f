#!/usr/bin/env bash
# Everything the guests need, from one command:
#   scripts/release.sh [PARTY_DIR]
# gives dist/NAME-VERSION/ (NAME is the party folder's name, or frosthem for
# the show as it comes):
#   NAME-VERSION-web/ and NAME-VERSION-web.zip   the static web site
#   NAME-VERSION-windows-x64.zip                 the Windows zip
#   NAME-VERSION.mp4                             the whole music once through
#   NAME-VERSION-poster.png                      a contact sheet of the show
#   NAME-VERSION.nfo                             the release note
#   NAME-VERSION-source.tar                      the corresponding source
#   SHA256SUMS
# The libraries of the cross builds are built once and cached (build-web/,
# build-windows/); the video is made again only when the renderer or the
# music changed. Every archive is reproducible: a second run with nothing
# changed gives the same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=lib/reproducible.sh
. scripts/lib/reproducible.sh

party=${1:-}
if [ -n "$party" ]; then
  [ -d "$party" ] || { echo "release.sh: $party: no such party folder" >&2; exit 2; }
  party=$(cd "$party" && pwd)
  name=$(basename "$party")
else
  name=frosthem
fi
version=$(sed -n 's/^project(frosthem VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
release=$name-$version
dist=$root/dist/$release
started=$SECONDS
step() { echo "== release: $* ($((SECONDS - started)) s)" >&2; }

# The source archive holds the commit: a release of uncommitted changes
# would not match it.
if [ -n "$(git status --porcelain --untracked-files=no)" ] && [ "${FROSTHEM_RELEASE_DIRTY:-0}" != 1 ]; then
  echo "release.sh: the work tree has uncommitted changes; commit them first" \
       "(FROSTHEM_RELEASE_DIRTY=1 builds anyway, for tests)" >&2
  exit 2
fi
commit=$(git rev-parse HEAD)

party_args=() capture_args=()
[ -z "$party" ] || { party_args=("$party"); capture_args=(--party "$party"); }

scripts/install-deps.sh ffmpeg zip >/dev/null
# The renderer: FROSTHEM_CAPTURE names one already built (the tests do).
capture=${FROSTHEM_CAPTURE:-}
if [ -z "$capture" ]; then
  step "the renderer"
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target frosthem-capture -j"$(nproc)" >/dev/null
  capture=$root/build/frosthem-capture
fi
export FROSTHEM_CAPTURE=$capture

step "the web site"
scripts/build-web.sh "${party_args[@]}"
step "the Windows zip"
scripts/build-windows.sh "${party_args[@]}" >/dev/null
mkdir -p "$dist"
rm -rf "$dist/$release-web"
cp -r build-web/site "$dist/$release-web"
reproducible_zip "$dist/$release-web.zip" "$dist/$release-web"
cp "build-windows/frosthem-$version-windows-x64.zip" "$dist/$release-windows-x64.zip.part"
mv "$dist/$release-windows-x64.zip.part" "$dist/$release-windows-x64.zip"

# The music the release plays: the party's own, or the show's.
# shellcheck source=lib/party.sh
. scripts/lib/party.sh
music=$root/data/demo.mp3
if [ -n "$party" ] && [ -n "$(party_toml_value "$party" music)" ]; then
  music=$party/$(party_toml_value "$party" music)
fi
seconds=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$music")

# The video and the poster only when what draws them changed.
inputs=$( (sha256sum "$capture" "$music"; git ls-files -s gfx tools/contact-sheet.sh;
           [ -z "$party" ] || find "$party" -type f -exec sha256sum {} + | LC_ALL=C sort) | sha256sum | cut -c1-16)
stamp=$dist/.video-inputs
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$inputs" ] || [ ! -f "$dist/$release.mp4" ]; then
  step "the video ($seconds s of music)"
  rm -f "$stamp" "$dist/$release.mp4"
  "$capture" "${capture_args[@]}" --to "$seconds" --video "$dist/$release.mp4"
  step "the poster"
  tools/contact-sheet.sh "$dist/$release-poster.png" "" "${capture_args[@]}" >/dev/null
  echo "$inputs" >"$stamp"
fi

step "the source archive"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
src=$scratch/$release-source
mkdir -p "$src/libraries"
git archive --format=tar --prefix=frosthem/ "$commit" | tar -xf - -C "$src"
[ -z "$party" ] || cp -r "$party" "$src/party"
# The library tarballs the cross builds unpacked, found by the checksum
# each unpacked folder keeps.
for cache in build-web/sources build-windows/cache; do
  for unpacked in "$cache"/src/*/.unpacked; do
    sha=$(cat "$unpacked")
    for tarball in "$cache"/tarballs/*; do
      if [ ! -f "$src/libraries/$(basename "$tarball")" ] &&
         echo "$sha  $tarball" | sha256sum -c --status 2>/dev/null; then
        cp "$tarball" "$src/libraries/"
      fi
    done
  done
done
cat >"$src/README.txt" <<EOF
The corresponding source of $release: the program at commit $commit
(frosthem/), ${party:+the party folder (party/), }and the upstream source
tarballs of the libraries built into the Windows exe and the web build
(libraries/), as Debian's archive publishes them. Our changes to them are the
patches under frosthem/packaging/windows/patches/ and frosthem/web/patches/;
frosthem/scripts/build-windows.sh and frosthem/scripts/build-web.sh build them.
EOF
reproducible_tar "$dist/$release-source.tar" "$src"

step "the release note"
scripts/release-note.sh "$release" "$commit" "${party_args[@]}" >"$dist/$release.nfo.part"
mv "$dist/$release.nfo.part" "$dist/$release.nfo"

(cd "$dist" && find . -type f ! -name SHA256SUMS ! -name '*.part' ! -name '.*' -printf '%P\n' |
   LC_ALL=C sort | xargs sha256sum >SHA256SUMS.part && mv SHA256SUMS.part SHA256SUMS)
step "done: $dist"
(cd "$dist" && du -k -- * | sort -k2 >&2)
