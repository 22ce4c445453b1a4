"""Where tools/mutants.py may plant a fault, and which faults fit a line.

A line of engine/, elements/, editor/ or game/ code is a site when one of the
classic mutations applies to it: a relational operator changed, + and -
swapped, a numeric constant moved by one, a condition negated, a call or an
early return deleted, two arguments of the same kind swapped."""

import hashlib
import os
import random
import re


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
# Functions whose first two arguments may change places without changing the
# result (a minimum, a length, a distance, whether two paths are one folder):
# swapping them plants no fault, so it is not drawn.
SYMMETRIC = re.compile(r'(\bstd::)?\b(min|max|fmin|fmax|hypot|within|distance|sameFolder)\s*$')
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
    # A container's reserve is a capacity hint: without it the same elements
    # arrive in the same order, so deleting it plants no fault.
    if call and statement_start(lines, at) and not DECLARATION.search(masked) \
            and not re.match(r'\s*(return|delete|throw|case|else|if|for|while)\b', masked) \
            and "=" not in masked.split("(")[0] and not re.search(r'\.reserve\s*\(', masked):
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
        if SYMMETRIC.search(masked[:open_at]):
            spans = spans[1:]
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
