#!/usr/bin/env bash
# The release's note in the scene's .nfo tradition, on standard output:
#   scripts/release-note.sh RELEASE COMMIT [PARTY_DIR]
# The party's name, dates and place come from PARTY_DIR/party.toml where it
# gives them.
set -euo pipefail
release=$1
commit=$2
party=${3:-}

# shellcheck source=lib/party.sh
. "$(dirname "$0")/lib/party.sh"
party_value() {
  [ -n "$party" ] && [ -f "$party/party.toml" ] || return 0
  party_toml_value "$party" "$1"
}

title=$(party_value name)
[ -n "$title" ] || title=$(party_value caption)
[ -n "$title" ] || title="Frosthem LAN XMAS 2005"
dates=$(party_value dates)
place=$(party_value place)
rule=" ----------------------------------------------------------------------------"

cat <<EOF
 .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.

                      I   N   V   I   T   A   T   I   O   N

 .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.  .*.

$(printf '%*s' $(( (78 + ${#title}) / 2 )) "$title")
EOF
[ -z "$dates" ] || printf '%*s\n' $(( (78 + ${#dates}) / 2 )) "$dates"
[ -z "$place" ] || printf '%*s\n' $(( (78 + ${#place}) / 2 )) "$place"
cat <<EOF

$rule
  RELEASE   $release
  SOURCE    commit $commit
$rule

  You are invited! This is the party's invitation intro: music, snow,
  plasma, raster bars and a gnome who types out what you need to know.

  HOW TO WATCH IT
    $release.mp4
        the whole show once through as a video, 1280x960: any player.
    $release-web/ (or $release-web.zip)
        the show in a web browser: put the folder on any web server and
        open index.html; click, tap or press a key to start (browsers play
        sound only after a gesture). F: full screen, Escape: stop.
    $release-windows-x64.zip
        the show for 64-bit Windows: unpack anywhere, double-click
        frosthem.exe. Escape quits, F switches to full screen.
    $release-poster.png
        a contact sheet of the show, for the party's web page.
    On Linux, build it from the source archive: ./run.sh

  CHECKSUMS
    sha256sum -c SHA256SUMS

  CREDITS
    Code, pictures, fonts and music: Frosthem developers. The pictures,
    fonts and music are made by the program's own generators; the music
    arranges traditional, public-domain carols.

  LICENCES
    The program is under the MIT licence. Its pictures, fonts and music are
    under the Creative Commons Attribution 4.0 licence (CC BY 4.0): credit
    "Frosthem developers". The fonts are drawn from DejaVu's glyphs and carry
    DejaVu's notice. The Windows exe and the web build contain SDL 1.2, SGE
    and libmpg123 (GNU LGPL 2.1), libpng, zlib and KISS FFT, and the exe the
    mingw-w64 runtime and GCC's runtime libraries (GPL 3 with the GCC
    Runtime Library Exception). Each build carries the texts (LICENSE.txt,
    licences/).

  CORRESPONDING SOURCE
    $release-source.tar holds the program at the commit above, the
    party's folder, and the exact library source tarballs that went into
    the Windows exe and the web build, so the libraries can be changed and
    the whole relinked.
$rule
EOF
