#!/usr/bin/env bash
# The solver on every shipped level: one line per level (won or not, the
# winning tick, the seconds it took, and whether dovra-replay confirms the
# replay written), then "solved K of N". Run from the repository root with a
# display (make solve-bench gives one). Usage: bench/solve-levels.sh [BUILD]
# SOLVE_SECONDS sets the budget per level (600 by default); the replays stay
# in BUILD/solve-bench/.
set -u
build=${1:-build}
seconds=${SOLVE_SECONDS:-600}
out="$build/solve-bench"
mkdir -p "$out"
solved=0
total=0
printf '%-16s %-7s %6s %8s  %s\n' level result tick seconds replay
for pack in outer_ring deep_core; do
    for n in 1 2 3 4 5; do
        map="Editor/Levels/${pack}_$n.txt"
        [ -f "$map" ] || continue
        total=$((total + 1))
        replay="$out/${pack}_$n.replay"
        rm -f "$replay"
        line=$("$build/bin/dovra-solve" "$map" --seconds "$seconds" -o "$replay" | grep "^$map: ")
        if [[ $line =~ won\ at\ tick\ ([0-9]+)\ after\ ([0-9.]+)\ s ]]; then
            tick=${BASH_REMATCH[1]}
            took=${BASH_REMATCH[2]}
            if "$build/bin/dovra-replay" "$replay" 2>/dev/null | grep -q ": won at tick $tick\$"; then
                check=confirmed
                solved=$((solved + 1))
            else
                check="NOT CONFIRMED"
            fi
            printf '%-16s %-7s %6s %8s  %s\n' "${pack}_$n" won "$tick" "$took" "$check"
        elif [[ $line =~ no\ win\ found\ in\ ([0-9.]+)\ s ]]; then
            printf '%-16s %-7s %6s %8s  %s\n' "${pack}_$n" "no win" - "${BASH_REMATCH[1]}" "${line#*; }"
        else
            printf '%-16s %-7s %6s %8s  %s\n' "${pack}_$n" error - - "$line"
        fi
    done
done
echo "solved $solved of $total"
