"""A list named on the command line: a file, a folder of part files or a glob, read in name
order as one list, the concatenation of its files. Resolved where the workers read (on the
cluster, with --scheduler), into the list's files: a tuple of their paths and a tuple of where
each starts in the concatenation, one more for the list's size. Plain tuples, as everything a
task takes or gives here: a worker knows no class of ours."""

import bisect
import glob
import os
import stat


class InputError(Exception):
    """A list that cannot be read; the message names it."""


def cannot_open(name, reason):
    return InputError('Cannot open file "%s". %s' % (name, reason))


def list_size(files):
    return files[1][-1]


def _check_readable(path):
    try:
        fd = os.open(path, os.O_RDONLY)
    except OSError as error:
        raise cannot_open(path, os.strerror(error.errno)) from None
    try:
        mode = os.fstat(fd).st_mode
        if stat.S_ISDIR(mode):
            raise cannot_open(path, os.strerror(21))  # EISDIR
        if not stat.S_ISREG(mode):
            raise cannot_open(path, "Not a regular file: the workers read lists by offset")
        return os.fstat(fd).st_size
    finally:
        os.close(fd)


def _by_name(paths):
    return sorted(paths, key=os.fsencode)


def resolve(name):
    """The files of the list `name`, in name order, with their sizes. A folder gives its
    regular files (its subfolders are not read); a glob the regular files it matches."""
    try:
        mode = os.stat(name).st_mode
    except OSError as error:
        if not glob.has_magic(name):
            raise cannot_open(name, os.strerror(error.errno)) from None
        paths = [p for p in _by_name(glob.glob(name)) if os.path.isfile(p)]
        if not paths:
            raise cannot_open(name, "No file matches it") from None
    else:
        if stat.S_ISDIR(mode):
            try:
                entries = os.listdir(name)
            except OSError as error:
                raise cannot_open(name, os.strerror(error.errno)) from None
            paths = [p for p in _by_name(os.path.join(name, e) for e in entries)
                     if os.path.isfile(p)]
            if not paths:
                raise cannot_open(name, "The folder holds no file")
        else:
            paths = [name]
    starts = [0]
    for path in paths:
        starts.append(starts[-1] + _check_readable(path))
    return tuple(paths), tuple(starts)


class ListReader:
    """Reads byte ranges of a list's concatenation, file by file; a file shorter than it was
    when the list was resolved is an error (what would be read is not the list)."""

    def __init__(self, files):
        self.paths, self.starts = files
        self._open = None  # (index, file object)

    def close(self):
        if self._open:
            self._open[1].close()
            self._open = None

    def _file(self, index):
        if self._open and self._open[0] == index:
            return self._open[1]
        self.close()
        path = self.paths[index]
        try:
            self._open = (index, open(path, "rb", buffering=0))
        except OSError as error:
            raise cannot_open(path, os.strerror(error.errno)) from None
        return self._open[1]

    def pieces(self, start, end, piece=1 << 20):
        """The bytes of [start, end) of the list, a piece at a time."""
        starts = self.starts
        index = bisect.bisect_right(starts, start) - 1
        while start < end and index < len(self.paths):
            file_end = starts[index + 1]
            if start >= file_end:
                index += 1
                continue
            handle = self._file(index)
            offset = start - starts[index]
            want = min(end, file_end) - start
            while want > 0:
                try:
                    data = os.pread(handle.fileno(), min(want, piece), offset)
                except OSError as error:
                    raise cannot_open(self.paths[index], os.strerror(error.errno)) from None
                if not data:
                    raise cannot_open(self.paths[index],
                                      "The file shrank while it was read")
                yield data
                offset += len(data)
                start += len(data)
                want -= len(data)
            index += 1

    def copy_to(self, fd, start, end):
        """Copies [start, end) of the list into the file `fd`, inside the system."""
        starts = self.starts
        index = bisect.bisect_right(starts, start) - 1
        while start < end and index < len(self.paths):
            file_end = starts[index + 1]
            if start < file_end:
                handle = self._file(index)
                offset = start - starts[index]
                want = min(end, file_end) - start
                while want > 0:
                    try:
                        sent = os.sendfile(fd, handle.fileno(), offset, min(want, 1 << 30))
                    except OSError as error:
                        raise cannot_open(self.paths[index], os.strerror(error.errno)) from None
                    if sent == 0:
                        raise cannot_open(self.paths[index], "The file shrank while it was read")
                    offset += sent
                    start += sent
                    want -= sent
            index += 1

    def read(self, start, end):
        return b"".join(self.pieces(start, end))

    def through_line_end(self, start, piece=1 << 16):
        """The bytes from `start` up to and including the first CR, LF or NUL, or up to the
        list's end: what finishes a line that runs on past `start`."""
        size = self.starts[-1]
        while start < size:
            data = self.read(start, min(size, start + piece))
            ends = [i for i in (data.find(b"\n"), data.find(b"\r"), data.find(b"\0")) if i >= 0]
            if ends:
                yield data[:min(ends) + 1]
                return
            yield data
            start += len(data)
            piece = min(piece * 2, 1 << 24)
