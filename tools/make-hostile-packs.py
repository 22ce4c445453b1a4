#!/usr/bin/env python3
"""Writes the hostile pack corpus: one .dovrapack a way a stranger's pack
can be wrong, each beside the refusal dovra-pack must give it, and the good
packs the refusals are told apart from.

  tests/data/packs/hostile/*.dovrapack   one fault each
  tests/data/packs/hostile/expected.txt  FILE<TAB>status<TAB>text the refusal holds
  tests/data/packs/good/*.dovrapack      packs that install (and one that
                                         clashes with the first by name)

Every archive is built from a pack that installs, with one thing changed, so
the refusal can only come from that one thing. The maps and winning replays
come from tests/data/replays/. Where Python's zipfile cannot say it (a name
that is not UTF-8), the bytes are patched by hand.

Usage: tools/make-hostile-packs.py   (from anywhere; writes into the tree)
"""
import os
import stat
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REPLAYS = os.path.join(SOURCE, "tests/data/replays")
OUT = os.path.join(SOURCE, "tests/data/packs")
# Fixed times and attributes, so the script makes the same bytes each run.
STAMP = (2000, 1, 1, 0, 0, 0)


def read(name):
    with open(os.path.join(REPLAYS, name), encoding="utf-8") as f:
        return f.read()


def proof(replay, map_entry, expect=None, keep_input=True):
    """The replay's text naming `map_entry`, its expect line and input
    optionally replaced (a proof that claims what it cannot do)."""
    lines = ["map " + map_entry]
    for line in replay.splitlines():
        verb = line.split(" ", 1)[0]
        if verb == "map" or line.startswith("#"):
            continue
        if verb == "expect":
            line = line if expect is None else "expect " + expect
        elif not keep_input:
            continue
        lines.append(line)
    return "\n".join(lines) + "\n"


WALK_MAP = read("walk.txt")
WALK_PROOF = proof(read("walk.replay"), "maps/walk.txt")


def manifest(pack_id="walkers", name="Walk On", version=1, extra="", form=1):
    return "format %d\nid %s\nname %s\nauthor Dovra tests\nversion %d\n%s" % (
        form, pack_id, name, version, extra)


def good(**changes):
    """The entries of a pack that installs, as (name, data) pairs; keyword
    arguments replace or drop (None) an entry by name."""
    entries = {
        "manifest.txt": manifest(),
        "levels.txt": "maps/walk.txt Walk 1\n",
        "maps/walk.txt": WALK_MAP,
        "proofs/walk.replay": WALK_PROOF,
    }
    for key, value in changes.items():
        name = {"manifest": "manifest.txt", "levels": "levels.txt", "map": "maps/walk.txt",
                "proof": "proofs/walk.replay"}[key]
        if value is None:
            del entries[name]
        else:
            entries[name] = value
    return list(entries.items())


def info(name, mode=stat.S_IFREG | 0o644):
    zi = zipfile.ZipInfo(name, STAMP)
    zi.create_system = 3  # Unix, so the mode bits below are read
    zi.external_attr = mode << 16
    zi.compress_type = zipfile.ZIP_DEFLATED
    return zi


def write_zip(path, entries):
    """entries: (name, data) or (name, data, mode)."""
    with zipfile.ZipFile(path, "w") as z:
        for entry in entries:
            name, data = entry[0], entry[1]
            mode = entry[2] if len(entry) > 2 else stat.S_IFREG | 0o644
            z.writestr(info(name, mode), data)


def patch_name(path, placeholder, name):
    """Replaces an entry's name by bytes zipfile will not write (same length),
    in the local header and the central directory alike."""
    assert len(placeholder) == len(name)
    with open(path, "rb") as f:
        data = f.read()
    assert data.count(placeholder) == 2, "the placeholder must be only the two names"
    with open(path, "wb") as f:
        f.write(data.replace(placeholder, name))


def map_with(line):
    """The walk map with its background line replaced by `line`."""
    return "\n".join(line if l.startswith("BG ") else l for l in WALK_MAP.splitlines()) + "\n"


def many_surfaces(count):
    return WALK_MAP + "".join("SF %d 1000 %d 1000\n" % (i, i + 1) for i in range(count))


def hostile():
    """(file, status, refusal text, entries or raw bytes) for each case."""
    mib = 1 << 20
    filler = [("maps/pad%02d.txt" % i, b"\0" * (mib - 1)) for i in range(17)]
    return [
        ("absolute-path", 1, '"/etc/dovra.txt": absolute path',
         good() + [("/etc/dovra.txt", "x")]),
        ("dot-dot", 1, '"maps/../../evil.txt": holds ".."',
         good() + [("maps/../../evil.txt", "x")]),
        ("symlink", 1, "maps/link.txt: is a link",
         good() + [("maps/link.txt", "/etc/passwd", stat.S_IFLNK | 0o777)]),
        ("char-device", 1, "maps/tty.txt: is a device",
         good() + [("maps/tty.txt", "", stat.S_IFCHR | 0o644)]),
        # libarchive (3.6) reads a zip's FIFO entry as a plain empty file, so
        # it is never opened as a FIFO: it is refused as an entry too many.
        ("fifo", 1, "maps/pipe.txt: not a part of the pack",
         good() + [("maps/pipe.txt", "", stat.S_IFIFO | 0o644)]),
        ("not-utf8-name", 1, '"maps/??.txt": not valid UTF-8',
         good() + [("maps/QQ.txt", "x")]),
        ("control-in-name", 1, '"maps/a?b.txt": holds a control character',
         good() + [("maps/a\x07b.txt", "x")]),
        ("201-entries", 1, "more than 200 entries",
         good() + [("maps/n%03d.txt" % i, "x") for i in range(197)]),
        ("zip-bomb", 1, "maps/bomb.txt: over 1 MiB unpacked",
         good() + [("maps/bomb.txt", b"\0" * (64 * mib))]),
        ("over-16-mib", 1, "over 16 MiB unpacked", good() + filler),
        ("bad-map", 1, "maps/walk.txt: Wrong data at line 1",
         good(map="PLY four hundred\n")),
        ("5001-elements", 1, "maps/walk.txt: more than 5000 elements",
         good(map=many_surfaces(5001))),
        ("picture-stdin", 1,
         'maps/walk.txt: picture "/dev/stdin" is not in Editor/Backgrounds/',
         good(map=map_with("BG /dev/stdin 0 -540 3000 1620 0"))),
        ("picture-up-and-out", 1,
         'maps/walk.txt: picture "Editor/Backgrounds/../../etc/passwd" is not in',
         good(map=map_with("BG Editor/Backgrounds/../../etc/passwd 0 -540 3000 1620 0"))),
        ("picture-missing", 1,
         'maps/walk.txt: picture "Editor/Backgrounds/Dovra/nowhere.png" is not there',
         good(map=map_with("BG Editor/Backgrounds/Dovra/nowhere.png 0 -540 3000 1620 0"))),
        ("proof-expects-loss", 1, "proofs/walk.replay: does not expect a win",
         good(proof=proof(read("walk.replay"), "maps/walk.txt", "lost 68"))),
        ("proof-loses", 1, "proofs/walk.replay: lost at tick 76",
         good(map=read("fall.txt"), proof=proof(read("fall.replay"), "maps/walk.txt", "won 76"))),
        ("proof-stands-still", 1, "proofs/walk.replay: no win after 36000 ticks",
         good(proof=proof(read("walk.replay"), "maps/walk.txt", "won 68", keep_input=False))),
        ("proof-past-tick-limit", 1, "proofs/walk.replay: expects its win after 36000 ticks",
         good(proof=proof(read("walk.replay"), "maps/walk.txt", "won 36000"))),
        ("id-with-blank", 1, "manifest.txt: id: holds other than",
         good(manifest=manifest(pack_id="walk ers"))),
        ("id-with-slash", 1, "manifest.txt: id: holds other than",
         good(manifest=manifest(pack_id="walk/ers"))),
        ("name-with-underscore", 1, 'manifest.txt: name: holds "_"',
         good(manifest=manifest(name="Walk_On"))),
        # A newline ends the name: what follows is a line of its own.
        ("name-with-newline", 1, 'manifest.txt: line 4: unknown key "On"',
         good(manifest=manifest(name="Walk\nOn"))),
        ("name-with-return", 1, "manifest.txt: name: holds a control character",
         good(manifest=manifest(name="Walk\rOn"))),
        ("format-2", 1, "manifest.txt: format 2 is not one this game reads",
         good(manifest=manifest(form=2))),
        # One byte past each length a pack's list allows: a label of 41, a
        # map file name of 65.
        ("label-41-bytes", 1, 'levels.txt: line 1: not "maps/NAME.txt LABEL FLAG"',
         good(levels="maps/walk.txt %s 1\n" % ("L" * 41))),
        ("map-name-65-bytes", 1, 'levels.txt: line 1: not "maps/NAME.txt LABEL FLAG"',
         good(levels="maps/%s.txt Walk 1\n" % ("w" * 61))),
        ("no-manifest", 1, "manifest.txt: missing", good(manifest=None)),
        ("no-proof", 1, 'levels.txt: line 1: no "proofs/walk.replay" in the pack',
         good(proof=None)),
        ("stray-entry", 1, "notes.txt: not a part of the pack",
         good() + [("notes.txt", "hello")]),
        ("not-a-zip", 2, "not a pack:", b"format 1\nid walkers\nthis is no zip\n"),
        ("empty", 2, "not a pack:", b""),
        # A zip's split-archive marker and nothing after it: libarchive fails
        # on it without a message of its own.
        ("marker-only", 2, "not a pack:", b"PK00"),
    ]


def main():
    hostile_dir = os.path.join(OUT, "hostile")
    good_dir = os.path.join(OUT, "good")
    for folder in (hostile_dir, good_dir):
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):
            os.remove(os.path.join(folder, old))
    table = []
    for stem, status, text, contents in hostile():
        path = os.path.join(hostile_dir, stem + ".dovrapack")
        if isinstance(contents, bytes):
            with open(path, "wb") as f:
                f.write(contents)
        else:
            write_zip(path, contents)
        if stem == "not-utf8-name":
            # Bytes 0xff and 0xfe are never part of UTF-8.
            patch_name(path, b"maps/QQ.txt", b"maps/\xff\xfe.txt")
        table.append("%s.dovrapack\t%d\t%s" % (stem, status, text))
    with open(os.path.join(hostile_dir, "expected.txt"), "w", encoding="utf-8") as f:
        f.write("# FILE<TAB>exit status<TAB>text the one line of refusal holds\n")
        f.write("\n".join(table) + "\n")
    write_zip(os.path.join(good_dir, "walkers.dovrapack"), good())
    # Another pack (its own id) under the first one's display name.
    write_zip(os.path.join(good_dir, "same-name.dovrapack"),
              good(manifest=manifest(pack_id="strollers")))


if __name__ == "__main__":
    main()
