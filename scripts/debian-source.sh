#!/usr/bin/env bash
# Fetches the upstream source of a Debian source package and unpacks it:
#   scripts/debian-source.sh CACHE PACKAGE
# prints the unpacked folder (CACHE/src/PACKAGE-VERSION) on standard output.
#
# apt runs with a configuration and state of its own under CACHE/apt: a
# deb-src entry made from the machine's own Debian sources (same mirrors,
# suites, components and signing key), its own index lists and download
# cache. The machine's apt configuration is never read for sources nor
# changed.
#
# How a tarball is verified: apt checks the Release file's signature with
# the archive key named in the machine's sources (Signed-By), the Sources
# index against the hashes in Release, and hands us the tarball's SHA-256
# from the package's Checksums-Sha256 there. apt-helper downloads with that
# hash and refuses a mismatch; we check it once more with sha256sum, also
# whenever an already downloaded tarball is reused.
#
# Only the upstream tarball is used (Debian's patch set is left out: one is
# missing from the archive for some packages); any change we need is a
# named patch of our own, applied by the build scripts.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 CACHE PACKAGE" >&2; exit 2; }
cache=$(mkdir -p "$1" && cd "$1" && pwd)
package=$2

apt_dir=$cache/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" \
         "$apt_dir/cache/archives/partial" "$cache/tarballs" "$cache/src"

# The index lists are fetched once a day at most.
refresh_hours=24

apt_opts=(
  -o "Dir::Etc::SourceList=/dev/null"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  # Our own folders belong to us: apt need not drop to its _apt user.
  -o "APT::Sandbox::User=$(id -un)"
  -qq
)

die() { echo "debian-source.sh: $package: $*" >&2; exit 1; }

write_sources() {
  local found=0 f
  : >"$apt_dir/sources.list.d/debian-src.sources.new"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    found=1
    # Each deb822 stanza again, as deb-src, comments left out.
    awk 'BEGIN { RS = ""; FS = "\n" }
         { for (i = 1; i <= NF; i++) {
             if ($i ~ /^#/) continue
             if ($i ~ /^Types:/) $i = "Types: deb-src"
             print $i }
           print "" }' "$f" >>"$apt_dir/sources.list.d/debian-src.sources.new"
  done
  [ $found = 1 ] || die "no Debian sources in /etc/apt/sources.list.d/*.sources to take mirrors from"
  mv "$apt_dir/sources.list.d/debian-src.sources.new" "$apt_dir/sources.list.d/debian-src.sources"
}

update_lists() {
  local stamp=$apt_dir/lists/.updated
  if [ -z "$(find "$stamp" -mmin -$((refresh_hours * 60)) 2>/dev/null)" ]; then
    write_sources
    apt-get "${apt_opts[@]}" update >&2 || die "apt-get update of the source index failed"
    touch "$stamp"
  fi
}

# Prints "URI FILE SIZE SHA256:HASH" of the upstream tarball of every
# version in the index, newest first: a security update's pool may lack the
# upstream tarball that the release's pool holds.
tarball_uris() {
  local version
  apt-cache "${apt_opts[@]}" showsrc --only-source "$package" 2>/dev/null |
    sed -n 's/^Version: //p' | sort -u -r -V | while read -r version; do
      apt-get "${apt_opts[@]}" source --print-uris --tar-only "$package=$version" 2>/dev/null |
        sed -n "s/^'\([^']*\)' \(.*\)$/\1 \2/p" | grep -v '\.debian\.tar\.' | head -n1
    done
}

update_lists
mapfile -t candidates < <(tarball_uris)
[ ${#candidates[@]} -gt 0 ] || die "not found in Debian's source index"
fetched=""
for line in "${candidates[@]}"; do
  read -r uri file _size hash <<<"$line"
  case $hash in
    SHA256:*) sha=${hash#SHA256:} ;;
    *) die "the index gives no SHA-256 for $file (got $hash)" ;;
  esac
  tarball=$cache/tarballs/$file
  if [ -f "$tarball" ] && echo "$sha  $tarball" | sha256sum -c --status; then
    fetched=1
    break
  fi
  rm -f "$tarball"
  if /usr/lib/apt/apt-helper "${apt_opts[@]}" download-file "$uri" "$tarball.part" "SHA256:$sha" >&2; then
    mv "$tarball.part" "$tarball"
    fetched=1
    break
  fi
  echo "debian-source.sh: $package: $uri failed; trying an older version" >&2
done
[ -n "$fetched" ] || die "no version's upstream tarball could be downloaded"
echo "$sha  $tarball" | sha256sum -c --status || die "$file does not match the SHA-256 in Debian's index"

# The version is in the file name: PACKAGE_VERSION.orig.tar.xx or PACKAGE_VERSION.tar.xx
version=${file#"${package}_"}
version=${version%%.tar.*}
version=${version%.orig}
dest=$cache/src/$package-$version
if [ ! -f "$dest/.unpacked" ]; then
  rm -rf "$dest" "$dest.part"
  mkdir -p "$dest.part"
  tar -xf "$tarball" -C "$dest.part" --strip-components=1 || die "cannot unpack $file"
  mv "$dest.part" "$dest"
  echo "$sha" >"$dest/.unpacked"
fi
echo "$dest"
