#!/usr/bin/env bash
# `make gallery`: every screen of the game as a player and a level maker see
# it, at 1920x1080 and at 1280x720, into build/gallery/<width>x<height>/, and
# all of them on one sheet, build/gallery/contact-sheet.png.
#
# The real game runs on a virtual display of its own, from a copy of the
# game folder in a temporary directory (the tracked packs and maps are never
# written), and is driven with xdotool as a user would: every click waits
# until the screen shows its effect before the next step.
# Usage: tools/gallery.sh [BUILD_DIR] [OUT_DIR]
set -eu
cd "$(dirname "$0")/.."
root=$PWD
build="${1:-build}"
out="${2:-build/gallery}"
game="$root/$build/bin/dovra"
[ -x "$game" ] || { echo "gallery: $game is not built" >&2; exit 1; }
for tool in Xvfb xdotool import compare montage; do
    command -v "$tool" >/dev/null || { echo "gallery: $tool is needed" >&2; exit 1; }
done
case "$out" in /*) ;; *) out="$root/$out" ;; esac

# A name of 40 characters for every text field, typed with keys that need no
# Shift (xdotool's Shift lasts less than one of the game's ticks).
long_name="the-longest-level-name-we-have-typed.txt"

work=$(mktemp -d /tmp/dovra-gallery-XXXXXX)
xvfb_pid=""
game_pid=""
stop_game() {
    if [ -n "$game_pid" ]; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
        game_pid=""
    fi
}
cleanup() {
    stop_game
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The game folder: a copy, so wins and saves land in the copy. The first
# pack's first level becomes a walk to the gate, so a win there unlocks the
# next level; the fall and walk maps are there to be loaded by name.
folder="$work/game"
mkdir -p "$folder"
cp -r Resources Editor VAZEzadide "$folder/"
rm -f "$folder/Editor/Levels/.recovery.txt"
cp tests/data/replays/walk.txt tests/data/replays/fall.txt docs/maps/showcase.txt \
    "$folder/Editor/Levels/"
cp "$game" "$work/dovra"  # a rebuild during the run changes nothing
game="$work/dovra"
pack="$folder/Resources/LevelPacks/Outer_Ring.txt"
sed -i '1s#^[^ ]*#Editor/Levels/walk.txt#' "$pack"

say() { echo "gallery: $*"; }

# No sound card: a null ALSA device, as tools/headless.sh gives the game.
if ! aplay -l 2>/dev/null | grep -q '^card'; then
    printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\nctl.!default { type hw card 0 }\n' \
        >"$work/asound.conf"
    export ALSA_CONFIG_PATH="$work/asound.conf"
fi

# --- the screen and the game ------------------------------------------------

start_screen() {  # width height
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 1 200); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 1 200); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "gallery: no virtual display" >&2
    exit 1
}

stop_screen() {
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    rm -f "$work/display"
}

# Starts the game and waits until its window has the size asked for and the
# game has said it runs; sets win_x, win_y.
start_game() {  # width height [map]
    (cd "$folder" && exec "$game" ${3:+"$3"}) >"$work/log" 2>&1 &
    game_pid=$!
    local id="" geometry=""
    for _ in $(seq 1 600); do
        id=$(xdotool search --name '^Dovra$' 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null || true)
            eval "$geometry"
            if [ "${WIDTH:-0}" = "$1" ] && [ "${HEIGHT:-0}" = "$2" ] &&
                grep -q '^dovra ' "$work/log"; then
                win_x=$X win_y=$Y win_w=$1 win_h=$2
                wait_past_splash
                return 0
            fi
        fi
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.2
    done
    echo "gallery: the game did not start at ${1}x${2}:" >&2
    cat "$work/log" >&2
    exit 1
}

# The splash stays up while the game loads; the menu comes after it.
wait_past_splash() {
    convert Resources/Images/VAZEzadide-screen.png -resize 480x270! "$work/splash.png"
    local n
    for _ in $(seq 1 300); do
        peek "$work/now.png"
        n=$(differs "$work/splash.png" "$work/now.png")
        [ "${n:-0}" -gt 20000 ] && { sleep 1.5; return 0; }
        sleep 0.3
    done
}

# --- input in the game's logical 1920x1080 space ----------------------------

at() {  # x y -> screen pixels of that logical point
    echo "$((win_x + $1 * win_w / 1920)) $((win_y + $2 * win_h / 1080))"
}

rest_pointer() {  # somewhere no widget reacts to
    xdotool mousemove $(at 1900 1070)
}

grab() {  # file
    import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$1"
}

# A small look at the window, enough to see that something changed.
peek() {  # file
    import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage -resize 480x270! "$1"
}

# How many pixels differ between two grabs.
differs() {
    compare -metric AE -fuzz 6% "$1" "$2" null: 2>&1 | sed 's/[^0-9.e+].*//' | cut -d. -f1
}

# Runs an action, then waits until the window looks different from before
# it. A busy machine can leave the game many seconds behind its input, and
# it draws only once it has caught up with every event, so the first frame
# that differs already shows the action; a little more lets fades settle.
act() {  # command...
    first_change "$@"
    settle
}

# Runs an action and returns at the first look that differs from before it.
first_change() {  # command...
    peek "$work/before.png"
    "$@"
    local n
    for _ in $(seq 1 200); do
        sleep 0.3
        peek "$work/after.png"
        n=$(differs "$work/before.png" "$work/after.png")
        [ "${n:-0}" -gt 40 ] && return 0
    done
    echo "gallery: nothing changed after: $*" >&2
    exit 1
}

# Until two looks half a second apart nearly agree (a moving level never
# quite does: a few tries at most), so a lagging game has shown everything.
settle() {
    local n
    peek "$work/after.png"
    for _ in $(seq 1 6); do
        sleep 0.5
        peek "$work/settled.png"
        n=$(differs "$work/after.png" "$work/settled.png")
        mv "$work/settled.png" "$work/after.png"
        [ "${n:-0}" -lt 40 ] && return 0
    done
    return 0
}

# A click whose look is too small to wait for (a field taking the focus):
# the game reads input in order, so the next step's wait covers it.
press() {  # x y
    xdotool mousemove $(at "$1" "$2")
    sleep 0.4
    xdotool click 1
    sleep 0.4
}

# A click at a logical point: the pointer goes there first and rests until
# the hover look has settled, so only the press itself is waited for.
click() {  # x y
    xdotool mousemove $(at "$1" "$2")
    sleep 0.6
    act xdotool click 1
}

# One key a press, each given time to be read: the game takes at most one
# typed character a tick.
type_text() {  # text
    local i c
    for ((i = 0; i < ${#1}; i++)); do
        c=${1:i:1}
        case "$c" in
        .) xdotool key period ;;
        -) xdotool key minus ;;
        *) xdotool key "$c" ;;
        esac
        sleep 0.12
    done
    sleep 0.4
}

hold_key() {  # key seconds
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

shot() {  # name
    rest_pointer
    sleep 0.4
    grab "$dir/$1.png"
    say "$(basename "$dir")/$1"
}

# --- the tours --------------------------------------------------------------

menus_and_play() {
    shot 01-menu
    click 672 760
    shot 02-tutorial-1
    for page in 2 3 4 5; do
        click 1700 115
        shot "0$((page + 1))-tutorial-$page"
    done
    click 40 40
    click 672 500
    shot 07-browser
    press 1002 675
    type_text "$long_name"
    settle
    shot 08-browser-typing-long-name
    click 1002 675
    shot 09-browser-long-name

    # The first level walks into the gate: a win that opens the next level.
    click 480 500
    hold_key d 3
    settle
    shot 10-win-next-level-unlocked
    click 960 690
    click 672 500
    # The second level: its story card closed as a player would, then a
    # few steps, well short of the pit a longer walk falls into.
    click 480 600
    click 960 740
    hold_key d 0.8
    settle
    shot 11-level-in-play
    act xdotool key Escape

    # Maps played by their names: a win that unlocks nothing, and a fall.
    click 672 500
    load_by_name walk.txt
    hold_key d 3
    settle
    shot 12-win-map-by-name
    click 960 690
    click 672 500
    load_by_name fall.txt
    hold_key d 3
    settle
    shot 13-lose
    click 960 690
}

load_by_name() {  # name, typed into the browser's field and loaded
    press 1002 675
    xdotool key Delete  # Delete empties a focused field
    sleep 0.3
    type_text "$1"
    click 1002 675
    click 1152 825
}

editor() {
    click 672 630
    shot 20-editor-import-export
    press 1585 315
    xdotool key Delete
    type_text showcase.txt
    click 1720 425
    shot 21-editor-showcase-loaded
    # Row 0: Player, Gate, Enemies, Levers, Dialogs, NPCs.
    local c names=(player gate enemies levers dialogs npcs)
    for c in 0 1 2 3 4 5; do
        click $((66 + c * 1454 / 6 + 1454 / 12)) 36
        select_first
        shot "2$((c + 2))-editor-${names[c]}"
    done
    # Row 1: Backgrounds, Surfaces, Boxes, Circles, Lights.
    click 36 40  # the row's last tab, Backgrounds, comes with it
    names=(backgrounds surfaces boxes circles lights)
    for c in 0 1 2 3 4; do
        [ $c = 0 ] || click $((66 + c * 2908 / 10 + 1454 / 10)) 36
        select_first
        shot "$((28 + c))-editor-${names[c]}"
    done
    click 1820 35
    press 1585 315
    xdotool key Delete
    type_text "$long_name"
    settle
    shot 33-import-export-typing-load-name
    press 1585 715
    type_text "$long_name"
    settle
    shot 34-import-export-typing-save-name
    click 1770 715
    shot 35-import-export-long-names
    # The run as it starts, its first card open: the showcase's camera sees
    # the player at once, and a busy machine lets it end the run before the
    # screen would settle.
    xdotool mousemove $(at 1620 35)
    sleep 0.6
    first_change xdotool click 1
    shot 36-editor-test-run
    click 1620 35
}

# C centres the view on the page's selected element (the first of a list
# after a load; the player and the gate have only one).
select_first() {
    xdotool mousemove $(at 1400 1050)  # C works with the pointer over the level
    sleep 0.4
    xdotool key c
    sleep 1.5
}

for size in ${GALLERY_SIZES:-1920x1080 1280x720}; do
    w=${size%x*} h=${size#*x}
    dir="$out/$size"
    rm -rf "$dir"
    mkdir -p "$dir"
    start_screen "$w" "$((h + 65))"
    start_game "$w" "$h"
    menus_and_play
    editor
    stop_game
    stop_screen
done

# Both sizes on one sheet, small tiles named by their file.
montage -label '%t' -pointsize 11 -tile 8x -geometry 240x135+4+4 -background '#1b1f24' \
    -fill '#dfe6ee' "$out"/1920x1080/*.png "$out"/1280x720/*.png "$out/contact-sheet.png"
say "$out/contact-sheet.png"
