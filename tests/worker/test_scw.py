"""The solver worker scw under the real mpirun, with the GAMS stand-in.

A model file for the stand-in holds one directive line; with avg 0 and w 0 its
first-stage level is x = xi / 2 (h = rho = 1, c = 0).
"""
import mmap
import os
import re
import resource
import select
import shutil
import struct
import subprocess
import time
import unittest

SCW = os.environ["SCW_BIN"]
GAMS = os.environ["GAMS_DOUBLE"]
RUNS = os.environ["SCW_RUNS_DIR"]


def make_dir(name, modes_and_xis):
    d = os.path.join(RUNS, name)
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    for k, (mode, xi) in enumerate(modes_and_xis, start=1):
        with open(os.path.join(d, f"scenario{k}.gms"), "w") as f:
            f.write(f"* testdouble: c=0 h=1 xi={xi} w=0 rho=1 avg=0 mode={mode}\nSet i /1/;\n")
    return d


def mpirun(n, directory, gams_path, timeout=600):
    return subprocess.run(["mpirun", "-np", str(n), SCW, directory, gams_path],
                          capture_output=True, text=True, timeout=timeout)


def level_of_x(listing):
    with open(listing) as f:
        text = f.read()
    m = re.search(r"---- VAR x .*\n\n.*\n\n1 +\S+ +(\S+) ", text)
    return float(m.group(1)) if m else None


def done(directory, k):
    with open(os.path.join(directory, f"done{k}")) as f:
        return f.read()


class WorkerTest(unittest.TestCase):
    def test_serve_answers_into_its_pipe_or_marked_on_its_output(self):
        d = make_dir("serve", [(0, 8), (0, 12)])
        pipe_dir = os.path.join(RUNS, "serve-pipe")
        shutil.rmtree(pipe_dir, ignore_errors=True)
        os.makedirs(pipe_dir)
        pipe = os.path.join(pipe_dir, "answers")
        os.mkfifo(pipe)
        reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
        p = subprocess.run(["mpirun", "-np", "2", SCW, "--serve", d, GAMS, pipe], input="solve 1 2\nquit\n",
                           capture_output=True, text=True, timeout=120)
        answers = os.read(reader, 4096).decode()
        os.close(reader)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertRegex(answers, r"^ready 2\ndone 1 0 \S+\n$")
        self.assertNotIn("ready", p.stdout)
        # A rank 0 that cannot open the pipe (on another host) marks its answers with the pipe's name.
        p = subprocess.run(["mpirun", "-np", "1", SCW, "--serve", d, GAMS, "/nonexistent/answers"],
                           input="solve 2 2\nquit\n", capture_output=True, text=True, timeout=120)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("\nanswer /nonexistent/answers ready 1", p.stdout)
        self.assertIn("\nanswer /nonexistent/answers done 2 0 ", p.stdout)

    def test_serve_on_rank_pipes_reports_each_scenario_without_done_files(self):
        # Scenario 2 fails (exit status 3, no listing) over a stale listing, which must not pass for its own.
        d = make_dir("serve-on-pipes", [(0, 8), (2, 12), (0, 10)])
        with open(os.path.join(d, "scenario2.lst"), "w") as f:
            f.write("**** SOLVER STATUS     1 Normal Completion\n")
        pipe_dir = os.path.join(RUNS, "serve-on-pipes-channel")
        shutil.rmtree(pipe_dir, ignore_errors=True)
        os.makedirs(pipe_dir)
        answers = os.path.join(pipe_dir, "answers")
        for name in [answers] + [f"{answers}.{way}-rank-{r}" for r in (0, 1) for way in ("to", "from")]:
            os.mkfifo(name)
        # The count of the round's scenarios taken: the round's tag in the high half of one 64-bit word.
        claims_fd = os.open(f"{answers}.claims", os.O_RDWR | os.O_CREAT, 0o600)
        os.ftruncate(claims_fd, 64)
        claims = mmap.mmap(claims_fd, 64)

        def open_round(tag):
            claims[0:8] = struct.pack("<Q", tag << 32)
        answer_fd = os.open(answers, os.O_RDONLY | os.O_NONBLOCK)
        report_fds = [os.open(f"{answers}.from-rank-{r}", os.O_RDONLY | os.O_NONBLOCK) for r in (0, 1)]
        command_fds = [os.open(f"{answers}.to-rank-{r}", os.O_RDWR) for r in (0, 1)]
        p = subprocess.Popen(["mpirun", "-np", "2", SCW, "--serve", d, GAMS, answers], stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

        def read_until(fd, done, limit=120):
            text, began = "", time.monotonic()
            while not done(text) and time.monotonic() - began < limit:  # a guard only
                ready, _, _ = select.select([fd], [], [], 1.0)
                if ready:
                    chunk = os.read(fd, 4096).decode()
                    if not chunk:
                        break
                    text += chunk
            return text

        try:
            self.assertEqual(read_until(answer_fd, lambda t: t.endswith("\n")), "ready 2 pipes\n")
            def tell(line):
                for fd in command_fds:
                    os.write(fd, (line + "\n").encode())

            failed = r"failed 2 \d+\.\d+ 3\nended: exit status 3\nmeaning: execution error\nlisting: missing\n"

            def reports_until(count):
                # Whichever rank was free took each scenario: the reports of both pipes together.
                text = ["", ""]
                began = time.monotonic()
                while sum(t.count("ok ") + t.count("failed ") for t in text) < count and time.monotonic() - began < 120:
                    ready, _, _ = select.select(report_fds, [], [], 1.0)
                    for fd in ready:
                        text[report_fds.index(fd)] += os.read(fd, 4096).decode()
                return text

            # Only scenario 1 released at first (pha still writes the others): one rank takes it, none takes more.
            open_round(1)
            tell("solve 1 3 1 1")
            first = reports_until(1)
            self.assertRegex("".join(first), r"^ok 1 \d+\.\d+\n$")
            tell("upto 3")
            rest = "".join(reports_until(2))
            self.assertRegex(rest, r"ok 3 \d+\.\d+\n")
            self.assertRegex(rest, failed)
            self.assertEqual(struct.unpack("<Q", claims[0:8])[0], (1 << 32) | 3)
            # A release of an earlier round is passed over, and a rank that still tries that round takes
            # nothing from the next one: both rounds run whole, each scenario solved once.
            for tag in (2, 3):
                open_round(tag)
                tell(f"solve {tag} 3 2 {tag}")
                tell("upto 3")
                text = "".join(reports_until(3))
                self.assertEqual(sorted(re.findall(r"^(?:ok|failed) (\d)", text, re.M)), ["1", "2", "3"], text)
                self.assertRegex(text, failed)
            self.assertEqual(level_of_x(os.path.join(d, "scenario1.lst")), 4.0)
            self.assertEqual(level_of_x(os.path.join(d, "scenario3.lst")), 5.0)
            self.assertFalse(os.path.exists(os.path.join(d, "scenario2.lst")))
            self.assertEqual([n for n in os.listdir(d) if n.startswith("done")], [])
            # The ranks end when pha's ends of their command pipes close, as when pha itself ends.
            for fd in command_fds:
                os.close(fd)
            command_fds = []
            _, err = p.communicate(timeout=120)
            self.assertEqual(p.returncode, 0, err)
        finally:
            claims.close()
            for fd in command_fds + report_fds + [answer_fd, claims_fd]:
                os.close(fd)
            if p.poll() is None:
                p.kill()
            p.communicate()

    def test_wrong_calls_say_how_to_call_and_fail(self):
        for args in ([], ["/nonexistent-dir", GAMS], [RUNS]):
            p = subprocess.run([SCW] + args, capture_output=True, text=True, timeout=300)
            self.assertNotEqual(p.returncode, 0, args)
            self.assertIn("usage:", p.stderr)

    def test_each_rank_solves_its_scenario_and_marks_it_done(self):
        # Blanks in the directory, the GAMS folder with a trailing CR, and a
        # stale listing that must not survive.
        d = make_dir("solve dir with blanks", [(0, 8), (0, 12)])
        with open(os.path.join(d, "scenario1.lst"), "w") as f:
            f.write("stale listing\n")
        p = mpirun(2, d, os.path.dirname(GAMS) + "\r")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertEqual(level_of_x(os.path.join(d, "scenario1.lst")), 4.0)
        self.assertEqual(level_of_x(os.path.join(d, "scenario2.lst")), 6.0)
        self.assertEqual(sorted(n for n in os.listdir(d) if n.startswith("done")), ["done1", "done2"])

    def test_done_file_records_how_each_solve_ended(self):
        # 0: normal; 2: exit status 3 without a listing; 6: killed halfway
        # through its listing.
        d = make_dir("gams-fails", [(0, 8), (2, 12), (6, 10)])
        p = mpirun(3, d, GAMS)
        self.assertIn("scw: GAMS failed on", p.stderr)
        self.assertIn("scenario2.gms", p.stderr)
        self.assertEqual(done(d, 1), "ended: ok\nlisting: written\n")
        self.assertEqual(done(d, 2), "ended: exit status 3\nmeaning: execution error\nlisting: missing\n")
        self.assertTrue(done(d, 3).startswith("ended: killed by signal 9\nlisting: written\n"
                                              "line: **** SOLVER STATUS"), done(d, 3))
        self.assertFalse(os.path.exists(os.path.join(d, "scenario2.lst")))
        self.assertEqual(sorted(n for n in os.listdir(d) if n.startswith("done")), ["done1", "done2", "done3"])

        d = make_dir("gams-missing", [(0, 8)])
        p = mpirun(1, d, os.path.join(d, "no-such-gams"))
        self.assertIn("could not be started", p.stderr)
        self.assertEqual(done(d, 1), "ended: could not be started: No such file or directory\nlisting: missing\n")

    def test_finished_ranks_wait_without_using_the_processor(self):
        # Scenario 2 takes three seconds; the other ranks must neither wait for
        # it before marking their own scenario done nor spin while they wait.
        d = make_dir("slow", [(0, 8), (4, 12), (0, 10)])
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        p = mpirun(3, d, GAMS)
        elapsed = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertGreaterEqual(elapsed, 3.0)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        self.assertLess(cpu, 1.5, "ranks used %.2f s of processor time in %.2f s" % (cpu, elapsed))
        mtime = lambda name: os.stat(os.path.join(d, name)).st_mtime
        self.assertLess(mtime("done1"), mtime("done2") - 2.0)
        self.assertLess(mtime("done3"), mtime("done2") - 2.0)


if __name__ == "__main__":
    unittest.main()
