"""End-to-end runs of rho per first-stage variable, residual balancing and
--resume through the real mpirun, scw and the bundled solver, on the farmer.
"""
import json
import os
import unittest

from test_trust import farmer, pha, record


def per_variable_template(directory):
    """farmer-cost.gms with rho_j from the codes 500.. instead of the one rho."""
    path = os.path.join(directory, "farmer-cost.gms")
    with open(path) as f:
        text = f.read()
    text = text.replace("Scalar rho 'penalty parameter' / @300 /;",
                        "Parameter rho(i) 'penalty per variable';\nrho('1') = @500 ;\nrho('2') = @501 ;\n"
                        "rho('3') = @502 ;")
    text = text.replace("rho/2*sum(i, sqr(x(i) - xbar(i)))", "sum(i, rho(i)/2*sqr(x(i) - xbar(i)))")
    with open(os.path.join(directory, "farmer-rho.gms"), "w") as f:
        f.write(text)


def averages(directory):
    return {it["iteration"]: it["average"] for it in record(directory)["iterations"]}


class RhoFileTest(unittest.TestCase):
    def test_equal_values_per_variable_give_the_iterates_of_one_rho(self):
        d = farmer("rho-file")
        per_variable_template(d)
        with open(os.path.join(d, "rho.txt"), "w") as f:
            f.write("% wheat, corn, beets\n2\n2\n2\n")
        one = pha(d, "--digits", "12", "--json", "run.json", rho="2", max_iter="4", tol="1e-9")
        self.assertEqual(one.returncode, 0, one.stdout + one.stderr)
        expected = averages(d)
        run = pha(d, "--digits", "12", "--json", "run.json", "--rho-file", "rho.txt", template="farmer-rho.gms",
                  max_iter="4", tol="1e-9", rho=None)
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


class ResumeTest(unittest.TestCase):
    def test_a_resumed_run_has_the_iterates_of_a_run_never_stopped(self):
        d = farmer("resume")
        common = ["--digits", "12", "--rho-update", "balance", "--cost", "scenarioCost"]
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
        self.assertEqual([it["iteration"] for it in rest_its], [4, 5, 6])
        for it in rest_its:
            self.assertEqual(it["average"], whole_its[it["iteration"]]["average"], it["iteration"])
            self.assertEqual(it["rho"], whole_its[it["iteration"]]["rho"], it["iteration"])
            self.assertEqual(it["delta"], whole_its[it["iteration"]]["delta"], it["iteration"])


if __name__ == "__main__":
    unittest.main()
