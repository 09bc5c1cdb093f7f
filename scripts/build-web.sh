#!/usr/bin/env bash
# Builds the show for web browsers: a static folder, build-web/site/
# (index.html, tomte.png, frosthem.js, frosthem.wasm, frosthem.data and the
# music, music.mp3, which the page streams), to put on any web server. The libraries come from Debian's source packages, built once
# with Debian's emscripten and kept in build-web/prefix/; later builds only
# rebuild the show itself.
#   scripts/build-web.sh [PARTY_DIR]
# With a party folder, checked first by the native show, the site carries it
# and plays it; the page's title and title card give the party's name.
set -euo pipefail
party_dir=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh emscripten python3

# Debian's emscripten finds its node modules (acorn, …) only here.
export NODE_PATH=/usr/share/nodejs
# The long library builds give way to everything else on the machine.
nice_level=${FROSTHEM_NICE:-15}

out=$root/build-web
prefix=$out/prefix
work=$out/work
sources=$out/sources
jobs=$(nproc)
site=$out/site

source scripts/lib/build-once.sh
source scripts/lib/web-libs.sh
source scripts/lib/licences.sh
source scripts/lib/party.sh

party_copy=
music=$root/data/demo.mp3
if [ -n "$party_dir" ]; then
  check_party "$root" "$party_dir"
  party_copy=$out/party
  copy_party "$party_dir" "$party_copy"
  # The party's music is served beside the page, so the copy the module
  # carries goes without it.
  party_music=$(party_toml_value "$party_dir" music)
  if [ -n "$party_music" ]; then
    case $party_music in
      /*) music=$party_music ;;
      *) music=$party_dir/$party_music; rm -f "$party_copy/$party_music" ;;
    esac
  fi
fi

started=$SECONDS
renice -n "$nice_level" $$ >/dev/null
build_web_libraries
copy_toml_headers "$prefix"

# CMake's find_library and pkg-config look in the prefix only (and in
# emscripten's own system folder).
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
export PKG_CONFIG_PATH=
emcmake cmake -S "$root" -B "$out/show" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DFROSTHEM_OWN_PNG_LOADER=ON \
  -DFROSTHEM_TESTS=OFF -DFROSTHEM_TOOLS=OFF -DFROSTHEM_BENCH=OFF \
  -DFROSTHEM_WEB_PARTY="$party_copy" >/dev/null
cmake --build "$out/show" -j"$jobs" --target frosthem_web

rm -rf "$site.new"
mkdir -p "$site.new"
cp "$out/show/web/index.html" "$out/show/web/frosthem.js" "$out/show/web/frosthem.wasm" \
   "$out/show/web/frosthem.data" "$site.new/"
cp "$music" "$site.new/music.mp3"
# Emscripten's packager names each packing of the data with a random id; the
# id made from the data's own digest keeps the site the same from the same
# files.
data_id=$(sha256sum "$site.new/frosthem.data" | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/\1-\2-\3-\4-\5/')
sed -i -E "s/\"package_uuid\": ?\"[0-9a-f-]+\"/\"package_uuid\":\"$data_id\"/" "$site.new/frosthem.js"
# The loading card's picture, shown before the module's data arrives.
cp gfx/tomte.png "$site.new/"
# The credits: our licence and those of the libraries built into the module.
ship_licences "$sources" "$site.new"
if [ -n "$party_dir" ]; then
  # The page's title: the party's name, as HTML text.
  name=$(party_toml_value "$party_dir" name | sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g')
  # The page's script titles the page from the card's heading, so both carry it.
  [ -z "$name" ] || NAME=$name perl -0pi -e 's{<title>.*?</title>}{<title>$ENV{NAME}</title>}; s{(<h1 id="party">).*?(</h1>)}{$1$ENV{NAME}$2}' "$site.new/index.html"
fi
rm -rf "$site"
mv "$site.new" "$site"
echo "build-web.sh: $site ready in $((SECONDS - started)) s:" >&2
(cd "$site" && ls -l index.html frosthem.* music.mp3 | awk '{printf "  %-16s %9d bytes\n", $9, $5}' >&2)
