#!/usr/bin/env python3
"""Fails on any include that runs against the layers.

The code is layered engine <- elements <- editor <- game: each folder may
include its own headers and those of the folders below it, never one above.
An upward include means the thing it needs lives too high; move it below
both. Tools, tests and benches sit over all and may include anything.

Usage: tools/check-layers.py [ROOT]   (ROOT defaults to this repository)
Prints one line per wrong include, naming the file, its line and the
include, and exits 1 when there is any; 0 otherwise.
"""
import os
import re
import sys

LAYERS = ["engine", "elements", "editor", "game"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')


def wrong_includes(root):
    found = []
    for rank, layer in enumerate(LAYERS):
        folder = os.path.join(root, layer)
        for directory, _, names in sorted(os.walk(folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match or match.group(1) not in LAYERS:
                            continue
                        if LAYERS.index(match.group(1)) > rank:
                            allowed = ", ".join(LAYERS[: rank + 1])
                            found.append(
                                f"{os.path.relpath(path, root)}:{number}: {line.strip()} runs "
                                f"upward ({layer}/ may include {allowed})")
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = wrong_includes(os.path.abspath(root))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) against the layers engine <- elements <- editor <- game")
        return 1
    print("layers: every include runs downward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
