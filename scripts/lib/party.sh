# A party folder given to a build script (build-web.sh, build-windows.sh):
# checked by the native show before anything is built, copied whole into the
# build, and its name read for the page and the README.
# shellcheck shell=bash

# The native show, built in build/ if it is not there yet.
native_show() {
  local root=$1 native=${FROSTHEM_NATIVE_BUILD:-$1/build}
  if [ ! -x "$native/frosthem" ]; then
    cmake -S "$root" -B "$native" -DFROSTHEM_WINDOWS_TESTS=OFF -DFROSTHEM_WEB_TESTS=OFF >/dev/null
    cmake --build "$native" --target frosthem -j"$(nproc)" >/dev/null
  fi
  echo "$native/frosthem"
}

# check_party ROOT DIR: the party's problems, each at its place, and a
# failure when there are any; its summary otherwise.
check_party() {
  local show
  show=$(native_show "$1")
  "$show" --check --party "$2" >&2 || { echo "the party in $2 has problems: nothing was built" >&2; return 1; }
}

# copy_party DIR TARGET: the party's folder as the build carries it (TARGET
# is replaced).
copy_party() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  cp -rL "$1" "$2"
}

# party_toml_value DIR KEY: a top-level text of party.toml (name, dates, place),
# empty when it is not given.
party_toml_value() {
  python3 - "$1/party.toml" "$2" <<'PY'
import sys, tomllib
with open(sys.argv[1], "rb") as f:
    value = tomllib.load(f).get(sys.argv[2], "")
print(value if isinstance(value, str) else "")
PY
}

# The toml++ headers (header-only) where a cross build's CMake finds them.
copy_toml_headers() {
  mkdir -p "$1/include"
  rm -rf "$1/include/toml++"
  cp -r /usr/include/toml++ "$1/include/"
}
