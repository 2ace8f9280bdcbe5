"""The comparison as Dask tasks, in three steps with the client's decisions between them:

1. split: every block of both lists, read in parallel, into lines dealt to the partitions by
   their hash (blocks.split_block). The client then learns each block's lines, where the
   first NUL of each list is (the blocks after it are dropped, and the block holding it owns
   no line past it), each block's first line number, and so the lists' lengths, which say
   which list drives the multiple hits.
2. count: every partition compared on its own (blocks.count_partition): equal lines hash
   alike, so no partition needs another's table. Their counts add up to the lists' counts;
   the lists are identical when every partition finds the same lines at the same numbers.
3. render: every block's entries, from all partitions, put back in order by the line
   indexes they carry and written as text (blocks.render_block); the blocks in order are
   the entries in order.

Between steps the data moves as Dask moves task results: each split's buckets and each
count's parts are results of their own (getitem tasks), fetched by the tasks that need them,
and spilled to disk by a worker past its memory limit. A lost worker's results are computed
again from the same pure tasks.
"""

import operator
import os
import uuid
from dataclasses import dataclass

from . import blocks, kernel
from .inputs import list_size

# Bytes of both lists that one partition is planned for.
PARTITION_BYTES = 64 << 20


@dataclass
class ListFacts:
    """What the warnings about a list are told from."""
    head: bytes
    size: int
    nul_at: object
    lf: int
    crlf: int


@dataclass
class Comparison:
    multiple_hits: int
    single_hits: int
    identical: bool
    facts: tuple  # ListFacts of the left and the right list
    # Render arguments per output in order: the multiple hits' blocks, the single hits' blocks.
    multiple_blocks: list
    single_blocks: list
    parts: list  # per block of each output: the futures of its records in every partition


def _hold(value):
    return value


def default_partitions(sizes, workers):
    wanted = -(-sum(sizes) // PARTITION_BYTES)
    return max(2 * workers, min(wanted, 4096), 1)


class ClusterComparison:
    """Runs the comparison of two resolved lists (inputs.resolve) on `client`."""

    def __init__(self, client, kernel_path, files, block_size, partitions):
        self.client = client
        self.kernel = kernel_path
        self.files = files
        self.block_size = block_size
        self.partitions = partitions
        self.token = uuid.uuid4().hex[:12]

    def _key(self, *parts):
        return "dyadlist-" + "-".join(str(p) for p in parts) + "-" + self.token

    def _submit(self, function, *args, key):
        return self.client.submit(function, *args, key=key, pure=False)

    # 1. split
    def _split(self):
        """Per list: its blocks' (start, end), summaries and bucket futures."""
        sides = []
        for letter, files in zip("LR", self.files):
            held = self._submit(_hold, files, key=self._key("files", letter))
            size = list_size(files)
            ranges = [(start, min(start + self.block_size, size))
                      for start in range(0, size, self.block_size)]
            results = [self._submit(blocks.split_block, self.kernel, held, start, end,
                                    self.partitions, key=self._key("split", letter, k))
                       for k, (start, end) in enumerate(ranges)]
            summaries = [self._submit(blocks.summary_of, r, key=self._key("summary", letter, k))
                         for k, r in enumerate(results)]
            buckets = [[self._submit(blocks.bucket_of, r, p,
                                     key=self._key("bucket", letter, k, p))
                        for p in range(self.partitions)] for k, r in enumerate(results)]
            sides.append((ranges, summaries, buckets))
        # The whole results go once their buckets and summaries are taken out.
        del results
        return [(ranges, self.client.gather(summaries), buckets)
                for ranges, summaries, buckets in sides]

    def _list_blocks(self, letter, files, ranges, summaries, buckets):
        """The blocks that count, up to the one holding the list's first NUL: a list of
        (first line, lines, bucket futures), and the list's facts."""
        used = []
        first_line = 0
        lf = crlf = 0
        nul_at = None
        for (start, _), summary, block_buckets in zip(ranges, summaries, buckets):
            lines, block_nul, block_lf, block_crlf, _ = summary
            used.append((first_line, lines, block_buckets))
            first_line += lines
            lf += block_lf
            crlf += block_crlf
            if block_nul is not None:
                nul_at = start + block_nul
                break
        head = summaries[0][4] if summaries else b""
        if first_line == 0:
            # A list with no line (empty, or starting with NUL) is one empty line.
            text = self._submit(blocks.split_text, self.kernel, b"\n", self.partitions,
                                key=self._key("empty", letter))
            used = [(0, 1, [self._submit(operator.getitem, text, p,
                                         key=self._key("empty", letter, p))
                            for p in range(self.partitions)])]
        return used, ListFacts(head, list_size(files), nul_at, lf, crlf)

    def run(self):
        split = self._split()
        (left, left_facts), (right, right_facts) = (
            self._list_blocks(letter, files, *side)
            for letter, files, side in zip("LR", self.files, split))
        n = sum(lines for _, lines, _ in left)
        m = sum(lines for _, lines, _ in right)
        driving = "L" if n > m else "R"

        # 2. count
        counts = []
        parts = []  # per partition: futures of its parts
        driving_blocks = left if driving == "L" else right
        part_count = len(driving_blocks) + len(left) + len(right)
        for p in range(self.partitions):
            result = self._submit(
                blocks.count_partition, self.kernel, driving, n == m,
                [(first, b[p]) for first, _, b in left], [(first, b[p]) for first, _, b in right],
                key=self._key("count", p))
            counts.append(self._submit(operator.getitem, result, 0, key=self._key("counts", p)))
            parts.append([self._submit(blocks.part_of, result, i, key=self._key("part", p, i))
                          for i in range(part_count)])
        del result
        totals = self.client.gather(counts)
        multiple_hits = sum(t[0] for t in totals)
        single_hits = sum(t[1] for t in totals)
        identical = n == m and all(t[2] for t in totals)

        # 3. what render needs, per block of each output, in order
        def outputs(letter, list_blocks, offset):
            return [(letter, first, lines, [parts[p][offset + i] for p in range(self.partitions)])
                    for i, (first, lines, _) in enumerate(list_blocks)]

        multiple = outputs(driving, driving_blocks, 0)
        single = (outputs("L", left, len(driving_blocks)) +
                  outputs("R", right, len(driving_blocks) + len(left)))
        return Comparison(multiple_hits, single_hits, identical, (left_facts, right_facts),
                          multiple, single, parts)

    def render(self, kind, block_list, line_numbers, targets=None):
        """Futures of each block's text (or of its part file written at `targets[i]`)."""
        return [self._submit(blocks.render_block, self.kernel, kind, letter, first, lines,
                             line_numbers, records, targets[i] if targets else None,
                             key=self._key("render", kind, "parts" if targets else "text", i))
                for i, (letter, first, lines, records) in enumerate(block_list)]


def worker_stats():
    """This worker's peak memory, its largest kernel run's and the bytes it spilled."""
    from distributed import get_worker

    peak = 0
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                peak = int(line.split()[1]) * 1024
    spilled = 0
    data = get_worker().data
    if hasattr(data, "get_metrics"):
        spilled = int(data.get_metrics().get("disk_write_bytes_total", 0))
    return {"peak": peak, "kernel": kernel.largest_run(), "spilled": spilled,
            "pid": os.getpid()}
