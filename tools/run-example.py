#!/usr/bin/env python3
"""Runs one example end to end, as a user would, and checks its result.
Used by the end-to-end tests and by bench-farmer.

In a fresh working directory: the example's template, settings and answers
files, a pathGAMS.txt naming the bundled solver. First the extensive form is
solved with that solver and checked against the published optimum (if the
example has one); then pha runs on the answers file through mpirun and scw,
and its last first-stage average must lie within the example's tolerance of
the extensive form's first stage. Finally the convergence report is drawn.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def read_expected(path):
    """The example's expected.txt: 'objective V', 'x V1 V2 ...', 'ph_tolerance T'."""
    expected = {}
    with open(path) as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            expected[words[0]] = [float(w) for w in words[1:]]
    return expected


def listing_number(text):
    """A value as the listing writes it: '.' is zero, INF and EPS spelled out."""
    special = {".": 0.0, "+INF": float("inf"), "-INF": float("-inf"), "EPS": 0.0}
    return special[text] if text in special else float(text)


def read_listing(path, variable):
    """The objective value and the levels of an indexed variable, by label."""
    with open(path, errors="replace") as f:
        lines = f.read().splitlines()
    objective = None
    levels = {}
    for i, line in enumerate(lines):
        m = re.match(r"\*\*\*\* OBJECTIVE VALUE\s+(\S+)", line)
        if m:
            objective = float(m.group(1))
        if re.match(r"---- VAR %s(\s|$)" % re.escape(variable), line):
            # Marker, empty line, column heads, empty line, rows, empty line.
            j = i + 1
            while j < len(lines) and "LEVEL" not in lines[j]:
                j += 1
            j += 1
            while j < len(lines) and not lines[j].strip():
                j += 1
            while j < len(lines) and lines[j].strip():
                # The label may hold blanks; the last four words are the values.
                words = lines[j].split()
                if len(words) >= 5:
                    levels[" ".join(words[:-4])] = listing_number(words[-3])
                j += 1
    if objective is None:
        fail("no objective value in %s" % path)
    if not levels:
        fail("no rows of variable %s in %s" % (variable, path))
    return objective, [levels[k] for k in sorted(levels, key=lambda s: int(s) if s.isdigit() else s)]


def last_average(path):
    """The first-stage average of the last block of results.txt."""
    with open(path) as f:
        lines = f.read().splitlines()
    start = max(i for i, line in enumerate(lines) if line == "Average solution:")
    values = []
    for line in lines[start + 1:]:
        if not line.startswith("  > "):
            break
        values.append(float(line[4:]))
    return values


def close(a, b, tol):
    return abs(a - b) <= tol


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--example", required=True, help="example folder")
    ap.add_argument("--template", required=True, help="template file name in the folder")
    ap.add_argument("--ef", required=True, help="extensive-form model file name in the folder")
    ap.add_argument("--bin", required=True, help="folder with pha, scw, pha-report")
    ap.add_argument("--solver", required=True, help="folder with the bundled gams")
    ap.add_argument("--work", required=True, help="working directory (made afresh)")
    ap.add_argument("--generate", type=int, help="replace the scenarios by farmer-scenarios N")
    ap.add_argument("--exact", action="store_true", help="generate with every digit of the yields")
    ap.add_argument("--expected", help="expected optimum (default: the example's expected.txt)")
    ap.add_argument("--ef-only", action="store_true", help="check the extensive form only")
    ap.add_argument("--tolerance", type=float, help="largest first-stage gap to the extensive form")
    ap.add_argument("--rho", help="answer this rho instead of the answers file's")
    ap.add_argument("--eps", help="answer this tolerance instead of the answers file's")
    ap.add_argument("--timeout", type=int, default=1200)
    args = ap.parse_args()
    # The programs run in the working directory: make every path absolute.
    for name in ("example", "bin", "solver", "work", "expected"):
        if getattr(args, name):
            setattr(args, name, os.path.abspath(getattr(args, name)))

    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    for name in (args.template, "scenarios.txt", "answers.txt", args.ef):
        shutil.copy(os.path.join(args.example, name), args.work)
    with open(os.path.join(args.work, "pathGAMS.txt"), "w") as f:
        f.write(os.path.abspath(args.solver) + "\n")
    expected = {}
    if args.generate:
        command = [os.path.join(args.bin, "farmer-scenarios"), str(args.generate), "--dir", args.work]
        subprocess.run(command + (["--exact"] if args.exact else []), check=True, stdout=subprocess.DEVNULL)
    else:
        args.expected = args.expected or os.path.join(args.example, "expected.txt")
    if args.expected:
        expected = read_expected(args.expected)
    answers_path = os.path.join(args.work, "answers.txt")
    with open(answers_path) as f:
        answers = f.read().split()
    # Answers 5 and 6 are the tolerance and rho.
    if args.eps:
        answers[4] = args.eps
    if args.rho:
        answers[5] = args.rho
    with open(answers_path, "w") as f:
        f.write("\n".join(answers) + "\n")

    # The extensive form, with the same solver the scenario runs use.
    gams = os.path.join(args.solver, "gams")
    run = subprocess.run([gams, args.ef, "o=ef.lst", "lo=0"], cwd=args.work)
    if run.returncode != 0:
        fail("gams %s ended with status %d" % (args.ef, run.returncode))
    objective, x_ef = read_listing(os.path.join(args.work, "ef.lst"), "x")
    print("extensive form: objective %.6f, x = %s" % (objective, x_ef))
    if "objective" in expected:
        want = expected["objective"][0]
        if not close(objective, want, 1e-6 * max(1.0, abs(want))):
            fail("extensive-form objective %.6f, published %.6f" % (objective, want))
        for got, want in zip(x_ef, expected["x"]):
            if not close(got, want, 1e-3):
                fail("extensive-form first stage %s, published %s" % (x_ef, expected["x"]))
    if args.ef_only:
        print("PASSED")
        return
    tolerance = args.tolerance if args.tolerance is not None else expected["ph_tolerance"][0]

    # pha on the answers file, through mpirun and scw.
    env = dict(os.environ)
    env["PATH"] = os.path.abspath(args.bin) + os.pathsep + env.get("PATH", "")
    started = time.time()
    with open(answers_path) as answers, \
            open(os.path.join(args.work, "console.txt"), "w") as console:
        try:
            run = subprocess.run([os.path.join(args.bin, "pha")], stdin=answers, stdout=console,
                                 stderr=subprocess.STDOUT, cwd=args.work, env=env, timeout=args.timeout)
        except subprocess.TimeoutExpired:
            fail("pha did not finish within %d s; see %s/console.txt" % (args.timeout, args.work))
    with open(os.path.join(args.work, "console.txt"), errors="replace") as f:
        output = f.read()
    if run.returncode != 0 or "Optimal solution has been found!" not in output:
        print(output[-3000:])
        fail("pha ended with status %d without the optimal verdict" % run.returncode)
    iterations = len(re.findall(r"^Iteration \d+:", open(os.path.join(args.work, "results.txt")).read(), re.M))
    x_ph = last_average(os.path.join(args.work, "results.txt"))
    seconds = time.time() - started
    print("progressive hedging: %d iterations in %.1f s, first-stage average %s" % (iterations, seconds, x_ph))
    print("largest first-stage gap to the extensive form: %.6f" % max(abs(a - b) for a, b in zip(x_ph, x_ef)))
    if len(x_ph) != len(x_ef):
        fail("pha averaged %d first-stage values, the extensive form has %d" % (len(x_ph), len(x_ef)))
    for got, want in zip(x_ph, x_ef):
        if not close(got, want, tolerance):
            fail("first-stage average %s is not within %g of the extensive form's %s" % (x_ph, tolerance, x_ef))
    for name in os.listdir(args.work):
        if re.match(r"(scenario\d+\.(gms|lst)|done\d+)$", name):
            fail("%s was left in the working directory" % name)

    # The convergence report on the run's own results.
    report = subprocess.run([os.path.join(args.bin, "pha-report"), "results.txt", "-o", "convergence.svg"],
                            cwd=args.work, stdout=subprocess.PIPE, universal_newlines=True)
    print(report.stdout)
    if report.returncode != 0 or not os.path.getsize(os.path.join(args.work, "convergence.svg")):
        fail("pha-report ended with status %d" % report.returncode)
    print("PASSED")


if __name__ == "__main__":
    main()
