"""End-to-end runs of rho per first-stage variable, residual balancing and
--resume through the real mpirun, scw and the bundled solver, on the farmer.
"""
import json
import os
import unittest

from test_trust import farmer, pha, record


def one_rho_template(directory):
    """farmer-cost.gms with the one rho of code 300 instead of rho_j from the codes 500.."""
    path = os.path.join(directory, "farmer-cost.gms")
    with open(path) as f:
        text = f.read()
    per_variable = ("Parameter rho(i) 'penalty parameter of each first-stage variable';\n"
                    "rho('1') = @500 ;\nrho('2') = @501 ;\nrho('3') = @502 ;")
    assert per_variable in text
    text = text.replace(per_variable, "Scalar rho 'penalty parameter' / @300 /;")
    text = text.replace("sum(i, rho(i)/2*sqr(x(i) - xbar(i)))", "rho/2*sum(i, sqr(x(i) - xbar(i)))")
    with open(os.path.join(directory, "farmer-one-rho.gms"), "w") as f:
        f.write(text)


def averages(directory):
    return {it["iteration"]: it["average"] for it in record(directory)["iterations"]}


class RhoFileTest(unittest.TestCase):
    def test_equal_values_per_variable_give_the_iterates_of_one_rho(self):
        d = farmer("rho-file")
        one_rho_template(d)
        with open(os.path.join(d, "rho.txt"), "w") as f:
            f.write("% wheat, corn, beets\n2\n2\n2\n")
        one = pha(d, "--digits", "12", "--json", "run.json", rho="2", max_iter="4", tol="1e-9",
                  template="farmer-one-rho.gms")
        self.assertEqual(one.returncode, 0, one.stdout + one.stderr)
        expected = averages(d)
        run = pha(d, "--digits", "12", "--json", "run.json", "--rho-file", "rho.txt", max_iter="4", tol="1e-9",
                  rho=None)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertEqual(averages(d), expected)
        self.assertIn("rho (2, 2, 2)", run.stdout)

    def test_refusals_name_the_file_line_and_value(self):
        d = farmer("rho-refusals")
        with open(os.path.join(d, "rho.txt"), "w") as f:
            f.write("1\n0\n1\n")
        run = pha(d, "--rho-file", "rho.txt", rho=None)
        self.assertEqual(run.returncode, 2)
        self.assertIn("'rho.txt', line 2: '0'", run.stdout + run.stderr)
        # A value the models would read as 0 at the decimals in use.
        with open(os.path.join(d, "rho.txt"), "w") as f:
            f.write("1\n0.0001\n1\n")
        run = pha(d, "--rho-file", "rho.txt", "--digits", "3", rho=None)
        self.assertEqual(run.returncode, 2)
        self.assertIn("--rho-file 'rho.txt' for x('2') is written into the models as 0 with 3 decimals",
                      run.stdout + run.stderr)
        run = pha(d, "--start", "zero", rho="auto")
        self.assertEqual(run.returncode, 2)
        self.assertIn("--rho auto", run.stderr)
        run = pha(d, rho=None)
        self.assertEqual(run.returncode, 2)
        self.assertIn("--rho is required", run.stderr)


class AdaptiveRhoTest(unittest.TestCase):
    def test_balanced_rho_keeps_the_outer_bound_below_the_optimum(self):
        d = farmer("balance")
        run = pha(d, "--cost", "scenarioCost", "--digits", "12", "--bound-every", "1", "--rho-update", "balance",
                  "--json", "run.json", rho="auto", max_iter="8", tol="1e-9")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        iterations = record(d)["iterations"]
        # The weights balance in every iteration, so every one has an outer bound,
        # and none lies above the farmer's optimum -108390.
        for it in iterations:
            self.assertIsNotNone(it["L"], it["iteration"])
            self.assertLessEqual(it["L"], -108390 + 1e-6)
        rhos = [tuple(it["rho"]) for it in iterations[1:]]
        self.assertTrue(all(r > 0 for rho in rhos for r in rho))
        self.assertGreater(len(set(rhos)), 1, "balancing never changed rho")


class AutoRhoTest(unittest.TestCase):
    def test_curvature_rho_and_acceleration_reach_the_farmer_optimum_within_25_iterations(self):
        d = farmer("auto-accelerate")
        run = pha(d, "--cost", "scenarioCost", "--digits", "12", "--bound-every", "1", "--gap", "1e-7",
                  "--accelerate", "6", "--json", "run.json", rho="auto", max_iter="25", tol="1e-12")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        # rho came from the slopes the bundled solver's marginals gave, not from the fallback.
        self.assertNotIn("give no curvature", run.stdout)
        final = record(d)["final"]
        self.assertLessEqual(final["gap"], 1e-4)
        for value, optimum in zip(final["plan"], [170, 80, 250]):
            self.assertAlmostEqual(value, optimum, delta=1e-4)


class ResumeTest(unittest.TestCase):
    def test_a_resumed_run_has_the_iterates_of_a_run_never_stopped(self):
        d = farmer("resume")
        common = ["--digits", "12", "--rho-update", "balance", "--accelerate", "6", "--cost", "scenarioCost"]
        whole = pha(d, *common, "--json", "whole.json", rho="auto", max_iter="6", tol="1e-9")
        self.assertEqual(whole.returncode, 0, whole.stdout + whole.stderr)
        stopped = pha(d, *common, "--json", "first.json", rho="auto", max_iter="3", tol="1e-9")
        self.assertEqual(stopped.returncode, 0, stopped.stdout + stopped.stderr)
        resumed = pha(d, *common, "--json", "rest.json", "--resume", "first.json", rho="auto", max_iter="6",
                      tol="1e-9")
        self.assertEqual(resumed.returncode, 0, resumed.stdout + resumed.stderr)
        with open(os.path.join(d, "whole.json")) as f:
            whole_its = {it["iteration"]: it for it in json.load(f)["iterations"]}
        with open(os.path.join(d, "rest.json")) as f:
            rest_its = json.load(f)["iterations"]
        # The resumed record holds the whole run: the recorded iterations, then the new ones.
        self.assertEqual([it["iteration"] for it in rest_its], [0, 1, 2, 3, 4, 5, 6])
        for it in rest_its:
            self.assertEqual(it["average"], whole_its[it["iteration"]]["average"], it["iteration"])
            self.assertEqual(it["rho"], whole_its[it["iteration"]]["rho"], it["iteration"])
            self.assertEqual(it["delta"], whole_its[it["iteration"]]["delta"], it["iteration"])


if __name__ == "__main__":
    unittest.main()
