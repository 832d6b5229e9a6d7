"""The option mode against the inputs of a fault campaign: output files that are
devices, links or the run's own inputs, numbers that overflow or are not wholly
numbers, doctored --resume records, a full disk, a worker that never starts and
a model that prints the serve protocol's answer.

The GAMS stand-in (tests/e2e/gamsdouble) solves each scenario in closed form;
scenarios are (probability, c, h, xi, mode).
"""
import json
import os
import stat
import subprocess
import time
import unittest

from test_option_mode import GAMS_DOUBLE, assert_no_processes_left, make_run, options, run

SCENARIOS = [(0.5, 0, 1, 8, 0), (0.5, 0, 1, 12, 0)]


def output(p):
    return p.stdout + p.stderr


def read(directory, name):
    with open(os.path.join(directory, name)) as f:
        return f.read()


def without_rho(args):
    k = args.index("--rho")
    return args[:k] + args[k + 2:]


def can_mount_tmpfs(directory, size):
    os.makedirs(directory, exist_ok=True)
    return subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", directory],
                          capture_output=True).returncode == 0


class OutputFilesTest(unittest.TestCase):
    def test_outputs_that_are_devices_inputs_or_the_lock_are_refused(self):
        d = make_run("outputs", SCENARIOS)
        template = read(d, "template.gms")
        for target, said in [("/dev/null", "is not a regular file (a device)"),
                             ("template.gms", "is the --template file"),
                             ("scenarios.txt", "is the --scenarios file"),
                             ("results.txt", "is also --json"),
                             ("pha.lock", "is also the lock of the run"),
                             ("no-such-folder/rec.json", "the folder 'no-such-folder' cannot be written")]:
            p = run(d, options(max_iter=2, extra=["--json", target]))
            self.assertEqual(p.returncode, 2, (target, output(p)))
            self.assertIn(said, output(p), target)
            self.assertFalse(os.path.exists(os.path.join(d, "results.txt")), target)
        self.assertTrue(stat.S_ISCHR(os.stat("/dev/null").st_mode))
        self.assertEqual(read(d, "template.gms"), template)

    def test_the_records_temporary_is_never_written_through_a_link(self):
        d = make_run("part-link", SCENARIOS)
        outside = os.path.join(d, "..", "part-link-outside.txt")
        with open(outside, "w") as f:
            f.write("keep\n")
        os.symlink(os.path.abspath(outside), os.path.join(d, "rec.json.part"))
        p = run(d, options(max_iter=2, extra=["--json", "rec.json"]))
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("The file 'rec.json.part' is a symbolic link; it is not written through a link", p.stdout)
        self.assertEqual(read(d, "../part-link-outside.txt"), "keep\n")
        # A leftover temporary of a stopped run (a regular file) is replaced, and none is left.
        os.remove(os.path.join(d, "rec.json.part"))
        with open(os.path.join(d, "rec.json.part"), "w") as f:
            f.write("{half a rec")
        p = run(d, options(max_iter=2, extra=["--json", "rec.json"]))
        self.assertEqual(p.returncode, 0, output(p))
        self.assertFalse(os.path.lexists(os.path.join(d, "rec.json.part")))
        self.assertIsNotNone(json.loads(read(d, "rec.json"))["final"])

    def test_a_full_disk_under_the_record_is_named_and_leaves_no_temporary(self):
        d = make_run("full-disk", SCENARIOS)
        small = os.path.join(d, "small")
        if not can_mount_tmpfs(small, "64k"):
            self.skipTest("no tmpfs can be mounted here")
        try:
            fd = os.open(os.path.join(small, "filler"), os.O_WRONLY | os.O_CREAT)
            try:
                while os.write(fd, b"x" * 4096) > 0:
                    pass
            except OSError:
                pass
            os.close(fd)
            p = run(d, options(max_iter=2, extra=["--json", "small/rec.json"]))
            self.assertEqual(p.returncode, 2, output(p))
            self.assertIn("--json: The file 'small/rec.json' cannot be written: No space left on device. The disk is "
                          "full", output(p))
            self.assertNotIn("probably doesn't exist", output(p))
            self.assertEqual(sorted(os.listdir(small)), ["filler"])
            assert_no_processes_left(self, d)
        finally:
            subprocess.run(["umount", small])


class NumbersTest(unittest.TestCase):
    def test_numeric_options_are_refused_naming_the_option(self):
        d = make_run("numbers", SCENARIOS)
        cases = [("--rho", "1e-320", "is too close to 0"), ("--gap", "1e-320", "is too close to 0"),
                 ("--solve-timeout", "1e-320", "is too close to 0"), ("--tol", "-1", "must not be negative"),
                 ("--max-iter", "0", "is out of range (1 to"), ("--max-iter", "-1", "is out of range (1 to"),
                 ("--max-iter", "", "is not a whole number"), ("--n1", "abc", "is not a whole number (0 to 1000000)"),
                 ("--n1", "2147483647", "is out of range (0 to 1000000)"),
                 ("--n2", "99999999999999999999", "is out of range"),
                 ("--rho", "1e999", "is not a finite number"), ("--gap", "0x10", "is not a number")]
        for option, value, said in cases:
            args = options()
            if option in args:
                args[args.index(option) + 1] = value
            else:
                args += [option, value]
            p = run(d, args)
            self.assertEqual(p.returncode, 2, (option, value, output(p)))
            self.assertIn(f"{option}: '{value}' {said}", p.stderr, (option, value))
            self.assertLess(len(p.stderr), 600, (option, value))  # no 309-digit range in the message

    def test_a_scenario_set_beyond_the_memory_is_refused_before_it_is_allocated(self):
        d = make_run("beyond-memory", [(0.00001, 0, 1, 8, 0)] * 100000)
        p = run(d, options(n2=1000000), timeout=120)
        self.assertEqual(p.returncode, 2, output(p)[-2000:])
        self.assertIn("100000 scenario lines of 'scenarios.txt' with --n1 1 and --n2 1000000 need 2.4e+03 GB", p.stdout)

    def test_values_in_files_that_are_not_wholly_numbers_name_file_line_and_column(self):
        d = make_run("file-values", SCENARIOS)
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("% probability c h xi mode\n0.5 0 1 8 0\n0.5 0 1O0 12 0\n")
        p = run(d, options())
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("The value '1O0' in the file 'scenarios.txt', line 3, column 7 is not a number.", p.stdout)
        with open(os.path.join(d, "scenarios.txt"), "w") as f:
            f.write("0.5 0 1 8 0\n0.5 0 1 12\n")
        p = run(d, options())
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("The file 'scenarios.txt', line 1 gives 4 parameters; the last scenario (line 2) gives 3.",
                      p.stdout)
        make_run("file-values", SCENARIOS)
        # A device as the rho file is refused, not read until memory runs out.
        p = run(d, without_rho(options()) + ["--rho-file", "/dev/zero"])
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("--rho-file: '/dev/zero' is not a regular file", p.stderr)
        # An empty --start file: the message names the file and why.
        open(os.path.join(d, "start.txt"), "w").close()
        p = run(d, options(extra=["--start", "start.txt"]))
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("The file 'start.txt' ends before this value", p.stdout)
        with open(os.path.join(d, "start.txt"), "w") as f:
            f.write("1 1e-320\n")
        p = run(d, options(extra=["--start", "start.txt"]))
        self.assertIn("The value '1e-320' in the file 'start.txt' is too close to 0", p.stdout)


class ResumeTest(unittest.TestCase):
    def setUp(self):
        self.d = make_run("resume-checks", SCENARIOS)
        p = run(self.d, options(max_iter=3, extra=["--json", "first.json"]))
        self.assertEqual(p.returncode, 0, output(p))
        self.record = json.loads(read(self.d, "first.json"))

    def resume(self, record, *extra, max_iter=6, rho=1):
        with open(os.path.join(self.d, "doctored.json"), "w") as f:
            json.dump(record, f)
        return run(self.d, options(max_iter=max_iter, rho=rho, extra=["--resume", "doctored.json", *extra]))

    def test_doctored_records_are_refused_naming_the_field(self):
        cases = [(("resume", "iteration"), 2147483647, "outside 0 to --max-iter 6"),
                 (("resume", "iteration"), -5, "outside 0 to --max-iter 6"),
                 (("resume", "iteration"), 1e10, "not a whole number"),
                 (("resume", "iteration"), True, "not a whole number"),
                 (("resume", "iteration"), 2.5, "not a whole number"),
                 (("resume", "rhoScalar"), -1, "rho must be a number > 0"),
                 (("resume", "rhoScalar"), 0, "rho must be a number > 0"),
                 (("settings", "numScenarios"), 3, "has 2"),
                 (("settings", "rho"), 0, "rho must be a number > 0")]
        for (part, key), value, said in cases:
            record = json.loads(json.dumps(self.record))
            record[part][key] = value
            p = self.resume(record)
            self.assertEqual(p.returncode, 2, (key, value, output(p)))
            self.assertIn(f'--resume \'doctored.json\': "{part}.{key}"', p.stdout, (key, value))
            self.assertIn(said, p.stdout, (key, value))
        record = json.loads(json.dumps(self.record))
        record["resume"]["rho"] = [-1]
        p = self.resume(record)
        self.assertIn('"resume.rho[0]" is -1', p.stdout)

    def test_conflicts_with_the_command_line_and_other_scenarios_are_refused(self):
        p = self.resume(self.record, rho=5)
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("say --rho 1; the command line says 5", p.stdout)
        # Other scenarios of the same size: the settings file is not the record's.
        with open(os.path.join(self.d, "scenarios.txt"), "w") as f:
            f.write("0.5 0 1 9 0\n0.5 0 1 12 0\n")
        p = self.resume(self.record)
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn('"settings.scenariosHash" does not match \'scenarios.txt\'', p.stdout)

    def test_a_resumed_run_keeps_what_came_before(self):
        results_before = read(self.d, "results.txt")
        p = run(self.d, without_rho(options(max_iter=6)) + ["--resume", "first.json", "--json", "first.json"])
        self.assertEqual(p.returncode, 0, output(p))
        self.assertIn("From the record: the weights, the averages and rho_j after the iteration, the best bounds, "
                      "rho (1).", p.stdout)
        results = read(self.d, "results.txt")
        self.assertTrue(results.startswith(results_before))
        self.assertGreater(len(results), len(results_before))
        whole = json.loads(read(self.d, "first.json"))
        self.assertEqual([it["iteration"] for it in whole["iterations"]], list(range(0, whole["final"]["iterations"] + 1)))


class WorkersTest(unittest.TestCase):
    def test_a_worker_that_never_starts_is_waited_for_a_bounded_time(self):
        d = make_run("never-ready", SCENARIOS)
        bin_dir = os.path.join(d, "bin")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "scw"), "w") as f:
            f.write("#!/bin/sh\nexec sleep 600\n")
        os.chmod(os.path.join(bin_dir, "scw"), 0o755)
        temporary = os.path.join(d, "tmp")
        os.makedirs(temporary)
        environment = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ["PATH"], TMPDIR=temporary)
        began = time.monotonic()
        p = subprocess.run([os.environ["PHA_BIN"], *options(extra=["--solve-timeout", "1"])], cwd=d,
                           capture_output=True, text=True, timeout=400, env=environment)
        self.assertEqual(p.returncode, 2, output(p))
        self.assertIn("did not report ready while starting (they must be up within 60 s", p.stdout)
        self.assertGreaterEqual(time.monotonic() - began, 59)
        assert_no_processes_left(self, d)
        self.assertEqual(os.listdir(temporary), [])  # the answer pipe and its directory are gone

    def test_a_rank_0_that_cannot_reach_the_pipe_answers_on_its_output(self):
        # As on another host of a cluster, where the pipe is not: the worker finds no pipe under its name.
        d = make_run("remote-rank-0", SCENARIOS)
        bin_dir = os.path.join(d, "bin")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "scw"), "w") as f:
            f.write(f"#!/bin/sh\nrm -f \"$4\"\nexec {os.environ['SCW_BIN']} \"$@\"\n")
        os.chmod(os.path.join(bin_dir, "scw"), 0o755)
        environment = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ["PATH"])
        p = subprocess.run([os.environ["PHA_BIN"], *options(max_iter=3, extra=["--json", "remote.json"])], cwd=d,
                           capture_output=True, text=True, timeout=300, env=environment)
        self.assertEqual(p.returncode, 0, output(p))
        self.assertNotIn("answer ", p.stderr)
        plain = run(d, options(max_iter=3, extra=["--json", "plain.json"]))
        self.assertEqual(plain.returncode, 0, output(plain))
        averages = [[it["average"] for it in json.loads(read(d, name))["iterations"]]
                    for name in ("plain.json", "remote.json")]
        self.assertEqual(averages[0], averages[1])

    def test_a_full_run_folder_is_named_as_the_cause(self):
        d = make_run("full-folder", SCENARIOS)
        disk = os.path.join(d, "disk")
        if not can_mount_tmpfs(disk, "1m"):
            self.skipTest("no tmpfs can be mounted here")
        try:
            for name in ("template.gms", "scenarios.txt"):
                with open(os.path.join(disk, name), "w") as f:
                    f.write(read(d, name))
            # A solver that fills the run folder before it solves: the workers cannot record their results.
            wrapper = os.path.join(d, "gams-that-fills")
            with open(wrapper, "w") as f:
                f.write(f"#!/bin/sh\ndd if=/dev/zero of={disk}/filler bs=4k 2>/dev/null\nexec {GAMS_DOUBLE} \"$@\"\n")
            os.chmod(wrapper, 0o755)
            p = run(disk, options(max_iter=2, gams=wrapper, extra=["--workers", "1"]))
            self.assertEqual(p.returncode, 2, output(p))
            self.assertIn(f"could not record their results: the run folder '{disk}' is full", p.stdout)
            assert_no_processes_left(self, disk)
        finally:
            subprocess.run(["umount", disk])

    def test_a_model_printing_the_answer_line_is_not_taken_for_the_workers(self):
        d = make_run("prints-done", SCENARIOS)
        wrapper = os.path.join(d, "gams-that-prints")
        with open(wrapper, "w") as f:
            f.write(f"#!/bin/sh\necho 'done 1 0 0.000001'\necho 'ready 1'\nexec {GAMS_DOUBLE} \"$@\"\n")
        os.chmod(wrapper, 0o755)
        plain = run(d, options(max_iter=4, extra=["--json", "plain.json"]))
        printing = run(d, options(max_iter=4, gams=wrapper, extra=["--json", "printing.json"]))
        self.assertEqual(printing.returncode, 0, output(printing))
        self.assertIn("done 1 0 0.000001", printing.stderr)
        averages = [[it["average"] for it in json.loads(read(d, name))["iterations"]]
                    for name in ("plain.json", "printing.json")]
        self.assertEqual(averages[0], averages[1])
        self.assertEqual(plain.returncode, 0)


if __name__ == "__main__":
    unittest.main()
