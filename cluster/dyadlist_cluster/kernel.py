"""Runs dyadlist-cluster-kernel, the work inside a task, as a child process of the worker,
and reads its frames (8-byte little-endian numbers, byte strings after their size)."""

import os
import resource
import shutil
import socket
import struct
import subprocess
import threading

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


def run(kernel, args, pieces):
    """The kernel's output for command `args`, its input being the byte strings `pieces`
    (an iterable, written as it comes, so a block need not be held whole)."""
    process = subprocess.Popen([find_kernel(kernel)] + [str(a) for a in args],
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE)
    failure = []

    def feed():
        try:
            for piece in pieces:
                process.stdin.write(piece)
        except BrokenPipeError:
            pass  # the kernel failed and says why on standard error
        except BaseException as error:  # an unreadable list, most likely: told after the kernel
            failure.append(error)
        finally:
            try:
                process.stdin.close()
            except BrokenPipeError:
                pass

    def drain():
        failure_text.append(process.stderr.read())

    failure_text = []
    feeder = threading.Thread(target=feed, daemon=True)
    reader = threading.Thread(target=drain, daemon=True)
    feeder.start()
    reader.start()
    output = process.stdout.read()
    feeder.join()
    reader.join()
    status = process.wait()
    if failure:
        raise failure[0]
    if status != 0:
        reason = failure_text[0].decode("utf-8", "replace").strip() if failure_text else ""
        raise KernelError(reason or "%s %s ended with status %d" % (KERNEL_NAME, args[0], status))
    return output


def largest_run():
    """The peak memory of the largest kernel run of this process so far, in bytes."""
    return resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024


class Frames:
    """Reads a kernel's output: numbers, then sized byte strings."""

    def __init__(self, data):
        self._data = memoryview(data)
        self._at = 0

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
