"""End-to-end runs of the option mode's bounds through the real mpirun, scw and
the bundled solver: the gap stop, the bounds around the extensive form's
optimum, full precision, and the refusals that protect the answer.
"""
import json
import os
import shutil
import subprocess
import unittest

# Time limits are guards against a hang, never a measure: a loaded machine may be many times slower.
GUARD = 1200

PHA = os.environ["PHA_BIN"]
GAMS = os.environ["GAMS_BUNDLED"]
FARMER_SCENARIOS = os.environ["FARMER_SCENARIOS_BIN"]
EXAMPLES = os.environ["PHA_EXAMPLES_DIR"]
REFERENCE = os.environ["FARMER10_REFERENCE"]
RUNS = os.environ["PHA_RUNS_DIR"]


def fresh(name, files=()):
    directory = os.path.join(RUNS, "trust-" + name)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    for f in files:
        shutil.copy(f, directory)
    return directory


def farmer(name):
    src = os.path.join(EXAMPLES, "farmer")
    return fresh(name, [os.path.join(src, "farmer-cost.gms"), os.path.join(src, "scenarios.txt")])


def pha(directory, *options, template="farmer-cost.gms", n1=3, n2=6, tol="0.01", rho="1", max_iter="100"):
    args = [PHA, "--template", template, "--scenarios", "scenarios.txt", "--n1", str(n1), "--n2", str(n2),
            "--tol", tol] + (["--rho", rho] if rho is not None else []) + ["--max-iter", max_iter, "--gams", os.path.dirname(GAMS),
            "--workers", "2"] + list(options)
    return subprocess.run(args, cwd=directory, capture_output=True, text=True, timeout=GUARD)


def record(directory):
    with open(os.path.join(directory, "run.json")) as f:
        return json.load(f)


def reference_objective():
    with open(REFERENCE) as f:
        for line in f:
            parts = line.split()
            if parts and parts[0] == "objective":
                return float(parts[1])
    raise AssertionError("no objective in " + REFERENCE)


class GapStopTest(unittest.TestCase):
    def test_farmer_stops_on_the_gap_with_the_published_plan(self):
        d = farmer("gap")
        run = pha(d, "--cost", "scenarioCost", "--digits", "12", "--bound-every", "2", "--gap", "1e-4",
                  "--json", "run.json")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        final = record(d)["final"]
        self.assertEqual(final["verdict"], "optimal")
        self.assertLessEqual(final["gap"], 1e-4)
        self.assertLess(final["iterations"], 100)
        self.assertLess(abs(final["U"] - -108390) / 108390, 1e-4)
        for got, want in zip(final["plan"], [170, 80, 250]):
            self.assertLess(abs(got - want), 1e-3 * want, final["plan"])
        self.assertIn("Finished: the gap of the bounds is within --gap.", run.stdout)
        self.assertIn("Optimal within the gap", run.stdout)
        # pha-report reads the record and prints its bounds.
        report = subprocess.run([os.path.join(os.path.dirname(PHA), "pha-report"), "run.json", "-o", "b.svg"],
                                cwd=d, capture_output=True, text=True, timeout=GUARD)
        self.assertIn("Verdict: optimal", report.stdout, report.stderr)

    def test_without_the_gap_the_verdict_does_not_claim_optimality(self):
        d = farmer("no-gap")
        run = pha(d, "--cost", "scenarioCost", "--start", "zero", "--json", "run.json", max_iter="3")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        final = record(d)["final"]
        self.assertNotEqual(final["verdict"], "optimal")
        self.assertGreater(final["gap"], 1e-3)
        self.assertIn("not shown to be optimal", run.stdout)
        self.assertNotIn("Optimal solution has been found", run.stdout)


class FullPrecisionTest(unittest.TestCase):
    def test_farmer_converges_to_the_published_plan(self):
        d = farmer("precision")
        run = pha(d, "--digits", "12", "--json", "run.json", tol="1e-8", max_iter="300")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        final = record(d)["final"]
        self.assertLess(final["iterations"], 300)
        for got, want in zip(final["plan"], [170, 80, 250]):
            self.assertLess(abs(got - want), 1e-4 * want, final["plan"])
        self.assertLess(final["gap"], 1e-6)


class BoundsAroundOptimumTest(unittest.TestCase):
    def test_farmer10_outer_and_inner_bound_enclose_the_optimum_every_iteration(self):
        d = fresh("farmer10", [os.path.join(EXAMPLES, "farmer", "farmer-cost.gms")])
        subprocess.run([FARMER_SCENARIOS, "10", "--dir", d], check=True, capture_output=True, timeout=GUARD)
        optimum = reference_objective()
        run = pha(d, "--cost", "scenarioCost", "--digits", "10", "--bound-every", "1", "--json", "run.json",
                  max_iter="12")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        slack = 0.01  # the reference optimum is published with two decimals
        iterations = record(d)["iterations"]
        self.assertEqual(len(iterations), 13)  # iteration 0 and 12 more
        for it in iterations:
            self.assertIsNotNone(it["bestL"], it)
            self.assertIsNotNone(it["bestU"], it)
            self.assertLessEqual(it["bestL"], optimum + slack, it)
            self.assertGreaterEqual(it["bestU"], optimum - slack, it)
            if it["L"] is not None:
                self.assertLessEqual(it["L"], optimum + slack, it)
            if it["U"] is not None:
                self.assertGreaterEqual(it["U"], optimum - slack, it)


class RefusalTest(unittest.TestCase):
    def test_a_glued_code_is_refused_with_template_line_and_code(self):
        d = farmer("glued")
        path = os.path.join(d, "farmer-cost.gms")
        with open(path) as f:
            text = f.read()
        with open(path, "w") as f:
            f.write(text.replace("yield('2') = @1 ;", "yield('2') = @1;"))
        run = pha(d, "--cost", "scenarioCost")
        self.assertEqual(run.returncode, 2)
        self.assertIn("characters glued to it", run.stdout)
        self.assertIn("The code '@1;' in line", run.stdout)

    def test_an_unbounded_scenario_stops_the_run(self):
        d = fresh("unbounded")
        with open(os.path.join(d, "t.gms"), "w") as f:
            f.write("Scalar c / @0 /;\nSet j / 1 /;\nVariables x(j), y(j), z;\nEquations obj, rec;\n"
                    "obj.. z =e= c*x('1');\nrec.. y('1') =e= x('1');\nModel m / all /;\n"
                    "Solve m using lp minimizing z;\n")
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("0.5 1\n0.5 2\n")
        run = pha(d, template="t.gms", n1=1, n2=1)
        self.assertEqual(run.returncode, 2, run.stdout)
        self.assertIn("is unbounded", run.stdout)

    def test_rho_lost_at_the_decimals_is_refused(self):
        d = farmer("rho")
        run = pha(d, "--digits", "3", rho="0.0004")
        self.assertEqual(run.returncode, 2)
        self.assertIn("The value 0.0004 of --rho is written into the models as 0 with 3 decimals.", run.stdout)


if __name__ == "__main__":
    unittest.main()
