"""Every example from its short template (the scenario model alone, pha adds
the hedging terms) and from its -cost template (the terms written by hand):
the same options give the same iterations, plan and bounds, and the plan is
the extensive form's. The short template's --ef gives the same optimum.
"""
import os
import re
import shutil
import subprocess
import unittest

PHA = os.environ["PHA_BIN"]
BUNDLED = os.environ["BUNDLED_GAMS"]
EXAMPLES = os.environ["EXAMPLES_DIR"]
RUNS = os.environ["OPTION_RUNS_DIR"]
os.makedirs(RUNS, exist_ok=True)

# (example, n1, n2, options): the examples' rho; the L-shaped example, which a
# fixed rho does not settle, with --rho auto and acceleration.
CASES = [
    ("farmer", 3, 6, ["--rho", "1", "--tol", "0.01"]),
    ("lands", 4, 12, ["--rho", "1", "--tol", "1e-4"]),
    ("lshaped", 2, 2, ["--rho", "auto", "--accelerate", "6", "--tol", "1e-3"]),
    ("quadratic", 1, 1, ["--rho", "4", "--tol", "1e-7"]),
    ("facility", 3, 8, ["--rho", "5", "--tol", "1e-4"]),
]


def expected_optimum(name):
    values = {}
    with open(os.path.join(EXAMPLES, name, "expected.txt")) as f:
        for line in f:
            words = line.split()
            if words and not words[0].startswith("#"):
                values[words[0]] = [float(w) for w in words[1:]]
    return values["objective"][0], values["x"]


def run(name, template, n1, n2, *options):
    d = os.path.join(RUNS, "short-%s-%s" % (name, template.replace(".gms", "")))
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    for f in [template, "scenarios.txt"]:
        shutil.copy(os.path.join(EXAMPLES, name, f), d)
    return subprocess.run([PHA, "--template", template, "--scenarios", "scenarios.txt", "--n1", str(n1),
                           "--n2", str(n2), "--cost", "scenarioCost", "--gams", BUNDLED, *options],
                          cwd=d, capture_output=True, text=True, timeout=600)


def answer(stdout):
    """Iterations, plan, U and L of a PH run's verdict."""
    plan_part = stdout[stdout.index("Plan ("):]
    plan = [float(v) for v in re.findall(r"  x\('\d+'\) = (\S+)", plan_part)]
    upper = float(re.search(r"Inner bound U = (\S+)", stdout).group(1))
    lower = float(re.search(r"Outer bound L = (\S+)", stdout).group(1))
    iterations = int(re.findall(r"^Iteration (\d+):", stdout, re.M)[-1])
    return iterations, plan, upper, lower


class ShortTemplatesTest(unittest.TestCase):
    def test_short_and_hand_written_terms_give_the_same_answer(self):
        for name, n1, n2, options in CASES:
            with self.subTest(name):
                common = options + ["--max-iter", "60", "--bound-every", "1", "--gap", "1e-4"]
                short = run(name, name + "-short.gms", n1, n2, *common)
                self.assertEqual(short.returncode, 0, short.stdout[-3000:] + short.stderr)
                self.assertIn("Hedging terms: added by pha to the cost scenarioCost", short.stdout)
                own = run(name, name + "-cost.gms", n1, n2, *common)
                self.assertEqual(own.returncode, 0, own.stdout[-3000:] + own.stderr)
                self.assertIn("Hedging terms: the template's own (its solve statement minimises z", own.stdout)

                iterations, plan, upper, lower = answer(short.stdout)
                own_iterations, own_plan, own_upper, own_lower = answer(own.stdout)
                # The same models up to their writing: the same iterates.
                self.assertEqual(iterations, own_iterations)
                for a, b in zip(plan, own_plan):
                    self.assertAlmostEqual(a, b, delta=1e-6 * max(1, abs(b)))
                self.assertAlmostEqual(upper, own_upper, delta=1e-7 * max(1, abs(own_upper)))
                self.assertAlmostEqual(lower, own_lower, delta=1e-7 * max(1, abs(own_lower)))
                # ... and the extensive form's answer within the gap.
                optimum, _ = expected_optimum(name)
                scale = max(1, abs(optimum))
                self.assertLessEqual(lower, optimum + 1e-6 * scale)
                self.assertGreaterEqual(upper, optimum - 1e-6 * scale)
                self.assertLessEqual((upper - optimum) / scale, 1e-4)

    def test_the_short_templates_extensive_form(self):
        for name, n1, n2, _ in CASES:
            with self.subTest(name):
                p = run(name, name + "-short.gms", n1, n2, "--ef")
                self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
                optimum, x = expected_optimum(name)
                cost = float(re.search(r"Expected cost of the extensive form = (\S+)", p.stdout).group(1))
                self.assertAlmostEqual(cost, optimum, delta=1e-6 * max(1, abs(optimum)))
                plan = [float(v) for v in re.findall(r"  x\('\d+'\) = (\S+)", p.stdout)]
                for got, want in zip(plan, x):
                    self.assertAlmostEqual(got, want, delta=1e-4 * max(1, abs(want)))

    def test_terms_counted_twice_are_refused_before_any_solve(self):
        d = os.path.join(RUNS, "short-mix")
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        shutil.copy(os.path.join(EXAMPLES, "farmer", "scenarios.txt"), d)
        with open(os.path.join(EXAMPLES, "farmer", "farmer-cost.gms")) as f:
            text = f.read()
        # The hand-written terms, with the solve statement minimising the cost.
        with open(os.path.join(d, "mix.gms"), "w") as f:
            f.write(text.replace("minimizing z;", "minimizing scenarioCost;"))
        p = subprocess.run([PHA, "--template", "mix.gms", "--scenarios", "scenarios.txt", "--n1", "3", "--n2", "6",
                            "--tol", "0.01", "--rho", "1", "--max-iter", "5", "--cost", "scenarioCost",
                            "--gams", BUNDLED], cwd=d, capture_output=True, text=True, timeout=120)
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertIn("also uses the code @100 in line 18", p.stdout + p.stderr)
        self.assertIn("the terms would count twice", p.stdout + p.stderr)
        self.assertFalse(os.path.exists(os.path.join(d, "scenario1.gms")))

    def test_more_values_than_a_range_of_codes_holds(self):
        # 120 first-stage variables and 120 values per scenario: no weight codes, so pha's named parameters
        # carry the terms, and the template reads the values as phaData. Each unit of x costs 1, each unit
        # short of the demand 2; every demand 2 (p 0.3) or 6 (p 0.7): x = 6, cost 720 in all.
        d = os.path.join(RUNS, "short-long")
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        with open(os.path.join(d, "long.gms"), "w") as f:
            f.write("Set i / 1*120 /;\nParameter demand(i);\ndemand(i) = phaData(i);\n"
                    "Positive Variables x(i), y(i);\n"
                    "Variable scenarioCost;\nx.up(i) = 10;\nEquations short(i), costdef;\n"
                    "short(i).. y(i) =g= demand(i) - x(i);\ncostdef.. scenarioCost =e= sum(i, x(i) + 2*y(i));\n"
                    "Model m / all /;\nSolve m using lp minimizing scenarioCost;\n")
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("0.3" + " 2" * 120 + "\n0.7" + " 6" * 120 + "\n")
        common = [PHA, "--template", "long.gms", "--scenarios", "scenarios.txt", "--n1", "120", "--n2", "120",
                  "--cost", "scenarioCost", "--gams", BUNDLED]
        p = subprocess.run(common + ["--ef"], cwd=d, capture_output=True, text=True, timeout=300)
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        self.assertIn("Expected cost of the extensive form = 720\n", p.stdout)
        p = subprocess.run(common + ["--rho", "1", "--tol", "1e-6", "--max-iter", "30", "--bound-every", "1",
                                     "--gap", "1e-6"], cwd=d, capture_output=True, text=True, timeout=600)
        self.assertEqual(p.returncode, 0, p.stdout[-2000:] + p.stderr)
        _, plan, upper, lower = answer(p.stdout)
        self.assertEqual(len(plan), 120)
        self.assertLessEqual(lower, 720 + 1e-6)
        self.assertGreaterEqual(upper, 720 - 1e-6)

    def test_general_integers_keep_the_quadratic_term_as_an_miqcp(self):
        # x integer (not binary): x^2 = x does not hold, so the MIP becomes an MIQCP (Bonmin here).
        d = os.path.join(RUNS, "short-integer")
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        with open(os.path.join(d, "int.gms"), "w") as f:
            f.write("Set i / 1*2 /;\nScalar d / @0 /;\nInteger Variable x(i);\nPositive Variable y(i);\n"
                    "Variable scenarioCost;\nx.up(i) = 10;\nEquations meet, costdef;\n"
                    "meet.. x('1') + 2*x('2') + y('1') - y('2') =e= d;\n"
                    "costdef.. scenarioCost =e= 3*x('1') + 5*x('2') + 10*y('1') + 2*y('2');\n"
                    "Model m / meet, costdef /;\nSolve m using mip minimizing scenarioCost;\n")
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("0.5 3\n0.5 8\n")
        p = subprocess.run([PHA, "--template", "int.gms", "--scenarios", "scenarios.txt", "--n1", "2", "--n2", "2",
                            "--cost", "scenarioCost", "--rho", "2", "--max-iter", "4", "--bound-every", "1",
                            "--gams", BUNDLED], cwd=d, capture_output=True, text=True, timeout=600)
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        self.assertIn("quadratic for the integer x", p.stdout)
        _, plan, upper, lower = answer(p.stdout)
        self.assertEqual(plan, [round(v) for v in plan])
        # The extensive form's optimum is 25 (x = (0, 4)); the bounds hold it.
        self.assertLessEqual(lower, 25 + 1e-6)
        self.assertGreaterEqual(upper, 25 - 1e-6)


if __name__ == "__main__":
    unittest.main()
