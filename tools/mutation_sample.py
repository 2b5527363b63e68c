#!/usr/bin/env python3
"""Mutation sampler: how many small faults in src/ would the tests notice?

Picks random sites in src/ (seeded, so a run repeats exactly on the same sources), makes one small
change at each, rebuilds incrementally in a build folder of its own, runs the tests of that
folder and counts the mutant killed (a test failed or ran out of time), survived (every test
passed) or not compiling. The source file is restored after every mutant, also on Ctrl+C, an
error or a kill signal; a run cut short by SIGKILL is repaired at the next start from the journal
kept in the worktree's git folder. With --replay, the survivors of an earlier report are found
again in today's sources by their text and judged anew, to see which gaps the tests have closed.

Every build and test run holds the shared build lock (/tmp/quorvix-build.lock, the same lock
`flock` takes), so the sampler can share the machine with other work; one run at a time per
worktree. A developer's tool, run by hand: see README.md.
"""

import argparse
import base64
import dataclasses
import fcntl
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
DEFAULT_LOCK = "/tmp/quorvix-build.lock"
LOCK_PATH = DEFAULT_LOCK  # set from --lock
BLOCKED_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}

# For each folder of src/: what to build and which test commands must all pass. Paths are
# relative to the build folder; "{gtest}" stands for the flags that make a GoogleTest run stop
# at the first failure and print little.
GTEST = ["--gtest_brief=1", "--gtest_fail_fast"]
APP_SUITE = {
    "targets": ["app_tests", "quorvix", "quorvix-javascript", "e2e_x11_tool"],
    "tests": [
        ["tests/app/app_tests", *GTEST],
        # The program as a screen reader meets it: names and roles no widget test reads.
        ["ctest", "--test-dir", ".", "-R", "^(e2e_quorvix|accessibility_tree)$",
         "--output-on-failure"],
    ],
}
SUITES = {
    "vbscript": {
        "targets": ["vbscript_tests"],
        "tests": [["tests/vbscript/vbscript_tests", *GTEST]],
    },
    # The command-line test reaches the evaluation command as a user does, from a shell.
    "eval": {
        "targets": ["eval_tests", "quorvix-javascript", "quorvix-eval"],
        "tests": [
            ["tests/eval/eval_tests", *GTEST],
            ["ctest", "--test-dir", ".", "-R", "^quorvix_eval_cli$", "--output-on-failure"],
        ],
    },
    # The JavaScript engine is reached only through its worker program: the eval tests that
    # start the worker, call it, break it, let its watchdog fire or read its names.
    "javascript": {
        "targets": ["eval_tests", "quorvix-javascript"],
        "tests": [
            [
                "tests/eval/eval_tests",
                *GTEST,
                "--gtest_filter=*JavaScript*:*Watchdog*:*WorkerEngine*:*BrokenWorker*:"
                "*HugeInput*:*Session*:*EvaluationCommand*:*Names*",
            ]
        ],
    },
    # Numbers and dates as text: the interpreter's tests write them, the evaluation tests show
    # answers through them.
    "numbers": {
        "targets": ["vbscript_tests", "eval_tests"],
        "tests": [["tests/vbscript/vbscript_tests", *GTEST], ["tests/eval/eval_tests", *GTEST]],
    },
    "keypad": {
        "targets": ["keypad_tests"],
        "tests": [["tests/keypad/keypad_tests", *GTEST]],
    },
    "app": APP_SUITE,
    "help": APP_SUITE,
    "ui": APP_SUITE,
    # The command as a shell runs it, and at a terminal (line editing, history, Ctrl+C); the
    # terminal test was called quorvix_eval_interrupt before it grew.
    "cli": {
        "targets": ["quorvix-eval", "quorvix-javascript"],
        "tests": [
            ["ctest", "--test-dir", ".", "-R",
             "^quorvix_eval_(cli|terminal|interrupt)$", "--output-on-failure"]
        ],
    },
}


class Interrupted(Exception):
    """A termination signal arrived; raised so that every `finally` restores what it changed."""


@dataclasses.dataclass
class Mutant:
    folder: str
    path: str  # relative to the repository
    line: int  # 1-based
    kind: str
    original: str
    mutated: str
    outcome: str = ""
    detail: str = ""


# ---------------------------------------------------------------------------------------------
# Finding sites


def mask_code(text):
    """The text with comments and the insides of string and character literals blanked out.

    Every character keeps its place (newlines stay), so a match found in the mask lies in code
    and its columns hold in the original text too.
    """
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == "R" and i + 1 < n and text[i + 1] == '"' and not _word_before(text, i):
            open_paren = text.find("(", i + 2)
            delim = text[i + 2 : open_paren]
            end = text.find(")" + delim + '"', open_paren)
            end = n if end < 0 else end + len(delim) + 2
            blank(i + 2, end - 1)
            i = end
        elif c == '"' or (c == "'" and not _digit_separator(text, i)):
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, min(k, n))
            i = k + 1
        else:
            i += 1
    return "".join(out)


def _word_before(text, i):
    return i > 0 and (text[i - 1].isalnum() or text[i - 1] == "_")


def _digit_separator(text, i):
    return 0 < i < len(text) - 1 and text[i - 1].isalnum() and text[i + 1].isalnum() and (
        re.search(r"(?<![\w.])\d[\w']*$", text[max(0, i - 40) : i]) is not None
    )


def balanced(s):
    return s.count("(") == s.count(")") and s.count("[") == s.count("]")


def matching_paren(s, open_at):
    depth = 0
    for k in range(open_at, len(s)):
        if s[k] == "(":
            depth += 1
        elif s[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


COMPARISON = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ARITHMETIC = {"+": "-", "-": "+", "+=": "-=", "-=": "+="}
LOGICAL = {"&&": "||", "||": "&&"}
CONTROL_WORDS = {
    "if", "while", "for", "switch", "return", "catch", "sizeof", "static_assert", "throw",
    "delete", "case", "default", "goto", "using", "typedef", "decltype", "alignof", "co_return",
}
STATEMENT = re.compile(
    r"^(?:emit\s+)?(?:\+\+|--)?(?:::)?([A-Za-z_]\w*)(?:::[A-Za-z_]\w*)*"
    r"(?:\s*(?:\.|->)\s*[A-Za-z_]\w*|\[[^\]]*\])*\s*(?:\(|(?:[-+*/%|&^]|<<|>>)?=(?!=)|\+\+|--)"
)
BOOLISH_CALL = re.compile(
    r"(?:^|[.>:])(?:is|has|can|contains|starts|ends|empty|isEmpty|ok|valid|exists)\w*\s*\(")
PURE_VIRTUAL = re.compile(r"\)\s*(?:const\s*)?(?:override\s*)?=\s*0\s*;")


def line_sites(code, prev_code_end):
    """(kind, start, end, replacement) for each change that can be made on one masked line."""
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or "static_assert" in code:
        return []
    sites = []
    if "operator" not in code and "template" not in code:
        for m in re.finditer(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)", code):
            sites.append(("comparison", m.start(), m.end(), COMPARISON[m.group()]))
    for m in re.finditer(r"(?<=\s)([-+]=?)(?=\s)", code):
        sites.append(("arithmetic", m.start(), m.end(), ARITHMETIC[m.group()]))
    for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", code):
        sites.append(("logical", m.start(), m.end(), LOGICAL[m.group()]))
    if not PURE_VIRTUAL.search(code):
        for m in re.finditer(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])", code):
            digits = m.group(1)
            if len(digits) > 1 and digits.startswith("0"):
                continue  # octal
            value = int(digits)
            for changed in (value + 1, value - 1):
                if changed >= 0:
                    sites.append(("constant", m.start(1), m.end(1), str(changed)))
    sites += _return_sites(code)
    sites += _condition_sites(code)
    sites += _statement_sites(code, stripped, prev_code_end)
    return sites


def _return_sites(code):
    m = re.match(r"^\s*return\s+(.+?)\s*;\s*$", code)
    if not m or "{" in m.group(1) or not balanced(m.group(1)):
        return []
    expr = m.group(1)
    start, end = m.start(1), m.end(1)
    if expr in ("true", "false"):
        return [("return", start, end, "false" if expr == "true" else "true")]
    boolish = (
        re.search(r"\s(==|!=|<=|>=|<|>|&&|\|\|)\s", expr)
        or expr.startswith("!")
        or BOOLISH_CALL.search(expr)
    )
    return [("return", start, end, None)] if boolish else []  # None: wrap in !( )


def _condition_sites(code):
    sites = []
    for m in re.finditer(r"\b(if|while)\s*\(", code):
        open_at = m.end() - 1
        close_at = matching_paren(code, open_at)
        if close_at < 0:
            continue
        inner = code[open_at + 1 : close_at]
        if ";" in inner or re.search(r"(?<![=!<>])=(?!=)", inner):
            continue  # an init statement or a declaration in the condition
        sites.append(("condition", open_at + 1, close_at, None))
    return sites


def _statement_sites(code, stripped, prev_code_end):
    if not stripped.endswith(";") or "{" in stripped or "}" in stripped:
        return []
    if prev_code_end not in (";", "{", "}", ":", ")", "e"):  # "e": after else
        return []
    m = STATEMENT.match(stripped)
    if not m or m.group(1) in CONTROL_WORDS or not balanced(stripped):
        return []
    start = code.index(stripped[0])
    return [("statement", start, start + len(stripped), ";")]


def file_sites(path):
    """(line number, kind, start, end, replacement) for every site in one source file."""
    text = path.read_text(encoding="utf-8")
    masked = mask_code(text).split("\n")
    sites = []
    prev_end = "{"
    continued = False  # inside a preprocessor line that ends with a backslash
    for number, code in enumerate(masked, start=1):
        stripped = code.strip()
        is_preprocessor = continued or stripped.startswith("#")
        continued = is_preprocessor and stripped.endswith("\\")
        if is_preprocessor or not stripped:
            continue
        for kind, start, end, replacement in line_sites(code, prev_end):
            sites.append((number, kind, start, end, replacement))
        prev_end = "e" if re.search(r"\belse$", stripped) else stripped[-1]
    return sites


def apply_site(line, start, end, replacement):
    if replacement is None:  # negate the text between start and end
        return line[:start] + "!(" + line[start:end] + ")" + line[end:]
    return line[:start] + replacement + line[end:]


def pick_mutants(rng, quotas):
    """Per folder: a random line among those with a site, then a random site on that line."""
    mutants = []
    for folder, quota in quotas.items():
        by_line = {}
        for path in sorted((REPO / "src" / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            rel = str(path.relative_to(REPO))
            for number, kind, start, end, replacement in file_sites(path):
                by_line.setdefault((rel, number), []).append((kind, start, end, replacement))
        lines = sorted(by_line)
        for rel, number in rng.sample(lines, min(quota, len(lines))):
            kind, start, end, replacement = rng.choice(by_line[(rel, number)])
            original = (REPO / rel).read_text(encoding="utf-8").split("\n")[number - 1]
            mutated = apply_site(original, start, end, replacement)
            mutants.append(Mutant(folder, rel, number, kind, original, mutated))
    return mutants


SURVIVOR = re.compile(r"^\s*survived (src/([^/]+)/\S+):(\d+) \[(\w+)\]$")


def replay_mutants(report):
    """The survivors of an earlier report, each found again in today's sources by its text.

    A line matches after stripping; the recorded file is searched first, then the other files of
    its folder (code moves), and of several equal lines the one nearest the recorded line number
    is taken. A mutant whose line is gone keeps line 0 and the outcome "site gone".
    """
    mutants = []
    lines = Path(report).read_text(encoding="utf-8").split("\n")
    for k, entry in enumerate(lines):
        m = SURVIVOR.match(entry)
        if not m or k + 2 >= len(lines):
            continue
        rel, folder, recorded, kind = m.group(1), m.group(2), int(m.group(3)), m.group(4)
        original, mutated = lines[k + 1].strip()[2:], lines[k + 2].strip()[2:]
        mutant = Mutant(folder, rel, 0, kind, original, mutated, "site gone")
        folder_files = sorted(p for p in (REPO / "src" / folder).rglob("*")
                              if p.suffix in (".cpp", ".h"))
        for path in sorted(folder_files, key=lambda p: p != REPO / rel):
            current = path.read_text(encoding="utf-8").split("\n")
            found = [n for n, text in enumerate(current, start=1) if text.strip() == original]
            if found:
                number = min(found, key=lambda n: abs(n - recorded))
                text = current[number - 1]
                indent = text[: len(text) - len(text.lstrip())]
                mutant = Mutant(folder, str(path.relative_to(REPO)), number, kind, text,
                                indent + mutated)
                break
        mutants.append(mutant)
    return mutants


# ---------------------------------------------------------------------------------------------
# Changing a file and always putting it back


class Journal:
    """Remembers the original of the file being mutated, in the worktree's git folder."""

    def __init__(self, git_dir):
        self.path = git_dir / "quorvix-mutation-journal.json"

    def repair(self):
        if not self.path.exists():
            return
        entry = json.loads(self.path.read_text())
        target = REPO / entry["path"]
        target.write_bytes(base64.b64decode(entry["original"]))
        self.path.unlink()
        print(f"restored {entry['path']}, left mutated by an earlier run that was killed")

    def record(self, rel, original):
        payload = json.dumps({"path": rel, "original": base64.b64encode(original).decode()})
        with open(self.path, "w") as f:
            f.write(payload)
            f.flush()
            os.fsync(f.fileno())

    def clear(self):
        self.path.unlink(missing_ok=True)


class MutatedFile:
    """Puts one mutant into its source file and the original back.

    Both steps run with the termination signals held back, so that neither is cut in half; a
    signal that arrives meanwhile is raised as soon as the step is done.
    """

    def __init__(self, mutant, journal):
        self.mutant, self.journal = mutant, journal
        self.target = REPO / mutant.path
        self.original = None

    def apply(self):
        with _signals_held():
            original = self.target.read_bytes()
            lines = original.decode("utf-8").split("\n")
            if lines[self.mutant.line - 1] != self.mutant.original:
                raise RuntimeError(f"{self.mutant.path} changed since the sites were chosen")
            lines[self.mutant.line - 1] = self.mutant.mutated
            self.journal.record(self.mutant.path, original)
            self.original = original
            self.target.write_bytes("\n".join(lines).encode("utf-8"))

    def restore(self):
        with _signals_held():
            if self.original is not None:
                self.target.write_bytes(self.original)
                if self.target.read_bytes() != self.original:
                    raise RuntimeError(f"could not restore {self.mutant.path}")
            self.journal.clear()


class _signals_held:
    def __enter__(self):
        signal.pthread_sigmask(signal.SIG_BLOCK, BLOCKED_SIGNALS)

    def __exit__(self, *exc):
        signal.pthread_sigmask(signal.SIG_UNBLOCK, BLOCKED_SIGNALS)
        return False


# ---------------------------------------------------------------------------------------------
# Building and testing under the shared lock


def run_locked(command, cwd, timeout, log):
    """Runs one command holding the build lock; returns its exit code, or None on time-out.

    The time limit starts once the lock is held. The command runs in a process group of its own
    so that a time-out or an interruption ends it together with anything it started.
    """
    fd = os.open(LOCK_PATH, os.O_RDONLY | os.O_CREAT, 0o666)
    try:
        fcntl.flock(fd, fcntl.LOCK_EX)
        log.write(f"$ {' '.join(command)}\n")
        log.flush()
        proc = subprocess.Popen(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if proc.poll() is None:
                _end_group(proc)
    finally:
        os.close(fd)  # releases the lock


def _end_group(proc):
    for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, 5)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            return
        try:
            proc.wait(timeout=grace)
            return
        except subprocess.TimeoutExpired:
            continue


def configure(build_dir, log):
    if (build_dir / "CMakeCache.txt").exists():
        return
    command = ["cmake", "-S", str(REPO), "-B", str(build_dir), "-G", "Ninja",
               "-DQUORVIX_WERROR=OFF", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"]
    # The compiler cache only saves time; a machine without it builds all the same.
    if shutil.which("ccache"):
        command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    if run_locked(command, REPO, None, log) != 0:
        sys.exit(f"configuring {build_dir} failed; see {log.name}")


def build(build_dir, folder, timeout, log):
    command = ["cmake", "--build", str(build_dir), "-j2", "--target", *SUITES[folder]["targets"]]
    return run_locked(command, REPO, timeout, log) == 0


def run_tests(build_dir, folder, timeout, log):
    """'passed', 'failed' or 'timeout' for the first command that does not pass."""
    for command in SUITES[folder]["tests"]:
        if command[0] != "ctest":
            command = [str(build_dir / command[0]), *command[1:]]
        rc = run_locked(command, build_dir, timeout, log)
        if rc is None:
            return "timeout"
        if rc != 0:
            return "failed"
    return "passed"


def judge(mutant, build_dir, args, log):
    started = time.monotonic()
    if not build(build_dir, mutant.folder, args.build_timeout, log):
        mutant.outcome = "not compiling"
    else:
        result = run_tests(build_dir, mutant.folder, args.timeout, log)
        mutant.outcome = "survived" if result == "passed" else "killed"
        if result == "timeout":
            mutant.detail = "timeout, "
    mutant.detail += f"{time.monotonic() - started:.0f}s"


# ---------------------------------------------------------------------------------------------
# The run and its report


def quotas_for(folders, count, per_folder):
    if per_folder is not None:
        return {f: per_folder for f in folders}
    base, extra = divmod(count, len(folders))
    return {f: base + (1 if i < extra else 0) for i, f in enumerate(folders)}


def git(*command):
    return subprocess.run(["git", *command], cwd=REPO, capture_output=True, text=True)


def report_text(mutants, args, commit, finished):
    title = f"Replay of {args.replay}" if args.replay else f"Mutation sample: seed {args.seed}"
    out = [f"{title}, commit {commit}, {len(mutants)} mutants"
           + ("" if finished else " (interrupted: only the mutants below were judged)")]
    for folder in dict.fromkeys(m.folder for m in mutants):
        judged = [m for m in mutants if m.folder == folder and m.outcome]
        killed = [m for m in judged if m.outcome == "killed"]
        survived = [m for m in judged if m.outcome == "survived"]
        broken = [m for m in judged if m.outcome == "not compiling"]
        gone = [m for m in judged if m.outcome == "site gone"]
        timeouts = sum(1 for m in killed if "timeout" in m.detail)
        scored = len(killed) + len(survived)
        score = f"{100 * len(killed) / scored:.0f}%" if scored else "n/a"
        out.append(f"\n{folder}: score {score}; {len(killed)} killed ({timeouts} by timeout), "
                   f"{len(survived)} survived, {len(broken)} not compiling"
                   + (f", {len(gone)} site gone" if args.replay else ""))
        for m in survived:
            out.append(f"  survived {m.path}:{m.line} [{m.kind}]")
            out.append(f"    - {m.original.strip()}")
            out.append(f"    + {m.mutated.strip()}")
        for m in killed + broken + gone:
            change = m.mutated.strip() if m.kind != "statement" else "dropped " + m.original.strip()
            out.append(f"  {m.outcome} {m.path}:{m.line} [{m.kind}] {change}")
    return "\n".join(out) + "\n"


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int)
    parser.add_argument("--replay", metavar="REPORT",
                        help="judge again the survivors of an earlier report, found by their text")
    parser.add_argument("--count", type=int, help="mutants in all, shared out among the folders")
    parser.add_argument("--per-folder", type=int,
                        help="mutants in each folder (instead of --count)")
    parser.add_argument("--folder", action="append", dest="folders",
                        help="src/<name> or <name>; repeat for more (default: every folder)")
    parser.add_argument("--build-dir", default="build-mutation")
    parser.add_argument("--report", help="also write the report to this file")
    parser.add_argument("--timeout", type=float, default=180,
                        help="seconds each test command may run (default 180); longer is killed")
    parser.add_argument("--build-timeout", type=float, default=1800)
    parser.add_argument("--list", action="store_true", help="only print the chosen mutants")
    parser.add_argument("--lock", default=DEFAULT_LOCK,
                        help="the lock file every build and test run holds (default: the shared "
                             "build lock); a private one lets a niced run use only idle cores")
    args = parser.parse_args()
    sampling = args.seed is not None and (args.count is None) != (args.per_folder is None)
    if not args.replay and not sampling:
        parser.error("give --seed and exactly one of --count and --per-folder, or --replay")
    names = [Path(f).name for f in (args.folders or sorted(SUITES))]
    unknown = [f for f in names if f not in SUITES]
    if unknown:
        parser.error(f"no tests known for {', '.join(unknown)}; known: {', '.join(SUITES)}")
    args.folders = list(dict.fromkeys(names))
    return args


def on_signal(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def interleaved(mutants):
    """The mutants taken a folder at a time in turn, so an interrupted run scores every folder."""
    queues = {}
    for m in mutants:
        queues.setdefault(m.folder, []).append(m)
    order = []
    while any(queues.values()):
        for queue in queues.values():
            if queue:
                order.append(queue.pop(0))
    return order


def main():
    global LOCK_PATH
    args = parse_args()
    LOCK_PATH = args.lock
    build_dir = (REPO / args.build_dir).resolve()
    build_dir.mkdir(parents=True, exist_ok=True)
    git_dir = (REPO / git("rev-parse", "--git-dir").stdout.strip()).resolve()
    run_lock = os.open(git_dir / "quorvix-mutation-run.lock", os.O_RDONLY | os.O_CREAT, 0o666)
    try:
        fcntl.flock(run_lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another mutation run is changing this worktree's sources; wait for it")
    journal = Journal(git_dir)
    journal.repair()
    if git("status", "--porcelain", "--", "src").stdout.strip():
        sys.exit("src/ has uncommitted changes: commit or stash them first, so that the scores "
                 "belong to a commit and nothing of yours is mixed into a mutant")
    commit = git("rev-parse", "--short", "HEAD").stdout.strip()

    if args.replay:
        mutants = [m for m in replay_mutants(args.replay) if m.folder in args.folders]
        args.folders = [f for f in args.folders if any(m.folder == f for m in mutants)]
    else:
        mutants = pick_mutants(random.Random(args.seed),
                               quotas_for(args.folders, args.count, args.per_folder))
    if args.list:
        for m in mutants:
            print(f"{m.folder} {m.path}:{m.line} [{m.kind}] {m.outcome}\n  - {m.original.strip()}\n"
                  f"  + {m.mutated.strip()}")
        return 0

    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, on_signal)
    os.environ.setdefault("CCACHE_BASEDIR", str(REPO))
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    os.environ.update({"QT_QPA_PLATFORM": "offscreen", "LC_ALL": "C.UTF-8"})
    log_path = build_dir / "mutation.log"
    finished = False
    try:
        with open(log_path, "w") as log:
            configure(build_dir, log)
            for folder in args.folders:  # the unchanged sources must build and pass first
                print(f"checking the unchanged {folder} builds and passes its tests", flush=True)
                if not build(build_dir, folder, args.build_timeout, log):
                    sys.exit(f"the unchanged sources do not build; see {log_path}")
                if run_tests(build_dir, folder, args.timeout, log) != "passed":
                    sys.exit(f"the tests of {folder} fail without any mutant; see {log_path}")
            for index, mutant in enumerate(interleaved(mutants), start=1):
                if mutant.outcome:  # a replayed mutant whose site is gone
                    continue
                log.write(f"\n== mutant {index}: {mutant.path}:{mutant.line}\n"
                          f"- {mutant.original}\n+ {mutant.mutated}\n")
                mutated = MutatedFile(mutant, journal)
                try:
                    mutated.apply()
                    judge(mutant, build_dir, args, log)
                finally:
                    mutated.restore()
                print(f"[{index}/{len(mutants)}] {mutant.folder} {mutant.path}:{mutant.line} "
                      f"[{mutant.kind}] {mutant.outcome} ({mutant.detail})", flush=True)
        finished = True
    except (KeyboardInterrupt, Interrupted) as stop:
        print(f"interrupted ({stop or 'Ctrl+C'}); every source file is restored", file=sys.stderr)
    finally:
        tried = {m.path for m in mutants if m.line}
        changed = [path for path in tried if git("diff", "--quiet", "--", path).returncode]
        if changed:
            print(f"WARNING: still changed: {', '.join(sorted(changed))}", file=sys.stderr)
        text = report_text(mutants, args, commit, finished)
        print("\n" + text, end="")
        if args.report:
            Path(args.report).write_text(text)
    return 0 if finished else 130


if __name__ == "__main__":
    sys.exit(main())
