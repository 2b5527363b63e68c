#!/usr/bin/env python3
"""Runs the examples README.md and Readme.txt give through quorvix-eval and checks the answers
they promise. Every example is quoted from its document: a document that stops saying it fails
here, so that a changed example is checked again rather than left to drift.

usage: doc_examples_test.py QUORVIX_EVAL REPOSITORY"""
import re
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

EVAL, REPO = sys.argv[1], Path(sys.argv[2])
VB, JS = "vbscript", "javascript"

# (document, words it says, language, inputs typed one after another, the output box after each;
# None where the document promises nothing)
PROSE = [
    ("README.md", "`2(3)`, `(1+2)(3+4)` and `(2)3` multiply", VB,
     ["2(3)", "(1+2)(3+4)", "(2)3"], ["6", "21", "6"]),
    ("README.md", "`+5` is `Ans +5`", VB, ["3", "+5"], [None, "8"]),
    ("README.md", "`e3` is `Ans*10^3`", VB, ["2", "e3"], [None, "2000"]),
    ("README.md", "`Exp(1)` is 2.71828182845905", VB, ["Exp(1)"], ["2.71828182845905"]),
    ("README.md", "`7=` is `7`", VB, ["7="], ["7"]),
    ("README.md", "after the clear key `+5` gives 5", VB, ["5+5", "", "+5"], [None, "", "5"]),
    ("README.md", "`2×3`, `6÷2` and `3−1` work", VB, ["2×3", "6÷2", "3−1"], ["6", "3", "2"]),
    ("Readme.txt", "1.5E+3 (that is 1500)", VB, ["1.5E+3"], ["1500"]),
    ("Readme.txt", "(2^10 is 1024)", VB, ["2^10"], ["1024"]),
    ("Readme.txt", "for a power there (2**10)", JS, ["2**10"], ["1024"]),
    ("Readme.txt", "so 7*6= works like 7*6", VB, ["7*6=", "7*6"], ["42", "42"]),
    ("Readme.txt", "2(3) means 2*(3) (1+2)(3+4) means (1+2)*(3+4) (2)3 means (2)*3", VB,
     ["2(3)", "(1+2)(3+4)", "(2)3"], ["6", "21", "6"]),
    ("Readme.txt", "+5 means Ans +5 (8) -5 means Ans -5 (-2)", VB, ["3", "+5", "3", "-5"],
     [None, "8", None, "-2"]),
    ("Readme.txt", "e3 means Ans*10^3 (2000) e-2 means Ans*10^-2 (0.02)", VB,
     ["2", "e3", "2", "e-2"], [None, "2000", None, "0.02"]),
    ("Readme.txt", "Exp(1) is 2.71828182845905", VB, ["Exp(1)"], ["2.71828182845905"]),
    ("Readme.txt", "Pi is 3.14159265358979", VB, ["Pi"], ["3.14159265358979"]),
    ("Readme.txt", "Pi*r^2          then uses it: 12.5663706143592", VB,
     ["!r = 2", "Pi*r^2"], [None, "12.5663706143592"]),
    ("Readme.txt", "equals 5 and answers True or False", VB, ["!x = 5", "x=5"], [None, "True"]),
    ("Readme.txt", "MsgBox shows\nnothing and answers 1", VB, ['MsgBox("hi")'], ["1"]),
    ("Readme.txt", "press Get x, press = and read 10", VB, ["!x=5", "2*x"], [None, "10"]),
    ("Readme.txt", "after C, +5 gives 5", VB, ["5+5", "", "+5"], [None, "", "5"]),
    ("Readme.txt", "2×3, 6÷2 and 3−1 work", VB, ["2×3", "6÷2", "3−1"], ["6", "3", "2"]),
]

# Each library example: the words that introduce its code, its language, and the answers the
# document promises for it.
LIBRARIES = [
    ("Quorvix-library.vbs could hold:", VB,
     "Then Area(2) gives 12.5663706143592, and Phi*2 gives 3.23606797749978.",
     ["Area(2)", "Phi*2"], ["12.5663706143592", "3.23606797749978"]),
    ("In JavaScript the same would be:", JS, None,
     ["area(2)", "phi*2"], ["12.5663706143592", "3.23606797749978"]),
]

failures = []


def flat(text):
    return " ".join(text.split())


def run(arguments):
    done = subprocess.run([EVAL, *arguments], cwd=REPO, capture_output=True, text=True,
                          timeout=60, env={"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"})
    return done.stdout.splitlines()


def check(where, language, inputs, wanted, script=None):
    arguments = ["--lang", language] + (["--script", script] if script else [])
    got = run(arguments + [part for typed in inputs for part in ("-e", typed)])
    for typed, out, want in zip(inputs, got + [None] * len(inputs), wanted):
        if want is not None and out != want:
            failures.append(f"{where}: {typed!r} gave {out!r}, the document says {want!r}")


def says(document, words):
    if flat(words) not in flat((REPO / document).read_text(encoding="utf-8")):
        failures.append(f"{document} no longer says {words!r}")
        return False
    return True


for document, words, language, inputs, wanted in PROSE:
    if says(document, words):
        check(f"{document}, {words!r}", language, inputs, wanted)

# "    $ build/src/cli/quorvix-eval ARGUMENTS" and the lines it prints below it.
lines = (REPO / "README.md").read_text(encoding="utf-8").splitlines()
sessions = [(i, m.group(1)) for i, line in enumerate(lines)
            if (m := re.fullmatch(r"    \$ build/src/cli/quorvix-eval (.*)", line))]
for i, arguments in sessions:
    printed = []
    for following in lines[i + 1:]:
        if not following.startswith("    ") or following.startswith("    $"):
            break
        printed.append(following[4:])
    if (got := run(shlex.split(arguments))) != printed:
        failures.append(f"README.md: quorvix-eval {arguments} printed {got}, not {printed}")
if len(sessions) < 3:
    failures.append(f"README.md: only {len(sessions)} quorvix-eval sessions found")

text = (REPO / "Readme.txt").read_text(encoding="utf-8")
for introduction, language, promise, inputs, wanted in LIBRARIES:
    if not says("Readme.txt", introduction) or (promise and not says("Readme.txt", promise)):
        continue
    start = text.index(introduction) + len(introduction)
    block = re.match(r"\n\n((?:    .*\n|\n)+?)\n*(?=\S)", text[start:]).group(1)
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as library:
        library.write("\n".join(line[4:] for line in block.splitlines()))
        library.flush()
        check(f"Readme.txt, {introduction!r}", language, inputs, wanted, library.name)

print("\n".join(failures) or f"all {len(PROSE) + len(LIBRARIES)} prose and library examples "
      "and every README session agree")
sys.exit(1 if failures else 0)
