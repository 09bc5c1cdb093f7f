#!/usr/bin/env bash
# Builds the show for web browsers: a static folder, build-web/site/
# (index.html, tomte.png, frosthem.js, frosthem.wasm, frosthem.data), to put on any
# web server. The libraries come from Debian's source packages, built once
# with Debian's emscripten and kept in build-web/prefix/; later builds only
# rebuild the show itself.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh emscripten

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

started=$SECONDS
renice -n "$nice_level" $$ >/dev/null
build_web_libraries

# CMake's find_library and pkg-config look in the prefix only (and in
# emscripten's own system folder).
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
export PKG_CONFIG_PATH=
emcmake cmake -S "$root" -B "$out/show" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DFROSTHEM_OWN_PNG_LOADER=ON \
  -DFROSTHEM_TESTS=OFF -DFROSTHEM_TOOLS=OFF -DFROSTHEM_BENCH=OFF >/dev/null
cmake --build "$out/show" -j"$jobs" --target frosthem_web

rm -rf "$site.new"
mkdir -p "$site.new"
cp "$out/show/web/index.html" "$out/show/web/frosthem.js" "$out/show/web/frosthem.wasm" \
   "$out/show/web/frosthem.data" "$site.new/"
# The loading card's picture, shown before the module's data arrives.
cp gfx/tomte.png "$site.new/"
# The credits: our licence and those of the libraries built into the module.
ship_licences "$sources" "$site.new"
rm -rf "$site"
mv "$site.new" "$site"
echo "build-web.sh: $site ready in $((SECONDS - started)) s:" >&2
(cd "$site" && ls -l index.html frosthem.* | awk '{printf "  %-16s %9d bytes\n", $9, $5}' >&2)
