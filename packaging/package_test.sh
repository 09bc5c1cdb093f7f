#!/bin/sh
# Builds the Debian package from the build folder, checks its files and
# dependencies, runs the unpacked show from another folder, and runs lintian:
# any error fails, warnings are printed.
#   package_test.sh CPACK BUILD_DIR VERSION
set -eu
cpack=$1
build=$2
version=$3
scratch=$(mktemp -d /tmp/frosthem-package-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package test: $*" >&2
  exit 1
}
for tool in dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -20 "$scratch/cpack.log")"
deb=$scratch/out/frosthem_${version}_$(dpkg --print-architecture).deb
[ -s "$deb" ] || fail "no $(basename "$deb"): $(ls "$scratch/out")"

# Debian's layout for games.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$scratch/files"
for f in /usr/games/frosthem /usr/games/frosthem-capture \
         /usr/lib/games/frosthem/frosthem /usr/lib/games/frosthem/frosthem-capture \
         /usr/share/games/frosthem/data/demo.mp3 /usr/share/games/frosthem/gfx/mario3.bmp \
         /usr/share/games/frosthem/icons/frosthem_128.png \
         /usr/share/applications/frosthem.desktop \
         /usr/share/icons/hicolor/32x32/apps/frosthem.png /usr/share/icons/hicolor/48x48/apps/frosthem.png \
         /usr/share/icons/hicolor/128x128/apps/frosthem.png /usr/share/icons/hicolor/256x256/apps/frosthem.png \
         /usr/share/man/man6/frosthem.6.gz /usr/share/man/man6/frosthem-capture.6.gz \
         /usr/share/doc/frosthem/copyright /usr/share/doc/frosthem/changelog.gz; do
  grep -qx "$f" "$scratch/files" || fail "$f is not in the package"
done
! grep -q '^/usr/bin/\|^/usr/libexec/\|^/usr/share/frosthem/' "$scratch/files" ||
  fail "files outside Debian's games layout: $(grep '^/usr/bin/\|^/usr/libexec/\|^/usr/share/frosthem/' "$scratch/files")"

# Dependencies as dpkg-shlibdeps found them: the libraries the show links.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libsdl1.2debian libsdl-image1.2 libsdl-sge libmpg123-0 libx11-6 libpng16-16; do
  echo "$depends" | grep -q "\(^\|, \)$lib\( \|,\|$\)" || fail "Depends lacks $lib: $depends"
done

# Unpacked anywhere, started from another folder, it finds its data.
dpkg -x "$deb" "$scratch/root"
# The terms, machine-readable: the program under MIT (Expat), the pictures,
# fonts and music under CC BY 4.0, the fonts with DejaVu's notice.
for licence in Expat CC-BY-4.0 bitstream-vera; do
  grep -qx "License: $licence" "$scratch/root/usr/share/doc/frosthem/copyright" ||
    fail "the copyright file does not give the $licence licence"
done
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$scratch/root/usr/games/frosthem" --mute 2>show.err >/dev/null &
show=$!
sleep 3
kill -TERM "$show" 2>/dev/null || true  # already gone: wait reports how
status=0
wait "$show" || status=$?
[ "$status" -eq 0 ] || fail "the unpacked show ended with status $status: $(cat show.err)"
[ ! -s show.err ] || fail "the unpacked show said: $(cat show.err)"
"$scratch/root/usr/games/frosthem-capture" --out frames --to 0.02 2>capture.err ||
  fail "the unpacked frosthem-capture failed: $(cat capture.err)"
[ -s frames/frame_000000.png ] || fail "the unpacked frosthem-capture wrote no frame"

# Errors fail; warnings and notes are shown for the record.
lintian --allow-root --tag-display-limit 0 --info "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
! grep -q '^E:' "$scratch/lintian.log" || fail "lintian reports errors"
