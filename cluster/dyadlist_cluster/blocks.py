"""The tasks that run on the workers, each over dyadlist-cluster-kernel:

- split_block: one block of a list (a byte range of its concatenated files) read and split
  into lines, dealt to the partitions by hash;
- count_partition: one partition of both lists compared, its entries grouped by the block
  they come from;
- render_block: one block's entries from every partition put back in line order and
  written as text.

Every task is a pure function of its arguments, so Dask may run one again on another worker
when a worker is lost, with the same result.
"""

import mmap
import os
import struct
import tempfile
from . import kernel
from .inputs import ListReader

# Bytes of a list looked at for UTF-16 and UTF-32.
HEAD_BYTES = 256


def block_summary(lines, nul_at, lf, crlf, head):
    """What the client learns of a block, as a plain tuple (the workers need not know our
    classes): the lines it owns up to its first NUL, that NUL from the block's start (or
    None), the line ends before it that are a lone LF and that are CR LF, and the list's first
    bytes (from its first block only)."""
    return (lines, nul_at, lf, crlf, head)


def split_block(kernel_path, files, start, end, partitions):
    """(block_summary, tuple of each partition's records) for the block [start, end)."""
    reader = ListReader(files)

    def write_input(fd):
        if start > 0:
            kernel.write_all(fd, reader.read(start - 1, start))
        reader.copy_to(fd, start, end)
        # The block's last line runs on past its end. A block with no break before its last
        # byte owns no line (it lies inside one) and reads nothing more: a line of many
        # blocks is not read again for each.
        size = os.fstat(fd).st_size
        if start == 0 or _holds_a_break(fd, size - 1):
            for piece in reader.through_line_end(end):
                kernel.write_all(fd, piece)

    try:
        head = reader.read(0, HEAD_BYTES) if start == 0 else b""
        output = kernel.run(kernel_path, ["split", partitions, int(start > 0), end - start],
                            write_input)
    finally:
        reader.close()
    frames = kernel.Frames(output)
    try:
        lines, nul, lf, crlf = (frames.number() for _ in range(4))
        buckets = tuple(frames.sized() for _ in range(partitions))
    finally:
        frames.close()
    return block_summary(lines, nul - 1 if nul else None, lf, crlf, head), buckets


def _holds_a_break(fd, size):
    """Whether the first `size` bytes of the file `fd` hold a CR or an LF."""
    if size <= 0:
        return False
    with mmap.mmap(fd, size, mmap.MAP_SHARED, mmap.PROT_READ) as mapped:
        return mapped.find(b"\n") >= 0 or mapped.find(b"\r") >= 0


def split_text(kernel_path, text, partitions):
    """The buckets of a list held whole in `text` (one of a single empty line)."""
    frames = kernel.Frames(kernel.run(kernel_path, ["split", partitions, 0, len(text)],
                                      lambda fd: kernel.write_all(fd, text)))
    try:
        for _ in range(4):
            frames.number()
        return tuple(frames.sized() for _ in range(partitions))
    finally:
        frames.close()


def summary_of(result):
    return result[0]


def bucket_of(result, partition):
    return result[1][partition]


def count_partition(kernel_path, driving, check_identical, left, right):
    """((multiple hits, single hits, identical), entries per block) for one partition;
    `left` and `right` are the (first line, records) of each block of the lists, in order.
    The entries come as the multiple hits of each block of the driving list, then the
    single hits of each left block, then of each right block."""

    def write_input(fd):
        for first_line, records in list(left) + list(right):
            kernel.write_all(fd, struct.pack("<QQ", first_line, len(records)))
            kernel.write_all(fd, records)

    frames = kernel.Frames(kernel.run(kernel_path, ["count", driving, int(check_identical),
                                                    len(left), len(right)], write_input))
    try:
        counts = (frames.number(), frames.number(), bool(frames.number()))
        driving_blocks = len(left) if driving == "L" else len(right)
        parts = tuple(frames.sized() for _ in range(driving_blocks + len(left) + len(right)))
        if not frames.at_end():
            raise kernel.KernelError("the kernel's output is longer than its parts")
    finally:
        frames.close()
    return counts, parts


def part_of(result, index):
    return result[1][index]


def render_block(kernel_path, kind, letter, first_line, lines, line_numbers, partitions,
                 target=None):
    """The text of one block's entries, from the records each partition gave for it; with a
    `target` path, written there (under a temporary name, then renamed) instead."""
    args = ["render", kind, letter, first_line, lines, int(line_numbers), len(partitions)]

    def write_input(fd):
        for records in partitions:
            kernel.write_all(fd, kernel.sized(records))
            kernel.write_all(fd, records)

    if target is None:
        output = kernel.run(kernel_path, args, write_input)
        try:
            return bytes(output)
        finally:
            if isinstance(output, mmap.mmap):
                output.close()
    folder, name = os.path.split(target)
    fd, temporary = tempfile.mkstemp(prefix=name + ".partial.", dir=folder or ".")
    try:
        with os.fdopen(fd, "wb") as out:
            kernel.run(kernel_path, args, write_input, output=out)
        os.chmod(temporary, 0o666 & ~_umask())
        os.rename(temporary, target)
    except BaseException:
        os.unlink(temporary)
        raise
    return None


def _umask():
    mask = os.umask(0)
    os.umask(mask)
    return mask
