#!/usr/bin/env python3
"""Builds resources/strings.rc, the catalog's string table, from the plain
text files next to this script, and checks every text on the way.

Run from the repository root:

    python3 resources/text/make_strings.py

String IDs:
    1-18  product descriptions (desc01.txt .. desc18.txt), ID = product number
    100   the mail-in order form (orderform.txt)
    200   the welcome text (welcome.txt)

The .txt files use LF line ends (a final LF at the end of the file is not
part of the text); the strings in the program use CR LF between lines and no
line break after the last line.  After writing strings.rc the script
compiles it with windres and reads the strings back out of the .res file, so
what the program loads is known to be exactly what is in the .txt files.
"""

import os
import re
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
OUT = os.path.join(RES, "strings.rc")
WINDRES = "/usr/bin/x86_64-w64-mingw32-windres"

MAKER = "Tamrix Software"
PO_BOX = "PO Box 417"
CITY = "Lodi, CA 95241-0417"
EMAIL = "info@tamrix-software.example"
WEB = "www.tamrix-software.example"

# number, name, price, tag line, sold as a Premium Version
PRODUCTS = [
    (1, "Coinstead", "$15", "Checking Account Management", False),
    (2, "Kinfile", "$15", "your ULTIMATE Rolodex!", False),
    (3, "Shelvana", "$10", "for Book Lovers!", False),
    (4, "Rangekeep", "$129", "Firearms Scoring Management", True),
    (5, "Lockvault", "$159", "Police Inventory Management", True),
    (6, "Caseforge", "$149", "Police Report Writing", True),
    (7, "Moonvolley", "$5", "Combat Artillery Combat!", False),
    (8, "Gridlurk", "$10", "for Word Puzzle Lovers!", False),
    (9, "Cipherjest", "$10", "for Word Puzzle Lovers!", False),
    (10, "Staffwise", "$139", "Personnel Management Software", True),
    (11, "Daybeacon", "$15", "Organizer/Scheduler/Alarm and much more!", False),
    (12, "Callwarden", "$399", "Police Radio Dispatching", True),
    (13, "Rosterline", "$139", "Police Personnel Management", False),
    (14, "Ticketbase", "$169", "Traffic Citation Management", True),
    (15, "Garagelog", "$15", "Vehicle Information Management", False),
    (16, "Drillrecord", "$159", "Training Records Management", False),
    (17, "Skillrecord", "$159", "Training Records Management", False),
    (18, "Sumstar", "$15", "Math Testing and Performance Tracking", False),
]

ID_ORDERFORM = 100
ID_WELCOME = 200

# Limits the description pages are laid out for.
DESC_MIN_LEN, DESC_MAX_LEN = 628, 2155
DESC_MIN_LINES, DESC_MAX_LINES = 9, 27
SUBTITLE_MAX = 47
PARAGRAPH_MAX = 506

ORDERFORM_LINES = [
    "Mail this form to",
    MAKER,
    PO_BOX,
    CITY,
    "",
    "",
    " " * 12 + "User Name: " + "_" * 43,
    "(or business name)",
    "",
    "",
    " " * 14 + "Address:",
    "",
    "",
    " " * 5 + "City/State/Zip:",
    "",
    "",
    " " * 20 + "attn:",
    "",
    "",
    "Contact Number: (______)_______-__________/________",
    "",
    "",
    " " * 17 + "Email: " + "_" * 16 + "@" + "_" * 19,
    "",
    "",
    "Include a check/money order/purchase order",
    "(Outside the USA, send a $US-based check/money order only)",
    "",
    "",
    "Comments/Notes:",
]
ORDERFORM_LEN = 496
WELCOME_LEN = 892
WELCOME_LINES = 7


class TextError(Exception):
    pass


def fail(where, msg):
    raise TextError("%s: %s" % (where, msg))


def crlf_len(lines):
    """Length of the lines joined with CR LF, as the program sees it."""
    return sum(len(l) for l in lines) + 2 * (len(lines) - 1)


def load(name):
    """Read a .txt file and return its lines (without line ends)."""
    path = os.path.join(HERE, name)
    raw = open(path, "rb").read()
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError as e:
        fail(name, "not ASCII (byte %d)" % e.start)
    text = text.replace("\r\n", "\n")
    if text.endswith("\n"):
        text = text[:-1]
    for i, line in enumerate(text.split("\n"), 1):
        for ch in line:
            if not " " <= ch <= "~":
                fail(name, "line %d: character 0x%02X is not printable ASCII"
                     % (i, ord(ch)))
    return text.split("\n")


def check_contacts(name, text):
    """Wherever the maker's address details appear they must be exact."""
    for m in re.finditer(r"Tamrix(.{0,9})", text):
        if not m.group(0).startswith(MAKER):
            fail(name, "maker name written as %r" % m.group(0))
    for m in re.finditer(r"[\w.-]+@[\w.-]+", text):
        if m.group(0).rstrip(".") != EMAIL:
            fail(name, "e-mail address %r is not %s" % (m.group(0), EMAIL))
    for m in re.finditer(r"www\.[\w.-]+", text):
        if m.group(0).rstrip(".") != WEB:
            fail(name, "web site %r is not %s" % (m.group(0), WEB))
    for m in re.finditer(r"P\.?\s*O\.?\s*Box\s*\d*", text, re.I):
        if m.group(0) != PO_BOX:
            fail(name, "box written as %r, not %r" % (m.group(0), PO_BOX))
    for m in re.finditer(r"Lodi.{0,20}", text):
        if not m.group(0).startswith(CITY):
            fail(name, "city line %r is not %r" % (m.group(0), CITY))


def check_description(number, name, price, tagline, premium):
    fname = "desc%02d.txt" % number
    lines = load(fname)
    where = "%s (%s)" % (fname, name)
    total = crlf_len(lines)
    if not DESC_MIN_LINES <= len(lines) <= DESC_MAX_LINES:
        fail(where, "%d lines; must be %d to %d"
             % (len(lines), DESC_MIN_LINES, DESC_MAX_LINES))
    if not DESC_MIN_LEN <= total <= DESC_MAX_LEN:
        fail(where, "%d characters; must be %d to %d"
             % (total, DESC_MIN_LEN, DESC_MAX_LEN))
    title = name + (" - Premium Version!" if premium else "")
    if lines[0] != title:
        fail(where, "line 1 is %r, want %r" % (lines[0], title))
    if lines[1] != tagline:
        fail(where, "line 2 is %r, want the tag line %r" % (lines[1], tagline))
    if len(lines[1]) > SUBTITLE_MAX:
        fail(where, "subtitle longer than %d characters" % SUBTITLE_MAX)
    if lines[2] != price:
        fail(where, "line 3 is %r, want the price %r" % (lines[2], price))
    if lines[3] != "":
        fail(where, "line 4 must be empty")
    body = lines[4:]
    # paragraphs on odd body lines, single empty lines between them
    if len(body) % 2 == 0:
        fail(where, "body must be paragraphs separated by single empty lines "
                    "(no empty line at the end)")
    for i, line in enumerate(body):
        n = i + 5
        if i % 2 == 1:
            if line != "":
                fail(where, "line %d: expected an empty line between paragraphs" % n)
        else:
            if line.strip() == "":
                fail(where, "line %d: empty where a paragraph belongs "
                            "(double empty line?)" % n)
            if line != line.strip() or "  " in line:
                fail(where, "line %d: stray spaces" % n)
            if len(line) > PARAGRAPH_MAX:
                fail(where, "line %d: paragraph of %d characters, at most %d"
                     % (n, len(line), PARAGRAPH_MAX))
    text = "\n".join(lines)
    check_contacts(where, text)
    for m in re.finditer(r"\$\d[\d,.]*", text):
        if m.group(0).rstrip(".,") != price:
            fail(where, "mentions the price %r, but the price is %s"
                 % (m.group(0), price))
    return lines


def check_orderform():
    lines = load("orderform.txt")
    if len(lines) != len(ORDERFORM_LINES):
        fail("orderform.txt", "%d lines, want %d" % (len(lines), len(ORDERFORM_LINES)))
    for i, (got, want) in enumerate(zip(lines, ORDERFORM_LINES), 1):
        if got != want:
            fail("orderform.txt", "line %d is %r, want %r" % (i, got, want))
    if crlf_len(lines) != ORDERFORM_LEN:
        fail("orderform.txt", "%d characters, want %d" % (crlf_len(lines), ORDERFORM_LEN))
    return lines


def check_welcome():
    lines = load("welcome.txt")
    where = "welcome.txt"
    if len(lines) != WELCOME_LINES:
        fail(where, "%d lines, want %d" % (len(lines), WELCOME_LINES))
    if crlf_len(lines) != WELCOME_LEN:
        fail(where, "%d characters, want %d" % (crlf_len(lines), WELCOME_LEN))
    if MAKER not in lines[0]:
        fail(where, "the greeting on line 1 must name " + MAKER)
    for i, line in enumerate(lines):
        if (i % 2 == 1) != (line == ""):
            fail(where, "line %d: want greeting, then paragraphs separated by "
                        "single empty lines" % (i + 1))
    check_contacts(where, "\n".join(lines))
    return lines


def check_set(descs):
    """The description pages must be tried at both ends of their range."""
    lens = {n: crlf_len(l) for n, l in descs.items()}
    counts = {n: len(l) for n, l in descs.items()}
    if min(lens.values()) != DESC_MIN_LEN:
        fail("descriptions", "shortest is %d characters; make one exactly %d"
             % (min(lens.values()), DESC_MIN_LEN))
    if max(lens.values()) != DESC_MAX_LEN:
        fail("descriptions", "longest is %d characters; make one exactly %d"
             % (max(lens.values()), DESC_MAX_LEN))
    if DESC_MIN_LINES not in counts.values():
        fail("descriptions", "none has exactly %d lines" % DESC_MIN_LINES)
    if DESC_MAX_LINES not in counts.values():
        fail("descriptions", "none has exactly %d lines" % DESC_MAX_LINES)
    if len({tuple(l[4:]) for l in descs.values()}) != len(descs):
        fail("descriptions", "two products share the same text")


# ---------------------------------------------------------------------------
def rc_quote(s):
    """A windres string literal: "" for a quote, \\\\ for a backslash and
    \\r\\n for the line breaks.  Everything else is printable ASCII."""
    out = s.replace("\\", "\\\\").replace('"', '""')
    out = out.replace("\r\n", "\\r\\n")
    if "\r" in out or "\n" in out:
        raise TextError("lone CR or LF in a string")
    return '"' + out + '"'


def write_rc(strings):
    parts = ["// String table of the catalog, made by text/make_strings.py from\n"
             "// the text/*.txt files; change those and rerun the script.\n"
             "// 1-18 product descriptions, 100 order form, 200 welcome text.\n"
             "STRINGTABLE\n"
             "BEGIN\n"]
    for sid in sorted(strings):
        parts.append("    %d, %s\n" % (sid, rc_quote(strings[sid])))
    parts.append("END\n")
    with open(OUT, "w", newline="\n") as f:
        f.write("".join(parts))


def read_string_table(res):
    """All strings in the RT_STRING blocks of a .res file, by ID."""
    found = {}
    pos = 0
    while pos + 8 <= len(res):
        size, hsize = struct.unpack_from("<II", res, pos)
        p = pos + 8
        ids = []
        for _ in range(2):          # type, then name
            if struct.unpack_from("<H", res, p)[0] == 0xFFFF:
                ids.append(struct.unpack_from("<H", res, p + 2)[0])
                p += 4
            else:
                end = p
                while struct.unpack_from("<H", res, end)[0]:
                    end += 2
                ids.append(res[p:end].decode("utf-16-le"))
                p = end + 2
        rtype, block = ids
        data = res[pos + hsize:pos + hsize + size]
        if rtype == 6:              # RT_STRING: 16 counted strings per block
            q = 0
            for k in range(16):
                n = struct.unpack_from("<H", data, q)[0]
                q += 2
                if n:
                    sid = (block - 1) * 16 + k
                    found[sid] = data[q:q + 2 * n].decode("utf-16-le")
                q += 2 * n
        pos = (pos + hsize + size + 3) & ~3
    return found


def verify_with_windres(strings):
    if not os.path.exists(WINDRES):
        print("warning: %s not found; strings.rc was not test-compiled" % WINDRES)
        return
    with tempfile.TemporaryDirectory() as tmp:
        res = os.path.join(tmp, "strings.res")
        r = subprocess.run([WINDRES, OUT, "-O", "res", "-o", res],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        msg = r.stdout.decode(errors="replace").strip()
        if r.returncode != 0 or msg:
            raise TextError("windres did not take strings.rc cleanly:\n" + msg)
        got = read_string_table(open(res, "rb").read())
    if sorted(got) != sorted(strings):
        raise TextError("windres produced string IDs %s, want %s"
                        % (sorted(got), sorted(strings)))
    for sid, want in strings.items():
        if got[sid] != want:
            at = next((i for i, (a, b) in enumerate(zip(got[sid], want)) if a != b),
                      min(len(got[sid]), len(want)))
            raise TextError("string %d comes out of windres different from its "
                            "source at character %d: %r vs %r"
                            % (sid, at, got[sid][at:at + 20], want[at:at + 20]))


def main():
    descs = {}
    for number, name, price, tagline, premium in PRODUCTS:
        descs[number] = check_description(number, name, price, tagline, premium)
    check_set(descs)
    strings = {n: "\r\n".join(l) for n, l in descs.items()}
    strings[ID_ORDERFORM] = "\r\n".join(check_orderform())
    strings[ID_WELCOME] = "\r\n".join(check_welcome())
    write_rc(strings)
    verify_with_windres(strings)
    for sid in sorted(strings):
        s = strings[sid]
        print("%3d  %4d chars  %2d lines" % (sid, len(s), s.count("\r\n") + 1))
    print("wrote", os.path.relpath(OUT))


if __name__ == "__main__":
    try:
        main()
    except TextError as e:
        sys.exit("make_strings: " + str(e))
