#!/usr/bin/env python3
"""A stranger's pack, met by `dovra-pack install`, in a game folder of its own.

Each archive of tests/data/packs/hostile/ (made by tools/make-hostile-packs.py)
holds one fault; expected.txt gives the exit status and the text its refusal
must hold. Faults it catches: a hostile pack installed, or refused for some
other reason than its own (a check skipped, or done in another order); a
refusal that is not one line, or that does not name the entry at fault; and
any file of the game folder written, left behind or taken away by a refused
pack (the proofs' play included). Then the packs that must install: a good
pack does, and after it a pack under its display name, or the same pack again
without --replace, is refused with the game folder untouched. Last, removing
a pack that is not installed changes nothing, and removing the good one
leaves the game folder as it was before the pack came.

Usage: hostile_packs.py DOVRA_PACK   (needs a display: make test has one)
"""
import os
import shutil
import subprocess
import sys
import tempfile
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from foldertree import tree  # noqa: E402


SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PACKS = os.path.join(SOURCE, "tests/data/packs")
COPIED = {"Resources/LevelPacks", "Editor/Levels"}
failures = []


def game_folder(root):
    """A game folder under `root`: the repository's data linked in, but the
    pack list and the level folders, which an install writes, copied."""
    folder = os.path.join(root, "game")
    os.makedirs(folder)
    os.symlink(os.path.join(SOURCE, "VAZEzadide"), os.path.join(folder, "VAZEzadide"))
    for top in ("Resources", "Editor"):
        os.makedirs(os.path.join(folder, top))
        for name in os.listdir(os.path.join(SOURCE, top)):
            rel = top + "/" + name
            if rel in COPIED:
                shutil.copytree(os.path.join(SOURCE, rel), os.path.join(folder, rel))
            else:
                os.symlink(os.path.join(SOURCE, rel), os.path.join(folder, rel))
    return folder


def install(program, folder, pack, verb="install"):
    run = subprocess.run([program, verb, pack], cwd=folder,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=600)
    return run.returncode, run.stderr.decode("utf-8", "replace")


def refused(program, folder, pack, status, text, what=None):
    """Installs `pack` and holds the refusal to `status` and `text`, and
    the game folder to what it was."""
    what = what or os.path.basename(pack)
    before = tree(folder)
    got, err = install(program, folder, pack)
    lines = err.splitlines()
    if got != status:
        failures.append("%s: exit status %d, not %d (%r)" % (what, got, status, err))
    if len(lines) != 1 or text not in lines[0]:
        failures.append("%s: refusal %r is not one line holding %r" % (what, err, text))
    else:
        print("%s\t%d\t%s" % (what, got, lines[0]))
    after = tree(folder)
    changed = sorted(k for k in before.keys() | after.keys() if before.get(k) != after.get(k))
    if changed:
        failures.append("%s: changed the game folder: %s" % (what, ", ".join(changed[:5])))


def table():
    rows = []
    with open(os.path.join(PACKS, "hostile/expected.txt"), encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, status, text = line.rstrip("\n").split("\t")
                rows.append((name, int(status), text))
    return rows


def main():
    program = os.path.abspath(sys.argv[1])
    rows = table()
    names = {n for n in os.listdir(os.path.join(PACKS, "hostile")) if n.endswith(".dovrapack")}
    if names != {row[0] for row in rows}:
        failures.append("expected.txt and the archives differ: %s" %
                        sorted(names ^ {row[0] for row in rows}))
    with tempfile.TemporaryDirectory(prefix="dovra-hostile-") as root:
        for name, status, text in rows:
            case = os.path.join(root, name)
            os.makedirs(case)
            refused(program, game_folder(case), os.path.join(PACKS, "hostile", name), status,
                    text)

        folder = game_folder(os.path.join(root, "clash"))
        good = os.path.join(PACKS, "good/walkers.dovrapack")
        empty = tree(folder)
        got, err = install(program, folder, good)
        if got != 0 or not os.path.isfile(
                os.path.join(folder, "Resources/LevelPacks/walkers-v1.txt")):
            failures.append("the good pack: exit status %d, %r, not installed" % (got, err))
        refused(program, folder, os.path.join(PACKS, "good/same-name.dovrapack"), 1,
                'name "Walk On" is another installed pack\'s')
        refused(program, folder, good, 1, 'pack "walkers" is installed (--replace replaces it)',
                what="walkers.dovrapack again")
        # Removing a pack that is not there changes nothing; removing the one
        # that is leaves the folder as it was before it came.
        installed = tree(folder)
        got, err = install(program, folder, "strollers", verb="remove")
        if got != 1 or 'no installed pack "strollers"' not in err or tree(folder) != installed:
            failures.append("remove strollers: exit status %d, %r" % (got, err))
        got, err = install(program, folder, "walkers", verb="remove")
        if got != 0 or tree(folder) != empty:
            failures.append("remove walkers: exit status %d, %r, the folder not as before" %
                            (got, err))
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
