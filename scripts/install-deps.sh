#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run the show,
# asking apt-get only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-sge-dev
  libmpg123-dev libkissfft-dev
  libtomlplusplus-dev             # a party's settings file
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libmp3lame-dev fonts-dejavu-core libpng-dev libx11-dev
  xvfb openbox xdotool            # the real-window tests
  dpkg-dev file lintian           # the Debian package and its checks
  valgrind
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
