#!/usr/bin/env python3
"""Mutation testing of our own: how many small planted faults do the tests catch?

Plants one classic fault at a time at a seeded random line of the game's code,
rebuilds only what that file reaches, runs every test of `make test` whose
programs it reaches (a test's own binary and the programs it names as
REQUIRED_FILES) and records whether a test failed. A mutant that does not
compile, or whose object file comes out byte-identical to the unmutated one
(it cannot change behaviour), is dropped and another line is drawn.

Settings (environment): MUTANTS (how many to count, 60), MUTANTS_SEED (a new
random seed each run unless given; the seed used is printed first and last,
so any run can be repeated),
MUTANTS_DIRS ("engine elements editor game"), MUTANTS_BUILD (build-mutants),
MUTANTS_TIMEOUT (seconds a test may take beyond five times its unmutated
time, 30), MUTANTS_JOBS (tests run side by side,
2), MUTANTS_MINUTES (stop drawing new mutants after this long; 0: no limit),
MUTANTS_LOG (the report file, in the build folder). Run from the repository
root, on a display (tools/headless.sh).

A few mutants change the object code but provably not what the game does
(a boundary where both branches compute the same window, say). Each is
listed with its proof in tools/mutants-equivalent.txt and dropped when
drawn, as one with unchanged object code is.

The source file is always put back: on success, on a failure, on Ctrl+C; a
copy of the original waits in the build folder until then, and a run killed
outright restores it first thing on the next start.
"""

import hashlib
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import time

from mutants_sites import draw_order, mask, mutable_lines, mutations

ROOT = os.getcwd()
BUILD = os.path.abspath(os.environ.get("MUTANTS_BUILD", "build-mutants"))
COUNT = int(os.environ.get("MUTANTS", "60"))
# A fixed seed would draw the same lines on every run, and tests written
# against those lines would score well there and nowhere else: each run
# draws its own unless asked to repeat one.
SEED = (int(os.environ["MUTANTS_SEED"]) if os.environ.get("MUTANTS_SEED")
        else random.SystemRandom().randrange(1, 1000000))
DIRS = os.environ.get("MUTANTS_DIRS", "engine elements editor game").split()
SLACK = float(os.environ.get("MUTANTS_TIMEOUT", "30"))
JOBS = int(os.environ.get("MUTANTS_JOBS", "2"))
MINUTES = float(os.environ.get("MUTANTS_MINUTES", "0"))
LOG = os.environ.get("MUTANTS_LOG", os.path.join(BUILD, "mutants-%d.log" % SEED))
PENDING = os.path.join(BUILD, "mutant-pending.json")


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted()


# ---------------------------------------------------------------- build and tests

def run(cmd, timeout=None, quiet=True, **kw):
    return subprocess.run(cmd, stdout=subprocess.DEVNULL if quiet else None,
                          stderr=subprocess.DEVNULL if quiet else None, timeout=timeout, **kw)


def configure():
    os.makedirs(BUILD, exist_ok=True)
    # No debug information: the objects are then a fair test of "the code is
    # the same", and compile and link faster.
    run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
         "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"], check=True)


def ctest_json():
    out = subprocess.run(["ctest", "--test-dir", BUILD, "--show-only=json-v1"],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)["tests"]


def test_list():
    """Every test `make test` runs, with the programs of this build it runs:
    its own binary, and the ones it names as files it needs (an end-to-end
    test starts the game; a script starts dovra-pack)."""
    tests = []
    for t in ctest_json():
        cwd = ROOT
        programs = []
        if os.path.abspath(t["command"][0]).startswith(BUILD + os.sep):
            programs.append(os.path.abspath(t["command"][0]))
        for p in t.get("properties", []):
            if p["name"] == "WORKING_DIRECTORY":
                cwd = p["value"]
            if p["name"] == "REQUIRED_FILES":
                programs += [os.path.abspath(f) for f in p["value"]
                             if os.path.abspath(f).startswith(BUILD + os.sep)]
        locks = set()
        for p in t.get("properties", []):
            if p["name"] == "RESOURCE_LOCK":
                locks.update(p["value"])
        tests.append({"name": t["name"], "command": t["command"], "cwd": cwd,
                      "programs": sorted(set(programs)), "locks": locks})
    return tests


def build(targets):
    r = subprocess.run(["ninja", "-C", BUILD, "-j2"] + targets, capture_output=True, text=True)
    return r.returncode == 0, r.stdout + r.stderr


def link_inputs(target, seen=None):
    """Every object file a binary or library is made from, through its libraries."""
    seen = set() if seen is None else seen
    out = subprocess.run(["ninja", "-C", BUILD, "-t", "query", target],
                         capture_output=True, text=True).stdout
    found = set()
    for raw in out.split("\n")[2:]:
        if raw.strip() == "outputs:" or raw.startswith("  outputs"):
            break
        item = raw.strip().lstrip("|").strip()
        if item.endswith(".o"):
            found.add(os.path.join(BUILD, item))
        elif item.endswith(".a") and not item.startswith("/") and item not in seen:
            seen.add(item)
            found |= link_inputs(item, seen)
    return found


def objects():
    found = {}
    for base, _, files in os.walk(BUILD):
        for name in files:
            if name.endswith(".o"):
                path = os.path.join(base, name)
                found[path] = os.stat(path).st_mtime_ns
    return found


def stamp(path):
    return os.stat(path).st_mtime_ns if os.path.exists(path) else 0


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha1(f.read()).hexdigest()


def start_test(test):
    cmd = list(test["command"])
    if os.path.basename(cmd[0]).startswith("test_"):
        cmd.append("--gtest_fail_fast")
    return subprocess.Popen(cmd, cwd=test["cwd"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)


def stop(proc):
    if proc.poll() is None:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


def run_tests(tests, timeouts, jobs):
    """The first test that fails or runs out of time, or None when all pass.
    Runs `jobs` binaries side by side and stops the rest at the first failure."""
    waiting = list(tests)
    running = []
    try:
        while waiting or running:
            # Tests that share a lock (ctest's RESOURCE_LOCK: one game
            # folder) never run side by side, as under `make test`.
            held = set().union(*(t["locks"] for t, _, _ in running))
            for t in list(waiting):
                if len(running) >= jobs:
                    break
                if t["locks"] & held:
                    continue
                waiting.remove(t)
                held |= t["locks"]
                running.append((t, start_test(t), time.time()))
            time.sleep(0.05)
            for entry in list(running):
                t, proc, began = entry
                code = proc.poll()
                if code is None and time.time() - began > timeouts[t["name"]]:
                    stop(proc)
                    return t["name"] + " (timed out)"
                if code is None:
                    continue
                running.remove(entry)
                if code != 0:
                    return t["name"]
        return None
    finally:
        for _, proc, _ in running:
            stop(proc)


# ---------------------------------------------------------------- the source file

def known_equivalent():
    """(file, line, mutated line) -> why, from tools/mutants-equivalent.txt:
    four tab-separated fields a line, the lines as written, stripped."""
    found = {}
    path = os.path.join(ROOT, "tools", "mutants-equivalent.txt")
    with open(path, encoding="utf-8") as f:
        for row in f:
            if not row.strip() or row.startswith("#"):
                continue
            where, before, after, why = row.rstrip("\n").split("\t")
            found[(where, before.strip(), after.strip())] = why
    return found


def restore_pending():
    if not os.path.exists(PENDING):
        return
    with open(PENDING) as f:
        pending = json.load(f)
    with open(pending["path"], "w", encoding="utf-8") as f:
        f.write(pending["text"])
    os.remove(PENDING)
    print("put back %s from an interrupted run" % pending["path"])


def plant(path, original, mutated):
    # A signal between the two writes would leave a mutant without its note.
    signal.pthread_sigmask(signal.SIG_BLOCK, [signal.SIGINT, signal.SIGTERM, signal.SIGHUP])
    try:
        write_pending(path, original, mutated)
    finally:
        signal.pthread_sigmask(signal.SIG_UNBLOCK, [signal.SIGINT, signal.SIGTERM, signal.SIGHUP])


def write_pending(path, original, mutated):
    with open(PENDING, "w") as f:
        json.dump({"path": os.path.abspath(path), "text": original}, f)
    with open(path, "w", encoding="utf-8") as f:
        f.write(mutated)


def put_back(path, original):
    signal.pthread_sigmask(signal.SIG_BLOCK, [signal.SIGINT, signal.SIGTERM, signal.SIGHUP])
    try:
        write_back(path, original)
    finally:
        signal.pthread_sigmask(signal.SIG_UNBLOCK, [signal.SIGINT, signal.SIGTERM, signal.SIGHUP])


def write_back(path, original):
    with open(path, "w", encoding="utf-8") as f:
        f.write(original)
    if os.path.exists(PENDING):
        os.remove(PENDING)


# ---------------------------------------------------------------- main

def main():
    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, on_signal)
    # Before the long build and the baseline: a run stopped early can still
    # be repeated.
    print("mutants: seed %d (MUTANTS_SEED=%d draws the same lines again)" % (SEED, SEED),
          flush=True)
    os.makedirs(BUILD, exist_ok=True)
    restore_pending()
    started = time.time()
    configure()
    if any("command" not in t for t in ctest_json()):
        # ctest knows a test's command only once its binary exists.
        ok, out = build([])
        if not ok:
            sys.exit("mutants: the unmutated tree does not build\n" + out[-3000:])
    tests = test_list()
    targets = sorted({os.path.relpath(b, BUILD) for t in tests for b in t["programs"]})
    ok, out = build(targets)
    if not ok:
        sys.exit("mutants: the unmutated tree does not build\n" + out[-3000:])
    baseline = {}
    for t in tests:
        t0 = time.time()
        if run_tests([t], {t["name"]: 1800}, 1):
            # Once more, its output kept: a test that passes now fails at
            # random, a defect of its own to report with what it said.
            again = subprocess.run(t["command"], cwd=t["cwd"], stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, text=True, errors="replace")
            sys.exit("mutants: %s fails before any mutation%s\n%s" % (
                t["name"], "" if again.returncode else " (and passes when run again)",
                again.stdout[-4000:]))
        baseline[t["name"]] = time.time() - t0
    # Slowest first: with two side by side, the quick ones fill in around it.
    tests.sort(key=lambda t: -baseline[t["name"]])
    timeouts = {name: 5 * took + SLACK for name, took in baseline.items()}
    clean = {p: digest(p) for p in objects()}
    program_objects = {b: link_inputs(b) for b in targets}
    made_of = {t["name"]: set().union(*(program_objects[os.path.relpath(b, BUILD)]
                                        for b in t["programs"]))
               for t in tests}

    def to_build(path):
        """What a change to this file must rebuild: the programs its object
        reaches, or the object alone when none does; every program for a
        header."""
        objs = {o for o in clean if o.endswith("/" + path + ".o")}
        if not objs:
            return targets
        reach = sorted(b for b in targets if program_objects[b] & objs)
        return reach or sorted(os.path.relpath(o, BUILD) for o in objs)

    equivalent = known_equivalent()
    sites = draw_order(mutable_lines(DIRS), SEED)
    log = open(LOG, "w")

    def say(text):
        print(text, flush=True)
        log.write(text + "\n")
        log.flush()

    say("mutants: %d mutable lines in %s, seed %d, tests: %s" %
        (len(sites), " ".join(DIRS), SEED, " ".join(t["name"] for t in tests)))
    caught = counted = dropped = 0
    for key, path, index in sites:
        if counted >= COUNT:
            break
        if MINUTES and time.time() - started > MINUTES * 60:
            say("mutants: the %g minutes are up" % MINUTES)
            break
        rng = random.Random(key)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        line = lines[index]
        choices = mutations(line, mask(line), lines, index, rng)
        if not choices:
            continue
        kind, new_line = rng.choice(choices)
        lines[index] = new_line
        where = "%s:%d" % (path, index + 1)
        change = "%s: %s  ->  %s" % (kind, line.strip(), new_line.strip())
        before = objects()
        verdict = None
        if (path, line.strip(), new_line.strip()) in equivalent:
            dropped += 1
            say("%-9s %s  %s  [dropped (equivalent: %s)]" %
                ("dropped", where, change, equivalent[(path, line.strip(), new_line.strip())]))
            continue
        try:
            plant(path, original, "\n".join(lines))
            ok, _ = build(to_build(path))
            if not ok:
                verdict = "dropped (does not compile)"
            else:
                # The file put back after the last mutant rebuilds too, into
                # its clean object; only objects that differ are this mutant's.
                after = objects()
                changed = [p for p, m in after.items()
                           if before.get(p) != m and clean.get(p) != digest(p)]
                if not changed:
                    verdict = "dropped (same object code)"
                else:
                    reached = [t for t in tests if made_of[t["name"]] & set(changed)]
                    failed = run_tests(reached, timeouts, JOBS)
                    verdict = "caught by " + failed if failed else "missed"
        except Interrupted:
            put_back(path, original)
            say("mutants: interrupted; %s put back" % path)
            sys.exit(130)
        finally:
            put_back(path, original)
        if verdict.startswith("dropped"):
            dropped += 1
        else:
            counted += 1
            caught += verdict.startswith("caught")
        say("%-9s %s  %s" % (verdict.split(" ")[0], where, change) +
            ("" if verdict in ("missed", "caught") else "  [%s]" % verdict))
    build(targets)
    minutes = (time.time() - started) / 60
    say("%d dropped; %.0f minutes" % (dropped, minutes))
    say("mutants caught %d of %d (%.0f%%), seed %d" %
        (caught, counted, 100.0 * caught / max(counted, 1), SEED))


if __name__ == "__main__":
    try:
        main()
    except Interrupted:
        # Between mutants no source is changed; nothing to put back.
        sys.exit(130)
