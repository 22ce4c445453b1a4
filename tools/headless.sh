#!/usr/bin/env bash
# Runs a command with an X display and a sound device, bringing up a virtual
# screen (Xvfb) and a null sound device only when the machine has none, and
# tearing both down afterwards. Usage: tools/headless.sh [--say] command...
set -u
say=0
if [ "${1:-}" = "--say" ]; then say=1; shift; fi

cleanup() {
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ -n "${alsa_dir:-}" ] && rm -rf "$alsa_dir"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    # Xvfb chooses a free display number itself and writes it to a file once it
    # listens, so two runs started side by side never share or steal a screen.
    xvfb_dir=$(mktemp -d)
    exec 3>"$xvfb_dir/number"
    # -noreset: the server would otherwise reset each time its last client
    # leaves (our xdpyinfo probe, say), refusing connections while it does.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    number=""
    for _ in $(seq 1 200); do
        number=$(head -n1 "$xvfb_dir/number" 2>/dev/null)
        [ -n "$number" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -rf "$xvfb_dir"
    ready=0
    if [ -n "$number" ]; then
        export DISPLAY=":$number"
        # Only a client that connects proves the server is ready for the game.
        for _ in $(seq 1 200); do
            xdpyinfo >/dev/null 2>&1 && { ready=1; break; }
            sleep 0.05
        done
    fi
    [ $ready = 1 ] || { echo "Could not start a virtual display (Xvfb)." >&2; exit 1; }
    [ $say = 1 ] && echo "No display found: running on a virtual display (Xvfb $DISPLAY)."
fi

# No sound card: Allegro's audio would fail to install and the game would stop,
# so give it a null device. OpenAL's own null output keeps real time; through
# ALSA's null PCM, which never blocks, OpenAL's mixer would spin on a whole
# core. ALSA gets a null default device as well, for a build of Allegro that
# plays through ALSA directly.
if ! aplay -l 2>/dev/null | grep -q '^card'; then
    export ALSOFT_DRIVERS=null
    alsa_dir=$(mktemp -d)
    printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\nctl.!default { type hw card 0 }\n' \
        > "$alsa_dir/asound.conf"
    export ALSA_CONFIG_PATH="$alsa_dir/asound.conf"
    [ $say = 1 ] && echo "No sound device found: using a null sound device."
fi

"$@"
exit $?
