"""Option mode on a binary first stage with the natural proximal term sqr(x - xbar) (a MIQCP).

The facility example's template is rewritten with that term; its extensive form's optimum is 310
(examples/facility/README.md). Checked: the bundled solver takes the models (no crash), an inner
bound exists from the first bound round, L <= 310 <= U in every round, and a plan that some
scenario cannot take is skipped with one line, not an error per iteration.
"""
import json
import os
import re
import shutil
import subprocess
import unittest

PHA = os.environ["PHA_BIN"]
BUNDLED = os.environ["BUNDLED_GAMS"]
EXAMPLES = os.environ["EXAMPLES_DIR"]
RUNS = os.environ["OPTION_RUNS_DIR"]
EF_OPTIMUM = 310.0


def facility_run(name, no_unmet_demand=False):
    directory = os.path.join(RUNS, name)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    source = os.path.join(EXAMPLES, "facility")
    shutil.copy(os.path.join(source, "scenarios.txt"), directory)
    with open(os.path.join(source, "facility.gms")) as f:
        template = f.read()
    template = template.replace("x(i)*(1 - 2*xbar(i)) + sqr(xbar(i))", "sqr(x(i) - xbar(i))")
    template = template.replace("using mip", "using miqcp")
    if no_unmet_demand:
        template = template.replace("Model facility", "y.fx('7') = 0; y.fx('8') = 0;\nModel facility")
    assert "sqr(x(i) - xbar(i))" in template and "using miqcp" in template
    with open(os.path.join(directory, "template.gms"), "w") as f:
        f.write(template)
    args = ["--template", "template.gms", "--scenarios", "scenarios.txt", "--n1", "3", "--n2", "8",
            "--tol", "0.0001", "--rho", "5", "--max-iter", "40", "--gams", BUNDLED, "--bound-every", "1",
            "--json", "run.json"]
    p = subprocess.run([PHA, *args], cwd=directory, capture_output=True, text=True, timeout=600)
    with open(os.path.join(directory, "run.json")) as f:
        record = json.load(f)
    return p, record


class IntegerFirstStageTest(unittest.TestCase):
    def test_inner_bounds_from_the_first_round_around_the_optimum(self):
        p, record = facility_run("integer-facility")
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        first = record["iterations"][0]
        self.assertIsNotNone(first["bestU"], "no inner bound in the first bound round")
        for it in record["iterations"]:
            self.assertLessEqual(it["bestL"], EF_OPTIMUM + 1e-6, it)
            self.assertGreaterEqual(it["bestU"], EF_OPTIMUM - 1e-6, it)
        self.assertAlmostEqual(record["iterations"][-1]["bestU"], EF_OPTIMUM, places=6)
        self.assertNotIn("No inner bound", p.stdout)

    def test_a_plan_a_scenario_cannot_take_is_skipped_once(self):
        # Without unmet demand, site 3 alone (what the low scenario picks) cannot serve the high demand.
        p, record = facility_run("integer-facility-tight", no_unmet_demand=True)
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        skipped = re.findall(r"Inner bound: the plan (\(.*?\)), .*skipped: scenario \d+ is infeasible", p.stdout)
        self.assertTrue(skipped, p.stdout[-3000:])
        self.assertEqual(len(skipped), len(set(skipped)), "a plan was tried more than once")
        self.assertNotIn("No inner bound", p.stdout)
        self.assertIsNotNone(record["iterations"][0]["bestU"])
        for it in record["iterations"]:
            self.assertLessEqual(it["bestL"], it["bestU"] + 1e-6, it)


def network_run(name, *options, fresh=True):
    """The network example (8 binary sites) on its first 10 scenarios, equally likely."""
    directory = os.path.join(RUNS, name)
    if fresh:
        shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory, exist_ok=True)
    source = os.path.join(EXAMPLES, "network")
    shutil.copy(os.path.join(source, "network-short.gms"), directory)
    with open(os.path.join(source, "scenarios.txt")) as f:
        rows = [line.split()[1:] for line in f if line.strip() and not line.startswith("%")][:10]
    with open(os.path.join(directory, "scenarios.txt"), "w") as f:
        f.writelines("0.1 %s\n" % " ".join(row) for row in rows)
    args = ["--template", "network-short.gms", "--scenarios", "scenarios.txt", "--n1", "8", "--n2", "36",
            "--cost", "scenarioCost", "--gams", BUNDLED, *options]
    p = subprocess.run([PHA, *args], cwd=directory, capture_output=True, text=True, timeout=1200)
    record = None
    if os.path.exists(os.path.join(directory, "run.json")):
        with open(os.path.join(directory, "run.json")) as f:
            record = json.load(f)
    return p, record


class IntegerHeuristicsTest(unittest.TestCase):
    def test_fixing_and_slamming_keep_the_bounds_around_the_extensive_form(self):
        ef, _ = network_run("network-ef", "--ef")
        self.assertEqual(ef.returncode, 0, ef.stdout[-3000:] + ef.stderr)
        optimum = float(re.search(r"Expected cost of the extensive form = (\S+)", ef.stdout).group(1))
        p, record = network_run("network-heuristics", "--rho", "20", "--max-iter", "60", "--bound-every", "5",
                                "--fix-after", "3", "--slam-after", "5", "--gap", "0.01", "--json", "run.json")
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        fixed = re.findall(r"x\('(\d+)'\) fixed at (\S+) from now on", p.stdout)
        self.assertTrue(fixed, p.stdout[-3000:])
        self.assertEqual(len(fixed), len({entry for entry, _ in fixed}), "an entry was fixed twice")
        for it in record["iterations"]:
            if it["bestL"] is not None:
                self.assertLessEqual(it["bestL"], optimum + 1e-6, it)
            if it["bestU"] is not None:
                self.assertGreaterEqual(it["bestU"], optimum - 1e-6, it)
        # The outer bound from the scenarios' points closes the gap that the weights alone leave open.
        self.assertIn("Finished: the gap of the bounds is within --gap.", p.stdout, p.stdout[-3000:])
        self.assertGreaterEqual(record["iterations"][-1]["bestL"], 0.99 * optimum)

        off, _ = network_run("network-no-heuristics", "--rho", "20", "--max-iter", "3", "--fix-after", "0",
                             "--slam-after", "0")
        self.assertEqual(off.returncode, 0, off.stdout[-3000:] + off.stderr)
        self.assertNotIn("fixed at", off.stdout)

    def test_resume_keeps_the_fixings(self):
        common = ["--rho", "20", "--bound-every", "5", "--fix-after", "3", "--slam-after", "5", "--json", "run.json"]
        p, record = network_run("network-resume", "--max-iter", "12", *common)
        self.assertEqual(p.returncode, 0, p.stdout[-3000:] + p.stderr)
        fixed = set(re.findall(r"x\('(\d+)'\) fixed at", p.stdout))
        self.assertTrue(fixed, p.stdout[-3000:])
        self.assertEqual({str(f["entry"]) for f in record["resume"]["fixings"]}, fixed)
        q, _ = network_run("network-resume", "--max-iter", "16", "--resume", "run.json", *common, fresh=False)
        self.assertEqual(q.returncode, 0, q.stdout[-3000:] + q.stderr)
        self.assertIn("%d entries of x stay fixed" % len(fixed), q.stdout)
        self.assertFalse(fixed & set(re.findall(r"x\('(\d+)'\) fixed at", q.stdout)), "an entry was fixed again")


if __name__ == "__main__":
    unittest.main()
