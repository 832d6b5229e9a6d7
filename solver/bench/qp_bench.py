#!/usr/bin/env python3
"""Benchmark of the bundled solver on a generated convex QP.

Writes a model in the GAMS subset with 2*N variables x(k,j) and N constraints
(N-1 block rows and one budget row over all variables), runs the `gams`
executable on it with lo=3 and reports, from its closing timing line
(`--- Timing: total <t> s, Ipopt <t> s`), the share of the run spent outside
Ipopt: reading, instantiating, differentiating and writing the listing. The
model is a convex QP, which the bundled solver now gives to Clp, so the share
outside Ipopt is the whole run; the script still shows what a run costs.

    solver/bench/qp_bench.py [--gams build/solver/gams] [--blocks 5000] [--keep DIR]
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

MODEL = """$title QP benchmark: {vars} variables, {rows} constraints
Set k 'blocks' /1*{blocks}/
    j 'pair members' /1*2/;
Parameter q(k,j) 'diagonal weights'
          c(k,j) 'linear costs'
          b(k)   'block demands';
q(k,j) = 1 + sqr(ord(k)/card(k)) + ord(j);
c(k,j) = ord(k)/card(k) - 3*ord(j);
b(k) = 2 + ord(k)/card(k);
Positive Variable x(k,j) 'decisions';
Variable z 'objective';
Equations cost 'objective definition'
          demand(k) 'block demand'
          budget 'total budget';
cost.. z =e= sum((k,j), q(k,j)*sqr(x(k,j)) + c(k,j)*x(k,j)) + sum(k, x(k,'1')*x(k,'2'));
demand(k)$(ord(k) < card(k)).. x(k,'1') + 2*x(k,'2') =g= b(k);
budget.. sum((k,j), x(k,j)) =l= 1.9*card(k);
Model qp /all/;
Solve qp using qcp minimizing z;
"""

TIMING = re.compile(r"--- Timing: total ([0-9.]+) s, Ipopt ([0-9.]+) s")
STATUS = re.compile(r"\*\*\*\* MODEL STATUS\s+(\d+)")


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--gams", default=os.path.join(root, "build", "solver", "gams"))
    parser.add_argument("--blocks", type=int, default=5000, help="N: 2N variables, N constraints")
    parser.add_argument("--keep", help="write the model and listing into this directory")
    parser.add_argument("--limit", type=float, default=0.20, help="share above which the exit status is 1")
    args = parser.parse_args()
    args.gams = os.path.abspath(args.gams)

    work = args.keep or tempfile.mkdtemp(prefix="qp-bench-")
    os.makedirs(work, exist_ok=True)
    model = os.path.join(work, "qpbench.gms")
    with open(model, "w") as out:
        out.write(MODEL.format(blocks=args.blocks, vars=2 * args.blocks, rows=args.blocks))

    started = time.monotonic()
    run = subprocess.run([args.gams, "qpbench.gms", "lo=3"], cwd=work, capture_output=True, text=True)
    wall = time.monotonic() - started
    timing = TIMING.search(run.stdout)
    if run.returncode != 0 or timing is None:
        sys.stdout.write(run.stdout)
        sys.stderr.write(run.stderr)
        print(f"gams failed (exit {run.returncode}) or wrote no timing line; files in {work}")
        return 2
    total, ipopt = float(timing.group(1)), float(timing.group(2))
    with open(os.path.join(work, "qpbench.lst")) as listing:
        status = STATUS.search(listing.read())
    share = (total - ipopt) / total if total > 0 else 0.0
    print(f"QP with {2 * args.blocks} variables and {args.blocks} constraints")
    print(f"model status           {status.group(1) if status else '?'}")
    print(f"wall time (process)    {wall:8.3f} s")
    print(f"total (gams)           {total:8.3f} s")
    print(f"inside Ipopt           {ipopt:8.3f} s")
    print(f"outside Ipopt          {total - ipopt:8.3f} s")
    print(f"share outside Ipopt    {100 * share:7.1f} %  (aim: below {100 * args.limit:.0f} %)")
    if not args.keep:
        for name in os.listdir(work):
            os.remove(os.path.join(work, name))
        os.rmdir(work)
    if status is None or status.group(1) not in ("1", "2"):
        print("the solve did not end optimal")
        return 2
    return 0 if share < args.limit else 1


if __name__ == "__main__":
    sys.exit(main())
