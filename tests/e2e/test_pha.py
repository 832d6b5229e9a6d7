"""End-to-end runs of pha through the real mpirun and scw.

The stand-in for GAMS solves  min c x + h/2 (x - xi)^2 + w x + rho/2 (x - avg)^2
exactly, so every iteration's decisions are known in closed form:
x = (h xi + rho avg - c - w) / (h + rho), and the recourse y = xi - x.
Each scenario line of a test is (probability, c, h, xi, mode); see the stand-in
for the modes.
"""
import os
import re
import shutil
import signal
import subprocess
import time
import unittest

from stand_in import TEMPLATE, processes_mentioning

PHA = os.environ["PHA_BIN"]
GAMS = os.environ["GAMS_DOUBLE"]
RUNS = os.environ["PHA_RUNS_DIR"]


NUM = r"-?\d+\.\d{10}"
BLOCK = re.compile(
    r"Iteration (\d+):\n((?: Scenario \d+\n : 1st stage decision:\n(?:  > " + NUM + r"\n)*"
    r" : 2nd stage decision:\n(?:  > " + NUM + r"\n)*)*)"
    r"Average solution:\n((?:  > " + NUM + r"\n)*)Dist = (" + NUM + r")\n\n")
REPORT_LINE = re.compile(
    r"Distance parameter delta in (\d+)-th iteration is (\S+)\.\n\n"
    r"Change of the first-stage average in (\d+)-th iteration is (\S+)\.\n\n")
CONVERGED = "********** Optimal solution has been found! **********"
LIMIT = ("\nThe algorithm performed the given maximal number of iterations and\n"
         "it does not reach an optimal solution for the given problem. Try to\n"
         "increase the maximum number of iterations or the penalty parameter.\n\n"
         "The report has been saved in file 'results.txt'.\n\n")


def make_run(name, scenarios, gams_line=None):
    directory = os.path.join(RUNS, name)
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    with open(os.path.join(directory, "template.gms"), "w") as f:
        f.write(TEMPLATE)
    with open(os.path.join(directory, "scenarios.txt"), "w") as f:
        f.write("% probability c h xi mode\n")
        for s in scenarios:
            f.write(" ".join(str(v) for v in s) + "\n")
    with open(os.path.join(directory, "pathGAMS.txt"), "w", newline="") as f:
        f.write(gams_line if gams_line is not None else GAMS + "\n")
    return directory


def run_pha(directory, eps, rho, max_iter, seeds=None, env=None, timeout=1200):
    answers = f"template.gms\nscenarios.txt\n1\n1\n{eps}\n{rho}\n{max_iter}\n"
    answers += "Y\n" + "\n".join(str(s) for s in seeds) + "\n" if seeds else "N\n"
    return subprocess.run([PHA], cwd=directory, input=answers, capture_output=True, text=True,
                          timeout=timeout, env=env)


def report(out):
    """(iteration, delta, change) for every iteration on the console."""
    rows = REPORT_LINE.findall(out)
    for it, _, it2, _ in rows:
        assert it == it2, "delta and change lines name different iterations"
    return [(int(it), float(d), float(c)) for it, d, _, c in rows]


def results_blocks(directory):
    """Every block of results.txt as (iteration, [(x, y) per scenario], average, dist)."""
    with open(os.path.join(directory, "results.txt")) as f:
        text = f.read()
    blocks, pos = [], 0
    while pos < len(text):
        m = BLOCK.match(text, pos)
        assert m, "results.txt is malformed after: %r" % text[pos:pos + 200]
        values = [float(v) for v in re.findall(NUM, m.group(2))]
        pairs = list(zip(values[0::2], values[1::2]))
        blocks.append((int(m.group(1)), pairs, float(re.findall(NUM, m.group(3))[0]), float(m.group(4))))
        pos = m.end()
    return blocks


def final_average(out):
    m = re.search(r"First-stage optimal decision:\n\s*(\S+)\n", out)
    return float(m.group(1)) if m else None


def leftovers(directory):
    return sorted(n for n in os.listdir(directory) if re.match(r"(scenario\d+\.(gms|lst)|done\d+)", n))


class ConvergenceTest(unittest.TestCase):
    def test_two_scenarios_converge_to_the_mean_and_clean_up(self):
        # Seeded with the optimum 10: iteration 1 gives 9 and 11, and the
        # weights pull both towards 10, delta shrinking fourfold per iteration.
        d = make_run("convergence", [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 0)])
        p = run_pha(d, eps=0.01, rho=1, max_iter=20, seeds=[10, 10])
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        out = p.stdout
        self.assertIn("Finished!\n\n" + CONVERGED + "\n\n", out)
        self.assertNotIn("maximal number of iterations", out)
        self.assertIn(" >>> Waiting for the LST file with results for all scenarios...", out)
        self.assertIn("The computing report has been saved in file 'results.txt'.\n\n", out)

        rows = report(out)
        blocks = results_blocks(d)
        self.assertEqual([r[0] for r in rows], list(range(1, len(rows) + 1)))
        self.assertEqual([b[0] for b in blocks], [r[0] for r in rows])
        self.assertEqual(out.count("====================== Iteration "), len(rows))
        self.assertGreater(len(rows), 1)
        # The first iteration in closed form: x = (xi + 10) / 2, y = xi - x.
        it, pairs, average, dist = blocks[0]
        self.assertEqual(pairs, [(9.0, -1.0), (11.0, 1.0)])
        self.assertEqual((average, dist), (10.0, 2.0))
        for (_, delta, _), block in zip(rows, blocks):
            self.assertAlmostEqual(delta, block[3], places=8)
        # Only the last iteration passes the stop test.
        for _, delta, change in rows[:-1]:
            self.assertTrue(delta >= 0.01 or change >= 0.01)
        self.assertLess(rows[-1][1], 0.01)
        self.assertLess(rows[-1][2], 0.01)
        self.assertAlmostEqual(final_average(out), 10.0, delta=0.01)
        self.assertEqual(leftovers(d), [])


class StopRuleTest(unittest.TestCase):
    def test_agreeing_scenarios_do_not_stop_while_the_average_moves(self):
        # One scenario, min (x-10)^2/2 with rho 1: iteration 1 (average 0)
        # gives x = 5 with delta 0, but the optimum is 10.
        d = make_run("stoprule", [(1, 0, 1, 10, 0)])
        p = run_pha(d, eps=0.001, rho=1, max_iter=30)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        rows = report(p.stdout)
        self.assertEqual(rows[0], (1, 0.0, 25.0))
        self.assertGreater(len(rows), 1)
        self.assertIn(CONVERGED, p.stdout)
        self.assertAlmostEqual(final_average(p.stdout), 10.0, delta=0.05)
        self.assertTrue(all(delta == 0.0 for _, delta, _ in rows))


class IterationLimitTest(unittest.TestCase):
    def test_limit_verdict_after_the_given_iterations(self):
        d = make_run("limit", [(1, 0, 1, 10, 0)])
        p = run_pha(d, eps=0.001, rho=1, max_iter=2)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertTrue(p.stdout.endswith(LIMIT), p.stdout[-400:])
        self.assertNotIn(CONVERGED, p.stdout)
        blocks = results_blocks(d)
        # Iteration 2's model carries the average 5 of iteration 1: x = 7.5.
        self.assertEqual([(b[0], b[1][0][0]) for b in blocks], [(1, 5.0), (2, 7.5)])
        self.assertEqual(leftovers(d), [])

    def test_no_iteration_at_all(self):
        d = make_run("limit-zero", [(1, 0, 1, 10, 0)])
        p = run_pha(d, eps=0.001, rho=1, max_iter=0, timeout=1200)
        self.assertTrue(p.stdout.endswith(LIMIT), p.stdout[-400:])
        self.assertNotIn("Iteration", p.stdout)
        self.assertEqual(results_blocks(d), [])


class InterruptedTest(unittest.TestCase):
    def test_killed_run_keeps_its_finished_iterations(self):
        d = make_run("interrupted", [(1, 0, 1, 10, 0)])
        answers = "template.gms\nscenarios.txt\n1\n1\n0.000001\n1\n30\nN\n"
        with open(os.path.join(d, "console.txt"), "w") as console:
            p = subprocess.Popen([PHA], cwd=d, stdin=subprocess.PIPE, stdout=console,
                                 stderr=subprocess.STDOUT, text=True)
            p.stdin.write(answers)
            p.stdin.close()
            deadline = time.monotonic() + 600
            while time.monotonic() < deadline and p.poll() is None:
                with open(os.path.join(d, "console.txt")) as f:
                    if "Iteration    3 =" in f.read():
                        break
                time.sleep(0.2)
            p.kill()
            p.wait()
        self.assertEqual(p.returncode, -signal.SIGKILL)
        self.assertEqual([b[0] for b in results_blocks(d)][:2], [1, 2])


class PathsTest(unittest.TestCase):
    def test_awkward_directory_and_gams_directory_with_crlf(self):
        # Blanks and shell characters in a working directory of more than 200
        # characters; the GAMS path names the folder and ends in CR LF.
        name = "run dir $(touch pwned) & 'quoted' " + "x" * 200
        d = make_run(name, [(1, 0, 1, 10, 0)], gams_line=os.path.dirname(GAMS) + "\r\n")
        self.assertGreater(len(d), 200)
        p = run_pha(d, eps=0.001, rho=1, max_iter=5, seeds=[10])
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn(CONVERGED, p.stdout)
        self.assertEqual(report(p.stdout), [(1, 0.0, 0.0)])
        self.assertAlmostEqual(final_average(p.stdout), 10.0, places=6)
        self.assertFalse(os.path.exists(os.path.join(d, "pwned")))
        self.assertFalse(os.path.exists(os.path.join(RUNS, "pwned")))
        self.assertEqual(leftovers(d), [])


class FailuresTest(unittest.TestCase):
    def test_missing_listing_is_reported_not_awaited(self):
        d = make_run("no-listing", [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 2)])
        p = run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200)
        self.assertEqual(p.returncode, 2)  # a reported failure
        # The cause, not a guess about a missing file.
        self.assertIn(" > ERROR! The solve of scenario 2 did not end normally: GAMS ended with exit status 3 "
                      "(execution error), and it wrote no listing 'scenario2.lst'.\n", p.stdout)
        self.assertIn("scw: GAMS failed on", p.stderr)
        self.assertNotIn("Finished!", p.stdout)

    def test_missing_variable_is_reported(self):
        d = make_run("no-variable", [(1, 0, 1, 10, 3)])
        p = run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200)
        self.assertEqual(p.returncode, 2)  # a reported failure
        self.assertIn(" > ERROR! The following variable doesn't exist in a given file!\n"
                      " >> The variable: 'y' in the file: 'scenario1.lst'\n", p.stdout)

    def test_infeasible_scenario_stops_with_status_1(self):
        d = make_run("infeasible", [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 1)])
        p = run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200)
        self.assertEqual(p.returncode, 1)
        self.assertIn(" !!! Infeasible solution in scenario 2.\n", p.stdout)
        self.assertNotIn("Finished!", p.stdout)
        self.assertIn("scenario2.lst", leftovers(d))


class LaunchFailureTest(unittest.TestCase):
    def _env_with_path(self, path):
        env = dict(os.environ)
        env["PATH"] = path
        return env

    def test_no_mpirun_on_the_path(self):
        d = make_run("no-mpirun", [(1, 0, 1, 10, 0)])
        empty = os.path.join(d, "empty-bin")
        os.makedirs(empty)
        p = run_pha(d, eps=0.01, rho=1, max_iter=5, env=self._env_with_path(empty), timeout=1200)
        self.assertEqual(p.returncode, 2)  # a reported failure
        self.assertRegex(p.stdout, r" > ERROR! The solver launch 'mpirun -np 1 \S+ .*' failed "
                                   r"\(could not be started: No such file or directory\)")

    def test_mpirun_that_fails(self):
        d = make_run("failing-mpirun", [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 0)])
        fake = os.path.join(d, "fake-bin")
        os.makedirs(fake)
        with open(os.path.join(fake, "mpirun"), "w") as f:
            f.write("#!/bin/sh\necho 'mpirun: no slots' >&2\nexit 3\n")
        os.chmod(os.path.join(fake, "mpirun"), 0o755)
        p = run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200,
                    env=self._env_with_path(fake + ":" + os.environ["PATH"]))
        self.assertEqual(p.returncode, 2)  # a reported failure
        self.assertIn("mpirun -np 2 ", p.stdout)
        self.assertIn("failed (exit status 3); 2 of 2 scenarios reported no result.", p.stdout)
        self.assertEqual(leftovers(d), ["scenario1.gms", "scenario2.gms"])


class ManyScenariosTest(unittest.TestCase):
    def test_five_scenarios_on_few_cores(self):
        xis = [6, 8, 10, 12, 14]
        d = make_run("many", [(0.2, 0, 1, xi, 0) for xi in xis])
        p = run_pha(d, eps=0.1, rho=1, max_iter=15, seeds=[10] * 5)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        self.assertIn(CONVERGED, p.stdout)
        blocks = results_blocks(d)
        self.assertEqual([x for x, _ in blocks[0][1]], [(xi + 10) / 2 for xi in xis])
        self.assertAlmostEqual(final_average(p.stdout), 10.0, delta=0.05)
        self.assertEqual(leftovers(d), [])


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def start_pha(directory, eps=0.01, rho=1, max_iter=5, env=None):
    """pha running in the background, its console in console.txt beside the run."""
    answers = f"template.gms\nscenarios.txt\n1\n1\n{eps}\n{rho}\n{max_iter}\nN\n"
    console = open(directory + ".console.txt", "w")
    p = subprocess.Popen([PHA], cwd=directory, stdin=subprocess.PIPE, stdout=console,
                         stderr=subprocess.STDOUT, text=True, env=env)
    p.stdin.write(answers)
    p.stdin.close()
    console.close()
    return p


def console_of(directory):
    with open(directory + ".console.txt") as f:
        return f.read()


def solving(directory):
    """Whether the stand-in solver runs for this directory."""
    return any("curdir=" + directory in c for _, c in processes_mentioning(directory))


class SolveFaultsTest(unittest.TestCase):
    """A failed, partial or hung solve never becomes a result."""

    def _run(self, name, mode, env=None):
        d = make_run(name, [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, mode)])
        return d, run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200, env=env)

    def test_solver_killed_halfway_through_its_listing(self):
        d, p = self._run("fault-crash", 6)
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertIn(" > ERROR! The solve of scenario 2 did not end normally: GAMS was killed by signal 9.\n"
                      " >> The listing 'scenario2.lst' says:\n"
                      " >> **** SOLVER STATUS     1 Normal Completion\n", p.stdout)
        self.assertNotIn("First-stage decision:", p.stdout)  # nothing of the listing was read
        self.assertEqual(results_blocks(d), [])

    def test_levels_that_are_not_numbers(self):
        d, p = self._run("fault-nan", 7)
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertRegex(p.stdout, r"The variable 'x' in the file 'scenario2.lst', line \d+: '1 .*nan.*'\n"
                                   r" >> Its LEVEL value 'nan' is not a finite number.")

    def test_listing_cut_short_after_a_normal_exit(self):
        d, p = self._run("fault-cut", 8)
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertIn(" > ERROR! The listing 'scenario2.lst' is not complete: it has no REPORT SUMMARY", p.stdout)

    def test_hung_solve_is_stopped_at_the_time_limit(self):
        env = dict(os.environ, PHA_ITERATION_TIMEOUT="4")
        start = time.monotonic()
        d, p = self._run("fault-hang", 5, env=env)
        self.assertLess(time.monotonic() - start, 600)  # a guard: without the limit the solve hangs for ever
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertRegex(p.stdout, r" > ERROR! The solver launch 'mpirun -np 2 .*' was stopped after the time "
                                   r"limit of 4 s; 1 of 2 scenarios reported no result.\n >> No done file for "
                                   r"scenario 2.\n")
        self.assertTrue(wait_until(lambda: not processes_mentioning(d), 120), processes_mentioning(d))
        env["PHA_ITERATION_TIMEOUT"] = "nan"
        d, p = self._run("fault-bad-limit", 0, env=env)
        self.assertEqual(p.returncode, 2, p.stdout)
        self.assertIn("PHA_ITERATION_TIMEOUT='nan' is not a time limit", p.stdout)


class SignalsTest(unittest.TestCase):
    """Interrupting pha ends mpirun, the ranks and the solvers."""

    def _interrupt(self, name, sig):
        d = make_run(name, [(0.5, 0, 1, 8, 5), (0.5, 0, 1, 12, 5)])
        p = start_pha(d)
        try:
            self.assertTrue(wait_until(lambda: solving(d), 600), console_of(d))
            p.send_signal(sig)
            p.wait(timeout=120)
        finally:
            if p.poll() is None:
                p.kill()
        self.assertTrue(wait_until(lambda: not processes_mentioning(d), 120), processes_mentioning(d))
        return d, p

    def test_sigterm_sigint_and_sighup(self):
        for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            d, p = self._interrupt("signal-" + sig.name, sig)
            self.assertEqual(p.returncode, 128 + sig, console_of(d))
            self.assertIn(f" > pha was interrupted by signal {int(sig)} ({sig.name}); its child processes have "
                          "been stopped.\n", console_of(d))

    def test_sigkill_of_pha_ends_its_children_too(self):
        # pha cannot act on SIGKILL: mpirun learns of its death from the kernel.
        d, p = self._interrupt("signal-SIGKILL", signal.SIGKILL)
        self.assertEqual(p.returncode, -signal.SIGKILL)


class OneRunPerDirectoryTest(unittest.TestCase):
    def test_second_run_in_the_same_directory_is_refused_at_once(self):
        d = make_run("locked", [(1, 0, 1, 10, 5)])
        first = start_pha(d)
        try:
            self.assertTrue(wait_until(lambda: solving(d), 600), console_of(d))
            # The first run's solve hangs: a second run that waited for it would never end.
            second = run_pha(d, eps=0.01, rho=1, max_iter=5, timeout=1200)
            self.assertEqual(second.returncode, 2)
            self.assertIn(f" > ERROR! Another run of pha is working in the directory '{d}'", second.stdout)
            self.assertNotIn("Iteration", second.stdout)
        finally:
            first.terminate()
            first.wait(timeout=120)
        # The lock dies with its holder: the next run goes ahead.
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("1 0 1 10 0\n")
        p = run_pha(d, eps=0.001, rho=1, max_iter=1)
        self.assertEqual(p.returncode, 0, p.stdout)


class FilesTest(unittest.TestCase):
    """Nothing is written through a link, and a report that cannot be saved is no success."""

    def test_links_are_not_followed(self):
        d = make_run("links", [(1, 0, 1, 10, 0)])
        outside = os.path.join(RUNS, "links-outside")
        with open(outside, "w") as f:
            f.write("keep\n")
        os.symlink(outside, os.path.join(d, "results.txt"))
        p = run_pha(d, eps=0.001, rho=1, max_iter=2, timeout=1200)
        self.assertEqual(p.returncode, 2)
        self.assertIn(" > ERROR! The file 'results.txt' is a symbolic link; it is not written through a link.\n",
                      p.stdout)
        os.remove(os.path.join(d, "results.txt"))
        # A dangling link would create its target outside the directory.
        os.symlink(os.path.join(RUNS, "links-created"), os.path.join(d, "results.txt"))
        p = run_pha(d, eps=0.001, rho=1, max_iter=2, timeout=1200)
        self.assertEqual(p.returncode, 2)
        self.assertFalse(os.path.lexists(os.path.join(RUNS, "links-created")))
        os.remove(os.path.join(d, "results.txt"))
        # Links where the worker writes the listing and the done file are replaced, not followed.
        for name in ("scenario1.lst", "done1"):
            os.symlink(outside, os.path.join(d, name))
        p = run_pha(d, eps=0.001, rho=1, max_iter=2, timeout=1200)
        self.assertEqual(p.returncode, 0, p.stdout)
        with open(outside) as f:
            self.assertEqual(f.read(), "keep\n")

    def test_report_on_a_full_device_stops_the_run(self):
        # The run directory is a 64 KiB file system of its own (in a private
        # mount namespace); with 3000 second-stage values the first report
        # block does not fit, as on a full disk.
        if shutil.which("unshare") is None or subprocess.run(
                ["unshare", "-m", "mount", "-t", "tmpfs", "-o", "size=4k", "tmpfs", RUNS],
                capture_output=True).returncode != 0:
            self.skipTest("mounting a small file system needs root (unshare -m, mount)")
        d = make_run("full", [(1, 0, 1, 10, 0)])
        small = os.path.join(d, "small")
        os.makedirs(small)
        with open(os.path.join(d, "answers.txt"), "w") as f:
            f.write("template.gms\nscenarios.txt\n1\n3000\n0.001\n1\n3\nN\n")
        script = ('mount -t tmpfs -o size=64k tmpfs "$1" && cd "$1" && '
                  'cp ../template.gms ../scenarios.txt ../pathGAMS.txt . && exec "$2" < ../answers.txt')
        p = subprocess.run(["unshare", "-m", "sh", "-c", script, "sh", small, PHA],
                           capture_output=True, text=True, timeout=1200)
        self.assertEqual(p.returncode, 2, p.stdout[-2000:] + p.stderr)
        self.assertIn(" > ERROR! The file 'results.txt' cannot be written: No space left on device.\n", p.stdout)
        self.assertNotIn("saved in file", p.stdout)


class ScaleTest(unittest.TestCase):
    def test_two_hundred_scenarios_three_iterations(self):
        # One process per scenario and iteration: MPI start-up dominates.
        d = make_run("scale", [(0.005, 0, 1, 5 + k % 10, 0) for k in range(200)])
        start = time.monotonic()
        p = run_pha(d, eps=1e-7, rho=1, max_iter=3, timeout=1400)
        elapsed = time.monotonic() - start
        self.assertEqual(p.returncode, 0, p.stdout[-2000:])
        self.assertTrue(p.stdout.endswith(LIMIT), p.stdout[-400:])
        blocks = results_blocks(d)
        self.assertEqual([b[0] for b in blocks], [1, 2, 3])
        self.assertEqual(len(blocks[2][1]), 200)
        self.assertAlmostEqual(blocks[0][2], sum((5 + k % 10) / 2 for k in range(200)) / 200, places=6)
        self.assertTrue(wait_until(lambda: not processes_mentioning(d), 120), len(processes_mentioning(d)))
        print(f"\n200 scenarios, 3 iterations: {elapsed:.1f} s")


class RootTest(unittest.TestCase):
    # Run as root, every other case here is a run as root with the MPI settings.
    def setUp(self):
        if os.geteuid() != 0:
            self.skipTest("needs root")

    def test_as_root_without_them_fails_clearly(self):
        d = make_run("root-refused", [(1, 0, 1, 10, 0)])
        env = {k: v for k, v in os.environ.items() if not k.startswith("OMPI_ALLOW_RUN_AS_ROOT")}
        p = run_pha(d, eps=0.001, rho=1, max_iter=3, seeds=[10], env=env, timeout=1200)
        self.assertEqual(p.returncode, 2)  # a reported failure
        self.assertRegex(p.stdout, r" > ERROR! The solver launch 'mpirun -np 1 .*' failed \(exit status [1-9]")


if __name__ == "__main__":
    unittest.main()
