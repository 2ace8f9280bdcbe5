"""The command line: [OPTION]... LEFT RIGHT, dyadlist-compare's options where they mean the
same, and the cluster's own. Parsed as getopt_long parses dyadlist-compare's: --name=VALUE or
--name VALUE, -mVALUE or -m VALUE, short flags together (-nq), "--" ends the options; a long
option is known only by its whole name."""

from dataclasses import dataclass

DEFAULT_MAX_MULTIPLE_HITS = 10_000_000_000


class UsageError(Exception):
    pass


@dataclass
class Options:
    action: str = "compare"  # or "help", "version"
    left: str = ""
    right: str = ""
    multiple_hits_file: str = ""  # "" not written, "-" standard output
    single_hits_file: str = ""
    line_numbers: bool = False
    quiet: bool = False
    json: bool = False
    max_multiple_hits: int = DEFAULT_MAX_MULTIPLE_HITS
    parts: str = ""  # a folder for the entries as ordered part files
    scheduler: str = ""  # "" starts a local cluster
    workers: int = 0  # local cluster; 0: one per core
    memory_limit: int = 0  # per worker of the local cluster, bytes; 0: Dask's share
    temporary_directory: str = ""  # where local workers spill
    block_size: int = 64 << 20
    partitions: int = 0  # 0: from the lists' size and the workers
    timeout: float = 10.0  # seconds to reach the scheduler
    worker_stats: bool = False

    def entries_to_standard_output(self):
        return "-" in (self.multiple_hits_file, self.single_hits_file)


# name: (short letter or None, kind of value or None)
_LONG = {
    "multiple-hits": ("m", "file"),
    "single-hits": ("s", "file"),
    "line-numbers": ("n", None),
    "quiet": ("q", None),
    "json": (None, None),
    "max-multiple-hits": (None, "count"),
    "parts": (None, "directory"),
    "scheduler": (None, "address"),
    "workers": (None, "count"),
    "memory-limit": (None, "size"),
    "temporary-directory": (None, "directory"),
    "block-size": (None, "size"),
    "partitions": (None, "count"),
    "timeout": (None, "seconds"),
    "worker-stats": (None, None),
    "help": ("h", None),
    "version": (None, None),
}
_SHORT = {short: name for name, (short, _) in _LONG.items() if short}

_NEEDS = {"file": "a file name", "count": "a count", "directory": "a directory",
          "address": "an address", "size": "a size", "seconds": "a number of seconds"}


def _count(name, text):
    if not text.isdigit() or not text.isascii():
        raise UsageError('option --%s needs a count, not "%s"' % (name, text))
    return int(text)


def _size(name, text, least=1024):
    """Decimal digits, then K, M or G (1024, 1024², 1024³ bytes) or nothing (bytes)."""
    units = {"k": 1 << 10, "m": 1 << 20, "g": 1 << 30}
    digits, unit = text, 1
    if text and text[-1].lower() in units:
        digits, unit = text[:-1], units[text[-1].lower()]
    if not digits.isdigit() or not digits.isascii() or int(digits) * unit < least:
        raise UsageError('option --%s needs a size of at least %s, such as 64M, not "%s"'
                         % (name, "1K" if least == 1024 else "%d bytes" % least, text))
    return int(digits) * unit


def _apply(options, name, value):
    if name == "help":
        options.action = "help"
    elif name == "version":
        options.action = "version"
    elif name in ("multiple-hits", "single-hits", "parts"):
        attribute = {"multiple-hits": "multiple_hits_file", "single-hits": "single_hits_file",
                     "parts": "parts"}[name]
        if not value:
            raise UsageError("option --%s needs %s" % (name, _NEEDS[_LONG[name][1]]))
        if getattr(options, attribute):
            raise UsageError("option --%s given twice" % name)
        setattr(options, attribute, value)
    elif name == "line-numbers":
        options.line_numbers = True
    elif name == "quiet":
        options.quiet = True
    elif name == "json":
        options.json = True
    elif name == "worker-stats":
        options.worker_stats = True
    elif name == "max-multiple-hits":
        options.max_multiple_hits = _count(name, value)
    elif name in ("workers", "partitions"):
        count = _count(name, value)
        if not 1 <= count <= 4096:
            raise UsageError("option --%s needs a count from 1 to 4096" % name)
        setattr(options, name, count)
    elif name == "memory-limit":
        options.memory_limit = _size(name, value)
    elif name == "block-size":
        size = _size(name, value, least=1)
        if size > 1 << 30:
            raise UsageError("option --block-size needs a size of at most 1G")
        options.block_size = size
    elif name == "scheduler":
        if not value:
            raise UsageError("option --scheduler needs an address, such as tcp://HOST:8786")
        options.scheduler = value
    elif name == "temporary-directory":
        if not value:
            raise UsageError("option --temporary-directory needs a directory")
        options.temporary_directory = value
    elif name == "timeout":
        try:
            seconds = float(value)
        except ValueError:
            seconds = -1.0
        if not 0 < seconds < 1e6:
            raise UsageError('option --timeout needs a number of seconds, not "%s"' % value)
        options.timeout = seconds


def parse_options(args):
    options = Options()
    files = []
    i = 0
    while i < len(args):
        word = args[i]
        i += 1
        if word == "--":
            files.extend(args[i:])
            break
        if word.startswith("--"):
            name, has_value, value = word[2:].partition("=")
            if name not in _LONG:
                raise UsageError("unknown option --" + name)
            kind = _LONG[name][1]
            if kind is None and has_value:
                raise UsageError("option --%s takes no value" % name)
            if kind is not None and not has_value:
                if i == len(args):
                    raise UsageError("option --%s needs %s" % (name, _NEEDS[kind]))
                value = args[i]
                i += 1
            _apply(options, name, value)
        elif word.startswith("-") and word != "-":
            letters = word[1:]
            while letters:
                letter, letters = letters[0], letters[1:]
                if letter not in _SHORT:
                    raise UsageError("unknown option -" + letter)
                name = _SHORT[letter]
                value = None
                if _LONG[name][1] is not None:
                    if letters:
                        value, letters = letters, ""
                    elif i < len(args):
                        value = args[i]
                        i += 1
                    else:
                        raise UsageError("option --%s needs %s" % (name, _NEEDS[_LONG[name][1]]))
                _apply(options, name, value)
        else:
            files.append(word)
        if options.action != "compare":
            return options

    if len(files) != 2:
        raise UsageError("two lists are needed" if len(files) < 2 else "more than two lists given")
    if "-" in files:
        raise UsageError("LEFT and RIGHT cannot be standard input: the workers read the lists")
    options.left, options.right = files
    return options


USAGE = """\
Usage: dyadlist-cluster [OPTION]... LEFT RIGHT
Compares two lists of lines on a Dask cluster, with the results of dyadlist-compare: the
number of multiple hits (lines found on both lists, once per matching pair) and of single
hits (non-empty lines found on only one list). LEFT and RIGHT are each a file, a folder of
part files or a glob (quoted), read in name order as one list: their files are concatenated.
Lines end at CR, LF or CR LF; a NUL byte ends a list; a tab counts as four spaces.

  -m, --multiple-hits FILE  write the multiple hits to FILE, one per line
  -s, --single-hits FILE    write the single hits to FILE, one per line
  -n, --line-numbers        prefix each entry written with its line: L12: or R40:
                            (a multiple hit: the line of the list it follows)
      --json                the counts and the warnings as one JSON object, in the
                            counts' place
      --max-multiple-hits N  write at most N multiple hits to a FILE (default
                            10000000000): past it, nothing is written
      --parts DIR           also write the entries as ordered part files into DIR (made
                            when missing, refused when it holds anything): multiple-hits-
                            and single-hits-NNNNN.txt, one per block of the lists, written
                            by the workers; in name order they are the -m and -s files
  -q, --quiet               no warnings about the input
      --scheduler ADDRESS   run on the Dask cluster of this scheduler (tcp://HOST:PORT);
                            the lists must lie where its workers read them. Without it a
                            local cluster of worker processes runs on this machine
      --timeout SECONDS     how long to try to reach the scheduler (default 10)
      --workers N           the local cluster's worker processes (default: one per core)
      --memory-limit SIZE   the memory of each local worker (K, M, G), past which Dask
                            spills its data to disk (default: the machine's memory shared)
      --temporary-directory DIR  where local workers spill (default $TMPDIR, else /tmp)
      --block-size SIZE     the bytes of a list read by one task (default 64M, at most 1G;
                            a few bytes for tests)
      --partitions N        the partitions the lines are dealt to by hash (default: about
                            one per 64M of both lists, at least two per worker)
      --worker-stats        after the run, each worker's peak memory, its largest
                            kernel run's and the bytes it spilled, on standard error
  -h, --help                show this help and exit
      --version             show the version and exit

A value may also follow as --option=VALUE or -mVALUE; "--" ends the options.
FILE "-" is standard output; the counts then go to standard error.
Warnings on standard error, which change no result: a list that looks like UTF-16
or UTF-32, a list cut short by a NUL byte, lines ending in a mix of LF and CR LF.
Exit status: 0 compared, 1 a list could not be read, an output not written or the
cluster failed, 2 wrong usage, 3 the lists are identical or one of them holds no line.
"""
