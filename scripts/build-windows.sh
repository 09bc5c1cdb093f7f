#!/usr/bin/env bash
# Builds the show for 64-bit Windows with Debian's mingw-w64 and packs it:
#   scripts/build-windows.sh [PARTY_DIR]
# gives build-windows/frosthem-VERSION-windows-x64.zip: one static exe (it
# needs only Windows' own DLLs), gfx/, icons/, data/, README.txt and the licences of
# the libraries built into it. With a party folder, checked first by the
# native show, the zip carries it as party/, which the exe plays, and its
# README opens with the party's name. The libraries are built from Debian's source
# packages into build-windows/prefix once; later runs reuse them.
# Also builds frosthem-capture.exe (not packed), which the tests compare with
# the native renderer.
set -euo pipefail
party_dir=${1:+$(realpath "$1")}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-windows
cache=$out/cache
prefix=$out/prefix
work=$out/work
patches=$root/packaging/windows/patches
host=x86_64-w64-mingw32
jobs=$(nproc)

"$root/scripts/install-deps.sh" g++-mingw-w64-x86-64 zip icoutils python3
# shellcheck source=lib/build-once.sh
. "$root/scripts/lib/build-once.sh"
# shellcheck source=lib/licences.sh
. "$root/scripts/lib/licences.sh"
# shellcheck source=lib/reproducible.sh
. "$root/scripts/lib/reproducible.sh"
# shellcheck source=lib/party.sh
. "$root/scripts/lib/party.sh"
[ -z "$party_dir" ] || check_party "$root" "$party_dir"

export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
export PATH=$prefix/bin:$PATH  # the cross sdl-config, for SGE
mkdir -p "$prefix" "$work"

# A fresh copy of PACKAGE's source in $work/NAME, with the given patches.
fresh() {
  local name=$1 package=$2 src patch
  shift 2
  src=$(debian_source "$cache" "$package")
  rm -rf "${work:?}/$name"
  cp -a "$src" "$work/$name"
  for patch in "$@"; do
    patch -d "$work/$name" -p1 -s <"$patch"
  done
  cd "$work/$name"
}

# Runs a build step with its output in LOG, shown only when it fails.
logged() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed: $* (whole output: $PWD/$log)" >&2; return 1; }
}

autotools_build() {
  logged configure.log ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static "$@"
  logged make.log make -j"$jobs"
  logged install.log make install
}

# A CMake project, with the same toolchain as the show.
cmake_build() {
  logged configure.log cmake -S . -B build --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
    -DFROSTHEM_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@"
  logged make.log cmake --build build -j"$jobs"
  logged install.log cmake --install build
}

build_zlib() {
  fresh zlib zlib
  # Its configure knows the target by CHOST alone.
  CHOST=$host logged configure.log ./configure --static --prefix="$prefix"
  logged make.log make -j"$jobs" libz.a
  logged install.log make install
}

build_libpng() {
  fresh libpng libpng1.6
  # The library alone, without its test and tool programs.
  cmake_build -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
}

build_sdl() {
  shift  # the recipe's digest
  fresh sdl libsdl1.2 "$@"
  # No DirectX headers here: the windib video and waveOut audio drivers.
  # Standard output and error stay where the caller put them.
  autotools_build --disable-directx --disable-stdio-redirect
}

build_mpg123() {
  fresh mpg123 mpg123
  logged configure.log ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
    --with-cpu=x86-64 --disable-modules
  # The decoding library alone: not the players nor the output libraries.
  logged make.log make -j"$jobs" src/libmpg123/libmpg123.la
  mkdir -p "$prefix/include" "$prefix/lib/pkgconfig"
  install -m 644 src/libmpg123/.libs/libmpg123.a "$prefix/lib"
  install -m 644 src/libmpg123/mpg123.h src/libmpg123/fmt123.h "$prefix/include"
  install -m 644 libmpg123.pc "$prefix/lib/pkgconfig"
}

build_kissfft() {
  fresh kissfft kissfft
  # Cross-compiling, its CMake leaves the install folders unset.
  cmake_build -DCMAKE_INSTALL_INCLUDEDIR=include -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_BINDIR=bin \
    -DKISSFFT_DATATYPE=float -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF -DKISSFFT_TOOLS=OFF \
    -DKISSFFT_OPENMP=OFF
}

build_sge() {
  shift  # the recipe's digest
  fresh sge libsdl-sge "$@"
  # Bitmap fonts load through SDL's BMP reader; TrueType text is not used.
  logged make.log make -j"$jobs" CXX="$CXX" USE_FT=n USE_IMG=n QUIET=y
  $RANLIB libSGE.a
  mkdir -p "$prefix/include/SDL" "$prefix/lib"
  install -m 644 sge*.h "$prefix/include/SDL"
  install -m 644 libSGE.a "$prefix/lib"
}

# Each build runs in a subshell: a failure stops this script, and the
# folder changes stay inside.
once() {
  local name=$1 package=$2
  shift 2
  local version recipe
  version=$(basename "$(debian_source "$cache" "$package")")
  # A changed recipe (flags, steps) builds the library again.
  recipe=$(declare -f "build_$name" fresh logged autotools_build cmake_build | sha256sum | cut -c1-12)
  (build_once "$prefix" "$name" "$version" "build_$name" "$recipe" "$@")
}

started=$SECONDS
once zlib zlib
once libpng libpng1.6
# The browser build's blend patch: pictures drawn as on Linux, to the level.
once sdl libsdl1.2 "$root/packaging/web/patches/sdl-alpha-blend-as-sdl2.patch"
once mpg123 mpg123
once kissfft kissfft
once sge libsdl-sge "$patches/sge-va-start.patch" "$patches/sge-stdio.patch"
copy_toml_headers "$prefix"
echo "== libraries ready after $((SECONDS - started)) s" >&2

cd "$root"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"

version=$(sed -n 's/^project(frosthem VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=frosthem-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/data" "$stage/licences"
$host-strip -o "$stage/frosthem.exe" "$out/build/frosthem.exe"
cp -r gfx icons "$stage/"
cp data/demo.mp3 "$stage/data/"
sed "s/@VERSION@/$version/" packaging/windows/README.txt >"$stage/README.txt"
if [ -n "$party_dir" ]; then
  copy_party "$party_dir" "$stage/party"
  {
    party_toml_value "$party_dir" name
    when=$(party_toml_value "$party_dir" dates)
    where=$(party_toml_value "$party_dir" place)
    [ -z "$when$where" ] || echo "${when}${when:+${where:+, }}${where}"
    echo
    echo "This is the invitation to the party above: frosthem.exe plays its"
    echo "words, music and pictures from the folder party\\, which must stay beside it."
    echo
    cat "$stage/README.txt"
  } >"$stage/README.new"
  mv "$stage/README.new" "$stage/README.txt"
fi
ship_licences "$cache" "$stage"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licences/mingw-w64.txt"
# libgcc and libstdc++ are linked in statically: their licence, GPL 3 with
# the GCC Runtime Library Exception, whose notice goes along.
{
  echo "The exe contains GCC's runtime libraries (libgcc, libstdc++), under the"
  echo "GNU General Public License version 3 with the GCC Runtime Library"
  echo "Exception, version 3.1, which follows."
  echo
  sed -n '/^GCC RUNTIME LIBRARY EXCEPTION$/,/^requirements of the license of GCC\.$/p' \
    /usr/share/doc/gcc-mingw-w64-base/copyright
} >"$stage/licences/gcc-runtime.txt"
grep -q '^2. No Weakening of GCC Copyleft' "$stage/licences/gcc-runtime.txt" ||
  { echo "build-windows.sh: GCC's runtime library exception not found in gcc-mingw-w64-base's copyright" >&2; exit 1; }
# Windows readers expect CRLF in text files.
sed -i 's/\r*$/\r/' "$stage/README.txt" "$stage/LICENSE.txt" "$stage"/licences/*.txt
reproducible_zip "$out/$name.zip" "$stage"
echo "$out/$name.zip ($(du -k "$out/$name.zip" | cut -f1) kB; exe $(du -k "$stage/frosthem.exe" | cut -f1) kB)"
