"""End-to-end runs of pha's option mode: one persistent mpirun per run.

The GAMS stand-in (tests/e2e/gamsdouble) solves
  min c x + h/2 (x - xi)^2 + w x + rho/2 (x - avg)^2
in closed form; mode 4 makes a scenario take three seconds, which gives the
fault tests a solve to interrupt.
"""
import os
import re
import shutil
import signal
import subprocess
import time
import sys
import unittest

# The stand-in template and the process look-up of the classic end-to-end tests.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from stand_in import TEMPLATE, processes_mentioning  # noqa: E402

PHA = os.environ["PHA_BIN"]
GAMS_DOUBLE = os.environ["GAMS_DOUBLE"]
BUNDLED = os.environ["BUNDLED_GAMS"]
EXAMPLES = os.environ["EXAMPLES_DIR"]
RUNS = os.environ["OPTION_RUNS_DIR"]
os.makedirs(RUNS, exist_ok=True)


def make_run(name, scenarios=None, template=TEMPLATE):
    directory = os.path.join(RUNS, name)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    with open(os.path.join(directory, "template.gms"), "w") as f:
        f.write(template)
    if scenarios is not None:
        with open(os.path.join(directory, "scenarios.txt"), "w") as f:
            for s in scenarios:
                f.write(" ".join(str(v) for v in s) + "\n")
    return directory


def options(n1=1, n2=1, tol=1e-9, rho=1, max_iter=30, gams=GAMS_DOUBLE, extra=()):
    return ["--template", "template.gms", "--scenarios", "scenarios.txt", "--n1", str(n1), "--n2", str(n2),
            "--tol", str(tol), "--rho", str(rho), "--max-iter", str(max_iter), "--gams", gams, "--digits", "10",
            *extra]


def run(directory, args, timeout=1200, stdin=None):
    return subprocess.run([PHA, *args], cwd=directory, capture_output=True, text=True, timeout=timeout,
                          input=stdin)


def processes_in(directory):
    """Processes whose command line names the run directory (mpirun, scw, the solver)."""
    return [f"{pid}: {command}" for pid, command in processes_mentioning(directory)]


def assert_no_processes_left(test, directory):
    deadline = time.monotonic() + 120  # a guard: ends as soon as they are gone
    while processes_in(directory) and time.monotonic() < deadline:
        time.sleep(0.2)
    test.assertEqual(processes_in(directory), [])


def solving(directory):
    """The stand-in solver processes working in the run directory."""
    return [line for line in processes_in(directory) if "curdir=" in line and "--serve" not in line]


def start_and_wait_for_a_solve(directory, args, seconds=600):
    """Starts pha and returns it once a solve of its second round is under way."""
    console = open(os.path.join(directory, "console.txt"), "w")
    p = subprocess.Popen([PHA, *args], cwd=directory, stdout=console, stderr=subprocess.STDOUT,
                         stdin=subprocess.DEVNULL)
    deadline = time.monotonic() + seconds
    # The first round ends with its iteration line (pha writes the console line by line): a solve seen
    # after it is one of the second round. Looking for the pause between two rounds' solves missed it
    # whenever pha's work between them took less time than one look at the processes.
    while time.monotonic() < deadline and p.poll() is None:
        if "Iteration 1:" in console_of(directory) and solving(directory):
            break
        time.sleep(0.05)
    return p, console


def parent_of(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            return int(next(line.split()[1] for line in f if line.startswith("PPid:")))
    except (OSError, StopIteration):
        return 0


def console_of(directory):
    with open(os.path.join(directory, "console.txt")) as f:
        return f.read()


class RefusalsTest(unittest.TestCase):
    def test_missing_and_bad_values_name_the_option(self):
        d = make_run("refusals", [(1, 0, 1, 10, 0)])
        p = run(d, ["--template", "template.gms"])
        self.assertEqual(p.returncode, 2)
        self.assertIn("--scenarios", p.stderr)
        self.assertIn("Usage: pha --template F --scenarios F", p.stderr)
        cases = [("--rho", "0", "must be greater than 0"), ("--rho", "nan", "not a finite number"),
                 ("--tol", "inf", "not a finite number"), ("--tol", "abc", "not a number"),
                 ("--n1", "-1", "--n1"), ("--workers", "0", "--workers"),
                 ("--start", "missing.txt", "missing.txt"), ("--template", "nowhere.gms", "nowhere.gms")]
        for option, value, said in cases:
            args = options()
            if option in args:
                args[args.index(option) + 1] = value
            else:
                args += [option, value]
            p = run(d, args)
            self.assertEqual(p.returncode, 2, (option, value, p.stdout))
            self.assertIn(option, p.stderr, (option, value))
            self.assertIn(said, p.stderr, (option, value))
            self.assertFalse(os.path.exists(os.path.join(d, "results.txt")), (option, value))

    def test_help_lists_every_option_with_its_default(self):
        p = run(RUNS, ["--help"])
        self.assertEqual(p.returncode, 0)
        for option in ["--template", "--scenarios", "--n1", "--n2", "--tol", "--rho", "--max-iter", "--gams",
                       "--start", "--workers", "--solve-timeout", "--cost", "--gap", "--digits", "--json"]:
            self.assertIn(option, p.stdout)
        self.assertRegex(p.stdout, r"--start[^\n]*solve")
        # The option mode writes every value at full precision unless --digits says otherwise.
        self.assertRegex(p.stdout, r"--digits[^\n]*\n?[^\n]*default: full precision")
        self.assertRegex(run(RUNS, ["--version"]).stdout, r"^pha \d")


class FarmerTest(unittest.TestCase):
    def test_same_iterates_as_the_dialogue_and_convergence(self):
        d = make_run("farmer")
        for f in ["farmer.gms", "scenarios.txt"]:
            shutil.copy(os.path.join(EXAMPLES, "farmer", f), d)
        def farmer(max_iter, *extra):
            return ["--template", "farmer.gms", "--scenarios", "scenarios.txt", "--n1", "3", "--n2", "6",
                    "--tol", "0.01", "--rho", "1", "--max-iter", str(max_iter), "--gams", BUNDLED, *extra]
        p = run(d, farmer(6, "--start", "zero", "--digits", "3"))
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        with open(os.path.join(d, "results.txt")) as f:
            fast = f.read()
        # The dialogue on the same problem, through the classic launch.
        with open(os.path.join(d, "pathGAMS.txt"), "w") as f:
            f.write(BUNDLED + "\n")
        dialogue = "farmer.gms\nscenarios.txt\n3\n6\n0.01\n1\n6\nN\n"
        q = subprocess.run([PHA], cwd=d, input=dialogue, capture_output=True, text=True, timeout=1200)
        self.assertEqual(q.returncode, 0, q.stdout + q.stderr)
        with open(os.path.join(d, "results.txt")) as f:
            classic = f.read()
        # The same algorithm and, at the dialogue's 3 decimals, the same numbers.
        self.assertEqual(classic, fast)
        self.assertEqual(fast.count("Iteration "), 6)

        # The default textbook start converges to the published plan (170, 80, 250).
        p = run(d, farmer(200, "--workers", "2"))
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        plan = [float(v) for v in re.findall(r"  x\('\d'\) = (\S+)", p.stdout)]
        self.assertEqual(len(plan), 3, p.stdout[-3000:])
        for got, want in zip(plan, [170, 80, 250]):
            self.assertAlmostEqual(got, want, delta=0.5)
        self.assertIn("Iteration 0: delta", p.stdout)
        self.assertEqual(sorted(n for n in os.listdir(d) if re.match(r"(scenario\d+\.|done)", n)), [])


class MoreScenariosThanWorkersTest(unittest.TestCase):
    def test_many_scenarios_on_two_workers(self):
        # 200 scenarios whose optimum is the mean of xi: each rank solves 100 per iteration.
        n = 200
        d = make_run("many", [(1.0 / n, 0, 1, 10 + (k % 7), 0) for k in range(n)])
        p = run(d, options(tol=1e-9, max_iter=3, extra=["--workers", "2", "--start", "zero"]), timeout=1200)
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        self.assertIn(f"{n} scenarios on 2 workers", p.stdout)
        with open(os.path.join(d, "results.txt")) as f:
            report = f.read()
        self.assertEqual(report.count("Iteration "), 3)
        self.assertEqual(report.count(" Scenario "), 3 * n)
        # Iteration 1 from average 0 with rho 1: x = xi / 2 for every scenario.
        first = report.split("Iteration 2:")[0]
        xs = [float(v) for v in re.findall(r" : 1st stage decision:\n  > (\S+)", first)]
        self.assertEqual(xs, [(10 + (k % 7)) / 2 for k in range(n)])


class WorkerKilledTest(unittest.TestCase):
    def test_a_killed_worker_ends_the_run_clearly(self):
        d = make_run("killed", [(0.5, 0, 1, 8, 4), (0.5, 0, 1, 12, 4)])
        p, console = start_and_wait_for_a_solve(d, options(max_iter=30, extra=["--start", "zero"]))
        serving = [int(line.split(":")[0]) for line in processes_in(d) if "scw" in line and "--serve" in line]
        # A rank's child between its fork and the exec of the solver still reads "scw --serve": not a rank.
        ranks = [pid for pid in serving if parent_of(pid) not in serving]
        self.assertTrue(ranks, "no worker found")
        os.kill(int(ranks[-1]), signal.SIGKILL)
        p.wait(timeout=300)
        console.close()
        self.assertEqual(p.returncode, 2)
        out = console_of(d)
        self.assertIn(" > ERROR! The solver workers", out)
        failed = re.search(r"in iteration (\d+); [12] of 2 scenarios reported no result", out)
        self.assertTrue(failed, out)
        # Every iteration before the failed one stays in the report.
        with open(os.path.join(d, "results.txt")) as f:
            self.assertIn(f"Iteration {int(failed.group(1)) - 1}:", f.read())
        assert_no_processes_left(self, d)


class InterruptedTest(unittest.TestCase):
    def test_ctrl_c_and_sigterm_leave_no_process(self):
        for sig in [signal.SIGINT, signal.SIGTERM]:
            d = make_run(f"interrupted-{sig}", [(0.5, 0, 1, 8, 4), (0.5, 0, 1, 12, 4)])
            p, console = start_and_wait_for_a_solve(d, options(max_iter=30, extra=["--start", "zero"]))
            self.assertTrue(solving(d), "no solve under way")
            p.send_signal(sig)
            p.wait(timeout=300)
            console.close()
            self.assertEqual(p.returncode, 128 + sig, console_of(d))
            assert_no_processes_left(self, d)


class TimeoutTest(unittest.TestCase):
    def test_a_solve_beyond_the_limit_is_ended_and_named(self):
        d = make_run("timeout", [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 4)])
        began = time.monotonic()
        p = run(d, options(extra=["--solve-timeout", "2", "--workers", "2"]), timeout=1200)
        self.assertLess(time.monotonic() - began, 600)  # a guard only; the message shows the limit acted
        self.assertEqual(p.returncode, 2, p.stdout + p.stderr)
        self.assertIn("did not finish within the time limit", p.stdout)
        self.assertIn("(scenario 2)", p.stdout)
        assert_no_processes_left(self, d)


if __name__ == "__main__":
    unittest.main()
