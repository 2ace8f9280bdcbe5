#!/usr/bin/python3
"""dyadlist-cluster against dyadlist-compare on the concatenated files: random pairs of lists
split into part files, compared on a local cluster and on a real scheduler with two worker
processes started here on 127.0.0.1; a worker killed mid-run; the errors.

    cluster_test.py BIN_DIR [unittest arguments, e.g. LocalClusterTest]
"""

import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BIN = ""  # set from the command line


def tool(name):
    return os.path.join(BIN, name)


def random_list(rng, pool):
    """The bytes of a list: lines from `pool` (so lines repeat within and across lists),
    ending in LF, CR or CR LF at random, now and then with no break at the end."""
    lines = [rng.choice(pool) for _ in range(rng.randrange(0, 60))]
    ends = [rng.choice([b"\n", b"\r", b"\r\n", b"\n", b"\r\n"]) for _ in lines]
    if lines and rng.random() < 0.3:
        ends[-1] = b""
    return b"".join(line + end for line, end in zip(lines, ends))


def line_pool(rng):
    alphabet = b"ab \t\x80\xe9\xc3\xa9z"
    pool = [b"", b"a", b"a ", b"\ta", b"    a", b"caf\xe9", b"caf\xc3\xa9"]
    pool += [bytes(rng.choice(alphabet) for _ in range(rng.randrange(1, 6))) for _ in range(12)]
    return pool


def split_into_parts(rng, data, count):
    """`data` cut at random places (a CR LF pair now and then among them) into `count` parts."""
    cuts = sorted(rng.randrange(0, len(data) + 1) for _ in range(count - 1))
    crlf = data.find(b"\r\n")
    if crlf >= 0 and cuts:
        cuts[0] = crlf + 1
        cuts.sort()
    bounds = [0] + cuts + [len(data)]
    return [data[a:b] for a, b in zip(bounds, bounds[1:])]


def write_parts(folder, parts):
    os.makedirs(folder)
    for i, part in enumerate(parts):
        with open(os.path.join(folder, "part-%03d" % i), "wb") as f:
            f.write(part)


def run(args, **kwargs):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300,
                          **kwargs)


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Pair:
    """A random pair in a scratch folder: each list as part files in a folder (L, R) and
    concatenated into one file (left.txt, right.txt)."""

    def __init__(self, scratch, rng, nul_in_later_part=False, identical=False):
        pool = line_pool(rng)
        self.dir = scratch
        self.data = []
        for side in "LR":
            data = random_list(rng, pool) if not (identical and side == "R") else self.data[0]
            parts = split_into_parts(rng, data, rng.randrange(2, 6))
            if nul_in_later_part and side == "L":
                k = rng.randrange(1, len(parts))
                at = rng.randrange(0, len(parts[k]) + 1)
                parts[k] = parts[k][:at] + b"\0" + parts[k][at:] + b"never read\n"
            write_parts(os.path.join(scratch, side), parts)
            whole = b"".join(parts)
            with open(os.path.join(scratch, side + ".txt"), "wb") as f:
                f.write(whole)
            self.data.append(whole)

    def path(self, name):
        return os.path.join(self.dir, name)


class ClusterCase(unittest.TestCase):
    """Runs both programs on a pair and asserts the same outputs, byte for byte."""

    scheduler = []  # --scheduler ADDRESS, or nothing for a local cluster

    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="cluster-test.")
        self.addCleanup(shutil.rmtree, self.scratch, True)

    def cluster(self, *args):
        return run([tool("dyadlist-cluster"), *self.scheduler, *args])

    def assert_same_as_compare(self, pair, options=(), cluster_options=(), right_as_glob=False):
        """Both programs with -m, -s and `options`; the cluster gets the part folders (the
        right one as a glob when asked)."""
        expected = run([tool("dyadlist-compare"), *options, "-m", pair.path("m.expected"),
                        "-s", pair.path("s.expected"), pair.path("L.txt"), pair.path("R.txt")])
        right = pair.path("R/part-*") if right_as_glob else pair.path("R")
        actual = self.cluster(*options, *cluster_options, "-m", pair.path("m.actual"),
                              "-s", pair.path("s.actual"), pair.path("L"), right)
        message = "lists %r and %r; cluster said %s" % (pair.data[0], pair.data[1],
                                                       actual.stderr.decode(errors="replace"))
        self.assertEqual(actual.returncode, expected.returncode, message)
        out = actual.stdout
        if "--json" in options and expected.returncode == 0:
            # The warnings name the lists as given: the folder against the joined file.
            out = out.replace(pair.path("L").encode(), pair.path("L.txt").encode())
            out = out.replace(right.encode(), pair.path("R.txt").encode())
            json.loads(out)
        self.assertEqual(out, expected.stdout, message)
        for kind in "ms":
            if expected.returncode == 0:
                self.assertEqual(read(pair.path(kind + ".actual")),
                                 read(pair.path(kind + ".expected")), message)
            else:
                self.assertFalse(os.path.exists(pair.path(kind + ".actual")), message)
        return actual


class LocalClusterTest(ClusterCase):
    def test_random_pairs_with_line_numbers_and_tiny_blocks(self):
        # One local cluster per run, so few runs: lists of several pairs joined end to end
        # make the blocks cross every kind of boundary at once.
        rng = random.Random(26)
        for round_ in range(2):
            pair = Pair(os.path.join(self.scratch, str(round_)), rng,
                        nul_in_later_part=round_ == 1)
            self.assert_same_as_compare(pair, ["-n", "--json"] if round_ else ["-n"],
                                        ["--workers", "2", "--block-size", "7",
                                         "--partitions", "3"], right_as_glob=round_ == 1)

    def test_parts_folder_holds_the_entries_in_order(self):
        rng = random.Random(7)
        pair = Pair(self.scratch, rng)
        parts = pair.path("parts")
        result = self.assert_same_as_compare(pair, [], ["--workers", "1", "--block-size", "16",
                                                        "--parts", parts])
        self.assertEqual(result.returncode, 0, result.stderr)
        names = sorted(os.listdir(parts))
        for kind, expected in (("multiple-hits", "m.expected"), ("single-hits", "s.expected")):
            mine = [n for n in names if n.startswith(kind + "-")]
            self.assertGreater(len(mine), 2)
            joined = b"".join(read(os.path.join(parts, n)) for n in mine)
            self.assertEqual(joined, read(pair.path(expected)))
        self.assertEqual(len(names), len([n for n in names if n.endswith(".txt")]))


def start(args, log):
    return subprocess.Popen(args, stdout=log, stderr=subprocess.STDOUT,
                            start_new_session=True)


def dask_command(name):
    """`dask scheduler` and `dask worker`, or dask-scheduler and dask-worker in older
    releases, on Debian's interpreter."""
    if shutil.which("dask") and run(["dask", name, "--help"]).returncode == 0:
        return ["dask", name]
    return [shutil.which("dask-" + name) or "dask-" + name]


class RealCluster:
    """A scheduler and worker processes on 127.0.0.1, started and stopped here."""

    def __init__(self, workers):
        self.scratch = tempfile.mkdtemp(prefix="cluster-scheduler.")
        self.log = open(os.path.join(self.scratch, "log"), "wb")
        self.scheduler = None
        self.workers = []
        try:
            self._start(workers)
        except BaseException:
            self.stop()
            raise

    def _start(self, workers):
        address_file = os.path.join(self.scratch, "scheduler.json")
        self.scheduler = start(dask_command("scheduler") + [
            "--host", "127.0.0.1", "--port", "0", "--no-dashboard", "--scheduler-file",
            address_file], self.log)
        deadline = time.time() + 60
        while not os.path.exists(address_file) and time.time() < deadline:
            time.sleep(0.1)
        time.sleep(0.2)  # the file is written whole before the name is seen, not always
        with open(address_file) as f:
            self.address = json.load(f)["address"]
        for _ in range(workers):
            self.add_worker()
        self.wait_for_workers(workers)

    def add_worker(self):
        """Starts one more worker process, without a nanny that would start it again."""
        worker = start(dask_command("worker") + [
            self.address, "--nthreads", "1", "--no-nanny", "--no-dashboard", "--host",
            "127.0.0.1", "--local-directory", self.scratch], self.log)
        self.workers.append(worker)
        return worker

    def wait_for_workers(self, count):
        check = ("import distributed, sys; c = distributed.Client(sys.argv[1], timeout=30); "
                 "c.wait_for_workers(int(sys.argv[2]), timeout=60)")
        result = run(["/usr/bin/python3", "-c", check, self.address, str(count)])
        assert result.returncode == 0, result.stderr

    def stop(self):
        processes = self.workers + ([self.scheduler] if self.scheduler else [])
        for process in processes:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
        for process in processes:
            try:
                process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        self.log.close()
        shutil.rmtree(self.scratch, True)


def cpu_seconds(pid):
    """User and system time of a process and of its children waited for."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return sum(int(v) for v in fields[11:15]) / os.sysconf("SC_CLK_TCK")


class RealSchedulerTest(ClusterCase):
    @classmethod
    def setUpClass(cls):
        cls.real = RealCluster(workers=2)
        cls.scheduler = ["--scheduler", cls.real.address]

    @classmethod
    def tearDownClass(cls):
        cls.real.stop()

    def test_random_pairs(self):
        rng = random.Random(2026)
        for round_ in range(6):
            pair = Pair(os.path.join(self.scratch, str(round_)), rng,
                        nul_in_later_part=round_ % 3 == 2, identical=round_ == 4)
            options = [["-n"], ["--json"], []][round_ % 3]
            cluster_options = ["--block-size", str(rng.choice([3, 16, 64])),
                               "--partitions", str(rng.randrange(1, 5))]
            self.assert_same_as_compare(pair, options, cluster_options,
                                        right_as_glob=round_ % 2 == 1)

    def test_a_list_missing_on_the_workers_is_named(self):
        present = os.path.join(self.scratch, "present.txt")
        with open(present, "wb") as f:
            f.write(b"a\n")
        missing = os.path.join(self.scratch, "missing", "*.txt")
        result = self.cluster(present, missing)
        self.assertEqual((result.returncode, result.stderr.decode()),
                         (1, 'Cannot open file "%s". No file matches it\n' % missing))

    def test_a_worker_killed_mid_run_changes_nothing(self):
        rng = random.Random(5)
        pool = [bytes(rng.randrange(97, 123) for _ in range(rng.randrange(1, 12)))
                for _ in range(40000)]
        pair_dir = self.scratch
        for side, count in (("L", 150000), ("R", 120000)):
            data = b"".join(rng.choice(pool) + b"\n" for _ in range(count))
            write_parts(os.path.join(pair_dir, side), [data])
            with open(os.path.join(pair_dir, side + ".txt"), "wb") as f:
                f.write(data)
        pair = Pair.__new__(Pair)
        pair.dir, pair.data = pair_dir, [b"(150000 lines)", b"(120000 lines)"]
        # A worker of our own beside the two, killed once it has worked a while.
        worker = self.real.add_worker()
        self.real.wait_for_workers(3)
        idle = cpu_seconds(worker.pid)
        client = subprocess.Popen(
            [tool("dyadlist-cluster"), *self.scheduler, "--block-size", "32K",
             "--partitions", "4", "-m", pair.path("m.actual"), "-s", pair.path("s.actual"),
             pair.path("L"), pair.path("R")], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        deadline = time.time() + 120
        while cpu_seconds(worker.pid) < idle + 0.2 and client.poll() is None:
            self.assertLess(time.time(), deadline)
            time.sleep(0.02)
        killed_mid_run = client.poll() is None
        os.kill(worker.pid, signal.SIGKILL)
        worker.wait()
        out, err = client.communicate(timeout=300)
        self.assertTrue(killed_mid_run, "the run ended before the worker was killed")
        expected = run([tool("dyadlist-compare"), "-m", pair.path("m.expected"), "-s",
                        pair.path("s.expected"), pair.path("L.txt"), pair.path("R.txt")])
        self.assertEqual((client.returncode, out), (expected.returncode, expected.stdout), err)
        for kind in "ms":
            self.assertEqual(read(pair.path(kind + ".actual")),
                             read(pair.path(kind + ".expected")))


class ErrorTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="cluster-errors.")
        self.addCleanup(shutil.rmtree, self.scratch, True)
        self.list = os.path.join(self.scratch, "list.txt")
        with open(self.list, "wb") as f:
            f.write(b"a\nb\n")

    def test_a_missing_or_empty_input_is_named_before_any_cluster_starts(self):
        for name, reason in (("missing.txt", "No such file or directory"),
                             ("missing-*.txt", "No file matches it"),
                             ("empty-folder", "The folder holds no file")):
            os.makedirs(os.path.join(self.scratch, "empty-folder"), exist_ok=True)
            path = os.path.join(self.scratch, name)
            started = time.time()
            result = run([tool("dyadlist-cluster"), self.list, path])
            self.assertEqual(result.returncode, 1)
            self.assertEqual(result.stderr.decode(),
                             'Cannot open file "%s". %s\n' % (path, reason))
            self.assertLess(time.time() - started, 30)

    def test_an_unreachable_scheduler_fails_within_the_timeout(self):
        address = "tcp://127.0.0.1:9"  # the discard port: nothing listens there
        started = time.time()
        result = run([tool("dyadlist-cluster"), "--scheduler", address, "--timeout", "2",
                      self.list, self.list])
        self.assertEqual(result.returncode, 1)
        self.assertIn("cannot reach the scheduler at " + address, result.stderr.decode())
        self.assertLess(time.time() - started, 20)

    def test_an_output_that_is_a_list_is_refused(self):
        result = run([tool("dyadlist-cluster"), "-s", self.list, self.list, self.list])
        self.assertEqual(result.returncode, 2)
        self.assertEqual(read(self.list), b"a\nb\n")
        result = run([tool("dyadlist-cluster"), "--block-size", "0", self.list, self.list])
        self.assertEqual(result.returncode, 2)


if __name__ == "__main__":
    BIN = sys.argv.pop(1)
    unittest.main()
