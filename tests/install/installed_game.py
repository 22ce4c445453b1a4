#!/usr/bin/env python3
"""The installed game, end to end: the package's files installed into a
temporary root, a temporary HOME, and the installed dovra-replay playing a
shipped level from an empty working folder, as a player who has just
installed the game would start it.

Faults it catches: the installed programs not finding their data, or
reading and writing the files named on their command line anywhere but where
they were named; the
player's folder not prepared, or prepared with copies where links belong
(or links where the game writes); anything written outside HOME, into the
installed files or into the working folder; an upgrade losing a level the
player had unlocked, not bringing the new pack, or replacing a saved map.

Usage: installed_game.py BUILD_FOLDER   (needs a display: make test has one)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from foldertree import tree  # noqa: E402


SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
REPLAY = os.path.join(SOURCE, "tests/data/levels/outer_ring_1.replay")
FONT = "/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def install(build, root):
    env = dict(os.environ, DESTDIR=root)
    subprocess.run(["cmake", "--install", build, "--prefix", "/usr"], env=env, check=True,
                   stdout=subprocess.DEVNULL)




# System calls that change the file system, and the argument that names the
# path (after an optional directory descriptor).
WRITING = re.compile(
    r'^(\d+) +(open|openat|creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|rmdir|'
    r'symlink|symlinkat|link|linkat|chmod|fchmodat|chown|lchown|fchownat|truncate|mknod|'
    r'mknodat|utimensat|chdir)\((.*)\) += (-?\d+)')
ARG = re.compile(r'(AT_FDCWD|\d+<[^>]*>|"(?:[^"\\]|\\.)*")')


def written_paths(trace, start):
    """The paths the traced process changed, resolved against its working
    folder as it changed (chdir) and through links (to catch a write that
    goes through the player's folder into the installed data)."""
    cwd, paths = start, []
    with open(trace) as f:
        for line in f:
            m = WRITING.match(line)
            if not m or int(m.group(4)) < 0:
                continue
            call, args = m.group(2), ARG.findall(m.group(3))
            if call in ("open", "openat"):
                flags = m.group(3)
                if not re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC", flags):
                    continue
            base, named = cwd, []
            for a in args:
                if a.startswith('"'):
                    named.append(os.path.join(base, bytes(a[1:-1], "utf-8").decode(
                        "unicode_escape")))
                    base = cwd
                elif a != "AT_FDCWD":
                    base = a[a.index("<") + 1:-1]
                else:
                    base = cwd
            if call == "symlink" or call == "symlinkat":
                named = named[1:]  # the first is the link's target, not a path made
            if call == "chdir":
                cwd = os.path.realpath(named[0])
                continue
            for p in named:
                # Opening a link writes its target; every other call acts on
                # the name itself, in its folder.
                if call in ("open", "openat", "creat", "truncate"):
                    paths.append(os.path.realpath(p))
                else:
                    paths.append(os.path.join(os.path.realpath(os.path.dirname(p)),
                                              os.path.basename(p)))
    return paths


def player(home):
    # A desktop session gives every program a runtime folder and the shader
    # cache follows the passwd entry's home, which for a player is HOME: the
    # test points both into its HOME, so the sound and GL libraries' own
    # files stay there too.
    return dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, "data"),
                XDG_CACHE_HOME=os.path.join(home, ".cache"),
                XDG_RUNTIME_DIR=os.path.join(home, "run"))


def options(root, home, work):
    """--help and --version answer on standard output, a wrong option gets
    the usage on standard error and status 2, and none of them prepares the
    player's folder."""
    for program in ("dovra", "dovra-map", "dovra-replay", "dovra-solve"):
        path = os.path.join(root, "usr/games", program)
        for option, status, out, err in (
                ("--help", 0, "Usage: " + program + " ", ""),
                ("--version", 0, program + " (Dovra) ", ""),
                ("--no-such-option", 2, "", "Usage: " + program + " ")):
            run = subprocess.run([path, option], cwd=work, env=player(home), text=True,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
            check(run.returncode == status and run.stdout.startswith(out) and
                  (run.stdout == "") == (out == "") and err in run.stderr,
                  "%s %s: status %d\n%s%s" % (program, option, run.returncode, run.stdout,
                                                run.stderr))
    check(not os.path.exists(os.path.join(home, "data")), "an option prepared the player's folder")


def play(root, home, work, traced):
    env = player(home)
    # The replay is named relative to the folder the player started in, which
    # is not the folder the game then plays from.
    replay = os.path.join(os.path.dirname(work), "replays", os.path.basename(REPLAY))
    if not os.path.exists(replay):
        os.makedirs(os.path.dirname(replay))
        shutil.copy(REPLAY, replay)
    command = [os.path.join(root, "usr/games/dovra-replay"), os.path.relpath(replay, work)]
    trace = os.path.join(os.path.dirname(work), "trace.txt")
    if traced:
        command = ["strace", "-f", "-qq", "-y", "-o", trace, "-e",
                   "trace=%file"] + command
        # LeakSanitizer cannot run under ptrace; the sanitizer build checks
        # leaks in every other test.
        env["ASAN_OPTIONS"] = (env.get("ASAN_OPTIONS", "") + ":detect_leaks=0").lstrip(":")
    run = subprocess.run(command, cwd=work, env=env, stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True, timeout=300)
    check(run.returncode == 0 and replay + ": won at tick 922" in run.stdout,
          "the installed dovra-replay did not win the level:\n" + run.stdout[-2000:])
    return written_paths(trace, work) if traced else []


def pack_type(root, temp):
    """A .dovrapack, a zip inside, is taken by the desktop for a level pack by
    its name, and the installed desktop entry offers the game for that type."""
    share = os.path.join(temp, "share")
    shutil.copytree(os.path.join(root, "usr/share/mime"), os.path.join(share, "mime"))
    shutil.copy("/usr/share/mime/packages/freedesktop.org.xml",
                os.path.join(share, "mime/packages"))
    subprocess.run(["update-mime-database", os.path.join(share, "mime")], check=True)
    pack = os.path.join(temp, "Outer Ring.dovrapack")
    with open(pack, "wb") as f:
        f.write(b"PK\x03\x04" + bytes(26))
    env = dict(os.environ, XDG_DATA_DIRS=share, XDG_DATA_HOME=os.path.join(temp, "none"))
    seen = subprocess.run(["gio", "info", "-a", "standard::content-type", pack], env=env,
                          stdout=subprocess.PIPE, text=True).stdout
    kind = seen.split("standard::content-type:")[-1].strip()
    with open(os.path.join(root, "usr/share/applications/dovra.desktop")) as f:
        entry = f.read()
    check(kind == "application/x-dovra-pack" and "\nMimeType=" + kind + ";" in entry,
          "a .dovrapack is %r, and the desktop entry does not offer the game for it" % kind)


# A floor, and the gate a few steps to the player's right: the search wins it
# in a moment.
WALK_MAP = """PLY 300 840
CAM 0 -540 1920 1620
FE 2000
G 700 825
SF 0 1000 1920 1000
SF 0 -540 0 1000
SF 1920 -540 1920 1000
"""


def solve(root, home, work):
    """The installed dovra-solve, started outside any game folder, reads the
    map where it was named and writes its replay in the folder it was started
    in, and the installed dovra-replay wins with that replay on the same tick."""
    maps = os.path.join(os.path.dirname(work), "maps")
    os.makedirs(maps)
    with open(os.path.join(maps, "walk.txt"), "w") as f:
        f.write(WALK_MAP)
    run = subprocess.run([os.path.join(root, "usr/games/dovra-solve"), "--ticks", "20000",
                          "--workers", "1", "../maps/walk.txt"], cwd=work, env=player(home),
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=300)
    won = re.search(re.escape(os.path.join(maps, "walk.txt")) + r": won at tick (\d+)", run.stdout)
    replay = os.path.join(work, "walk.replay")
    if not check(run.returncode == 0 and won and os.listdir(work) == ["walk.replay"],
                 "the installed dovra-solve did not write its win where it started:\n" +
                 run.stdout[-2000:]):
        return
    again = subprocess.run([os.path.join(root, "usr/games/dovra-replay"), "walk.replay"], cwd=work,
                           env=player(home), stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           text=True, timeout=300)
    check(again.returncode == 0 and replay + ": won at tick " + won.group(1) in again.stdout,
          "the installed dovra-replay did not win with dovra-solve's replay:\n" + again.stdout)
    os.remove(replay)


def main():
    build = os.path.abspath(sys.argv[1])
    temp = tempfile.mkdtemp(prefix="dovra-installed-")
    root, home, work = (os.path.join(temp, n) for n in ("root", "home", "work"))
    os.makedirs(os.path.join(home, "run"), mode=0o700)
    os.makedirs(work)
    try:
        install(build, root)
        # The font the package depends on, as its own package would put it.
        os.makedirs(os.path.join(root, "usr/share/fonts/truetype/clear-sans"))
        os.symlink(FONT, root + FONT)
        data = os.path.join(root, "usr/share/games/dovra")
        folder = os.path.join(home, "data/dovra")
        installed = tree(root)

        options(root, home, work)
        # First start: the folder is prepared, and nothing is written but it.
        written = play(root, home, work, traced=True)
        allowed = os.path.realpath(home) + "/"
        outside = sorted({p for p in written
                          if not p.startswith(allowed) and
                          not (p.startswith("/dev/") and not p.startswith("/dev/shm"))})
        check(not outside, "written outside HOME: " + ", ".join(outside))
        check(any(p.startswith(os.path.realpath(folder)) for p in written),
              "the trace shows no write into the player's folder: the check is blind")
        check(tree(root) == installed, "the installed files changed")
        check(os.listdir(work) == [], "the working folder got files: %s" % os.listdir(work))
        for part in ("VAZEzadide", "Resources/Images", "Resources/Sounds", "Editor/Boxes"):
            check(os.readlink(os.path.join(folder, part)) == os.path.join(data, part),
                  part + " is not a link to the installed data")
        for part in ("Resources/LevelPacks", "Editor/Levels"):
            path = os.path.join(folder, part)
            check(os.path.isdir(path) and not os.path.islink(path), part + " is not a folder")
        for name in ("Resources/LevelPacks/Outer_Ring.txt", "Editor/Levels/outer_ring_1.txt"):
            path = os.path.join(folder, name)
            check(not os.path.islink(path) and tree(folder).get(name) == installed.get(
                "usr/share/games/dovra/" + name), name + " is not a copy of the installed file")

        solve(root, home, work)
        pack_type(root, temp)

        # The player wins level 1 and saves a map; then a newer package is
        # installed over the old one, with level 2 renamed in its pack.
        pack = os.path.join(folder, "Resources/LevelPacks/Outer_Ring.txt")
        with open(pack) as f:
            text = f.read()
        won = text.replace("outer_ring_2.txt Lever 0", "outer_ring_2.txt Lever 1")
        check(won != text, "the shipped Outer Ring pack has no locked level 2 to unlock")
        with open(pack, "w") as f:
            f.write(won)
        mine = os.path.join(folder, "Editor/Levels/mine.txt")
        with open(mine, "w") as f:
            f.write("PLY 100 100\n")
        install(build, root)
        newer = os.path.join(data, "Resources/LevelPacks/Outer_Ring.txt")
        with open(newer) as f:
            shipped = f.read()
        with open(newer, "w") as f:
            f.write(shipped.replace("outer_ring_2.txt Lever 0", "outer_ring_2.txt Lever_II 0"))
        installed = tree(root)
        prepared = tree(folder)

        # The second start finds the folder prepared: it brings the new pack
        # and changes nothing else.
        play(root, home, work, traced=False)
        with open(pack) as f:
            upgraded = f.read()
        check("outer_ring_2.txt Lever_II 1" in upgraded,
              "after the upgrade level 2 is not the new pack's, unlocked:\n" + upgraded)
        after = tree(folder)
        changed = sorted(k for k in set(prepared) | set(after) if prepared.get(k) != after.get(k))
        check(changed == [".installed-copies", "Resources/LevelPacks/Outer_Ring.txt"],
              "the second start changed more than the upgraded pack: %s" % changed)
        check(open(mine).read() == "PLY 100 100\n",
              "the player's saved map did not survive the upgrade")
        check(tree(root) == installed, "the installed files changed on the upgrade")
    finally:
        shutil.rmtree(temp, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    print("installed game: %s" % ("failed" if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
