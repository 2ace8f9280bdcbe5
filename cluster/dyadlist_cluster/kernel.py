"""Runs dyadlist-cluster-kernel, the work inside a task, as a child process of the worker,
and reads its frames (8-byte little-endian numbers, byte strings after their size). Input and
output pass through memory files: the kernel maps its input, and a task copies each of its
results out of the output once."""

import mmap
import os
import shutil
import socket
import struct
import subprocess

KERNEL_NAME = "dyadlist-cluster-kernel"


class KernelError(Exception):
    pass


def find_kernel(preferred):
    """The kernel beside the client's dyadlist-cluster when it is there on this worker too,
    else the one on PATH."""
    if preferred and os.access(preferred, os.X_OK):
        return preferred
    found = shutil.which(KERNEL_NAME)
    if not found:
        raise KernelError("%s is not installed on the worker on %s: install Dyadlist there, "
                          "or put %s on its PATH" % (KERNEL_NAME, socket.gethostname(),
                                                     KERNEL_NAME))
    return found


def write_all(fd, data):
    view = memoryview(data)
    while view:
        view = view[os.write(fd, view):]


def run(kernel, args, write_input, output=None):
    """Runs the kernel's command `args` on the input that `write_input(fd)` writes into a
    memory file, which the kernel maps. Its output goes to the open file `output` when given
    (None is returned), else into another memory file, returned mapped (or b"" when empty)."""
    input_fd = os.memfd_create("dyadlist-kernel-input", os.MFD_CLOEXEC)
    output_fd = None
    try:
        write_input(input_fd)
        os.lseek(input_fd, 0, os.SEEK_SET)
        if output is None:
            output_fd = os.memfd_create("dyadlist-kernel-output", os.MFD_CLOEXEC)
        process = subprocess.run([find_kernel(kernel), "--report-peak"] + [str(a) for a in args],
                                 stdin=input_fd,
                                 stdout=output.fileno() if output else output_fd,
                                 stderr=subprocess.PIPE)
        if process.returncode != 0:
            reason = process.stderr.decode("utf-8", "replace").strip()
            raise KernelError(reason or "%s %s ended with status %d" % (
                KERNEL_NAME, args[0], process.returncode))
        _note_peak(process.stderr)
        if output_fd is None:
            return None
        size = os.fstat(output_fd).st_size
        return mmap.mmap(output_fd, size, mmap.MAP_SHARED, mmap.PROT_READ) if size else b""
    finally:
        os.close(input_fd)
        if output_fd is not None:
            os.close(output_fd)


def _worker():
    """The Dask worker running this task, or None outside one. It keeps the largest kernel
    run's peak: our modules travel with each task (main.py), so a global of theirs would
    last one task only."""
    try:
        from distributed import get_worker
        return get_worker()
    except (ImportError, ValueError):
        return None


def _note_peak(told):
    worker = _worker()
    for line in told.decode("ascii", "replace").splitlines():
        if line.startswith("peak-kb ") and worker is not None:
            peak = int(line.split()[1]) * 1024
            worker.dyadlist_kernel_peak = max(getattr(worker, "dyadlist_kernel_peak", 0), peak)


def largest_run():
    """The peak memory of the largest kernel run on this worker so far, in bytes."""
    return getattr(_worker(), "dyadlist_kernel_peak", 0)


class Frames:
    """Reads a kernel's output: numbers, then sized byte strings (copied out, so that the
    output's mapping can go: close() when done)."""

    def __init__(self, data):
        self._mapped = data
        self._data = memoryview(data)
        self._at = 0

    def close(self):
        self._data.release()
        if isinstance(self._mapped, mmap.mmap):
            self._mapped.close()

    def number(self):
        if self._at + 8 > len(self._data):
            raise KernelError("the kernel's output is cut short")
        (value,) = struct.unpack_from("<Q", self._data, self._at)
        self._at += 8
        return value

    def sized(self):
        size = self.number()
        if self._at + size > len(self._data):
            raise KernelError("the kernel's output is cut short")
        piece = bytes(self._data[self._at:self._at + size])
        self._at += size
        return piece

    def at_end(self):
        return self._at == len(self._data)


def sized(piece):
    return struct.pack("<Q", len(piece))
