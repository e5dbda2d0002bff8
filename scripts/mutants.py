"""Mutation run: puts one-line faults into src/, one at a time, and checks that the tests notice.

Started by ./mutants, which installs the packages and brings up the virtual screen, the Wine server
and the print spooler. Every fault is made in a private copy of the source tree (build-mutants/tree)
with its own build folders, so an interrupted run leaves the working tree as it was.
"""
import argparse, datetime, fcntl, fnmatch, hashlib, json, os, random, re, resource, shutil, signal, subprocess
import time
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

# The tests that cover each source path: the first row whose glob matches. Unit groups are folders of
# tests/unit ("group" or "group:gtest filter"); ALWAYS runs first for every fault ("native", the host
# build of tests/native, costs nothing for a file it does not build). Journeys (tests/e2e scripts by
# name) only where the unit tests cannot follow a page or a printed sheet; 20-products (three minutes)
# is left to ./test. The soak runs only for a fault on a line with a leak-prone call (LEAK_PRONE). A
# group in tests/unit that no row names runs for every fault, until it gets a row here.
ALWAYS = ["native"]
MALFORMED = "reliability:MalformedInput.*"
BAD_SETTINGS = "reliability:MalformedInput.DamagedButtonSettings*:MalformedInput.ColoursWithStrayHighBits*"
BAD_TEXTS = "reliability:MalformedInput.OddPrintTexts*:MalformedInput.OddAndOverlongLinks*"
COVERAGE = [
    # path glob                unit groups                                  journeys                                soak
    ("src/button/*",           ["button", "pages", BAD_SETTINGS],           [],                                     True),
    ("src/common/*print*",     ["printing", "pages", BAD_TEXTS],            ["50-printing"],                        False),
    ("src/common/*",           ["common", "printing", "pages", BAD_TEXTS],  [],                                     False),
    ("src/pages/*",            ["pages", "foundation"],                     ["10-start", "30-contacts", "60-quit"], False),
    ("src/*catalog_table*",    ["pages", "foundation"],                     [],                                     False),
    ("src/app/*",              ["foundation", "pages"],                     [],                                     False),
    ("src/platform/*print*",   ["printing", "pages"],                       ["50-printing"],                        False),
    ("src/platform/*layout*",  ["foundation", "pages", MALFORMED],          [],                                     False),
    ("src/platform/*property_bag*", ["foundation", "button", MALFORMED],    [],                                     False),
    ("src/platform/*",         ["foundation", "button", "pages", BAD_SETTINGS], [],                                 True),
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


def ranked_by_area(mutants, seed, only):
    """Each area's mutants in the order the seed draws them (weighted, without replacement), and the
    share of the sample each area gets."""
    rng, areas = random.Random(seed), {}
    for m in mutants:
        areas.setdefault(area_of(m["file"]), []).append(m)
    ranked = {a: sorted(ms, key=lambda m: -rng.random() ** (1 / weight(m))) for a, ms in areas.items()}
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


# ---- The private tree, its builds and its tests ----

def run(cmd, timeout=None, **kw):
    """Runs a command in its own process group; returns (exit code or 'timeout', seconds, output)."""
    start = time.monotonic()
    with subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace",
                          start_new_session=True, **kw) as p:
        try:
            out, _ = p.communicate(timeout=timeout)
            return p.returncode, time.monotonic() - start, out
        except BaseException as stop:  # a hang, or the run is interrupted: the whole group goes
            os.killpg(p.pid, signal.SIGKILL)
            out, _ = p.communicate()
            if not isinstance(stop, subprocess.TimeoutExpired):
                raise
            return "timeout", time.monotonic() - start, out


def sync_tree():
    """Makes the private tree a copy of the working tree (tracked and new files), touching only files
    whose content differs, so that the builds redo only what changed."""
    listed = subprocess.run(["git", "ls-files", "-z", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split("\0")
    wanted = {p for p in listed if p and (ROOT / p).is_file()}
    for p in wanted:
        source, copy = ROOT / p, TREE / p
        if not copy.is_file() or copy.read_bytes() != source.read_bytes():
            copy.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, copy)
    for copy in [f for f in TREE.rglob("*") if f.is_file()]:
        if copy.relative_to(TREE).as_posix() not in wanted:
            copy.unlink()


def configure_and_build(jobs):
    """Configures (once) and builds the Windows build and, when there are host tests, the host build.
    The compiler cache makes a restored file's object at once; the sloppiness lets it trust contents,
    not time stamps, of the headers a fault touched."""
    os.environ.update(CCACHE_DIR=str(WORK / "ccache"), CCACHE_SLOPPINESS="include_file_mtime,include_file_ctime")
    launcher = ["-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
    builds = [(BUILD, [f"-DCMAKE_TOOLCHAIN_FILE={TREE}/cmake/mingw-w64-x86_64.cmake"])]
    if list(TREE.glob("tests/native/*.cpp")):
        builds.append((NATIVE, []))  # no debug lines: an unchanged object must stay byte for byte the same
    for folder, extra in builds:
        if not (folder / "build.ninja").exists():
            subprocess.run(["cmake", "-S", TREE, "-B", folder, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"] + extra +
                           launcher, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["ninja", "-C", folder, "-j", str(jobs)], check=True, stdout=subprocess.DEVNULL)


def program_objects():
    """The object files made from src/, per build folder."""
    objects = {}
    for folder in (BUILD, NATIVE):
        if (folder / "compile_commands.json").exists():
            for entry in json.loads((folder / "compile_commands.json").read_text()):
                if entry["file"].startswith(str(TREE / "src")):
                    out = re.search(r" -o (\S+)", entry["command"]).group(1)
                    objects.setdefault(folder, []).append(out)
    return objects


def object_hashes(objects):
    return {(f, o): hashlib.sha1((f / o).read_bytes()).hexdigest() for f, outs in objects.items() for o in outs}


def discover_tests():
    """Every runnable test by name: unit groups (and their filtered parts, made on demand), journeys."""
    tests = {}
    for folder in (BUILD, NATIVE):
        if (folder / "CTestTestfile.cmake").exists():
            shown = subprocess.run(["ctest", "--test-dir", folder, "--show-only=json-v1"], check=True,
                                   capture_output=True, text=True).stdout
            for t in json.loads(shown)["tests"]:
                cwd = next((p["value"] for p in t.get("properties", []) if p["name"] == "WORKING_DIRECTORY"), folder)
                exe = Path(next(c for c in t["command"] if c.startswith(str(folder))))
                tests[t["name"]] = {"cmd": t["command"], "cwd": cwd, "build": (folder, [str(exe.relative_to(folder))])}
    tools = [p.stem for p in TREE.glob("tests/tools/*.cpp")]
    for script in sorted(TREE.glob("tests/e2e/[0-9][0-9]-*.sh")):
        tests[script.stem] = {"journey": True, "build": (BUILD, ["catalog"] + tools)}
    return tests


def unit_groups():
    groups = {p.name for p in TREE.glob("tests/unit/*") if p.is_dir()}
    return groups | ({"native"} if list(TREE.glob("tests/native/*.cpp")) else set())


def covering(path, line, groups):
    """The tests that can see a fault at this path and line, named as in COVERAGE."""
    units, journeys, soak = next((row[1:] for row in COVERAGE if fnmatch.fnmatch(path, row[0])), ([], [], False))
    named = {n.split(":")[0] for row in COVERAGE for n in row[1] + ALWAYS + [SOAK]}
    soaks = [SOAK] if soak and LEAK_PRONE.search(line) else []
    return list(dict.fromkeys(ALWAYS + units + journeys + soaks + sorted(groups - named)))


class PrinterBusy(Exception):
    pass


def run_test(name, tests, timeout, jobs, wait=True):
    """Builds what the test needs and runs it: 'pass', 'fail', 'timeout' or 'stillborn'; and seconds.
    A journey that prints waits for the shared printer, or raises PrinterBusy when told not to wait."""
    base, _, filter_ = name.partition(":")
    test = tests[base]
    folder, targets = test["build"]
    code, _, out = run(["ninja", "-C", str(folder), "-j", str(jobs)] + targets)
    if code != 0:
        return "stillborn", 0
    if test.get("journey"):
        env = dict(os.environ, E2E_ONLY=base, BUILD_DIR=str(BUILD), E2E_TIMEOUT=str(int(timeout)))
        cmd = ["bash", str(TREE / "tests/e2e/run.sh")]
        with open("/tmp/catalog-print.lock", "a") as lock:  # the printer and its PDF folder are shared
            if PRINTING_JOURNEY in base:
                try:
                    fcntl.flock(lock, fcntl.LOCK_EX | (0 if wait else fcntl.LOCK_NB))
                except BlockingIOError:
                    raise PrinterBusy()
            code, seconds, out = run(cmd, timeout=timeout + 30, env=env)
        code = "timeout" if "TIMEOUT [" in out else code
    else:
        cmd = test["cmd"] + ([f"--gtest_filter={filter_}"] if filter_ else [])
        code, seconds, out = run(cmd, timeout=timeout, cwd=test["cwd"])
    return ("pass" if code == 0 else "timeout" if code == "timeout" else "fail"), seconds


def write_file(path, text):
    """Writes a file of the private tree and gives it a time stamp newer than anything built from it."""
    before = path.stat().st_mtime_ns
    path.write_text(text)
    now = max(time.time_ns(), before + 1_000_000)
    os.utime(path, ns=(now, now))


# ---- The run ----

def cpu_seconds():
    """CPU time of everything this run started, and of the Wine server and virtual screen it uses."""
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    total = usage.ru_utime + usage.ru_stime
    prefix = os.environ.get("WINEPREFIX")
    server = None
    if prefix and Path(prefix).exists():
        st = os.stat(prefix)
        server = f"server-{st.st_dev:x}-{st.st_ino:x}"  # the folder the prefix's server runs in
    for proc in Path("/proc").glob("[0-9]*"):
        try:
            mine = proc.name == os.environ.get("XVFB_PID") or (server and os.readlink(proc / "cwd").endswith(server))
            if mine:
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
    parser.add_argument("--jobs", type=int, default=os.cpu_count(), help="parallel compiles (tests run one at a time)")
    parser.add_argument("--keep-going", action="store_true", help="run every covering test, not only up to the first failure")
    args = parser.parse_args()

    started, cpu_start = time.monotonic(), cpu_seconds()
    if not args.list:
        log("copying the working tree to", TREE.relative_to(ROOT))
        TREE.mkdir(parents=True, exist_ok=True)
        sync_tree()
    ranked, shares = ranked_by_area(all_mutants(ROOT if args.list else TREE, args.seed, args.only), args.seed, args.only)
    quota = quotas(ranked, shares, args.count)
    if args.list:
        for area in shares:
            print(f"{area}: {quota[area]} of {len(ranked[area])}")
            for m in ranked[area][:quota[area]]:
                print(f"  {m['file']}:{m['line']} {m['op']}: {shown(m)}")
        return

    log("building the private tree (ccache keeps the objects it made before)")
    configure_and_build(args.jobs)
    run_ = Run(args, program_objects(), discover_tests(), unit_groups())
    for glob, units, journeys, _ in COVERAGE:
        for name in units + journeys:
            if name.split(":")[0] not in run_.tests:
                log(f"note: {name} (row {glob}) is not a test here")
    named = {n.split(":")[0] for row in COVERAGE for n in row[1] + ALWAYS + [SOAK]}
    for group in sorted(run_.groups - named):
        log(f"note: tests/unit/{group} is in no row of COVERAGE: it runs for every fault")
    setup_wall, setup_cpu = time.monotonic() - started, cpu_seconds() - cpu_start

    next_up, number = {a: 0 for a in shares}, 0

    def draw(area, n):
        batch = ranked[area][next_up[area]:next_up[area] + n]
        for m in batch:
            next_up[area] += 1
            m["draw"] = next_up[area] / quota[area]
        return batch

    # Areas interleaved in proportion to their shares, so that a run stopped early is still a fair sample.
    todo = sorted((m for area in shares for m in draw(area, quota[area])), key=lambda m: m["draw"])
    later, stopped = [], False
    log(f"{len(todo)} faults drawn with seed {args.seed} (Ctrl-C stops the run and reports what it has)")
    try:
        while todo or later:
            if not todo:  # only faults that wait for the printer are left: now they wait
                todo, later, run_.wait = later, [], True
            m = todo.pop(0)
            run_.try_mutant(m)
            if m["verdict"] == "deferred":
                later.append(m)
                continue
            if m["verdict"] not in ("killed", "survived"):
                todo += draw(area_of(m["file"]), 1)
            number += 1
            log(f"{number:3} {m['verdict']:10} {m['file']}:{m['line']} {m['op']:9} {m['killer'] or ''} "
                f"({m['seconds']:.0f} s)")
    except KeyboardInterrupt:
        stopped = True
        log("stopped")
    report(run_, time.monotonic() - started, cpu_seconds() - cpu_start, setup_wall, setup_cpu, stopped)


class Run:
    def __init__(self, args, objects, tests, groups):
        self.args, self.objects, self.tests, self.groups = args, objects, tests, groups
        self.pristine = object_hashes(objects)
        self.normal, self.dropped, self.results, self.baseline_seconds = {}, set(), [], 0.0
        self.wait = False  # for the shared printer: at first a fault that needs it waits its turn

    def covering(self, m):
        names = [t for t in covering(m["file"], m["old"], self.groups) if t.split(":")[0] in self.tests]
        for name in names:  # each test's normal time, measured on the unchanged tree when first needed
            if name not in self.normal and name not in self.dropped:
                for attempt in (1, 2):
                    result, seconds = run_test(name, self.tests, 600, self.args.jobs, self.wait)
                    self.baseline_seconds += seconds
                    if result == "pass":
                        self.normal[name] = seconds
                        break
                log(f"unchanged tree: {name} {result} in {seconds:.1f} s" + ("" if result == "pass" else ": left out"))
                if result != "pass":
                    self.dropped.add(name)
        return sorted((t for t in names if t in self.normal), key=self.normal.get)  # the cheapest first

    def try_mutant(self, m):
        """Sets the fault's verdict: killed, survived, stillborn, equivalent, or deferred (when the
        printer is busy)."""
        path = TREE / m["file"]
        original = path.read_text()
        try:
            names = self.covering(m)
        except PrinterBusy:
            m.update(verdict="deferred", killer=None, seconds=0)
            return
        lines = original.split("\n")
        assert lines[m["line"] - 1] == m["old"], f"{m['file']}:{m['line']} changed under the run"
        lines[m["line"] - 1] = m["new"]
        began = time.monotonic()
        try:
            write_file(path, "\n".join(lines))
            m["verdict"], m["killer"] = self.verdict(names)
        except PrinterBusy:
            m["verdict"], m["killer"] = "deferred", None
        finally:
            write_file(path, original)
        m["seconds"] = time.monotonic() - began
        if m["verdict"] != "deferred":
            self.results.append(m)

    def verdict(self, names):
        for folder, outs in self.objects.items():
            if run(["ninja", "-C", str(folder), "-j", str(self.args.jobs)] + outs)[0] != 0:
                return "stillborn", None
        if object_hashes(self.objects) == self.pristine:
            return "equivalent", None
        killers = []
        for name in names:
            limit = self.normal[name] * TIMEOUT_FACTOR + TIMEOUT_EXTRA
            result, _ = run_test(name, self.tests, limit, self.args.jobs, self.wait)
            if result == "stillborn":
                return "stillborn", None
            if result != "pass":
                killers.append(name + (" (hang)" if result == "timeout" else ""))
                if not self.args.keep_going:
                    break
        return ("killed", ", ".join(killers)) if killers else ("survived", None)


def report(run_, wall, cpu, setup_wall, setup_cpu, stopped):
    results, args = run_.results, run_.args
    killed = [m for m in results if m["verdict"] == "killed"]
    survived = [m for m in results if m["verdict"] == "survived"]
    stillborn = sum(m["verdict"] == "stillborn" for m in results)
    equivalent = sum(m["verdict"] == "equivalent" for m in results)
    rate = len(killed) / max(1, len(killed) + len(survived))
    ops = {}
    for m in killed + survived:
        k, n = ops.get(m["op"], (0, 0))
        ops[m["op"]] = (k + (m["verdict"] == "killed"), n + 1)
    judged = len(killed) + len(survived)
    summary = [
        f"Stopped by hand after {judged} of the {args.count} faults asked for." if stopped else "",
        f"Kill rate {100 * rate:.1f} % ({len(killed)} killed, {len(survived)} survived); {stillborn} stillborn "
        f"and {equivalent} with unchanged object code (not counted, replaced by further draws).",
        "By kind of fault: " + ", ".join(f"{op} {k}/{n}" for op, (k, n) in sorted(ops.items())) + ".",
        f"Time {wall / 60:.1f} min: {setup_wall / 60:.1f} min copying and building the tree, "
        f"{run_.baseline_seconds / 60:.1f} min running the tests on it unchanged. CPU time used "
        f"{cpu / 60:.1f} min ({setup_cpu / 60:.1f} min of it copying and building).",
    ]
    summary = [line for line in summary if line]
    survivors = []
    for file in sorted({m["file"] for m in survived}):
        survivors.append(f"- `{file}`")
        for m in sorted((m for m in survived if m["file"] == file), key=lambda m: m["line"]):
            survivors.append(f"  - line {m['line']}, {m['op']}: `{shown(m)}`")
    print("\n".join([""] + summary + ["Survivors:"] + survivors))
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
