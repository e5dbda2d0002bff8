"""Mutation run: puts one-line faults into src/, one at a time, and checks that the tests notice.

Started by ./mutants, which installs the packages and brings up the virtual screen, the Wine server
and the print spooler. Every fault is made in a private copy of the source tree (build-mutants/tree)
with its own build folders, so an interrupted run leaves the working tree as it was.
"""
import argparse, datetime, fcntl, fnmatch, hashlib, json, os, random, re, resource, shutil, signal, subprocess
import threading, time
from pathlib import Path

# Share of the sample per source area. A file belongs to the first row whose glob matches its path
# (fnmatch: * also crosses folders, so the rows hold when a folder is split). Weight 0: left out unless
# asked for with --only.
AREAS = [
    ("src/button/*", 30),
    ("src/common/*", 14),
    ("src/pages/*", 16),
    ("src/app/*", 8),
    ("src/catalog/*", 4),  # the catalog table, once it leaves src/app
    ("src/platform/*page.*", 13),  # the page host
    ("src/platform/*print*", 8),  # the printer and the print job
    ("src/platform/*gdi*", 3),  # the GDI and USER object wrappers (one header: each fault rebuilds most files)
    ("src/platform/*window.*", 4),  # the window base
    ("src/*", 0),
]

# The tests that cover each source path: the first row whose glob matches. A test is a folder of
# tests/unit ("group"), part of one ("group:gtest filter"), or an end-to-end journey (a tests/e2e script by
# name). They run in the order of the row, which puts first the test most likely to catch a fault there
# for its time, and the first failure kills the fault; a test whose program the fault leaves byte for
# byte unchanged is not run at all (native, the host build of tests/native, changes only for the portable
# files). Journeys only where the unit tests cannot follow the real program: its entry point and start,
# the printed sheet; 20-products (three minutes) is left to ./test. The soak runs last, and only for a
# fault on a line with a leak-prone call (LEAK_PRONE). A group in tests/unit that no row names runs for
# every fault, until it gets a row here.
PROPERTIES = "button:ButtonProperties.*"
INPUT = "button:ButtonInput.*:PageKeys.*"
BUTTON_REST = "button:-ButtonProperties.*:ButtonInput.*:PageKeys.*"  # whatever else tests/unit/button holds
STARTUP = "foundation:Startup.*"
HOST = "foundation:PageHost.*:Startup.*"
GDI = "foundation:GdiWrappers.*"
MALFORMED = "reliability:MalformedInput.*"
BAD_SETTINGS = "reliability:MalformedInput.DamagedButtonSettings*:MalformedInput.ColoursWithStrayHighBits*"
BAD_TEXTS = "reliability:MalformedInput.OddAndOverlongLinks*"
COVERAGE = [
    # path glob                     tests, in the order they run                                        soak
    ("src/button/input*",           [INPUT, "pages", BUTTON_REST],                                      False),
    ("src/button/properties*",      [PROPERTIES, "gallery", BUTTON_REST, INPUT, "pages"],               False),
    ("src/button/persistence*",     [PROPERTIES, "gallery", BAD_SETTINGS, BUTTON_REST, "pages"],        False),
    ("src/button/lifecycle*",       ["gallery", PROPERTIES, BUTTON_REST, INPUT, "pages"],               True),
    ("src/button/*",                ["native", "gallery", PROPERTIES, BUTTON_REST, "pages", INPUT,
                                     BAD_SETTINGS],                                                     True),
    ("src/common/*print*",          ["native", "printing", "pages", BAD_TEXTS, "50-printing"],          False),
    ("src/common/*",                ["native", "common", "printing", "pages", BAD_TEXTS],               False),
    ("src/catalog/*",               ["native", "pages", STARTUP],                                       False),
    ("src/pages/*",                 ["native", "pages", STARTUP, "10-start"],                           False),
    ("src/app/*",                   [STARTUP, "pages", "10-start"],                                     False),
    ("src/platform/*print*",        ["printing", "pages", "50-printing"],                               False),
    ("src/platform/*layout*",       ["native", "foundation", "pages", MALFORMED],                       False),
    ("src/platform/*gdi*",          [GDI, "gallery", PROPERTIES, "pages", HOST, INPUT, BUTTON_REST],    True),
    ("src/platform/*",              [HOST, "pages", INPUT, "gallery", PROPERTIES, BUTTON_REST,
                                     BAD_SETTINGS],                                                     True),
]
SOAK = "reliability:Soak.AHundredThousandPaintings*"
LEAK_PRONE = re.compile(r"\b(DeleteObject|SelectObject|DeleteDC|Release\w*|Destroy\w*)\s*\(")
PRINTING_JOURNEY = "printing"  # journeys that print take the machine's print lock

# How likely each kind of fault is drawn, relative to the others; dropping one of IMPORTANT_CALLS
# counts three times, a fault in a header a quarter (it rebuilds every file that includes the header).
OPERATORS = {"compare": 2, "logic": 2, "negate": 1, "drop-call": 1.5, "return": 1, "literal": 0.5,
             "string": 0.5, "bool": 1}
IMPORTANT_CALLS = re.compile(r"\b(DeleteObject|SelectObject|RenderButton|PropertyChanged|Raise\w*|ShowWindow"
                             r"|SetFocus\w*|Release\w*|Destroy\w*)\s*\(")
HEADER_WEIGHT = 0.25

# Faults reviewed as equivalent: they cannot change what the program does, for the reason given. A
# drawn fault whose file matches a row's glob and whose line as changed ("dropped: " and the line, for a
# dropped call) matches its pattern (a regular expression, searched) is not run: it is listed with the
# reason and replaced by a further draw, so that the kill rate counts the faults that matter.
EQUIVALENT = [
    ("src/button/button_math.cpp", r"amount < 0 && v <= 0\) return 0;|amount > 0 && v >= 255\) return 255;",
     "a shade component that is exactly at the limit is the limit either way"),
    ("src/button/picture.cpp", r"kNoSolidColour, true,",
     "keeping only the dark pixels applies to silhouettes; a picture drawn in its own colours has no solid colour"),
    ("src/button/picture.cpp", r"if \(width < 0 \|\||height < 0 \|\|",
     "a picture of no width or height has no pixel rows: it draws nothing either way"),
    ("src/button/render.cpp", r"dropped: Cls\(\);",
     "every look fills the button's face over its whole client area first"),
    ("src/button/caption.cpp", r"dropped: SetBkMode\(dc, TRANSPARENT\);",
     "the button's surface is made with a transparent text background, and nothing sets another"),
    ("src/platform/*window.cpp", r"Window::~Window\(\) \{ return;|if \(!\(hwnd_\)\) \{|if \(hwnd_\) \{ return;|"
     r"dropped: (SetWindowLongPtrA\(window, GWLP_USERDATA, 0\)|DestroyWindow\(window\));|"
     r"SetWindowLongPtrA\(window, GWLP_USERDATA, -?1\);",
     "no window object goes while it still has its window (a page's windows go when it is unloaded, and the "
     "application unloads every page it still has before it goes), and no message comes after WM_NCDESTROY"),
    ("src/button/caption.cpp", r"Region shape\(CreateRectRgn\((-1, 0|0, -1),",
     "a window's shape is clipped to the window: a shape that starts a pixel above or left of it shows the same"),
    ("src/platform/*window.cpp", r"paintPending_ = InvalidateRect\(.*\) == FALSE;",
     "a window asks for its paint with the same erase flag every time, and Windows merges a second "
     "invalidation into the update region already pending: the flag only spares the call"),
    ("src/platform/forms/page.cpp", r"PostMessageA\(hwnd\(\), kActivateMessage, (-?1, 0|0, -?1)\);",
     "the page's activate message carries nothing: its handler reads neither parameter"),
    ("src/platform/printing/gdi_printer.cpp", r"s\.fontDirty = false;  // some drivers reset",
     "on 64-bit Windows and under Wine a new page keeps the selected font; it is chosen again only for "
     "drivers that reset the device at each page"),
    ("src/platform/forms/page.cpp", r"return 0;  // the background is drawn",
     "the page paints nothing more at WM_PAINT whether or not the background counts as erased"),
    ("src/button/lifecycle.cpp", r"m_\.ShapeRegion = nullptr;",
     "ShapeRegion is the button's note of the region it gave its window; nothing reads it"),
    ("src/platform/forms/page.cpp", r"CW_USEDEFAULT, CW_USEDEFAULT, (29|30)\d, (19|20)\d,",
     "the window's first size is replaced by the layout's size before the page is shown"),
    ("src/platform/printing/gdi_printer.cpp", r"s\.x = s\.y = -?1;",
     "a new page's position is raised to the one-inch margins before anything is printed on it"),
    ("src/platform/forms/page.cpp", r"dropped: RedrawWindow\(hwnd\(\), nullptr, nullptr, RDW_UPDATENOW",
     "the controls paint themselves a moment later either way: painting them with the page's first paint "
     "only makes the first frame whole"),
    ("src/button/picture.cpp", r"constexpr std::size_t kKept = \d+;",
     "how many pictures' canvases a button keeps changes only how often one is made again"),
    ("src/common/open_link.cpp", r"if \(folder\.empty\(\)\) failed = false;",
     "the flag starts false: setting it false again changes nothing"),
    ("src/common/print_layout.cpp", r"CurrentY\(\) <= kTextTop\)|CurrentX\(\) <= kTextLeft\)",
     "a print position exactly at the margin is raised to the margin, where it is already"),
    ("src/common/print_layout.cpp", r"(printer\.Print\(\{\}, false\);|dropped: printer\.Print\(\{\}, true\);)"
     r"  // the number stands apart",
     "the line end before the page number only moves the print position, which is set for the number next"),
    ("src/button/render.cpp", r"CreatePen\(PS_SOLID, 0, ",
     "a pen of width 0 draws the same lines one pixel wide as a pen of width 1 on the button's unscaled surface"),
    ("src/button/render.cpp", r"if \(m_\.ClientHeight == -1 \|\| !m_\.Shown\) return;",
     "a button with no height has no pixel to paint, and the resize that gives it a height paints it whole"),
    ("src/button/tamrix_button.h", r"bool Shown = true;",
     "the button's window is not yet visible when it is made; the host initializes the button, which sets it "
     "shown, before it has settings to paint, and showing it paints it whole"),
    ("src/button/tamrix_button.h",
     r"COLORREF (FaceColor|LightColor|HighlightColor|ShadowColor|TextColor|TextOverColor|MaskRgb|LitFaceColor) = -?1;",
     "the colour set is worked out as a whole when the button is shown and at every colour change; a painting "
     "before the button is first shown is never seen"),
    ("src/platform/forms/page.cpp", r"GetWindowTextA\(hwnd\(\), text\.data\(\), length \+ 2\);",
     "the window's text is exactly `length` characters long, so the copy ends at its end either way"),
    ("src/pages/*", r"dropped: .*\.Refresh\(\);$",
     "the caption setter just before has placed the caption and repainted; the see-through buttons' copy of "
     "the page beneath has not changed since they were shown"),
    ("src/pages/main_page.cpp", r"dropped: MainTab\(\)\.SetTab\(0\);$",
     "the main page's layout opens it on its first tab, and the page takes no input while the welcome page is "
     "up"),
    ("src/pages/main_page.cpp", r"char separator\[(7|9)\] = \{\};",
     "the decimal separator of any locale, at most three characters and the end, fits either way"),
    ("src/pages/advertise_page.cpp", r'PrintText\(\*this, .*, "", (true, (true|false)|false, true)\);',
     "with an empty header the header's underline and its every-page flag do nothing"),
]
SKIP_MARK = "// mutants: skip"
TIMEOUT_FACTOR, TIMEOUT_EXTRA = 3, 10  # a test run longer than 3 x its normal time + 10 s hangs

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build-mutants"
TREE, BUILD, NATIVE = WORK / "tree", WORK / "build", WORK / "native"
FIGURES = ROOT / "docs" / "figures.md"
BEGIN, END = "<!-- mutants:begin -->", "<!-- mutants:end -->"


STARTED = time.monotonic()


def log(*words):
    minutes, seconds = divmod(int(time.monotonic() - STARTED), 60)
    print(f"[mutants {minutes:02}:{seconds:02}]", *words, flush=True)


# ---- Finding the places for faults ----

def code_view(lines):
    """Per line: the line with comments blanked and the insides of literals turned into 'x', plus the
    literals as (start, end, kind); None for lines not to touch (preprocessor, raw strings, skip mark)."""
    in_comment, continued = False, False
    for line in lines:
        if continued or line.lstrip().startswith("#") or SKIP_MARK in line:
            continued = line.rstrip().endswith("\\")
            yield None, []
            continue
        code, literals, i = list(line), [], 0
        while i < len(line):
            if in_comment:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                code[i:stop] = " " * (stop - i)
                in_comment, i = end < 0, stop
            elif line.startswith("//", i):
                code[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                in_comment = True
            elif line[i] in "\"'":
                prefix = re.search(r"(u8|[LuUR]|u8R|[LuU]R)?$", line[:i]).group(0) or ""
                if line[i] == "'" and i and line[i - 1].isalnum() and not prefix:
                    i += 1  # a digit separator
                    continue
                if "R" in prefix:
                    code = None
                    break
                j = i + 1
                while j < len(line) and line[j] != line[i]:
                    j += 2 if line[j] == "\\" else 1
                code[i + 1:j] = "x" * (j - i - 1)
                literals.append((i - len(prefix), j + 1, prefix + line[i]))
                i = j + 1
            else:
                i += 1
        yield ("".join(code).rstrip() if code else None), literals


def matching_paren(code, open_at):
    depth = 0
    for k in range(open_at, len(code)):
        depth += {"(": 1, ")": -1}.get(code[k], 0)
        if depth == 0:
            return k
    return None


KEYWORDS = {"return", "delete", "throw", "co_return", "goto", "case", "default", "new", "using", "break",
            "continue", "static_assert", "typedef", "if", "for", "while", "switch", "else", "do", "sizeof"}
BARE_CALL = re.compile(r"^(::)?~?[A-Za-z_]\w*((::|\.|->)~?[A-Za-z_]\w*|\(.*?\)|\[.*?\]|<[\w:, ]*>)*\(.*\);$")
FUNCTION_HEAD = re.compile(r"^\s*(?![}]|(if|for|while|switch|catch|else|do|namespace|class|struct|enum|union|extern)\b)"
                           r"[^;\[]*\)( const| noexcept| override| final)*( : .*)? \{$")
BLOCK_HEAD = re.compile(r"^\s*(\} )?((else )?if \(.*\)|else|for \(.*\)|while \(.*\)|case .*:|default:) \{$")
LAMBDA_HEAD = re.compile(r"\](\(.*\))?( mutable)?( -> [\w:<>]+)? \{$")


def call_statement(code, previous):
    """The span of the bare call statement that ends a line (alone, or after if/else/for), if any."""
    if previous and previous[-1] not in ";{}):":
        return None  # the line goes on an expression begun above
    start = len(code) - len(code.lstrip())
    head = re.match(r"(\} )?(else )?(if|for|while) \(", code[start:])
    if head:
        close = matching_paren(code, start + head.end() - 1)
        if close is None:
            return None
        start = close + 2
    elif code[start:].startswith("else "):
        start += 5
    statement = code[start:]
    word = re.match(r"\w+", statement)
    if not BARE_CALL.match(statement) or (word and word.group(0) in KEYWORDS):
        return None
    depth = 0  # balanced, and no assignment at the top level
    for k, c in enumerate(statement):
        depth += {"(": 1, ")": -1, "[": 1, "]": -1}.get(c, 0)
        if depth < 0 or depth == 0 and c == "=" and statement[k - 1] not in "=!<>" and statement[k + 1] != "=":
            return None
    return (start, len(code)) if depth == 0 else None


def returns_nothing(head):
    if "(" not in head:
        return None  # the last line of a head that began above
    before = head[:head.index("(")].split()
    before = [w for w in before if w not in ("static", "inline", "virtual", "explicit", "constexpr")]
    if len(before) > 1 and before[-2].endswith("&"):
        return None  # no value to make up for a reference
    return len(before) <= 1 or before[-2] == "void"  # constructors, destructors and void functions


def mutants_of(path, text, rng):
    lines = text.split("\n")
    views = list(code_view(lines))
    kinds = {}
    for (code, literals), line in zip(views, lines):
        for s, e, kind in literals if code else []:
            kinds.setdefault(kind, []).append(line[s:e])
    found, seen = [], set()
    functions, depth, previous = [], 0, ""  # functions: (brace depth at its head, returns nothing)

    def add(n, op, new):
        if new != lines[n] and (n, new) not in seen:
            seen.add((n, new))
            found.append({"file": path, "line": n + 1, "op": op, "old": lines[n], "new": new})

    def insert_return(n, code, nothing):  # nothing: the function returns nothing; None: not known
        if nothing is not None:
            add(n, "return", lines[n][:len(code)] + (" return;" if nothing else " return {};") + lines[n][len(code):])

    for n, (line, (code, literals)) in enumerate(zip(lines, views)):
        if code is None:
            previous = ""
            continue
        for m in re.finditer(r"(?<= )(<|<=|>|>=|==|!=)(?= )", code):
            flip = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}[m.group(1)]
            add(n, "compare", line[:m.start()] + flip + line[m.end():])
        for m in re.finditer(r"(?<= )(&&|\|\|)(?= )", code):
            add(n, "logic", line[:m.start()] + ("||" if m.group(1) == "&&" else "&&") + line[m.end():])
        for m in re.finditer(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)(?![\w.])", code):
            if re.search(r"\) (const )?= $", code[:m.start()]):
                continue  # "= 0" of a function without a body of its own: any other number does not compile
            digits, hexadecimal = m.group(1), m.group(1)[:2] in ("0x", "0X")
            value = int(digits, 16 if hexadecimal else 10)
            for changed in (value + 1, value - 1):
                if hexadecimal and changed >= 0:
                    spelled = format(changed, "X" if digits[2:].isupper() else "x").zfill(len(digits) - 2)
                    add(n, "literal", line[:m.start()] + digits[:2] + spelled + line[m.end():])
                elif not hexadecimal:
                    add(n, "literal", line[:m.start()] + str(changed) + line[m.end():])
        for m in re.finditer(r"\b(true|false)\b", code):
            add(n, "bool", line[:m.start()] + ("false" if m.group(1) == "true" else "true") + line[m.end():])
        for m in re.finditer(r"\b(if|while) \(", code):
            close = matching_paren(code, m.end() - 1)
            if close is not None and not re.search(r"\bauto\b|;", code[m.end():close]):
                add(n, "negate", line[:m.end()] + "!(" + line[m.end():close] + ")" + line[close:])
        call = call_statement(code.strip() and code, previous)
        if call:
            add(n, "drop-call", line[:call[0]] + "{}" + line[call[1]:])
        for s, e, kind in literals:
            others = sorted(set(kinds[kind]) - {line[s:e]})
            if others and "extern" not in code:
                add(n, "string", line[:s] + rng.choice(others) + line[e:])
        if code.endswith("{") and not re.search(r"\bswitch\b", code):
            if not functions and FUNCTION_HEAD.match(code):
                functions.append((depth, returns_nothing(code.strip())))
                insert_return(n, code, functions[-1][1])
            elif functions and BLOCK_HEAD.match(code):
                insert_return(n, code, functions[-1][1])
            elif functions and LAMBDA_HEAD.search(code):
                functions.append((depth, True))
                insert_return(n, code, True)
        depth += code.count("{") - code.count("}")
        while functions and depth <= functions[-1][0]:
            functions.pop()
        previous = code.strip() or previous
    return found


def shown(m):
    return "dropped: " + m["old"].strip() if m["op"] == "drop-call" else m["new"].strip()


def weight(mutant):
    boost = 3 if mutant["op"] == "drop-call" and IMPORTANT_CALLS.search(mutant["old"]) else 1
    return OPERATORS[mutant["op"]] * boost * (HEADER_WEIGHT if mutant["file"].endswith(".h") else 1)


def area_of(path):
    return next((glob for glob, _ in AREAS if fnmatch.fnmatch(path, glob)), None)


def all_mutants(tree, seed, only):
    found = []
    for file in sorted(tree.glob("src/**/*")):
        path = file.relative_to(tree).as_posix()
        if file.suffix in (".cpp", ".h") and (not only or fnmatch.fnmatch(path, only)):
            found += mutants_of(path, file.read_text(), random.Random(f"{seed}:{path}"))
    return found


def draw_number(mutant, seed):
    """The fault's own random number in (0, 1) for the seed: it depends on the file, the line as written
    and as changed, not on where the line stands or on any other code, so that a sample followed from run
    to run keeps its faults while the code around them changes."""
    key = f"{seed}:{mutant['file']}:{mutant['old'].strip()}:{mutant['new'].strip()}"
    return (int.from_bytes(hashlib.sha1(key.encode()).digest()[:8], "big") + 0.5) / 2 ** 64


def ranked_by_area(mutants, seed, only):
    """Each area's mutants in the order the seed draws them (weighted, without replacement), and the
    share of the sample each area gets."""
    areas = {}
    for m in mutants:
        areas.setdefault(area_of(m["file"]), []).append(m)
    ranked = {a: sorted(ms, key=lambda m: -draw_number(m, seed) ** (1 / weight(m))) for a, ms in areas.items()}
    shares = {a: (w or (1 if only else 0)) for a, w in AREAS if a in ranked}
    return ranked, {a: s for a, s in shares.items() if s}


def quotas(ranked, shares, count):
    total, left, quota = sum(shares.values()), count, {}
    for area, share in sorted(shares.items(), key=lambda kv: -kv[1]):
        quota[area] = min(len(ranked[area]), round(count * share / total), left)
        left -= quota[area]
    for area in sorted(shares, key=lambda a: -shares[a]):  # what rounding or small areas left over
        more = min(left, len(ranked[area]) - quota[area])
        quota[area] += more
        left -= more
    return quota


# ---- Workers: private trees with their builds, screens and tests ----

LIVE, STOPPING = set(), threading.Event()  # the commands running now, so that a stop ends every one


class Stopped(Exception):
    pass


class Busy(Exception):
    """What a fault needs is busy (the printer, or another worker measuring a test): try it later."""


def take_printer(lock, patient):
    """The printer and its PDF folder are shared by every checkout on the machine: a journey that prints
    holds the lock that ./test takes too. Only a patient fault waits for it."""
    while True:
        try:
            return fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except BlockingIOError:
            if not patient:
                raise Busy()
            if STOPPING.wait(1):
                raise Stopped()


def run(cmd, timeout=None, **kw):
    """Runs a command in its own process group; returns (exit code or 'timeout', seconds, output)."""
    start = time.monotonic()
    with subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace",
                          start_new_session=True, **kw) as p:
        LIVE.add(p)
        try:
            out, _ = p.communicate(timeout=timeout)
            code = p.returncode
        except subprocess.TimeoutExpired:  # a hang: the whole group goes
            os.killpg(p.pid, signal.SIGKILL)
            out, _ = p.communicate()
            code = "timeout"
        finally:
            LIVE.discard(p)
    if STOPPING.is_set():
        raise Stopped()
    return code, time.monotonic() - start, out


def stop_everything():
    STOPPING.set()
    for p in list(LIVE):
        try:
            os.killpg(p.pid, signal.SIGKILL)
        except OSError:
            pass


# Most of the time of compiling one file of the program goes into reading the Windows and standard
# headers; the Windows build of the private tree has them precompiled, for every C++ target of the
# tree (this file is given to CMake as a project include; the program's own CMake files stay as they are).
PRECOMPILED_HEADERS = """
function(mutants_precompile_headers)
    get_property(targets DIRECTORY "${CMAKE_SOURCE_DIR}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(sources ${target} SOURCES)
        if(sources MATCHES "\\.cpp")
            target_precompile_headers(${target} PRIVATE <windows.h> <windowsx.h> <ole2.h> <olectl.h> <commctrl.h>
                <algorithm> <array> <cmath> <cstdint> <functional> <map> <memory> <optional> <stdexcept>
                <string> <string_view> <variant> <vector>)
        endif()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL mutants_precompile_headers)
"""


# Linking the test programs again after each fault is a good part of its time; ld.lld, which links MinGW
# programs too, does it in a fifth of the time of GNU ld. The MinGW compiler calls its own linker by a
# fixed path, but finds the program collect2 that runs it in the folders given with -B: this collect2
# runs ld.lld with the same arguments, less those for GNU ld's plugin.
LLD_COLLECT2 = """#!/bin/bash
args=()
while [ $# -gt 0 ]; do
    case "$1" in
    -plugin) shift ;;
    -plugin-opt=*) ;;
    *) args+=("$1") ;;
    esac
    shift
done
exec ld.lld "${args[@]}"
"""


def file_hashes(paths):
    return [hashlib.sha1(p.read_bytes()).hexdigest() if p.exists() else None for p in paths]


class Worker:
    """A private copy of the working tree with its own builds, virtual screen and Wine server, where one
    fault at a time is made, built and tested. The workers' places differ only in their folder within
    build-mutants, so the compiler cache serves them all."""

    def __init__(self, number, jobs):
        self.name, self.jobs = f"worker {number + 1}", jobs
        root = WORK if number == 0 else WORK / f"worker{number + 1}"
        self.tree, self.build, self.native = root / "tree", root / "build", root / "native"
        self.env, self.xvfb = dict(os.environ), None

    def sync_tree(self):
        """Makes the private tree a copy of the working tree (tracked and new files), touching only
        files whose content differs, so that the builds redo only what changed."""
        listed = subprocess.run(["git", "ls-files", "-z", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                                capture_output=True).stdout.decode().split("\0")
        wanted = {p for p in listed if p and (ROOT / p).is_file()}
        for p in wanted:
            source, copy = ROOT / p, self.tree / p
            if not copy.is_file() or copy.read_bytes() != source.read_bytes():
                copy.parent.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(source, copy)
        for copy in [f for f in self.tree.rglob("*") if f.is_file()]:
            if copy.relative_to(self.tree).as_posix() not in wanted:
                copy.unlink()

    def prepare(self):
        """Copies the tree, configures and builds it (the Windows build and, when there are host tests,
        the host build), and notes what the unchanged tree builds."""
        self.sync_tree()
        linker = f" -B{WORK / 'linker'}/" if shutil.which("ld.lld") else ""
        builds = [(self.build, [f"-DCMAKE_TOOLCHAIN_FILE={self.tree}/cmake/mingw-w64-x86_64.cmake",
                                f"-DCMAKE_PROJECT_INCLUDE={WORK / 'precompiled_headers.cmake'}",
                                "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp" + linker])]
        if list(self.tree.glob("tests/native/*.cpp")):
            builds.append((self.native, []))  # no debug lines: an unchanged object stays byte for byte the same
        for folder, extra in builds:
            # Configured at every run (quick): a folder made before gets these settings too. Warnings stay
            # warnings: a fault the compiler only warns about ("a || b && c") is still a fault for the tests
            # to catch. Programs carry no time stamp, so that a fault that does not reach a test program
            # leaves it byte for byte the same, and the test need not run.
            subprocess.run(["cmake", "-S", self.tree, "-B", folder, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                            "-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                            "-DCMAKE_CXX_COMPILE_OBJECT=<CMAKE_CXX_COMPILER> <DEFINES> <INCLUDES> <FLAGS> "
                            "-Wno-error -o <OBJECT> -c <SOURCE>"] + extra,
                           check=True, stdout=subprocess.DEVNULL, env=self.env)
            subprocess.run(["ninja", "-C", folder, "-j", str(os.cpu_count())], check=True, stdout=subprocess.DEVNULL,
                           env=self.env)
        self.objects = {}  # the object files made from src/, per build folder
        for folder in (self.build, self.native):
            if (folder / "compile_commands.json").exists():
                for entry in json.loads((folder / "compile_commands.json").read_text()):
                    if entry["file"].startswith(str(self.tree / "src")):
                        self.objects.setdefault(folder, []).append(re.search(r" -o (\S+)", entry["command"]).group(1))
        self.pristine = self.object_hashes()
        self.tests = self.discover_tests()
        self.groups = {p.name for p in self.tree.glob("tests/unit/*") if p.is_dir()}
        self.groups |= {"native"} if list(self.tree.glob("tests/native/*.cpp")) else set()

    def object_hashes(self):
        return {(f, o): hashlib.sha1((f / o).read_bytes()).hexdigest() for f, outs in self.objects.items() for o in outs}

    def discover_tests(self):
        """Every runnable test by name: unit groups (their filtered parts are made on demand), journeys."""
        tests = {}
        for folder in (self.build, self.native):
            if (folder / "CTestTestfile.cmake").exists():
                shown = subprocess.run(["ctest", "--test-dir", folder, "--show-only=json-v1"], check=True,
                                       capture_output=True, text=True).stdout
                for t in json.loads(shown)["tests"]:
                    cwd = next((p["value"] for p in t.get("properties", []) if p["name"] == "WORKING_DIRECTORY"),
                               folder)
                    exe = Path(next(c for c in t["command"] if c.startswith(str(folder))))
                    tests[t["name"]] = {"cmd": t["command"], "cwd": cwd, "programs": [exe],
                                        "build": (folder, [str(exe.relative_to(folder))])}
        tools = [p.stem for p in self.tree.glob("tests/tools/*.cpp")]
        programs = [self.build / "catalog.exe"] + [self.build / "tools" / f"{tool}.exe" for tool in tools]
        for script in sorted(self.tree.glob("tests/e2e/[0-9][0-9]-*.sh")):
            tests[script.stem] = {"journey": True, "build": (self.build, ["catalog"] + tools), "programs": programs}
        for test in tests.values():  # the programs as built from the unchanged tree
            test["pristine"] = file_hashes(test["programs"])
        return tests

    def start_screen(self):
        """A virtual screen of its own, the Wine prefix in the build folder and a persistent Wine server."""
        script = ('source "$1"; { start_xvfb && setup_wineprefix && start_wineserver; } >/dev/null 2>&1; '
                  'echo "$DISPLAY $XVFB_PID"')
        env = dict(self.env, BUILD_DIR=str(self.build))
        display, pid = subprocess.run(["bash", "-c", script, "-", str(ROOT / "scripts/common.sh")], env=env, check=True,
                                      capture_output=True, text=True).stdout.split()
        self.xvfb = int(pid)
        self.env.update(DISPLAY=display, BUILD_DIR=str(self.build), WINEPREFIX=str(self.build / "wineprefix"))

    def stop_screen(self):
        if self.xvfb:
            subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
            os.kill(self.xvfb, signal.SIGTERM)
            self.xvfb = None

    def run_test(self, name, timeout, times=None, patient=False):
        """Builds what the test needs and runs it: 'pass', 'fail', 'timeout', 'stillborn', or 'unchanged'
        when its programs are byte for byte those of the unchanged tree (it cannot see the fault); and
        seconds."""
        base, _, filter_ = name.partition(":")
        test = self.tests[base]
        folder, targets = test["build"]
        code, seconds, _ = run(["ninja", "-C", str(folder), "-j", str(self.jobs)] + targets, env=self.env)
        if times is not None:
            times["link"] += seconds
        if code != 0:
            return "stillborn", 0
        if times is not None and file_hashes(test["programs"]) == test["pristine"]:
            return "unchanged", 0
        if test.get("journey"):
            env = dict(self.env, E2E_ONLY=base, E2E_TIMEOUT=str(int(timeout)))
            with open("/tmp/catalog-print.lock", "a") as lock:
                if PRINTING_JOURNEY in base:
                    take_printer(lock, patient)
                code, seconds, out = run(["bash", str(self.tree / "tests/e2e/run.sh")], timeout=timeout + 30, env=env)
            code = "timeout" if "TIMEOUT [" in out else code
        else:
            cmd = test["cmd"] + ([f"--gtest_filter={filter_}"] if filter_ else [])
            code, seconds, out = run(cmd, timeout=timeout, cwd=test["cwd"], env=self.env)
        # The test cases that failed, for a map of which case catches which fault; a journey, a crash or a
        # hang leaves no list, and the test as a whole stands for its cases.
        self.failed_cases = sorted(set(re.findall(r"^\[  FAILED  \] (\S+\.\S+)", out, re.M))) or [name]
        return ("pass" if code == 0 else "timeout" if code == "timeout" else "fail"), seconds

    def try_mutant(self, m, shared):
        """Sets the fault's verdict: killed, survived, stillborn, equivalent (unchanged object code) or
        reviewed (a row of EQUIVALENT)."""
        reason = next((r for glob, pattern, r in EQUIVALENT
                       if fnmatch.fnmatch(m["file"], glob) and re.search(pattern, shown(m))), None)
        if reason:
            m.update(verdict="reviewed", killer=reason, seconds=0)
            return
        names = shared.covering(self, m)  # may raise Busy, before the tree is touched
        path = self.tree / m["file"]
        original = path.read_text()
        lines = original.split("\n")
        assert lines[m["line"] - 1] == m["old"], f"{m['file']}:{m['line']} changed under the run"
        lines[m["line"] - 1] = m["new"]
        began = time.monotonic()
        try:
            write_file(path, "\n".join(lines))
            m["verdict"], m["killer"] = self.verdict(m, names, shared)
        finally:
            write_file(path, original)
        m["seconds"] = time.monotonic() - began

    def verdict(self, m, names, shared):
        times = {"compile": 0.0, "link": 0.0, "tests": 0.0}
        try:
            for folder, outs in self.objects.items():
                code, seconds, _ = run(["ninja", "-C", str(folder), "-j", str(self.jobs)] + outs, env=self.env)
                times["compile"] += seconds
                if code != 0:
                    return "stillborn", None
            if self.object_hashes() == self.pristine:
                return "equivalent", None
            killers, cases = [], []
            m["cases"] = cases
            for name in names:
                limit = shared.normal[name] * TIMEOUT_FACTOR + TIMEOUT_EXTRA
                result, seconds = self.run_test(name, limit, times, m.get("patient", False))
                times["tests"] += seconds
                if result == "stillborn":
                    return "stillborn", None
                shared.count(name, result)
                if result in ("fail", "timeout"):
                    killers.append(name + (" (hang)" if result == "timeout" else ""))
                    cases += self.failed_cases
                    if not shared.args.keep_going:
                        break
            return ("killed", ", ".join(killers)) if killers else ("survived", None)
        finally:
            shared.add_times(times)


def write_file(path, text):
    """Writes a file of a private tree and gives it a time stamp newer than anything built from it."""
    before = path.stat().st_mtime_ns
    path.write_text(text)
    now = max(time.time_ns(), before + 1_000_000)
    os.utime(path, ns=(now, now))


def covering(path, line, groups):
    """The tests that can see a fault at this path and line, named as in COVERAGE."""
    tests, soak = next((row[1:] for row in COVERAGE if fnmatch.fnmatch(path, row[0])), ([], False))
    soaks = [SOAK] if soak and LEAK_PRONE.search(line) else []
    return list(dict.fromkeys(tests + soaks + sorted(groups - named_groups())))


def named_groups():
    return {n.split(":")[0] for row in COVERAGE for n in row[1] + [SOAK]}


class Shared:
    """What the workers share: each test's time on the unchanged tree, and the run's figures."""

    def __init__(self, args):
        self.args, self.lock = args, threading.Lock()
        self.normal, self.dropped, self.results, self.baseline_seconds = {}, set(), [], 0.0
        self.times = {"compile": 0.0, "link": 0.0, "tests": 0.0}
        self.runs, self.kills, self.unchanged = {}, {}, {}
        self.measuring = {}  # a lock per test, so that its normal time is measured once

    def covering(self, worker, m):
        names = [t for t in covering(m["file"], m["old"], worker.groups) if t.split(":")[0] in worker.tests]
        for name in names:  # each test's normal time, measured on an unchanged tree when first needed
            with self.lock:
                measuring = self.measuring.setdefault(name, threading.Lock())
            if not measuring.acquire(blocking=m.get("patient", False)):
                raise Busy()
            try:
                if name in self.normal or name in self.dropped:
                    continue
                for attempt in (1, 2):
                    result, seconds = worker.run_test(name, 600, patient=m.get("patient", False))
                    with self.lock:
                        self.baseline_seconds += seconds
                    if result == "pass":
                        self.normal[name] = seconds
                        break
                log(f"unchanged tree: {name} {result} in {seconds:.1f} s" + ("" if result == "pass" else ": left out"))
                if result != "pass":
                    self.dropped.add(name)
            finally:
                measuring.release()
        return [t for t in names if t in self.normal]

    def count(self, name, result):
        with self.lock:
            table = self.unchanged if result == "unchanged" else self.runs
            table[name] = table.get(name, 0) + 1
            if result in ("fail", "timeout"):
                self.kills[name] = self.kills.get(name, 0) + 1

    def add_times(self, times):
        with self.lock:
            for what, seconds in times.items():
                self.times[what] += seconds


# ---- The run ----

def cpu_seconds(workers):
    """CPU time of everything this run started, and of the virtual screens and Wine servers it uses."""
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    total = usage.ru_utime + usage.ru_stime
    screens = {str(w.xvfb) for w in workers if w.xvfb}
    servers = set()
    for w in workers:
        prefix = Path(w.env.get("WINEPREFIX", "/nonexistent"))
        if prefix.exists():
            st = os.stat(prefix)
            servers.add(f"server-{st.st_dev:x}-{st.st_ino:x}")  # the folder the prefix's server runs in
    for proc in Path("/proc").glob("[0-9]*"):
        try:
            if proc.name in screens or (servers and os.readlink(proc / "cwd").rsplit("/", 1)[-1] in servers):
                fields = (proc / "stat").read_text().rsplit(")", 1)[1].split()
                total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            pass
    return total


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=200, help="faults that compile and change the program")
    parser.add_argument("--only", help="path glob, e.g. 'src/button/*'; such a run leaves docs/figures.md alone")
    parser.add_argument("--list", action="store_true", help="show the sample without running it")
    parser.add_argument("--jobs", type=int, default=2, help="faults tried at once, each in a private tree of its own")
    parser.add_argument("--keep-going", action="store_true", help="run every covering test, not only up to the first failure")
    parser.add_argument("--cases", metavar="FILE",
                        help="with --keep-going: write each fault and the test cases that caught it, as JSON, to FILE")
    args = parser.parse_args()
    args.keep_going = args.keep_going or bool(args.cases)
    if args.list:
        ranked, shares = ranked_by_area(all_mutants(ROOT, args.seed, args.only), args.seed, args.only)
        quota = quotas(ranked, shares, args.count)
        for area in shares:
            print(f"{area}: {quota[area]} of {len(ranked[area])}")
            for m in ranked[area][:quota[area]]:
                print(f"  {m['file']}:{m['line']} {m['op']}: {shown(m)}")
        return
    # Ctrl-C, or a kill, stops the run and reports what it has (a run started in the background has
    # Ctrl-C ignored until told otherwise).
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, signal.default_int_handler)

    # The compiler cache makes a restored file's object at once; the sloppiness lets it trust contents,
    # not time stamps, of the headers a fault touched, and take the precompiled headers as they are.
    os.environ.update(CCACHE_DIR=str(WORK / "ccache"), CCACHE_BASEDIR=str(WORK),
                      CCACHE_SLOPPINESS="include_file_mtime,include_file_ctime,pch_defines,time_macros")
    WORK.mkdir(exist_ok=True)
    (WORK / "precompiled_headers.cmake").write_text(PRECOMPILED_HEADERS.lstrip())
    (WORK / "linker").mkdir(exist_ok=True)
    (WORK / "linker" / "collect2").write_text(LLD_COLLECT2)
    (WORK / "linker" / "collect2").chmod(0o755)
    workers = [Worker(n, max(1, os.cpu_count() // args.jobs)) for n in range(args.jobs)]
    shared, started, cpu_start, stopped = Shared(args), time.monotonic(), cpu_seconds([]), False
    try:
        for w in workers:
            log(f"{w.name}: copying and building the private tree in {w.tree.parent.relative_to(ROOT)}")
            w.prepare()
            w.start_screen()
        for glob, names, _ in COVERAGE:
            for name in names:
                if name.split(":")[0] not in workers[0].tests:
                    log(f"note: {name} (row {glob}) is not a test here")
        for group in sorted(workers[0].groups - named_groups()):
            log(f"note: tests/unit/{group} is in no row of COVERAGE: it runs for every fault")
        setup_wall, setup_cpu = time.monotonic() - started, cpu_seconds(workers) - cpu_start

        ranked, shares = ranked_by_area(all_mutants(workers[0].tree, args.seed, args.only), args.seed, args.only)
        quota = quotas(ranked, shares, args.count)
        next_up = {a: 0 for a in shares}

        def draw(area, n):
            batch = ranked[area][next_up[area]:next_up[area] + n]
            for m in batch:
                next_up[area] += 1
                m["draw"] = next_up[area] / quota[area]
            return batch

        # Areas interleaved in proportion to their shares, so that a run stopped early is still a fair sample.
        todo = sorted((m for area in shares for m in draw(area, quota[area])), key=lambda m: m["draw"])
        log(f"{len(todo)} faults drawn with seed {args.seed}, {args.jobs} at a time "
            "(Ctrl-C stops the run and reports what it has)")

        def work(worker):
            while not STOPPING.is_set():
                with shared.lock:
                    if not todo:
                        return
                    # Faults put off because the printer was busy wait their turn once nothing else is left.
                    m = next((x for x in todo if not x.get("deferred")), todo[0])
                    todo.remove(m)
                    m["patient"] = bool(m.get("deferred"))
                try:
                    worker.try_mutant(m, shared)
                except Busy:
                    with shared.lock:
                        m["deferred"] = True
                        todo.append(m)
                    continue
                except Stopped:
                    return
                with shared.lock:
                    shared.results.append(m)
                    if m["verdict"] not in ("killed", "survived"):
                        todo.extend(draw(area_of(m["file"]), 1))
                    log(f"{len(shared.results):3} {m['verdict']:10} {m['file']}:{m['line']} {m['op']:9} "
                        f"{m['killer'] or ''} ({m['seconds']:.0f} s)")

        threads = [threading.Thread(target=work, args=(w,), daemon=True) for w in workers]
        for t in threads:
            t.start()
        try:
            while any(t.is_alive() for t in threads):
                time.sleep(0.5)
        except KeyboardInterrupt:
            stopped = True
            log("stopping")
            stop_everything()
            for t in threads:
                t.join()
        report(shared, time.monotonic() - started, cpu_seconds(workers) - cpu_start, setup_wall, setup_cpu, stopped)
    finally:
        for w in workers:
            w.stop_screen()


def report(run_, wall, cpu, setup_wall, setup_cpu, stopped):
    results, args = run_.results, run_.args
    killed = [m for m in results if m["verdict"] == "killed"]
    survived = [m for m in results if m["verdict"] == "survived"]
    stillborn = sum(m["verdict"] == "stillborn" for m in results)
    equivalent = sum(m["verdict"] == "equivalent" for m in results)
    reviewed = [m for m in results if m["verdict"] == "reviewed"]
    rate = len(killed) / max(1, len(killed) + len(survived))
    ops = {}
    for m in killed + survived:
        k, n = ops.get(m["op"], (0, 0))
        ops[m["op"]] = (k + (m["verdict"] == "killed"), n + 1)
    judged = len(killed) + len(survived)
    faults = sum(m["seconds"] for m in results)
    alone = {}
    for m in killed:
        if ", " not in m["killer"]:
            name = m["killer"].removesuffix(" (hang)")
            alone[name] = alone.get(name, 0) + 1
    summary = [
        f"Stopped by hand after {judged} of the {args.count} faults asked for." if stopped else "",
        f"Kill rate {100 * rate:.1f} % ({len(killed)} killed, {len(survived)} survived); {stillborn} stillborn"
        f", {equivalent} with unchanged object code and {len(reviewed)} reviewed as equivalent (not counted, "
        "replaced by further draws).",
        "By kind of fault: " + ", ".join(f"{op} {k}/{n}" for op, (k, n) in sorted(ops.items())) + ".",
        f"Time {wall / 60:.1f} min, {args.jobs} faults at a time: {setup_wall / 60:.1f} min copying and building "
        f"the private trees, "
        f"{run_.baseline_seconds / 60:.1f} min running the tests on it unchanged. CPU time used "
        f"{cpu / 60:.1f} min ({setup_cpu / 60:.1f} min of it copying and building).",
        f"The {len(results)} faults tried took {faults / 60:.1f} min of the workers' time, "
        f"{faults / max(1, len(results)):.1f} s each: "
        + ", ".join(f"{what} {seconds / 60:.1f} min" for what, seconds in run_.times.items()) + ".",
        "Tests (normal time; runs, faults caught" + (", caught by no other test" if args.keep_going else "")
        + ", left out as their program was unchanged): "
        + "; ".join(f"{name} ({run_.normal[name]:.1f} s; {run_.runs.get(name, 0)}, {run_.kills.get(name, 0)}, "
                    + (f"{alone.get(name, 0)}, " if args.keep_going else "") + f"{run_.unchanged.get(name, 0)})"
                    for name in sorted(run_.normal, key=run_.normal.get)) + ".",
    ]
    summary = [line for line in summary if line]
    survivors = []
    for file in sorted({m["file"] for m in survived}):
        survivors.append(f"- `{file}`")
        for m in sorted((m for m in survived if m["file"] == file), key=lambda m: m["line"]):
            survivors.append(f"  - line {m['line']}, {m['op']}: `{shown(m)}`")
    if reviewed:
        survivors += ["", "Drawn but reviewed as equivalent (the line as changed, and why it changes nothing):", ""]
        survivors += [f"- `{m['file']}` line {m['line']}, {m['op']}: `{shown(m)}`: {m['killer']}" for m in reviewed]
    print("\n".join([""] + summary + ["Survivors:"] + survivors))
    if args.cases:  # a map for deciding which tests carry their weight; the figures stay those of a normal run
        Path(args.cases).write_text(json.dumps(
            [{k: m.get(k) for k in ("file", "line", "op", "old", "new", "verdict", "cases")} for m in results], indent=1))
        return
    if args.only:
        return
    stamp = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    section = "\n".join([BEGIN, f"Run {stamp}, seed {args.seed}, count {args.count}, on {os.cpu_count()} cores.", ""]
                        + summary + ["", "Survivors, by file (the line as changed):", ""] + survivors + [END])
    text = FIGURES.read_text()
    if BEGIN in text:
        text = text[:text.index(BEGIN)] + section + text[text.index(END) + len(END):]
    else:
        text = text.rstrip() + "\n\n## Mutation testing\n\n`./mutants` puts one-line faults into the source, " \
               "one at a time, and counts those the tests catch.\n\n" + section + "\n"
    FIGURES.write_text(text)
    log("written to", FIGURES.relative_to(ROOT))


if __name__ == "__main__":
    main()
