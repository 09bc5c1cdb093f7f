# Sourced by the build and release scripts: archives that come out the same
# byte for byte from the same files, whenever and wherever they are made.
# Entries are sorted, their times are SOURCE_DATE_EPOCH (the released
# commit's time, or 0 outside a repository), owners are root and no extra
# file attributes are stored.

: "${SOURCE_DATE_EPOCH:=$(git -C "$(dirname "${BASH_SOURCE[0]}")" log -1 --format=%ct 2>/dev/null || echo 0)}"
export SOURCE_DATE_EPOCH

# reproducible_zip ZIP DIR: DIR (its folder name kept as the top entry)
# packed into ZIP, written whole before it replaces an older ZIP.
reproducible_zip() {
  local zip=$1 dir=$2 parent base
  parent=$(dirname "$dir")
  base=$(basename "$dir")
  find "$dir" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  rm -f "$zip.part"
  (cd "$parent" && find "$base" -print | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$zip.part")
  mv "$zip.part" "$zip"
}

# reproducible_tar TAR DIR: DIR (its folder name kept as the top entry)
# packed into an uncompressed TAR.
reproducible_tar() {
  local tar=$1 dir=$2
  rm -f "$tar.part"
  tar --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
    --pax-option=exthdr.name=%d/PaxHeaders/%f,delete=atime,delete=ctime \
    -C "$(dirname "$dir")" -cf "$tar.part" "$(basename "$dir")"
  mv "$tar.part" "$tar"
}
