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

# Walls of stacked blocks are one box each in the levels: Box2D lets the
# player's box catch on the seam between two stacked boxes and hang there.
# Each wall's picture is its blocks' pictures stacked, top first, so the wall
# looks as the stack did. A name says its parts: "a-b" is a over b, "a-x3"
# three of a.
stacks="block2-block1-block2 block2-block1 level1block-x3 level1block-x4 level1block-x5 level1block2-level1block1 level2block-x3 level2block-x4 level2block-x5 level2block-x6 level2block2-level2block1 level4block-x3 level4block-x7 level4block2-level4block1 level5block-x3 level5block-x4 level5block-x7 level5block2-x2"
mkdir -p Editor/Boxes/Dovra/stacks
for name in $stacks; do
    parts=()
    case "$name" in
        *-x[0-9]) for _ in $(seq "${name##*-x}"); do parts+=("Editor/Boxes/Dovra/${name%-x*}.png"); done ;;
        *) for part in ${name//-/ }; do parts+=("Editor/Boxes/Dovra/$part.png"); done ;;
    esac
    convert "${parts[@]}" -append -strip -define png:exclude-chunks=date,time \
        "PNG32:Editor/Boxes/Dovra/stacks/$name.png"
done

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
