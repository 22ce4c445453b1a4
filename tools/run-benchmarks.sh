#!/usr/bin/env bash
# Runs every benchmark binary of a build from the repository root (they load
# the game's resources by relative path). Usage: tools/run-benchmarks.sh BUILD
set -u
build=${1:-build}
status=0
for b in "$build"/bin/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" || status=1
done
exit $status
