#!/usr/bin/env python3
"""Mutation testing of our own: how many small planted faults do the tests catch?

Plants one classic fault at a time at a seeded random line of the game's code,
rebuilds only what that file reaches, runs the test binaries it reaches (unit
tests and the replays; the end-to-end binaries only with MUTANTS_E2E=1) and
records whether a test failed. A mutant that does not compile, or whose object
file comes out byte-identical to the unmutated one (it cannot change
behaviour), is dropped and another line is drawn.

Settings (environment): MUTANTS (how many to count, 60), MUTANTS_SEED (1),
MUTANTS_DIRS ("engine elements editor game"), MUTANTS_BUILD (build-mutants),
MUTANTS_E2E (0), MUTANTS_TIMEOUT (seconds a test binary may take beyond five
times its unmutated time, 30), MUTANTS_JOBS (test binaries run side by side,
2), MUTANTS_MINUTES (stop drawing new mutants after this long; 0: no limit),
MUTANTS_LOG (the report file, in the build folder). Run from the repository
root, on a display (tools/headless.sh).

The source file is always put back: on success, on a failure, on Ctrl+C; a
copy of the original waits in the build folder until then, and a run killed
outright restores it first thing on the next start.
"""

import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.getcwd()
BUILD = os.path.abspath(os.environ.get("MUTANTS_BUILD", "build-mutants"))
COUNT = int(os.environ.get("MUTANTS", "60"))
SEED = int(os.environ.get("MUTANTS_SEED", "1"))
DIRS = os.environ.get("MUTANTS_DIRS", "engine elements editor game").split()
WITH_E2E = os.environ.get("MUTANTS_E2E", "0") == "1"
SLACK = float(os.environ.get("MUTANTS_TIMEOUT", "30"))
JOBS = int(os.environ.get("MUTANTS_JOBS", "2"))
MINUTES = float(os.environ.get("MUTANTS_MINUTES", "0"))
LOG = os.environ.get("MUTANTS_LOG", os.path.join(BUILD, "mutants-%d.log" % SEED))
PENDING = os.path.join(BUILD, "mutant-pending.json")


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted()


# ---------------------------------------------------------------- mutation sites

SKIP_LINE = re.compile(r'^\s*(#|//|static_assert|assert\s*\(|namespace\b|using\b|template\b|'
                       r'(public|private|protected)\s*:)')
LOGGING = re.compile(r'\blog(Info|Error)\s*\(|std::(cerr|cout)')
NUMBER = re.compile(r'(?<![\w.])(\d+\.\d*|\.\d+|\d+)([fFuUlL]*)(?![\w.])')
RELATIONAL = [(" < ", " <= "), (" > ", " >= "), (" <= ", " < "), (" >= ", " > "),
              (" == ", " != "), (" != ", " == ")]
ARITH = [(" + ", " - "), (" - ", " + "), (" += ", " -= "), (" -= ", " += ")]
CALL_STMT = re.compile(r'^(\s*)([A-Za-z_][\w:]*(\s*(\.|->)\s*[A-Za-z_]\w*|\[[^\]]*\])*)\s*\(.*\);\s*$')
RETURN_STMT = re.compile(r'^(\s*)(return\b[^;]*;)\s*$')
IF_RETURN = re.compile(r'^(\s*(if|else if)\s*\(.*\)\s*)(return\b[^;]*;)\s*$')
CONDITION = re.compile(r'\b(if|while)\s*\(')
# A parameter list (a type, then a name): a declaration, not a call.
DECLARATION = re.compile(r'[(,]\s*(const\s+)?[\w:<>]+[&*]*\s+[&*]*\w+\s*[,)=]')
SIMPLE_ARG = re.compile(r'^\s*(-?[A-Za-z_][\w.]*(->\w+)*|-?\d+(\.\d*)?[fF]?)\s*$')


def mask(line):
    """The line with string and character literals blanked and any trailing
    comment cut, keeping every column where it was."""
    out = []
    i = 0
    quote = None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\" and i + 1 < len(line):
                out.append("__")
                i += 2
                continue
            out.append(c if c == quote else "_")
            if c == quote:
                quote = None
        elif c in "\"'":
            # A digit separator (1'000) is not a quote; we do not use them.
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def code_lines(text):
    """(index, line, masked) for each line outside block comments."""
    result = []
    in_block = False
    for index, line in enumerate(text.split("\n")):
        if in_block:
            if "*/" in line:
                in_block = False
            continue
        stripped = line.strip()
        if stripped.startswith("/*"):
            in_block = "*/" not in stripped
            continue
        result.append((index, line, mask(line)))
    return result


def matching_paren(masked, open_at):
    depth = 0
    for i in range(open_at, len(masked)):
        if masked[i] == "(":
            depth += 1
        elif masked[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def split_args(masked, open_at, close_at):
    """Spans of the top-level arguments between two parentheses."""
    spans = []
    depth = 0
    start = open_at + 1
    for i in range(open_at + 1, close_at):
        c = masked[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            spans.append((start, i))
            start = i + 1
    spans.append((start, close_at))
    return spans


def bump(number, suffix, rng):
    if "." in number:
        value = float(number) + rng.choice([-1, 1])
        text = repr(value)
        if suffix in ("f", "F") and "e" not in text and "." not in text:
            text += ".0"
        return text + suffix
    value = int(number)
    value = value + 1 if value == 0 else value + rng.choice([-1, 1])
    return str(value) + suffix


def mutations(line, masked, lines, at, rng):
    """Every mutation that fits this line: (kind, new line)."""
    found = []

    def replace(start, end, new):
        return line[:start] + new + line[end:]

    for old, new in RELATIONAL:
        for m in re.finditer(re.escape(old), masked):
            found.append(("relational", replace(m.start(), m.end(), new)))
    for old, new in ARITH:
        for m in re.finditer(re.escape(old), masked):
            # Strings are joined with +, never taken from one another.
            if masked[m.start() - 1] == '"' or masked[m.end():m.end() + 1] == '"':
                continue
            found.append(("arithmetic", replace(m.start(), m.end(), new)))
    for m in NUMBER.finditer(masked):
        # Array sizes and template arguments change types, not behaviour.
        if masked[:m.start()].rstrip().endswith(("[", "<")):
            continue
        found.append(("constant", replace(m.start(1), m.end(1) + len(m.group(2)),
                                          bump(m.group(1), m.group(2), rng))))
    for m in CONDITION.finditer(masked):
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at > open_at + 1:
            cond = line[open_at + 1:close_at]
            found.append(("negated", line[:open_at + 1] + "!(" + cond + ")" + line[close_at:]))
    call = CALL_STMT.match(masked)
    if call and statement_start(lines, at) and not DECLARATION.search(masked) \
            and not re.match(r'\s*(return|delete|throw|case|else|if|for|while)\b', masked) \
            and "=" not in masked.split("(")[0]:
        found.append(("call deleted", call.group(1) + ";"))
    ret = IF_RETURN.match(masked)
    if ret and statement_start(lines, at):
        found.append(("return deleted", line[:len(ret.group(1))] + "{}"))
    elif RETURN_STMT.match(masked) and statement_start(lines, at) and early_return(lines, at):
        found.append(("return deleted", RETURN_STMT.match(masked).group(1) + ";"))
    for m in re.finditer(r'[\w>)\]]\s*\(', masked):
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at < 0:
            continue
        spans = split_args(masked, open_at, close_at)
        for a, b in zip(spans, spans[1:]):
            left, right = masked[a[0]:a[1]], masked[b[0]:b[1]]
            if SIMPLE_ARG.match(left) and SIMPLE_ARG.match(right) \
                    and left.strip() != right.strip() and same_kind(left, right):
                new = (line[:a[0]] + " " * (a[0] > open_at + 1) + right.strip() + "," +
                       " " + left.strip() + line[b[1]:])
                found.append(("arguments swapped", new))
    return found


def statement_start(lines, at):
    """Whether the line starts a statement rather than continuing one."""
    for j in range(at - 1, -1, -1):
        prev = mask(lines[j]).rstrip()
        if prev.strip():
            return prev.endswith((";", "{", "}", ")", ":")) or prev.lstrip().startswith("#")
    return True


def same_kind(left, right):
    def kind(arg):
        arg = arg.strip().lstrip("-")
        if arg in ("true", "false"):
            return "bool"
        if arg[0].isdigit():
            return "float" if ("." in arg or arg.endswith(("f", "F"))) else "int"
        return "name"
    return kind(left) == kind(right)


def early_return(lines, at):
    """A return inside an if, a loop or a case: deleting it lets the code go on."""
    indent = len(lines[at]) - len(lines[at].lstrip())
    for j in range(at - 1, -1, -1):
        prev = lines[j]
        if not prev.strip():
            continue
        if len(prev) - len(prev.lstrip()) < indent:
            return bool(re.match(r'\s*(\}\s*)?(if|else|for|while|case|default)\b', prev))
    return False


def mutable_lines(dirs):
    sites = []
    for folder in dirs:
        for base, _, files in os.walk(folder):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(base, name)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                lines = text.split("\n")
                for index, line, masked in code_lines(text):
                    if SKIP_LINE.match(line) or LOGGING.search(line) or not masked.strip():
                        continue
                    probe = random.Random(0)
                    if mutations(line, masked, lines, index, probe):
                        sites.append((path, index, line.strip()))
    return sites


def draw_order(sites, seed):
    """The sites in a seeded random order that depends on each line's file and
    text, not its number: lines an edit elsewhere did not touch keep their
    place, so runs of one seed before and after a change mostly meet the same
    mutants."""
    seen = {}
    keyed = []
    for path, index, text in sites:
        n = seen[(path, text)] = seen.get((path, text), -1) + 1
        key = hashlib.sha1(("%d %s %d %s" % (seed, path, n, text)).encode()).hexdigest()
        keyed.append((key, path, index))
    keyed.sort()
    return [(key, path, index) for key, path, index in keyed]


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
    tests = []
    for t in ctest_json():
        if "e2e" in t["name"] and not WITH_E2E:
            continue
        cwd = ROOT
        for p in t.get("properties", []):
            if p["name"] == "WORKING_DIRECTORY":
                cwd = p["value"]
        tests.append({"name": t["name"], "command": t["command"], "cwd": cwd})
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
            while waiting and len(running) < jobs:
                t = waiting.pop(0)
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
    binaries = {t["command"][0] for t in tests}
    targets = sorted(os.path.relpath(b, BUILD) for b in binaries)
    ok, out = build(targets)
    if not ok:
        sys.exit("mutants: the unmutated tree does not build\n" + out[-3000:])
    baseline = {}
    for t in tests:
        t0 = time.time()
        if run_tests([t], {t["name"]: 1800}, 1):
            sys.exit("mutants: %s fails before any mutation" % t["name"])
        baseline[t["name"]] = time.time() - t0
    # Slowest first: with two side by side, the quick ones fill in around it.
    tests.sort(key=lambda t: -baseline[t["name"]])
    timeouts = {name: 5 * took + SLACK for name, took in baseline.items()}
    clean = {p: digest(p) for p in objects()}
    made_of = {t["name"]: link_inputs(os.path.relpath(t["command"][0], BUILD)) for t in tests}

    def to_build(path):
        """What a change to this file must rebuild: the test binaries its object
        reaches, or the object alone when no test does; every test binary for
        a header."""
        objs = {o for o in clean if o.endswith("/" + path + ".o")}
        if not objs:
            return targets
        reach = sorted(os.path.relpath(t["command"][0], BUILD) for t in tests
                       if made_of[t["name"]] & objs)
        return reach or sorted(os.path.relpath(o, BUILD) for o in objs)

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
    say("mutants caught %d of %d (%.0f%%)" % (caught, counted, 100.0 * caught / max(counted, 1)))


if __name__ == "__main__":
    try:
        main()
    except Interrupted:
        # Between mutants no source is changed; nothing to put back.
        sys.exit(130)
