#!/bin/sh
# Installs the build into a scratch prefix, moves the installed tree and runs
# both programs from a folder of their own: they must find the assets, and
# the renderer must write where the caller's relative paths point.
#   install_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
scratch=$(mktemp -d /tmp/frosthem-install-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "install test: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$scratch/installed" >/dev/null
mv "$scratch/installed" "$scratch/moved"
prefix=$scratch/moved
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"

for f in share/frosthem/data/demo.mp3 share/frosthem/gfx/mario3.bmp share/frosthem/gfx/boll0001.png \
         share/frosthem/icons/frosthem_128.png share/icons/hicolor/48x48/apps/frosthem.png \
         share/man/man6/frosthem.6.gz share/man/man6/frosthem-capture.6.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
grep -qx 'Name=Frosthem LAN XMAS 2005' "$prefix/share/applications/frosthem.desktop" ||
  fail "no desktop entry naming the show"
grep -qx 'Icon=frosthem' "$prefix/share/applications/frosthem.desktop" || fail "the desktop entry has no icon"
[ ! -e "$prefix/games" ] && [ ! -e "$prefix/share/games" ] || fail "the Debian package's layout leaked into a plain install"

# The show: two seconds with SDL's dummy drivers, then asked to quit.
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$prefix/bin/frosthem" 2>show.err >/dev/null &
show=$!
sleep 2
kill -TERM "$show" 2>/dev/null || true  # already gone: wait reports how
status=0
wait "$show" || status=$?
[ "$status" -eq 0 ] || fail "the show ended with status $status: $(cat show.err)"
[ ! -s show.err ] || fail "the show said: $(cat show.err)"

# A party folder named relative to where the show is called from.
cp -r "$(dirname "$0")/../examples/norrsken" "my party"
"$prefix/bin/frosthem" --check --party "my party" >check.out 2>check.err ||
  fail "frosthem --check --party failed: $(cat check.err)"
grep -q '^typing advances: ' check.out || fail "no summary of the party: $(cat check.out)"
"$prefix/bin/frosthem" --check --party=my\ party >/dev/null 2>check.err ||
  fail "frosthem --check --party= failed: $(cat check.err)"

[ -x "$prefix/bin/frosthem-capture" ] || exit 0  # built without the tools

"$prefix/bin/frosthem-capture" --party "my party" --out party --at 20 2>capture.err ||
  fail "frosthem-capture --party failed: $(cat capture.err)"
[ -s party/frame_001200.png ] || fail "no party frame written under $PWD: $(cat capture.err)"

# The renderer: frames at 0, 16 and 33 ms, under this folder, not the assets'.
"$prefix/bin/frosthem-capture" --out "two words/frames" --from 0 --to 0.05 2>capture.err ||
  fail "frosthem-capture failed: $(cat capture.err)"
for k in 0 1 2; do
  [ -s "two words/frames/frame_00000$k.png" ] || fail "frame $k not written under $PWD: $(cat capture.err)"
done
[ ! -e "$prefix/share/frosthem/two words" ] || fail "frames written beside the assets"

# Found on PATH through a link to the launcher, as a menu entry starts it;
# with a video when ffmpeg is there.
mkdir links
ln -s "$prefix/bin/frosthem-capture" links/capture
video=
if command -v ffmpeg >/dev/null 2>&1; then
  video=clip.mp4
fi
PATH=$PWD/links:$PATH capture --out linked --to 0.05 ${video:+--video "$video"} 2>capture.err ||
  fail "run through a link failed: $(cat capture.err)"
[ -s linked/frame_000000.png ] || fail "the linked launcher wrote no frame under $PWD"
[ -z "$video" ] || [ -s "$video" ] || fail "no video written under $PWD"

# A folder whose name ends in a newline: the frames go there, not beside it.
odd=$(printf 'ends in newline\n.') && odd=${odd%.}
mkdir "$odd"
(cd "$odd" && "$prefix/bin/frosthem-capture" --out f --to 0.02 2>../odd.err) ||
  fail "run from a folder named with a newline failed: $(cat odd.err)"
[ -s "$odd/f/frame_000000.png" ] || fail "the frame is not under the folder named with a newline"

# A working folder removed under the caller: refused with our line last
# (the shell may complain first), and nothing written where its relative
# paths would otherwise resolve.
mkdir gone
rc=0
(cd gone && rmdir ../gone && exec "$prefix/bin/frosthem-capture" --out o4 --to 0.02 2>../gone.err) || rc=$?
[ "$rc" = 2 ] || fail "a removed working folder gave exit code $rc: $(cat gone.err)"
tail -n 1 gone.err | grep -q "^frosthem-capture: the working folder.* no longer exists" ||
  fail "a removed working folder is not named in one line: $(cat gone.err)"
[ ! -e /o4 ] && [ ! -e "$prefix/share/frosthem/o4" ] || fail "a removed working folder's run wrote o4"
