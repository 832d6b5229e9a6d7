"""pha --ef and --ef-check: the extensive form built from the template and the
settings file and solved by the bundled solver in pha's own process.

The optima are checked against the examples' hand-written extensive forms
(their expected.txt) and, for the 10-scenario farmer, against the extensive
form that farmer-scenarios writes, solved by the bundled solver on its own.
"""
import json
import os
import re
import shutil
import subprocess
import unittest

PHA = os.environ["PHA_BIN"]
BUNDLED = os.environ["BUNDLED_GAMS"]
GAMS_DOUBLE = os.environ["GAMS_DOUBLE"]
EXAMPLES = os.environ["EXAMPLES_DIR"]
RUNS = os.environ["OPTION_RUNS_DIR"]
FARMER_SCENARIOS = os.environ["FARMER_SCENARIOS_BIN"]
os.makedirs(RUNS, exist_ok=True)


def example_run(name, template, run_name=None):
    d = os.path.join(RUNS, "ef-" + (run_name or name))
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    for f in [template, "scenarios.txt"]:
        shutil.copy(os.path.join(EXAMPLES, name, f), d)
    return d


def ef(directory, template, n1, n2, *extra, gams=BUNDLED):
    return subprocess.run([PHA, "--template", template, "--scenarios", "scenarios.txt", "--n1", str(n1),
                           "--n2", str(n2), "--cost", "scenarioCost", "--ef", "--gams", gams, *extra],
                          cwd=directory, capture_output=True, text=True, timeout=600)


def plan_and_cost(stdout):
    plan = [float(v) for v in re.findall(r"  x\('\d+'\) = (\S+)", stdout)]
    cost = re.search(r"Expected cost of the extensive form = (\S+)", stdout)
    return plan, float(cost.group(1)) if cost else None


class ExtensiveFormExamplesTest(unittest.TestCase):
    def test_the_examples_optima(self):
        # (example, template, n1, n2, plan, expected cost) as the examples' own extensive forms give them.
        cases = [("farmer", "farmer-cost.gms", 3, 6, [170, 80, 250], -108390),
                 ("lands", "lands-cost.gms", 4, 12, [8 / 3, 4, 10 / 3, 2], 381.853333),
                 ("lshaped", "lshaped-cost.gms", 2, 2, [46.666667, 36.25], -855.833333),
                 ("quadratic", "quadratic-cost.gms", 1, 1, [5.6], 25.88),
                 ("facility", "facility-cost.gms", 3, 8, [1, 1, 0], 310)]
        for name, template, n1, n2, want_plan, want_cost in cases:
            with self.subTest(name):
                d = example_run(name, template)
                p = ef(d, template, n1, n2, "--json", "ef.json")
                self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
                plan, cost = plan_and_cost(p.stdout)
                self.assertAlmostEqual(cost, want_cost, delta=1e-5 * max(1, abs(want_cost)))
                self.assertEqual(len(plan), n1)
                for got, want in zip(plan, want_plan):
                    self.assertAlmostEqual(got, want, delta=1e-4 * max(1, abs(want)))
                with open(os.path.join(d, "ef.json")) as f:
                    record = json.load(f)["extensive_form"]
                self.assertTrue(record["optimal"])
                self.assertAlmostEqual(record["expected_cost"], cost, delta=1e-5 * max(1, abs(cost)))
                self.assertEqual(len(record["plan"]), n1)
                # No workers and no scenario files: the form is built in memory.
                self.assertEqual([n for n in os.listdir(d) if n.startswith(("scenario", "done"))], ["scenarios.txt"])
        # The facility's first stage is binary: the joined model is a MIP.
        self.assertEqual(record["model_type"], "MIP")

    def test_ten_farmer_scenarios_against_their_written_extensive_form(self):
        d = example_run("farmer", "farmer-cost.gms", "farmer10")
        subprocess.run([FARMER_SCENARIOS, "10", "--dir", d], check=True, capture_output=True, timeout=1200)
        p = ef(d, "farmer-cost.gms", 3, 6)
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        plan, cost = plan_and_cost(p.stdout)
        q = subprocess.run([BUNDLED, "farmer-ef.gms"], cwd=d, capture_output=True, text=True, timeout=1200)
        self.assertEqual(q.returncode, 0, q.stdout + q.stderr)
        with open(os.path.join(d, "farmer-ef.lst")) as f:
            listing = f.read()
        written = float(re.search(r"OBJECTIVE VALUE\s+(\S+)", listing).group(1))
        self.assertAlmostEqual(cost, written, delta=1e-6 * abs(written))
        self.assertEqual(len(plan), 3)
        self.assertAlmostEqual(sum(plan), 500, delta=1e-4)  # all the land is planted


# One first-stage variable x('1') with a cost of its own; the data make the
# scenarios feasible alone but not together, or the joined form unbounded.
TINY = """Set i / 1 /;
Variable x(i), scenarioCost;
Equations limit, costdef;
limit.. @0 * x('1') =g= @1 ;
costdef.. scenarioCost =e= @2 * x('1');
Model tiny / all /;
Solve tiny using lp minimizing scenarioCost;
"""


class ExtensiveFormRefusalsTest(unittest.TestCase):
    def tiny(self, name, lines):
        d = os.path.join(RUNS, "ef-" + name)
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        with open(os.path.join(d, "tiny.gms"), "w") as f:
            f.write(TINY)
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("\n".join(lines) + "\n")
        return d

    def test_infeasible_and_unbounded_are_no_optimum(self):
        # x >= 2 in one scenario, x <= 1 in the other.
        d = self.tiny("infeasible", ["0.5 1 2 1", "0.5 -1 -1 1"])
        p = ef(d, "tiny.gms", 1, 0, "--json", "ef.json")
        self.assertNotEqual(p.returncode, 0, p.stdout)
        self.assertIn("Infeasible", p.stdout)
        self.assertNotIn("is solved", p.stdout)
        self.assertNotIn("Expected cost", p.stdout)
        with open(os.path.join(d, "ef.json")) as f:
            record = json.load(f)["extensive_form"]
        self.assertFalse(record["optimal"])
        self.assertIsNone(record["expected_cost"])
        # The same scenarios together feasible: min x with x >= 2 and x >= -1 gives 2.
        d = self.tiny("feasible", ["0.5 1 2 1", "0.5 1 -1 1"])
        p = ef(d, "tiny.gms", 1, 0)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertEqual(plan_and_cost(p.stdout), ([2.0], 2.0))
        # min -x with only x >= 2: unbounded.
        d = self.tiny("unbounded", ["0.5 1 2 -1", "0.5 1 1 -1"])
        p = ef(d, "tiny.gms", 1, 0)
        self.assertNotEqual(p.returncode, 0, p.stdout)
        self.assertIn("Unbounded", p.stdout)
        self.assertNotIn("Expected cost", p.stdout)

    def test_refused_without_cost_with_a_real_gams_and_for_a_missing_first_stage(self):
        d = self.tiny("refusals", ["0.5 1 2 1", "0.5 1 1 1"])
        p = subprocess.run([PHA, "--template", "tiny.gms", "--scenarios", "scenarios.txt", "--n1", "1", "--n2", "0",
                            "--ef", "--gams", BUNDLED], cwd=d, capture_output=True, text=True, timeout=1200)
        self.assertEqual(p.returncode, 2)
        self.assertIn("--ef needs --cost", p.stdout + p.stderr)
        p = ef(d, "tiny.gms", 1, 0, gams=GAMS_DOUBLE)
        self.assertEqual(p.returncode, 2)
        self.assertIn("is not the bundled solver", p.stdout + p.stderr)
        p = ef(d, "tiny.gms", 2, 0)
        self.assertEqual(p.returncode, 2)
        self.assertIn("x('2')", p.stdout + p.stderr)


class ExtensiveFormCheckTest(unittest.TestCase):
    def test_the_optimum_beside_the_bounds(self):
        d = example_run("farmer", "farmer-cost.gms", "farmer-check")
        p = subprocess.run([PHA, "--template", "farmer-cost.gms", "--scenarios", "scenarios.txt", "--n1", "3",
                            "--n2", "6", "--tol", "0.01", "--rho", "1", "--max-iter", "200", "--cost", "scenarioCost",
                            "--gap", "1e-3", "--bound-every", "1", "--digits", "12", "--gams", BUNDLED,
                            "--workers", "2", "--ef-check", "--json", "run.json"], cwd=d, capture_output=True, text=True, timeout=600)
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        self.assertLess(p.stdout.index("Expected cost of the extensive form = -108390"), p.stdout.index("Iteration"))
        line = re.search(r"Extensive form optimum (\S+); outer bound L = (\S+) \(L - EF = (\S+)\); "
                         r"inner bound U = (\S+) \(U - EF = (\S+), relative (\S+)\)", p.stdout)
        self.assertIsNotNone(line, p.stdout[-3000:])
        optimum, lower, upper = float(line.group(1)), float(line.group(2)), float(line.group(4))
        # The bounds bracket the optimum: L <= EF <= U (within the solvers' tolerances).
        self.assertLessEqual(lower, optimum + 1e-6 * abs(optimum))
        self.assertGreaterEqual(upper, optimum - 1e-6 * abs(optimum))
        self.assertLessEqual(float(line.group(6)), 1e-3 + 1e-9)
        with open(os.path.join(d, "run.json")) as f:
            record = json.load(f)
        self.assertAlmostEqual(record["extensive_form"]["expected_cost"], optimum, delta=1e-3)
        self.assertGreater(len(record["iterations"]), 0)


if __name__ == "__main__":
    unittest.main()
