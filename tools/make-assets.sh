#!/usr/bin/env bash
# Regenerates every asset the game loads (`make assets`): builds the
# generator (tools/assetgen), runs it from the repository root on a virtual
# display, and copies the Clear Sans font with its licence. The output is
# committed, so building and running the game never needs this.
# Usage: tools/make-assets.sh [family...]   (characters props ui tutorial tiles sounds icon)
set -eu
cd "$(dirname "$0")/.."
build="${BUILD:-build}"
command -v oggenc >/dev/null || { echo "oggenc (vorbis-tools) is needed" >&2; exit 1; }
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target assetgen -j"${JOBS:-2}"
tools/headless.sh "$build/bin/assetgen" "$@"

# The font: Clear Sans Regular from Debian's fonts-clear-sans (Apache 2.0).
font=/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf
mkdir -p Resources/Fonts
cp "$font" Resources/Fonts/NK-ClearSans.ttf
{
    echo "Resources/Fonts/NK-ClearSans.ttf is Clear Sans Regular (ClearSans-Regular.ttf),"
    echo "Copyright 2013 Intel, from Debian's fonts-clear-sans package,"
    echo "licensed under the Apache License, Version 2.0, whose text follows."
    echo "Debian copyright file:"
    echo
    cat /usr/share/doc/fonts-clear-sans/copyright
    echo
    echo "------------------------------------------------------------------------"
    echo
    cat /usr/share/common-licenses/Apache-2.0
} > Resources/Fonts/NK-ClearSans-LICENSE.txt
echo "assets: done"
