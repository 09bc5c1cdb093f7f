# Sourced by scripts/build-web.sh: how each library is built for the
# browser from Debian's upstream source, into $prefix. Every departure from
# a library's own build is a flag or patch here, with its reason.
#
# Uses: $root (the repository), $prefix, $work (scratch folders), $sources
# (the download cache), $jobs.

web_cflags=(-O2)

# Our patches to library NAME: packaging/web/patches/NAME-*.patch, each starting with
# a line or two on why.
patches_for() {
  local name=$1 p
  for p in "$root/packaging/web/patches/$name"-*.patch; do
    [ -f "$p" ] && echo "$p"
  done
  return 0
}

# A clean copy of the source to build in, so the cache stays untouched,
# with our patches applied.
fresh_copy() {
  local src=$1 name=$2 p
  rm -rf "$work/$name"
  mkdir -p "$work"
  cp -a "$src" "$work/$name"
  for p in $(patches_for "$name"); do
    patch -d "$work/$name" -p1 --quiet <"$p" >&2
  done
  echo "$work/$name"
}

# Compiles the given sources (relative to $dir) into $prefix/lib/lib$name.a.
compile_archive() {
  local dir=$1 name=$2 compiler=$3
  shift 3
  local flags=() files=() objs=() f
  while [ $# -gt 0 ] && [ "$1" != -- ]; do flags+=("$1"); shift; done
  shift
  files=("$@")
  mkdir -p "$dir/.objs" "$prefix/lib"
  for f in "${files[@]}"; do
    objs+=("$dir/.objs/$(echo "$f" | tr / _).o")
  done
  # Two compilers at a time, in order: xargs keeps the machine shared.
  printf '%s\n' "${files[@]}" | xargs -P "$jobs" -I{} sh -c \
    'f=$1; o="$0/.objs/$(echo "$f" | tr / _).o"; shift 2; exec "$@" -c "$0/$f" -o "$o"' \
    "$dir" {} x "$compiler" "${web_cflags[@]}" "${flags[@]}"
  rm -f "$prefix/lib/lib$name.a"
  emar rcs "$prefix/lib/lib$name.a" "${objs[@]}"
}

write_pc() {
  local name=$1 version=$2 cflags=$3 libs=$4
  mkdir -p "$prefix/lib/pkgconfig"
  cat >"$prefix/lib/pkgconfig/$name.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $name
Description: $name for the browser build
Version: $version
Cflags: $cflags
Libs: -L\${libdir} $libs
PC
}

build_zlib() {
  local dir
  dir=$(fresh_copy "$1" zlib)
  (cd "$dir" && emconfigure ./configure --static --prefix="$prefix" >/dev/null &&
     emmake make -j"$jobs" libz.a >/dev/null && emmake make install >/dev/null)
}

# libpng's own CMake and configure builds add test programs and awk-made
# symbol lists; the static library is its C files with the prebuilt
# default configuration header that upstream ships for such builds.
build_libpng() {
  local dir
  dir=$(fresh_copy "$1" libpng)
  cp "$dir/scripts/pnglibconf.h.prebuilt" "$dir/pnglibconf.h"
  compile_archive "$dir" png16 emcc -I"$dir" -I"$prefix/include" -- \
    png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c \
    pngrutil.c pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c
  mkdir -p "$prefix/include"
  cp "$dir/png.h" "$dir/pngconf.h" "$dir/pnglibconf.h" "$prefix/include/"
  write_pc libpng 1.6.39 "-I\${includedir}" "-lpng16 -lz"
}

# SDL 1.2's configure predates wasm32 (config.sub refuses it), so its C
# files are compiled here with a configuration header of ours
# (packaging/web/sdl/SDL_config.h): dummy video and audio, no threads.
build_sdl() {
  local dir
  dir=$(fresh_copy "$1" sdl)
  cp "$root/packaging/web/sdl/SDL_config.h" "$dir/include/SDL_config.h"
  local files=(
    src/SDL.c src/SDL_error.c src/SDL_fatal.c
    src/audio/SDL_audio.c src/audio/SDL_audiocvt.c src/audio/SDL_mixer.c src/audio/SDL_wave.c
    src/audio/dummy/SDL_dummyaudio.c
    src/cdrom/SDL_cdrom.c src/cdrom/dummy/SDL_syscdrom.c
    src/cpuinfo/SDL_cpuinfo.c
    src/events/SDL_active.c src/events/SDL_events.c src/events/SDL_expose.c
    src/events/SDL_keyboard.c src/events/SDL_mouse.c src/events/SDL_quit.c src/events/SDL_resize.c
    src/file/SDL_rwops.c
    src/joystick/SDL_joystick.c src/joystick/dummy/SDL_sysjoystick.c
    src/loadso/dummy/SDL_sysloadso.c
    src/stdlib/SDL_getenv.c src/stdlib/SDL_iconv.c src/stdlib/SDL_malloc.c
    src/stdlib/SDL_stdlib.c src/stdlib/SDL_string.c
    src/thread/SDL_thread.c src/thread/generic/SDL_syscond.c src/thread/generic/SDL_sysmutex.c
    src/thread/generic/SDL_syssem.c src/thread/generic/SDL_systhread.c
    src/timer/SDL_timer.c src/timer/unix/SDL_systimer.c
    src/video/SDL_RLEaccel.c src/video/SDL_blit.c src/video/SDL_blit_0.c src/video/SDL_blit_1.c
    src/video/SDL_blit_A.c src/video/SDL_blit_N.c src/video/SDL_bmp.c src/video/SDL_cursor.c
    src/video/SDL_gamma.c src/video/SDL_pixels.c src/video/SDL_stretch.c src/video/SDL_surface.c
    src/video/SDL_video.c src/video/SDL_yuv.c src/video/SDL_yuv_sw.c
    src/video/dummy/SDL_nullevents.c src/video/dummy/SDL_nullmouse.c src/video/dummy/SDL_nullvideo.c
  )
  compile_archive "$dir" SDL emcc -I"$dir/include" -I"$dir/src" -I"$dir/src/video" \
    -I"$dir/src/events" -I"$dir/src/audio" -I"$dir/src/thread" -I"$dir/src/thread/generic" \
    -I"$dir/src/timer" -I"$dir/src/joystick" -I"$dir/src/cdrom" \
    -Wno-error -w -- "${files[@]}"
  mkdir -p "$prefix/include/SDL"
  cp "$dir"/include/*.h "$prefix/include/SDL/"
  write_pc sdl 1.2.15 "-I\${includedir}/SDL -D_GNU_SOURCE=1" "-lSDL"
}

# SGE's Makefile asks sdl-config and builds a shared library; its C++ files
# are compiled here. No TrueType (the show draws bitmap fonts only) and no
# SDL_image (fonts are BMP files, loaded by SDL itself).
build_sge() {
  local dir
  dir=$(fresh_copy "$1" sge)
  printf '%s\n' '#define SGE_VER 030809' '#define _SGE_C_AND_CPP' '#define _SGE_NOTTF' \
    >"$dir/sge_config.h"
  # -include stdio.h: sge_surface.cpp calls vsprintf without including it.
  compile_archive "$dir" SGE em++ -include stdio.h -I"$dir" -I"$prefix/include/SDL" -w -- \
    sge_blib.cpp sge_bm_text.cpp sge_collision.cpp sge_misc.cpp sge_primitives.cpp \
    sge_rotation.cpp sge_shape.cpp sge_surface.cpp sge_textpp.cpp sge_tt_text.cpp
  cp "$dir"/sge*.h "$prefix/include/SDL/"
}

build_mpg123() {
  local dir
  dir=$(fresh_copy "$1" mpg123)
  # Autotools' config.sub refuses wasm32: the CMake port instead. It calls
  # check_type_size without including CheckTypeSize (packaging/web/cmake/), and its
  # size probes read garbage from a wasm object, so the sizes are given
  # (and marked as found, so the probes do not run).
  emcmake cmake -S "$dir/ports/cmake" -B "$dir/cmake-build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PROJECT_INCLUDE="$root/packaging/web/cmake/check-type-size.cmake" \
    -DSIZEOF_LONG:INTERNAL=4 -DSIZEOF_OFF_T:INTERNAL=8 \
    -DHAVE_SIZEOF_LONG:INTERNAL=TRUE -DHAVE_SIZEOF_OFF_T:INTERNAL=TRUE \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_LIBOUT123=OFF -DBUILD_PROGRAMS=OFF \
    -DCPU_TYPE=generic_fpu -DNETWORK=OFF >/dev/null
  cmake --build "$dir/cmake-build" -j"$jobs" >/dev/null
  cmake --install "$dir/cmake-build" >/dev/null
}

build_kissfft() {
  local dir
  dir=$(fresh_copy "$1" kissfft)
  # Cross-compiling, its CMake leaves the install folders empty (root).
  emcmake cmake -S "$dir" -B "$dir/cmake-build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_INCLUDEDIR=include \
    -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_BINDIR=bin \
    -DKISSFFT_DATATYPE=float -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF -DKISSFFT_TOOLS=OFF >/dev/null
  cmake --build "$dir/cmake-build" -j"$jobs" >/dev/null
  cmake --install "$dir/cmake-build" >/dev/null
}

# Fetches, verifies and builds every library the show needs, once.
build_web_libraries() {
  local pkg src name patches
  for pkg in zlib:zlib libpng1.6:libpng libsdl1.2:sdl libsdl-sge:sge mpg123:mpg123 kissfft:kissfft; do
    name=${pkg#*:}
    src=$(debian_source "$sources" "${pkg%%:*}")
    mapfile -t patches < <(patches_for "$name")
    # The patches are named, so a changed patch builds its library again.
    build_once "$prefix" "$name" "$(basename "$src")" "build_$name" "$src" \
      "$root/packaging/web/sdl/SDL_config.h" "$root/packaging/web/cmake/check-type-size.cmake" "${web_cflags[@]}" \
      "${patches[@]}"
  done
}
