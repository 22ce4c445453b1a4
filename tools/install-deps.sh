#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, only
# those that are missing, so a repeated run costs one dpkg query.
set -eu
packages="cmake make g++ pkg-config ccache
liballegro5-dev liballegro-acodec5-dev liballegro-audio5-dev liballegro-dialog5-dev
liballegro-image5-dev liballegro-ttf5-dev liballegro-video5-dev libbox2d-dev libx11-dev
libarchive-dev
libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick alsa-utils
fonts-clear-sans sox vorbis-tools strace python3 shared-mime-info libglib2.0-bin"
# The fuzzer needs clang and its libFuzzer runtime; only `make fuzz` asks for them.
[ "${1:-}" = "fuzz" ] && packages="$packages clang libclang-rt-14-dev"
# The package's checkers; only `make package` asks for them.
[ "${1:-}" = "package" ] && packages="$packages lintian desktop-file-utils appstream"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
