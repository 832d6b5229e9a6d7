"""A user's mistakes, each caught where it is made, with the exact inputs that once misled.

Every case runs pha's option mode with the bundled solver on a small model with
two first-stage variables x('1'), x('2') and two recourse variables y('1'),
y('2'); its extensive form has the optimum 175 at x = (100, 50).
"""
import os
import re
import json
import shutil
import signal
import subprocess
import time
import unittest

PHA = os.environ["PHA_BIN"]
BUNDLED = os.environ["BUNDLED_GAMS"]
RUNS = os.path.join(os.environ["OPTION_RUNS_DIR"], "mistakes")

TWO = """\
* Two first-stage variables, two recourse variables; the scenario gives two demands.
Set i /1*2/, j /1*2/;
Scalar d1 / @0 /, d2 / @1 /, rho / @300 /;
Parameter w(i), xbar(i);
w('1') = @100 ;
w('2') = @101 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
Positive Variables x(i), y(j);
Variables z, cost;
Equations obj, defcost, short1, short2;
defcost.. cost =e= x('1') + 1.5*x('2') + 4*y('1') + 3*y('2');
short1.. y('1') =g= d1 - x('1') - x('2');
short2.. y('2') =g= d2 - x('2');
obj.. z =e= cost + sum(i, w(i)*x(i)) + rho/2*sum(i, sqr(x(i) - xbar(i)));
Model two / all /;
Solve two using qcp minimizing z;
"""
SCENARIOS = "0.3 50 10\n0.4 100 30\n0.3 150 50\n"


def make_run(name, template=TWO, scenarios=SCENARIOS):
    directory = os.path.join(RUNS, name)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    with open(os.path.join(directory, "two.gms"), "w") as f:
        f.write(template)
    with open(os.path.join(directory, "scenarios.txt"), "w") as f:
        f.write(scenarios)
    return directory


def args(n1=2, n2=2, extra=()):
    return ["--template", "two.gms", "--scenarios", "scenarios.txt", "--n1", str(n1), "--n2", str(n2),
            "--tol", "1e-3", "--rho", "1", "--max-iter", "3", "--cost", "cost", "--gams", BUNDLED, *extra]


def replaced(arguments, option, value):
    """The arguments with the option's value replaced (the option removed when value is None)."""
    at = arguments.index(option)
    return arguments[:at] + ([] if value is None else [option, value]) + arguments[at + 2:]


def run(directory, arguments, timeout=1200):
    return subprocess.run([PHA, *arguments], cwd=directory, capture_output=True, text=True, timeout=timeout)


class StageEntriesTest(unittest.TestCase):
    def test_counts_that_do_not_fit_the_model_stop_the_run(self):
        # --n1 1 on this model once printed an inner bound 128.5 below the optimum 175.
        d = make_run("n1-short")
        p = run(d, args(n1=1))
        self.assertEqual(p.returncode, 2, p.stdout[-2000:])
        self.assertIn("Scenario 1: the model has x('2'), beyond --n1 1.", p.stdout)
        self.assertIn("'scenario1.lst', line ", p.stdout)
        self.assertNotIn("Inner bound", p.stdout)
        p = run(d, args(n2=1))
        self.assertEqual(p.returncode, 2)
        self.assertIn("Scenario 1: the model has y('2'), beyond --n2 1.", p.stdout)
        # --n1 0 once printed "Optimal within the gap" at the wrong value.
        p = run(d, args(n1=0))
        self.assertEqual(p.returncode, 2)
        self.assertIn("--n1: '0' must be at least 1", p.stderr)

    def test_labels_and_missing_entries_are_named(self):
        # x('3') is declared but in no equation: not part of the model, never hedged.
        unused = TWO.replace("Set i /1*2/", "Set i /1*3/").replace(
            "sum(i, w(i)*x(i)) + rho/2*sum(i, sqr(x(i) - xbar(i)))",
            "w('1')*x('1') + w('2')*x('2') + rho/2*(sqr(x('1') - xbar('1')) + sqr(x('2') - xbar('2')))")
        d = make_run("n1-unused", template=unused)
        p = run(d, args(n1=3))
        self.assertEqual(p.returncode, 2, p.stdout[-2000:])
        self.assertIn("Scenario 1: the model has no x('3').", p.stdout)
        # No x('3') at all: pha's own lines cannot name it.
        d = make_run("n1-long")
        p = run(d, args(n1=3))
        self.assertEqual(p.returncode, 2, p.stdout[-2000:])
        self.assertIn("A line pha adds to the template", p.stdout)
        self.assertIn("Label '3' is unknown", p.stdout)
        self.assertIn("x('1')..x('3')", p.stdout)
        # Text labels: pha's own lines name x('1'), which this model does not have.
        text = TWO.replace("/1*2/, j", "/wheat, corn/, j").replace("x('1')", "x('wheat')").replace(
            "x('2')", "x('corn')").replace("w('1')", "w('wheat')").replace("w('2')", "w('corn')").replace(
            "xbar('1')", "xbar('wheat')").replace("xbar('2')", "xbar('corn')")
        d = make_run("text-labels", template=text)
        p = run(d, args())
        self.assertEqual(p.returncode, 2, p.stdout[-2000:])
        self.assertIn("x('1')..x('2')", p.stdout)
        self.assertIn("labels 1 to 2", p.stdout)


class ErrorsOnceTest(unittest.TestCase):
    def test_a_template_that_does_not_compile_is_reported_once_at_its_line(self):
        d = make_run("compile", template=TWO.replace("short2.. y('2')", "short2.. yy('2')"),
                     scenarios="".join(f"{1 / 12:.12f} {50 + k} 10\n" for k in range(12)))
        p = run(d, args())
        self.assertEqual(p.returncode, 2, p.stdout[-2000:])
        out = p.stdout + p.stderr
        self.assertEqual(out.count("Unknown symbol 'yy'"), 1, out)
        self.assertIn("the same in every scenario", out)
        self.assertIn("'two.gms', line 14, column 11: Unknown symbol 'yy'", out)
        self.assertIn(" >>   short2.. yy('2') =g= d2 - x('2');\n >>             ^", out)
        self.assertNotIn("scw:", out)
        self.assertLess(len(out.splitlines()), 60, out)

    def test_names_and_options_are_checked_before_anything_runs(self):
        d = make_run("names")
        p = run(d, replaced(args(), "--cost", "costt"))
        self.assertEqual(p.returncode, 2)
        self.assertIn("--cost 'costt': the template 'two.gms' has no variable of this name.", p.stdout)
        self.assertIn("Did you mean 'cost'?", p.stdout)
        self.assertFalse(os.path.exists(os.path.join(d, "scenario1.gms")))
        p = run(d, args(extra=["--objective", "zz"]))
        self.assertIn("--objective 'zz'", p.stdout)
        # A name the template has, but not of a variable: its fault shows in pha's own line, said as such.
        p = run(d, replaced(args(), "--cost", "d1"))
        self.assertEqual(p.returncode, 2)
        self.assertIn("A line pha adds to the template", p.stdout)
        self.assertIn("put 'cost ' d1.l /;", p.stdout)
        self.assertIn("--cost and --objective must name scalar variables of the model.", p.stdout)
        arguments = args()
        arguments[arguments.index("--max-iter")] = "--max-iters"
        p = run(d, arguments)
        self.assertEqual(p.returncode, 2)
        self.assertIn("'--max-iters' is not an option of pha; did you mean '--max-iter'?", p.stderr)
        # A bad --gams once, not once per scenario; no pathGAMS.txt suggests --gams.
        p = run(d, replaced(args(), "--gams", "/nowhere/gams"))
        self.assertEqual(p.returncode, 2)
        self.assertEqual((p.stdout + p.stderr).count("/nowhere/gams"), 1, p.stdout + p.stderr)
        p = run(d, replaced(args(), "--gams", None))
        self.assertEqual(p.returncode, 2)
        self.assertIn("no file 'pathGAMS.txt'", p.stdout)
        self.assertIn("Give --gams PATH", p.stdout)


def many_scenarios(n):
    """n scenarios of the small model, demands spread around (100, 30)."""
    return "".join(f"{1 / n:.15f} {60 + 80 * k / (n - 1):.3f} {10 + 40 * k / (n - 1):.3f}\n" for k in range(n))


class ConsoleTest(unittest.TestCase):
    def test_fifty_scenarios_print_one_line_per_iteration(self):
        d = make_run("console-50", scenarios=many_scenarios(50))
        iterations = 20
        p = run(d, replaced(replaced(args(), "--max-iter", str(iterations)), "--tol", "1e-12") +
                ["--bound-every", "1"])
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        lines = p.stdout.splitlines()
        self.assertLess(len(lines), 200, p.stdout)
        rows = [line for line in lines if re.match(r"Iteration \d+: delta \S+, D \S+, .*best L \S+, best U \S+, "
                                                   r"gap \S+, \d+\.\d\d s$", line)]
        self.assertEqual(len(rows), iterations + 1, p.stdout)
        self.assertNotIn("Second-stage decision", p.stdout)
        self.assertIn("Inner bound U = ", p.stdout)
        # results.txt keeps every scenario's decisions, within the size the README gives per iteration:
        # S (60 + (n1 + n2)(16 + d)) + (n1 + 1)(16 + d) + 60 bytes, d digits before the point (here at most 6).
        size = os.path.getsize(os.path.join(d, "results.txt"))
        self.assertLessEqual(size, (iterations + 1) * (50 * (60 + 4 * 22) + 3 * 22 + 60))
        self.assertGreater(size, (iterations + 1) * 50 * 4 * 17)
        # A reason that holds every bound round is said once (here the weights leave a scenario unbounded).
        few = make_run("console-notices")
        arguments = replaced(replaced(args(), "--max-iter", "10"), "--tol", "1e-12") + ["--bound-every", "1"]
        p = run(few, arguments)
        self.assertEqual(p.returncode, 0, p.stdout[-2000:])
        self.assertEqual(p.stdout.count("No outer bound"), 1, p.stdout)
        self.assertIn("with rho 0 and its weights. (said once; --verbose repeats it)", p.stdout)
        self.assertGreater(run(few, arguments + ["--verbose"]).stdout.count("No outer bound"), 1)
        # --verbose: the per-scenario listing of every iteration, as before.
        p = run(d, replaced(args(), "--max-iter", "2") + ["--verbose"])
        self.assertEqual(p.returncode, 0, p.stdout[-2000:])
        self.assertEqual(p.stdout.count("Second-stage decision for scenario 50:"), 3)
        self.assertIn(">> SCENARIO 50: probability", p.stdout)


class InterruptionTest(unittest.TestCase):
    def test_ctrl_c_prints_the_best_plan_and_records_why(self):
        for sig, name in [(signal.SIGINT, "SIGINT"), (signal.SIGTERM, "SIGTERM")]:
            d = make_run(f"interrupted-{name}", scenarios=many_scenarios(50))
            arguments = replaced(replaced(args(), "--max-iter", "100000"), "--tol", "1e-14") + [
                "--bound-every", "1", "--json", "run.json"]
            out = open(os.path.join(d, "console.txt"), "w")
            p = subprocess.Popen([PHA, *arguments], cwd=d, stdout=out, stderr=subprocess.STDOUT)
            record = os.path.join(d, "run.json")
            deadline = time.monotonic() + 600  # a guard only: the run goes on until it is interrupted
            while time.monotonic() < deadline and p.poll() is None:
                try:
                    with open(record) as f:
                        if len(json.load(f)["iterations"]) >= 3:
                            break
                except (OSError, ValueError, KeyError):
                    pass
                time.sleep(0.1)
            p.send_signal(sig)
            p.wait(timeout=120)
            out.close()
            with open(os.path.join(d, "console.txt")) as f:
                console = f.read()
            self.assertEqual(p.returncode, 128 + sig, console[-2000:])
            self.assertRegex(console, rf"Finished: interrupted by {name} in iteration \d+")
            self.assertRegex(console, r"Plan \(the first stage of the best inner bound, iteration \d+\):\n"
                                      r"  x\('1'\) = \S+\n  x\('2'\) = \S+\n")
            self.assertIn("Outer bound L = ", console)
            with open(record) as f:
                final = json.load(f)["final"]
            self.assertIsNotNone(final, console[-2000:])
            self.assertIn(f"interrupted by {name}", final["reason"])
            self.assertEqual(len(final["plan"]), 2)
            self.assertLessEqual(final["L"], 175 + 1e-6)  # the optimum of the extensive form bounds L ...
            self.assertGreaterEqual(final["U"], final["L"])

    def test_a_second_run_keeps_the_first_runs_records(self):
        d = make_run("second-run")
        for _ in range(3):
            p = run(d, args(extra=["--json", "run.json"]))
            self.assertEqual(p.returncode, 0, p.stdout[-2000:])
        self.assertIn("The earlier run's 'results.txt' is kept as 'results.2.txt'.", p.stdout)
        self.assertIn("The earlier run's 'run.json' is kept as 'run.2.json'.", p.stdout)
        for name in ["results.txt", "results.1.txt", "results.2.txt", "run.json", "run.1.json", "run.2.json"]:
            self.assertTrue(os.path.exists(os.path.join(d, name)), name)
        with open(os.path.join(d, "run.1.json")) as f:
            self.assertEqual(json.load(f)["final"]["reason"], "the iteration limit")


class RhoAutoTest(unittest.TestCase):
    def test_first_solutions_that_nearly_coincide_give_a_bounded_rho(self):
        def rho_auto(scenarios):
            d = make_run("rho-auto", scenarios=scenarios)
            p = run(d, replaced(replaced(args(), "--rho", "auto"), "--max-iter", "5") + ["--bound-every", "1"])
            self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
            rho = re.search(r"Iteration 0: .*rho \((\S+), (\S+)\)", p.stdout)
            self.assertTrue(rho, p.stdout)
            return p.stdout, [float(v) for v in rho.groups()]

        # The measured rho was 444 and 7000 here: the scenarios locked at their first average.
        out, rho = rho_auto("0.5 100 30\n0.5 100.01 30.001\n")
        self.assertIn("rho auto: measured values outside 0.001 to 1e+03 times the cost scale are kept at its edge "
                      "(x('1') 444 -> 16.4, x('2') 7e+03 -> 38.3).", out)
        self.assertEqual(rho, [16.43, 38.33])
        # The template writes the mean rho only: every x_j is pulled with it.
        self.assertIn("writes only @300, the mean of the rho_j", out)
        # Nothing to measure: the cost scale, said once.
        out, rho = rho_auto("0.5 100 30\n0.5 100 30\n")
        self.assertIn("the scenarios' first solutions agree on 2 of 2 first-stage variables", out)
        self.assertEqual(rho, [0.01643, 0.03833])
        # With @500 and @501 in the proximal term, no warning.
        d = make_run("rho-auto-per-variable", template=TWO.replace(
            "rho/2*sum(i, sqr(x(i) - xbar(i)))", "@500 /2*sqr(x('1') - xbar('1')) + @501 /2*sqr(x('2') - xbar('2'))"))
        p = run(d, replaced(replaced(args(), "--rho", "auto"), "--max-iter", "2"))
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        self.assertNotIn("writes only @300", p.stdout)


if __name__ == "__main__":
    unittest.main()
