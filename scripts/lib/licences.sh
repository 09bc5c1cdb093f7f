# Sourced by the cross builds: the licence texts that travel with them.
#
#   ship_licences CACHE DEST
#
# writes DEST/LICENSE.txt (ours: the program under MIT, the pictures, fonts
# and music under CC BY 4.0) and DEST/licences/ with the CC BY 4.0 text,
# DejaVu's notice for the fonts and the licence of every library built into
# the show, each found in its Debian source folder under CACHE (fetched
# and checked by debian_source, from build-once.sh). Runs from the
# project's root.

ship_licences() {
  local cache=$1 dest=$2 entry package file name
  mkdir -p "$dest/licences"
  cp LICENSE "$dest/LICENSE.txt"
  cp LICENSES/CC-BY-4.0.txt LICENSES/DejaVu.txt "$dest/licences/"
  for entry in libsdl1.2:COPYING:SDL libsdl-sge:LICENSE:SGE zlib:LICENSE:zlib \
               libpng1.6:LICENSE:libpng mpg123:COPYING:mpg123; do
    IFS=: read -r package file name <<<"$entry"
    cp "$(debian_source "$cache" "$package")/$file" "$dest/licences/$name.txt"
  done
  local kissfft
  kissfft=$(debian_source "$cache" kissfft)
  cat "$kissfft/COPYING" "$kissfft/LICENSES/BSD-3-Clause" >"$dest/licences/kissfft.txt"
  cat >"$dest/licences/SOURCE.txt" <<'EOF_SOURCE'
Where the source is

The corresponding source of this build is the release's source archive,
NAME-VERSION-source.tar, published beside it (scripts/release.sh makes it).
It holds the program's source at the released commit, the party's folder,
and the exact upstream source tarballs of SDL 1.2, SGE, libmpg123, libpng,
zlib and KISS FFT as Debian's archive publishes them, with our patches and
the scripts that build them, so the libraries can be changed and the whole
relinked.
EOF_SOURCE
}
