"""What the program tells: counts, warnings about the input and errors, as dyadlist-compare
tells them, and the JSON object of --json."""

import re

PROGRAM = "dyadlist-cluster"

NOTHING_TO_COMPARE = "either the lists of are identical\nor you have load just one list.\n"

_UTF8_CHARACTER = re.compile(
    rb"[\xc2-\xdf][\x80-\xbf]"
    rb"|\xe0[\xa0-\xbf][\x80-\xbf]|[\xe1-\xec\xee\xef][\x80-\xbf]{2}|\xed[\x80-\x9f][\x80-\xbf]"
    rb"|\xf0[\x90-\xbf][\x80-\xbf]{2}|[\xf1-\xf3][\x80-\xbf]{3}|\xf4[\x80-\x8f][\x80-\xbf]{2}"
)


def printable(text):
    """`text` (str or bytes) with what a terminal would act on written as \\xHH: control
    characters (C0, DEL, C1), bytes outside a valid UTF-8 character, and the backslash."""
    data = text if isinstance(text, bytes) else text.encode("utf-8", "surrogateescape")
    out = []
    i = 0
    while i < len(data):
        byte = data[i]
        if 0x20 <= byte <= 0x7E and byte != 0x5C:
            out.append(chr(byte))
            i += 1
            continue
        match = _UTF8_CHARACTER.match(data, i) if byte >= 0x80 else None
        if match and not (byte == 0xC2 and data[i + 1] < 0xA0):
            out.append(match.group().decode("utf-8"))
            i = match.end()
            continue
        width = 2 if match else 1
        out.extend("\\x%02X" % b for b in data[i:i + width])
        i += width
    return "".join(out)


def counts_text(multiple_hits, single_hits):
    return "multiple hits: %d\nsingle hits: %d\n" % (multiple_hits, single_hits)


def _json_string(text):
    data = text.encode("utf-8", "surrogateescape")
    out = ['"']
    for byte in data:
        if byte in (0x22, 0x5C):
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append("\\u00%02x" % byte)
    out.append('"')
    return "".join(out)


def json_report(multiple_hits, single_hits, warnings):
    return '{"multipleHits":%d,"singleHits":%d,"warnings":[%s]}\n' % (
        multiple_hits, single_hits, ",".join(_json_string(w) for w in warnings))


def _wide_encoding(head):
    """"UTF-16" or "UTF-32" when the list's first bytes look like one, else None."""
    if head.startswith(b"\xff\xfe\0\0") or head.startswith(b"\0\0\xfe\xff"):
        return "UTF-32"
    if head.startswith(b"\xff\xfe") or head.startswith(b"\xfe\xff"):
        return "UTF-16"
    sample = min(len(head), 256) & ~1
    if sample < 4:
        return None
    even = sum(1 for b in head[0:sample:2] if b == 0)
    odd = sum(1 for b in head[1:sample:2] if b == 0)
    half = sample // 2
    if (even == half) != (odd == half):
        return "UTF-16"
    return None


def input_warnings(name, facts):
    """The warnings about one list: `facts` is a ListFacts (engine.py)."""
    warnings = []
    quoted = '"' + name + '"'
    wide = _wide_encoding(facts.head)
    if wide:
        warnings.append(
            quoted + " looks like " + wide + ", which is compared as bytes up to its first NUL "
            "byte; convert it to UTF-8 first, e.g. iconv -f " + wide + " -t UTF-8")
    if facts.nul_at is not None:
        warnings.append(
            "%s holds a NUL byte at offset %d, which ends the list; the %d bytes after it are "
            "not read" % (quoted, facts.nul_at, facts.size - facts.nul_at - 1))
    if facts.lf > 0 and facts.crlf > 0:
        warnings.append(
            "%s has lines ending in a mix of LF (%d) and CR LF (%d); both end a line alike"
            % (quoted, facts.lf, facts.crlf))
    return warnings
