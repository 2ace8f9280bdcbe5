"""Where the entries go: a file (written under a temporary name beside it, NAME.partial.XXXXXX,
and renamed once whole, with the old file's permissions, as dyadlist-compare does; devices
and pipes are written in place), standard output, or a folder of part files (--parts)."""

import os
import stat
import sys
import tempfile


class OutputError(Exception):
    pass


def cannot_write(name, reason):
    return OutputError('Cannot write file "%s". %s' % (name, reason))


class OutputFile:
    def __init__(self, name):
        self.name = name
        self._temporary = None
        if name == "-":
            self._out = sys.stdout.buffer
            return
        try:
            mode = os.stat(name).st_mode
        except FileNotFoundError:
            mode = None
        except OSError as error:
            raise cannot_write(name, os.strerror(error.errno)) from None
        try:
            if mode is not None and not stat.S_ISREG(mode):
                self._out = open(name, "wb")
            else:
                folder, base = os.path.split(name)
                fd, self._temporary = tempfile.mkstemp(prefix=base + ".partial.",
                                                       dir=folder or ".")
                keep = stat.S_IMODE(mode) if mode is not None else 0o666 & ~_umask()
                os.fchmod(fd, keep)
                self._out = os.fdopen(fd, "wb")
        except OSError as error:
            raise cannot_write(name, os.strerror(error.errno)) from None

    def write(self, data):
        try:
            self._out.write(data)
        except OSError as error:
            raise cannot_write(self.name, os.strerror(error.errno)) from None

    def finish(self):
        try:
            self._out.flush()
            if self._temporary:
                self._out.close()
                os.rename(self._temporary, self.name)
                self._temporary = None
            elif self.name != "-":
                self._out.close()
        except OSError as error:
            raise cannot_write(self.name, os.strerror(error.errno)) from None

    def abandon(self):
        """Removes what an unfinished file wrote; nothing once it is finished."""
        if self._temporary:
            self._out.close()
            os.unlink(self._temporary)
            self._temporary = None


def _umask():
    mask = os.umask(0)
    os.umask(mask)
    return mask


def same_file(a, b):
    try:
        return os.path.samefile(a, b)
    except OSError:
        return False


def prepare_parts_folder(folder):
    """Makes the folder of part files, or checks that it is empty: parts of an earlier run
    would read as this one's."""
    try:
        os.makedirs(folder, exist_ok=True)
        if os.listdir(folder):
            raise cannot_write(folder, "The folder for --parts already holds files")
    except OSError as error:
        raise cannot_write(folder, os.strerror(error.errno)) from None


def part_names(folder, kind, count):
    """The part files of one output, numbered so that name order is their order."""
    width = max(5, len(str(max(count - 1, 0))))
    return [os.path.join(folder, "%s-%0*d.txt" % (kind, width, i)) for i in range(count)]
