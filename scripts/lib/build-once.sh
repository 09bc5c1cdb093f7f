# Sourced by the cross builds: builds a library once into a prefix and
# remembers it, so the next build skips it in a moment.
#
#   build_once PREFIX NAME VERSION COMMAND...
#
# runs COMMAND (which installs into PREFIX) unless PREFIX/.built/NAME holds
# VERSION plus the digest of COMMAND's words, of every file named in them
# (patches, configuration headers) and, when COMMAND is a shell function, of
# its body; a changed flag, patch or recipe builds the library again. The stamp is
# written only after COMMAND succeeds, so an interrupted build starts over.
# The calling script runs under `set -e`, which COMMAND relies on: a failing
# step inside it ends the whole build.

build_once() {
  local prefix=$1 name=$2 version=$3
  shift 3
  local stamp=$prefix/.built/$name
  local recipe word
  recipe=$(
    printf '%s\n' "$version" "$@"
    declare -f "$1" || true
    for word in "$@"; do
      if [ -f "$word" ]; then sha256sum <"$word"; fi
    done
  )
  recipe="$version $(printf '%s' "$recipe" | sha256sum | cut -c1-16)"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
    return 0
  fi
  echo "== building $name $version" >&2
  local started=$SECONDS
  "$@" || { echo "build of $name $version failed" >&2; return 1; }
  mkdir -p "$prefix/.built"
  printf '%s\n' "$recipe" >"$stamp"
  echo "== $name $version built in $((SECONDS - started)) s" >&2
}

# Fetches and unpacks PACKAGE's upstream source under CACHE (verified
# against Debian's index) and prints its folder.
debian_source() {
  "$(dirname "${BASH_SOURCE[0]}")/../debian-source.sh" "$@"
}
