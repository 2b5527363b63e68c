#!/usr/bin/env python3
"""Times our VBScript interpreter against Lua 5.4 and python3 on the same work, side by side in one
hyperfine run per case. Each case is a whole program run as `quorvix-eval --script`, `lua5.4` and
`python3`; beside each program's whole-process time it prints its work alone (that time minus the
same program's time on a trivial program) and the ratio of the work alone to Lua's, and for the
cases that hold much data, each program's peak resident memory. Each case runs in several rounds
(hyperfine times one program after the other, so a machine whose speed drifts favours whichever ran
in its faster moments): the figures are the medians of the rounds'."""
import json
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

FIB = {
    "vbs": "Function fib(n)\nIf n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2)\nEnd Function\nr = fib(27)\n",
    "lua": "function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\nr = fib(27)\n",
    "py": "def fib(n):\n    return n if n < 2 else fib(n - 1) + fib(n - 2)\nr = fib(27)\n",
}
METHOD_LUA = ("local F = {}\nfunction F:fib(n) if n < 2 then return n end "
              "return self:fib(n - 1) + self:fib(n - 2) end\nr = F:fib(27)\n")
METHOD_PY = ("class F:\n    def fib(self, n):\n        return n if n < 2 else "
             "self.fib(n - 1) + self.fib(n - 2)\nr = F().fib(27)\n")


def method(call):
    return {
        "vbs": "Class F\nFunction fib(n)\nIf n < 2 Then fib = n Else fib = %s(n - 1) + %s(n - 2)\n"
               "End Function\nEnd Class\nSet o = New F\nr = o.fib(27)\n" % (call, call),
        "lua": METHOD_LUA,
        "py": METHOD_PY,
    }


CASES = [
    ("sum of 1..10,000,000 in a loop with global variables", {
        "vbs": "s = 0\nFor i = 1 To 10000000: s = s + i: Next\n",
        "lua": "s = 0\nfor i = 1, 10000000 do s = s + i end\n",
        "py": "s = 0\nfor i in range(1, 10000001):\n    s = s + i\n",
    }, False),
    ("fib(27), a plain Function", FIB, False),
    ("fib(27) as a method calling Me.fib", method("Me.fib"), False),
    ("fib(27) as a method calling fib inside the class", method("fib"), False),
    ("fib(27) as a method calling o.fib", method("o.fib"), False),
    ("300,000 a(i) = CStr(i Mod 97), Join, Split, For Each summing Len", {
        "vbs": "ReDim a(299999)\nFor i = 0 To 299999: a(i) = CStr(i Mod 97): Next\n"
               "s = Join(a, \",\")\nb = Split(s, \",\")\nn = 0\nFor Each w In b: n = n + Len(w): Next\n",
        "lua": "local a = {}\nfor i = 0, 299999 do a[i + 1] = tostring(i % 97) end\n"
               "local s = table.concat(a, \",\")\nlocal b = {}\n"
               "for w in string.gmatch(s, \"[^,]+\") do b[#b + 1] = w end\n"
               "n = 0\nfor _, w in ipairs(b) do n = n + #w end\n",
        "py": "a = [None] * 300000\nfor i in range(300000):\n    a[i] = str(i % 97)\n"
              "s = \",\".join(a)\nb = s.split(\",\")\nn = 0\nfor w in b:\n    n = n + len(w)\n",
    }, True),
    ("s = s & \"x\" 200,000 times with a global variable", {
        "vbs": "s = \"\"\nFor i = 1 To 200000: s = s & \"x\": Next\n",
        "lua": "s = \"\"\nfor i = 1, 200000 do s = s .. \"x\" end\n",
        "py": "s = \"\"\nfor i in range(200000):\n    s = s + \"x\"\n",
    }, False),
    ("growing an array one element at a time to 100,001 elements", {
        "vbs": "Dim a()\nFor i = 0 To 100000: ReDim Preserve a(i): a(i) = i: Next\n",
        "lua": "a = {}\nfor i = 0, 100000 do a[i] = i end\n",
        "py": "a = []\nfor i in range(100001):\n    a.append(i)\n",
    }, False),
    ("built-in calls: x = x + Sqr(i) * Sin(i) 3,000,000 times", {
        "vbs": "x = 0\nFor i = 1 To 3000000: x = x + Sqr(i) * Sin(i): Next\n",
        "lua": "local sqrt, sin = math.sqrt, math.sin\nx = 0\n"
               "for i = 1, 3000000 do x = x + sqrt(i) * sin(i) end\n",
        "py": "from math import sqrt, sin\nx = 0.0\nfor i in range(1, 3000001):\n"
              "    x = x + sqrt(i) * sin(i)\n",
    }, False),
]
TRIVIAL = {"vbs": "x = 1\n", "lua": "x = 1\n", "py": "x = 1\n"}


def commands(eval_bin, files):
    return {
        "vbscript": [eval_bin, "--raw", "--script", files["vbs"], "-e", "1"],
        "lua": ["lua5.4", files["lua"]],
        "python3": ["python3", files["py"]],
    }


def write(work, stem, sources):
    files = {}
    for ext, text in sources.items():
        files[ext] = os.path.join(work, "%s.%s" % (stem, ext))
        with open(files[ext], "w") as f:
            f.write(text)
    return files


def peak_kib(command):
    """The peak resident memory of one run of `command`, in KiB."""
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.execvp(command[0], command)
    _, _, usage = os.wait4(pid, 0)
    return usage.ru_maxrss


def round_means(args, json_path):
    """One hyperfine round: each command's mean time in milliseconds."""
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(json_path) as f:
        return {r["command"]: r["mean"] * 1000 for r in json.load(f)["results"]}


def main():
    eval_bin = os.path.realpath(sys.argv[1] if len(sys.argv) > 1 else "build/src/cli/quorvix-eval")
    runs = sys.argv[2] if len(sys.argv) > 2 else "10"
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    for tool in ("hyperfine", "lua5.4", "python3"):
        if not shutil.which(tool):
            sys.exit("needs %s (apt-get install hyperfine lua5.4)" % tool)
    with tempfile.TemporaryDirectory() as work:
        trivial = commands(eval_bin, write(work, "trivial", TRIVIAL))
        for number, (title, sources, memory) in enumerate(CASES):
            timed = commands(eval_bin, write(work, "case%d" % number, sources))
            # Where one of the others copies its whole text per step, a run takes seconds: fewer.
            case_runs = str(min(int(runs), 3)) if "200,000 times" in title else runs
            args = ["hyperfine", "-N", "--warmup", "1", "--runs", case_runs, "--style", "none",
                    "--export-json", os.path.join(work, "times.json")]
            for name in timed:
                args += ["-n", name, " ".join(timed[name]), "-n", name + " trivial",
                         " ".join(trivial[name])]
            case_rounds = 1 if "200,000 times" in title else rounds
            taken = [round_means(args, os.path.join(work, "times.json")) for _ in range(case_rounds)]
            means = {c: statistics.median(t[c] for t in taken) for c in taken[0]}
            alone = {name: means[name] - means[name + " trivial"] for name in timed}
            ratio = {name: statistics.median((t[name] - t[name + " trivial"]) /
                                             (t["lua"] - t["lua trivial"]) for t in taken)
                     for name in timed}
            print("== " + title)
            print("| program | whole process (ms) | work alone (ms) | work alone / Lua's |%s"
                  % (" peak memory (MB) |" if memory else ""))
            print("|---|---|---|---|%s" % ("---|" if memory else ""))
            for name in timed:
                row = "| %s | %.1f | %.1f | %.2f× |" % (name, means[name], alone[name], ratio[name])
                if memory:
                    row += " %.1f |" % (peak_kib(timed[name]) / 1024)
                print(row)
            print()


if __name__ == "__main__":
    main()
