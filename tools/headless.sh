#!/usr/bin/env bash
# Runs a command with an X display and a sound device, bringing up a virtual
# screen (Xvfb) and a null ALSA device only when the machine has none, and
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
    for n in $(seq 99 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
        if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
        kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
    done
    [ -n "${xvfb_pid:-}" ] || { echo "Could not start a virtual display (Xvfb)." >&2; exit 1; }
    [ $say = 1 ] && echo "No display found: running on a virtual display (Xvfb $DISPLAY)."
fi

# No sound card: Allegro's audio would fail to install and the game would stop,
# so give ALSA a null default device.
if ! aplay -l 2>/dev/null | grep -q '^card'; then
    alsa_dir=$(mktemp -d)
    printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\nctl.!default { type hw card 0 }\n' \
        > "$alsa_dir/asound.conf"
    export ALSA_CONFIG_PATH="$alsa_dir/asound.conf"
    [ $say = 1 ] && echo "No sound device found: using a null sound device."
fi

"$@"
exit $?
