#!/usr/bin/env bash
# The Windows build under wine, one check at a time:
#   tests/windows/wine_check.sh CHECK NATIVE_BUILD_DIR
# CHECK is one of
#   prefix     make the wine prefix (NATIVE_BUILD_DIR/wine), once
#   escape     the show, started from another folder, is still running
#              in the main scene after 25 s and quits on Escape with 0
#   truncated  a truncated picture: a message box, then exit code 1 with
#              the one-line error on standard error
#   music      a damaged data/demo.mp3: the same, naming the music
#   help       --help, started with no console to print to, shows its text
#              in a box and exits 0 once the box is closed
#   window     on a 1920x1080 desktop: --scale 2 opens a 1280x960 window;
#              --fullscreen covers the screen, and F brings back the window
#              (1280x960, the largest that fits in 90% of it)
#   frames     frosthem-capture.exe's frames at 5, 25 and 75 s against the
#              native renderer's (tests/windows/frame_compare),
#              and its first two seconds of sound, byte for byte
# The show's checks run in their own Xvfb with a window manager.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check=$1

case $check in escape | truncated | music | help | window)
  if [ -z "${FROSTHEM_WINE_DISPLAY:-}" ]; then
    desktop=1024x768
    [ "$check" != window ] || desktop=1920x1080
    FROSTHEM_WINE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 ${desktop}x24" "$0" "$@"
  fi
  ;;
esac
native=$(cd "$2" && pwd)
win=$root/build-windows
version=$(sed -n 's/^project(frosthem VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
package=$win/frosthem-$version-windows-x64

export WINEPREFIX=$native/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; [ -z "${openbox_pid:-}" ] || kill "$openbox_pid" 2>/dev/null || true' EXIT

# Long enough for the white flash at 18 s and the main scene after it.
main_scene_seconds=25
window_timeout=60
exit_timeout=30

fail() { echo "wine_check $check: $*" >&2; exit 1; }

# The window manager, (re)started when it is not running, and waited for
# until it answers for the desktop: a key sent by activating a window needs
# it, and once a run found it gone.
ensure_wm() {
  local waited=0
  if [ -z "${openbox_pid:-}" ] || ! kill -0 "$openbox_pid" 2>/dev/null; then
    [ -z "${openbox_pid:-}" ] || echo "wine_check $check: openbox had ended: $(cat "$scratch/openbox.log")" >&2
    openbox >"$scratch/openbox.log" 2>&1 &
    openbox_pid=$!
  fi
  until xdotool get_num_desktops >/dev/null 2>&1; do
    [ $waited -lt 60 ] || fail "openbox did not start: $(cat "$scratch/openbox.log")"
    sleep 0.5
    waited=$((waited + 1))
  done
}

# Waits up to `exit_timeout` seconds for process $1; its exit code goes to
# $rc (not printed: a command substitution's subshell cannot wait for it).
await_exit() {
  local pid=$1 waited=0
  while kill -0 "$pid" 2>/dev/null && [ $waited -lt $exit_timeout ]; do
    sleep 1
    waited=$((waited + 1))
  done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not end"; }
  rc=0
  wait "$pid" || rc=$?
}

# The id of the first window titled exactly $1, waiting for it to appear.
# Searched afresh each time: a search that meets one of wine's short-lived
# windows as it goes may end with an X error rather than wait on.
window_named() {
  local waited=0 found=
  while [ $waited -lt $((window_timeout * 2)) ]; do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
    [ -z "$found" ] || { echo "$found"; return 0; }
    sleep 0.5
    waited=$((waited + 1))
  done
  return 1
}

# Waits up to `exit_timeout` seconds for window $1 to be $2 (WIDTHxHEIGHT).
await_size() {
  local window=$1 want=$2 waited=0 now=
  while [ $waited -lt $exit_timeout ]; do
    now=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^WIDTH=//p;s/^HEIGHT=//p' | paste -sd x)
    [ "$now" = "$want" ] && return 0
    sleep 1
    waited=$((waited + 1))
  done
  cat "$scratch/stderr" >&2
  for other in $(xdotool search --name Frosthem 2>/dev/null); do
    echo "window $other: $(xdotool getwindowname "$other") $(xdotool getwindowgeometry "$other" | tr '\n' ' ')" >&2
  done
  fail "the window is $now, expected $want"
}

# Starts the show with arguments "$@" in the background ($pid) and finds
# its window ($window).
start_show() {
  cd "$scratch"
  ensure_wm
  wine "$package/frosthem.exe" "$@" 2>"$scratch/stderr" &
  pid=$!
  window=$(window_named "Frosthem LAN XMAS 2005") || true
  [ -n "$window" ] || { cat "$scratch/stderr" >&2; fail "no window appeared within $window_timeout s"; }
}

# Escape ends the show with 0.
quit_show() {
  ensure_wm
  xdotool windowactivate --sync "$window" key Escape
  await_exit $pid
  [ "$rc" = 0 ] || { cat "$scratch/stderr" >&2; fail "exit code $rc after Escape, expected 0"; }
}

# A copy of the package with file $1 (under it) cut to $2 bytes must stop
# with a message box, exit code 1 and one line on standard error that
# starts with $3.
expect_refusal() {
  local file=$1 bytes=$2 line=$3
  cp -r "$package" "$scratch/show"
  truncate -s "$bytes" "$scratch/show/$file"
  cd "$scratch"
  ensure_wm
  wine "$scratch/show/frosthem.exe" 2>"$scratch/stderr" &
  pid=$!
  box=$(window_named "Frosthem: error") || true
  [ -n "$box" ] || { kill $pid; cat "$scratch/stderr" >&2; fail "no message box appeared"; }
  ensure_wm
  xdotool windowactivate --sync "$box" key Return
  await_exit $pid
  cat "$scratch/stderr" >&2
  [ "$rc" = 1 ] || fail "exit code $rc, expected 1"
  lines=$(grep -c . "$scratch/stderr" || true)
  [ "$lines" = 1 ] || fail "$lines lines on standard error, expected one"
  grep -q "^$line" "$scratch/stderr" || fail "the line does not start: $line"
}

case $check in
prefix)
  rm -rf "$WINEPREFIX"
  wine wineboot -i
  wineserver -w
  ;;

escape)
  start_show  # from $scratch, not the exe's folder: it must find gfx/ and data/ itself
  sleep $main_scene_seconds
  kill -0 $pid 2>/dev/null || { cat "$scratch/stderr" >&2; fail "the show ended by itself"; }
  quit_show
  ;;

window)
  start_show --scale 2
  await_size "$window" 1280x960
  quit_show
  start_show --fullscreen
  await_size "$window" 1920x1080
  ensure_wm
  xdotool windowactivate --sync "$window" key f
  await_size "$window" 1280x960
  quit_show
  ;;

truncated)
  expect_refusal gfx/tomte.png $(($(stat -c %s "$package/gfx/tomte.png") / 2)) \
    'frosthem: cannot load "gfx/tomte.png": .'
  ;;

music)
  # The first bytes of an MP3 are its tags, no audio: the decoder finds none.
  expect_refusal data/demo.mp3 100 'frosthem: cannot load music "data/demo.mp3": .'
  ;;

help)
  cd "$scratch"
  ensure_wm
  wine "$package/frosthem.exe" --help >"$scratch/stdout" 2>&1 &
  pid=$!
  box=$(window_named "Frosthem") || true
  [ -n "$box" ] || { kill $pid; cat "$scratch/stdout" >&2; fail "no box with the help appeared"; }
  ensure_wm
  xdotool windowactivate --sync "$box" key Return
  await_exit $pid
  [ "$rc" = 0 ] || fail "exit code $rc after --help, expected 0"
  grep -q -- --fullscreen "$scratch/stdout" || fail "no help on standard output"
  grep -q -- --scale "$scratch/stdout" || fail "the help leaves out --scale"
  ! grep -q SDL12COMPAT "$scratch/stdout" || fail "the help offers what Windows lacks"
  ;;

frames)
  # The capture program is not packed; it finds the assets beside itself.
  cp "$win/build/frosthem-capture.exe" "$scratch/"
  ln -s "$root/gfx" "$root/data" "$scratch/"
  mkdir "$scratch/elsewhere"
  cd "$scratch/elsewhere"
  for run in "--out frames --at 5,25,75" "--out sound --to 2"; do
    # shellcheck disable=SC2086
    wine "$scratch/frosthem-capture.exe" $run 2>"$scratch/stderr" ||
      { cat "$scratch/stderr" >&2; fail "frosthem-capture.exe $run failed"; }
  done
  # Compared with frames the native renderer draws now, not with the
  # committed goldens, so a renewed picture needs no second renewal here.
  for run in "--out $scratch/native-frames --at 5,25,75" "--out $scratch/native-sound --to 2"; do
    # shellcheck disable=SC2086
    (cd "$root" && "$native/frosthem-capture" $run 2>"$scratch/stderr") ||
      { cat "$scratch/stderr" >&2; fail "the native frosthem-capture $run failed"; }
  done
  cmp "$scratch/native-sound/audio.wav" sound/audio.wav || fail "audio.wav differs from the native one"
  # Kept for a look when they differ.
  rm -rf "$native/windows-frames"
  cp -r frames "$native/windows-frames"
  for frame in frame_000300 frame_001500 frame_004500; do
    "$native/tests/frame_compare" "$scratch/native-frames/$frame.png" "frames/$frame.png" ||
      fail "$frame.png differs from the native frame beyond blending rounding (see $native/windows-frames)"
  done
  ;;

*)
  fail "unknown check"
  ;;
esac
