#!/usr/bin/env python3
"""Mutation testing of our own: applies each slip of a mutant list to the
code, one at a time, rebuilds the tests incrementally, runs them until the
first failure, puts the file back, and prints the score and the survivors.

    tools/mutate.py [--build DIR] [--only N,M,...] [--timeout S] LIST

The list holds one mutant per block of lines:

    # what the slip would do (optional, any number of lines)
    src/fileaccess/ini_file.cpp        the file
    - text                             the text, found exactly once in it
    + replacement                      what it becomes
    ? TestSuite.*:Other.*              optional: the tests to try first

Consecutive "- " (or "+ ") lines make a text of several lines; a lone "+"
is an empty replacement.

A mutant is killed when the build succeeds and a test fails or hangs (runs
past the timeout); it survives when the whole suite passes. The tests named
with "?" run first; a mutant they do not kill runs the whole suite before it
counts as a survivor. A mutant that does not compile changes no behaviour and
is left out of the score. The file is put back after every mutant, also when
the run is interrupted.
"""

import argparse
import os
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


@dataclass
class Mutant:
    number: int
    line: int
    file: str
    text: str | None
    replacement: str | None
    tests: str = ""
    why: list = field(default_factory=list)

    def title(self):
        def short(text):
            return " / ".join(part.strip() for part in text.splitlines()) or "(nothing)"
        return f"#{self.number} {self.file}: '{short(self.text)}' -> '{short(self.replacement)}'"


def read_list(path):
    mutants, why, current = [], [], None
    for number, raw in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("#"):
            why.append(line[1:].strip())
        elif line.startswith("- "):  # consecutive lines make one text
            current.text = line[2:] if current.text is None else current.text + "\n" + line[2:]
        elif line.startswith("+ "):
            current.replacement = (line[2:] if current.replacement is None
                                   else current.replacement + "\n" + line[2:])
        elif line == "+":  # an empty replacement: the text goes
            current.replacement = ""
        elif line.startswith("? "):
            current.tests = line[2:].strip()
        else:
            current = Mutant(len(mutants) + 1, number, line.strip(), None, None, why=why)
            mutants.append(current)
            why = []
    return mutants


class Restorer:
    """Puts a mutated file back on every way out, signals included."""

    def __init__(self):
        self.path, self.original = None, None
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(sig, self._on_signal)

    def mutate(self, path, original, mutated):
        self.path, self.original = path, original
        path.write_bytes(mutated)

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None

    def _on_signal(self, signum, _frame):
        self.restore()
        print(f"\ninterrupted (signal {signum}); the file is restored", file=sys.stderr)
        sys.exit(130)


def build(build_dir):
    result = subprocess.run(["cmake", "--build", str(build_dir), "--target", "zq_tests"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode == 0, result.stdout.decode(errors="replace")


def run_tests(build_dir, test_filter, timeout):
    """True when every test passes; False when one fails or the run hangs."""
    command = [str(build_dir / "tests" / "zq_tests"), "--gtest_brief=1", "--gtest_fail_fast"]
    if test_filter:
        command.append(f"--gtest_filter={test_filter}")
    try:
        result = subprocess.run(command, cwd=build_dir, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, timeout=timeout,
                                start_new_session=True)
    except subprocess.TimeoutExpired:
        return False
    return result.returncode == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("list")
    parser.add_argument("--build", default="build/normal")
    parser.add_argument("--only", default="", help="mutant numbers, comma-separated")
    parser.add_argument("--timeout", type=int, default=240, help="seconds before a run hangs")
    args = parser.parse_args()
    build_dir = (ROOT / args.build).resolve()
    mutants = read_list(ROOT / args.list)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        mutants = [m for m in mutants if m.number in wanted]

    ok, log = build(build_dir)
    if not ok:
        print(log)
        print("the unmutated code does not build", file=sys.stderr)
        return 2

    restorer = Restorer()
    killed, survived, uncompiled, stale = [], [], [], []
    for mutant in mutants:
        path = ROOT / mutant.file
        original = path.read_bytes()
        text = original.decode("utf-8")
        if mutant.text is None or mutant.replacement is None or text.count(mutant.text) != 1:
            stale.append(mutant)
            found = text.count(mutant.text) if mutant.text else 0
            print(f"STALE     #{mutant.number} {mutant.file} line {mutant.line}: the text occurs"
                  f" {found} times, or a line is missing")
            continue
        started = time.monotonic()
        try:
            restorer.mutate(path, original,
                            text.replace(mutant.text, mutant.replacement).encode("utf-8"))
            compiled, _ = build(build_dir)
            if not compiled:
                verdict = "NO BUILD"
            elif mutant.tests and not run_tests(build_dir, mutant.tests, args.timeout):
                verdict = "KILLED"
            else:
                verdict = "KILLED" if not run_tests(build_dir, "", args.timeout) else "SURVIVED"
        finally:
            restorer.restore()
        {"KILLED": killed, "SURVIVED": survived, "NO BUILD": uncompiled}[verdict].append(mutant)
        print(f"{verdict:9} {mutant.title()} ({time.monotonic() - started:.0f} s)", flush=True)

    # The restored files build again, so the tree is left as it was found.
    build(build_dir)
    scored = len(killed) + len(survived)
    print()
    print(f"killed {len(killed)} of {scored} mutants that build"
          f" ({100.0 * len(killed) / scored if scored else 100.0:.0f}%);"
          f" {len(uncompiled)} did not build, {len(stale)} stale")
    for mutant in survived:
        print(f"  survivor {mutant.title()}")
        for line in mutant.why:
            print(f"           {line}")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
