#!/usr/bin/env python3
"""Measures the catalog's figures and prints them as one table (and writes docs/figures.md).

Run by ./bench, which has built everything and started a virtual screen and a Wine server. Every
figure is a median over repeated runs; where there is a reference, the reference runs in the same
rounds, interleaved with the catalog, and the ratio is taken of the two medians.

  start-up        the catalog and a minimal Win32 window program under the same Wine, and the same
                  catalog as a static web page in headless Chromium: from start to the first painted
                  frame (Wine programs report it themselves; Chromium to its first screenshot). The
                  catalog measured is build/bench/catalog_bench.exe: catalog.exe's own library,
                  resources and manifest started by the same lines as catalog.exe's WinMain, plus an
                  observer of the first frame that writes the report (catalog.exe itself reads no
                  environment and writes no file). The two must import the same libraries, or the
                  figures are not catalog.exe's and the run stops. Timing runs also take the
                  processor time of each start, the program's and the Wine server's: on a shared
                  machine load stretches the wall-clock time of a start far more than its work.
  memory          sampled from /proc while the same starts run: the proportional set size (Pss, from
                  smaps_rollup) summed over the process and its descendants, which counts a page
                  shared by N processes as 1/N in each, and the resident size of the largest single
                  process. Summed resident sizes would count Chromium's shared pages once per process.
                  Pss depends on what else maps the same files: Wine's libraries are shared with every
                  other Wine process on the machine, so a Wine program's Pss drops as others run.
  routines        microseconds per call, from build/bench/bench_routines.exe
  hover           CPU time of catalog.exe over 10 s with the pointer resting on a product button and
                  over 10 s with it outside every button, as a percentage of one core
  size            catalog.exe bytes, and its resident size once the main page is up
  fuzzing         executions and findings of the layout reader's fuzz targets (run by ./bench)
"""

import argparse
import datetime
import json
import os
import platform
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
PAGE_SIZE = os.sysconf("SC_PAGE_SIZE")
MAIN_TITLE = "Tamrix Software Catalog {rev 2026.12.6}"
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars", "--window-size=1024,768",
]


def log(message):
    print(f"[bench] {message}", file=sys.stderr, flush=True)


# ---- processes seen through /proc ----

def descendants(pid):
    """The process and every process below it."""
    found, queue = [], [pid]
    while queue:
        current = queue.pop()
        found.append(current)
        try:
            for task in os.listdir(f"/proc/{current}/task"):
                with open(f"/proc/{current}/task/{task}/children") as children:
                    queue.extend(int(child) for child in children.read().split())
        except OSError:
            pass
    return found


def resident_bytes(pid):
    try:
        with open(f"/proc/{pid}/statm") as statm:
            return int(statm.read().split()[1]) * PAGE_SIZE
    except (OSError, IndexError, ValueError):
        return 0


def proportional_bytes(pid):
    """Pss of one process: each page it maps counts 1/N when N processes share it."""
    try:
        with open(f"/proc/{pid}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    return int(line.split()[1]) * 1024
    except (OSError, IndexError, ValueError):
        pass
    return 0


def tree_memory(pid):
    """(Pss summed over the process tree, resident size of its largest process)."""
    tree = descendants(pid)
    return sum(proportional_bytes(p) for p in tree), max((resident_bytes(p) for p in tree), default=0)


def tree_resident_bytes(pid):
    return sum(resident_bytes(p) for p in descendants(pid))


def cpu_seconds(pid):
    """User and system time of one process so far."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def find_wineserver(prefix):
    """The Wine server of a prefix: it works in a folder named after the prefix's device and inode."""
    info = os.stat(prefix)
    folder = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if comm.read().strip() not in ("wineserver", "wineserver64"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == folder:
                return int(entry)
        except OSError:
            continue
    return None


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ---- one start-up run ----

def children_cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_once(command, env, painted, sample_memory, timeout=90, browser=False, server=None):
    """Starts `command` and waits until `painted()` holds. Timing runs only watch for that, every 2 ms;
    memory runs instead sample the process tree's memory every 5 ms until the process ends (sampling
    takes processor time from the program, so the two are measured in separate runs). Returns (seconds
    to paint, (peak Pss of the tree, peak resident size of its largest process)). A browser lingers
    after its screenshot and is ended. With the pid of a `server`, timing runs also return the processor
    time of the process (ended and waited for) and the server's, from the start to the end of the run."""
    cpu_before, server_before = children_cpu_seconds(), cpu_seconds(server) if server else 0.0
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=browser)
    paint_at = None
    peak = (0, 0)
    deadline = start + timeout
    while process.poll() is None and time.perf_counter() < deadline:
        if sample_memory:
            pss, largest = tree_memory(process.pid)
            peak = (max(peak[0], pss), max(peak[1], largest))
        if paint_at is None and painted():
            paint_at = time.perf_counter() - start
            if browser:
                break
        time.sleep(0.005 if sample_memory else 0.002)
    if paint_at is None and painted():
        paint_at = time.perf_counter() - start
    if process.poll() is None:
        if browser:
            os.killpg(process.pid, signal.SIGKILL)  # the browser's own process group, made above
        else:
            process.kill()
    process.wait()
    cpu = children_cpu_seconds() - cpu_before
    settle(process.pid if browser else None)
    if server and not sample_memory:
        return paint_at, (cpu, cpu_seconds(server) - server_before)
    return paint_at, peak


def settle(group):
    """Lets the machine come to rest before the next start: a killed browser's helpers go (they may
    linger a moment, and a crash reporter leaves the group), and the disk writes of a run are done.
    Without this the start that follows the browser in a round pays for it."""
    deadline = time.monotonic() + 10
    while group is not None and time.monotonic() < deadline:
        try:
            os.killpg(group, 0)
        except ProcessLookupError:
            break
        time.sleep(0.05)
    subprocess.run(["pkill", "-KILL", "-f", "chrome_crashpad_handler"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    time.sleep(1.0)


def read_report(path):
    values = {}
    try:
        with open(path) as report:
            for line in report:
                key, _, value = line.partition(" ")
                values[key] = float(value)
    except (OSError, ValueError):
        pass
    return values


def wine_start(exe, work, sample_memory, server):
    report = os.path.join(work, "first_paint.txt")
    if os.path.exists(report):
        os.remove(report)
    env = dict(os.environ, CATALOG_FIRST_PAINT_REPORT=windows_path(report), CATALOG_FIRST_PAINT_EXIT="1")
    seconds, peak = run_once(["wine", exe], env, lambda: "peak_working_set" in read_report(report), sample_memory,
                             server=server)
    values = read_report(report)
    if "first_paint_ms" not in values:
        raise RuntimeError(f"{exe} reported no first paint")
    result = {"reported_peak": values["peak_working_set"]}
    if sample_memory:
        result["tree_pss"], result["largest_rss"] = peak
    else:
        result["wall_ms"] = seconds * 1000
        result["reported_ms"] = values["first_paint_ms"]
        result["cpu_ms"], result["server_ms"] = (1000 * t for t in peak)
    return result


def chromium_start(chromium, page, work, sample_memory):
    profile = tempfile.mkdtemp(prefix="profile-", dir=work)
    shot = os.path.join(work, "page.png")
    if os.path.exists(shot):
        os.remove(shot)
    command = [chromium, *CHROMIUM_FLAGS, f"--user-data-dir={profile}", f"--screenshot={shot}",
               "file://" + os.path.abspath(page)]
    seconds, peak = run_once(command, dict(os.environ), lambda: os.path.exists(shot) and os.path.getsize(shot) > 0,
                             sample_memory, browser=True)
    shutil.rmtree(profile, ignore_errors=True)
    if seconds is None:
        raise RuntimeError("Chromium took no screenshot")
    if sample_memory:
        return {"tree_pss": peak[0], "largest_rss": peak[1]}
    return {"wall_ms": seconds * 1000}


# ---- the running catalog: working set and hover ----

def imported_libraries(exe):
    """The DLLs an executable imports, from its import table."""
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True, text=True,
                          check=True).stdout
    return sorted({line.split(":", 1)[1].strip().lower() for line in dump.splitlines()
                   if line.strip().startswith("DLL Name:")})


def wintool(build, *args):
    result = subprocess.run(["wine", os.path.join(build, "tools", "wintool.exe"), *args], capture_output=True,
                            text=True)
    return result.returncode, result.stdout.replace("\r", "").strip()


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def twips(value):
    return (value + 7) // 15


def measure_running_catalog(build, rounds, seconds, prefix, xvfb_pid):
    """Working set after start, then CPU while the pointer rests on a button and while it rests away."""
    process = subprocess.Popen(["wine", os.path.join(build, "catalog.exe")], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        if not wait_until(lambda: wintool(build, "exists", "Welcome!")[0] == 0, 60):
            raise RuntimeError("the welcome page did not come up")
        time.sleep(0.5)
        xdotool("key", "Escape")
        if not wait_until(lambda: wintool(build, "exists", "Welcome!")[0] != 0, 30):
            raise RuntimeError("the welcome page did not close")
        code, origin = wintool(build, "client", MAIN_TITLE)
        if code != 0:
            raise RuntimeError("the main page is not there")
        cx, cy = (int(v) for v in origin.split()[:2])
        time.sleep(2)
        working_set = tree_resident_bytes(process.pid)

        # Daybeacon, the first product button of the first tab (as the hover journey finds it).
        on_button = (cx + twips(105 + 210 + 210) + 30, cy + twips(945 + 525 + 210) + 20)
        # The page's top-left corner: the page's own background, no button under the pointer.
        away = (cx + 5, cy + 5)
        wineserver = find_wineserver(prefix)
        samples = {"on": [], "away": []}
        for _ in range(rounds):
            for where, point in (("on", on_button), ("away", away)):
                xdotool("mousemove", str(point[0]), str(point[1]))
                time.sleep(1)
                pids = {"catalog": process.pid, "wineserver": wineserver, "xvfb": xvfb_pid}
                before = {name: cpu_seconds(pid) for name, pid in pids.items() if pid}
                wall = time.perf_counter()
                time.sleep(seconds)
                wall = time.perf_counter() - wall
                after = {name: cpu_seconds(pid) for name, pid in pids.items() if pid}
                samples[where].append({name: 100 * (after[name] - before[name]) / wall for name in after})
        return working_set, samples
    finally:
        process.kill()
        process.wait()


# ---- the table ----

def median(values):
    return statistics.median(values) if values else float("nan")


def mib(value):
    return f"{value / 1048576:.1f} MiB"


def verdict(ok):
    return "yes" if ok else "**no**"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--hover-rounds", type=int, default=3)
    parser.add_argument("--hover-seconds", type=float, default=10)
    parser.add_argument("--routine-runs", type=int, default=3)
    parser.add_argument("--fuzz", help="JSON file with the fuzzing results")
    parser.add_argument("--chromium", default=shutil.which("chromium"))
    parser.add_argument("--output", help="Markdown file for the table")
    args = parser.parse_args()

    build, root = os.path.abspath(args.build), os.path.abspath(args.root)
    catalog = os.path.join(build, "catalog.exe")
    catalog_bench = os.path.join(build, "bench", "catalog_bench.exe")
    minimal = os.path.join(build, "bench", "minimal_window.exe")
    routines_exe = os.path.join(build, "bench", "bench_routines.exe")
    page = os.path.join(root, "benchmarks", "catalog.html")
    work = tempfile.mkdtemp(prefix="bench-", dir=build)
    prefix = os.environ["WINEPREFIX"]
    xvfb_pid = int(os.environ["XVFB_PID"]) if os.environ.get("XVFB_PID") else None

    # The start-up figures are catalog.exe's only if catalog_bench.exe is the same program: same code
    # and resources (the build links both from them) and the same libraries loaded at start.
    libraries = imported_libraries(catalog)
    if imported_libraries(catalog_bench) != libraries:
        raise RuntimeError("catalog_bench.exe does not import what catalog.exe imports: "
                           f"{imported_libraries(catalog_bench)} against {libraries}")

    wineserver = find_wineserver(prefix)
    log("warming up (one start of each, not counted)")
    wine_start(minimal, work, False, wineserver)
    wine_start(catalog_bench, work, False, wineserver)
    chromium_start(args.chromium, page, work, False)

    runs = {"minimal": [], "catalog": [], "chromium": []}
    starters = {
        "minimal": lambda memory: wine_start(minimal, work, memory, wineserver),
        "catalog": lambda memory: wine_start(catalog_bench, work, memory, wineserver),
        "chromium": lambda memory: chromium_start(args.chromium, page, work, memory),
    }
    order = ["minimal", "catalog", "chromium"]
    for round_number in range(args.rounds):
        log(f"start-up round {round_number + 1} of {args.rounds}")
        for memory in (False, True):
            for name in order[round_number % 3:] + order[:round_number % 3]:
                runs[name].append(starters[name](memory))

    log("routines")
    routine_runs = {}
    for _ in range(args.routine_runs):
        output = subprocess.run(["wine", routines_exe], capture_output=True, text=True, check=True).stdout
        for line in output.replace("\r", "").splitlines():
            if line.startswith("routine "):
                name, value = line[len("routine "):].rsplit(" ", 1)
                routine_runs.setdefault(name, []).append(float(value))

    log("working set after start, and hover cost")
    working_set, hover = measure_running_catalog(build, args.hover_rounds, args.hover_seconds, prefix, xvfb_pid)

    fuzz = None
    if args.fuzz and os.path.exists(args.fuzz):
        with open(args.fuzz) as results:
            fuzz = json.load(results)

    def m(name, key):
        return median([run[key] for run in runs[name] if key in run])

    cat_reported, min_reported = m("catalog", "reported_ms"), m("minimal", "reported_ms")
    cat_cpu, min_cpu = m("catalog", "cpu_ms"), m("minimal", "cpu_ms")
    cat_server, min_server = m("catalog", "server_ms"), m("minimal", "server_ms")
    cat_wall, min_wall, chr_wall = m("catalog", "wall_ms"), m("minimal", "wall_ms"), m("chromium", "wall_ms")
    cat_pss, min_pss, chr_pss = m("catalog", "tree_pss"), m("minimal", "tree_pss"), m("chromium", "tree_pss")
    cat_rss, min_rss, chr_rss = (m("catalog", "largest_rss"), m("minimal", "largest_rss"),
                                 m("chromium", "largest_rss"))
    cat_reported_peak, min_reported_peak = m("catalog", "reported_peak"), m("minimal", "reported_peak")
    size = os.path.getsize(catalog)
    hover_on = {k: median([s[k] for s in hover["on"]]) for k in hover["on"][0]}
    hover_away = {k: median([s[k] for s in hover["away"]]) for k in hover["away"][0]}

    rows = []

    def row(figure, value, reference, target, ok):
        rows.append((figure, value, reference, target, "" if ok is None else verdict(ok)))

    n = args.rounds
    row("Start-up is measured on", "`build/bench/catalog_bench.exe`",
        "catalog.exe's library, resources and manifest, started by the same lines as its WinMain, plus an "
        "observer that reports the first frame; imports what catalog.exe imports: "
        + ", ".join(libraries), "", None)
    row(f"Start-up to first paint, reported by the program (median of {n})", f"{cat_reported:.0f} ms",
        f"minimal window {min_reported:.0f} ms; ratio {cat_reported / min_reported:.2f}", "ratio ≤ 1.15",
        cat_reported / min_reported <= 1.15)
    row(f"Start-up to first paint, launch of `wine` to the report (median of {n})", f"{cat_wall:.0f} ms",
        f"minimal window {min_wall:.0f} ms; ratio {cat_wall / min_wall:.2f}", "(the same, seen from outside)",
        None)
    row(f"Processor time of a start to first paint: the program, and the Wine server (median of {n})",
        f"{cat_cpu:.0f} ms + {cat_server:.0f} ms",
        f"minimal window {min_cpu:.0f} ms + {min_server:.0f} ms; ratio {(cat_cpu + cat_server) / (min_cpu + min_server):.2f}",
        "(what load on the machine does not stretch)", None)
    row(f"Peak resident size of the largest process, sampled from /proc (median of {n})", mib(cat_rss),
        f"minimal window {mib(min_rss)}; ratio {cat_rss / min_rss:.2f}", "ratio ≤ 1.4", cat_rss / min_rss <= 1.4)
    row(f"Peak proportional set size (Pss) of the process tree (median of {n})", mib(cat_pss),
        f"minimal window {mib(min_pss)}; ratio {cat_pss / min_pss:.2f}", "(shared pages counted once)", None)
    row("Peak working set, reported by the program", mib(cat_reported_peak),
        f"minimal window {mib(min_reported_peak)}; ratio {cat_reported_peak / min_reported_peak:.2f}", "", None)
    row(f"Chromium: start to first screenshot of benchmarks/catalog.html (median of {n})", f"{chr_wall:.0f} ms",
        f"catalog {cat_wall:.0f} ms: catalog {chr_wall / cat_wall:.1f}× faster", "≥ 3× faster",
        chr_wall / cat_wall >= 3)
    row(f"Chromium: peak Pss of its process tree (median of {n})", mib(chr_pss),
        f"catalog {mib(cat_pss)}: catalog {chr_pss / cat_pss:.1f}× smaller", "≥ 7× smaller",
        chr_pss / cat_pss >= 7)
    row(f"Chromium: peak resident size of its largest process (median of {n})", mib(chr_rss),
        f"catalog {mib(cat_rss)}: catalog {chr_rss / cat_rss:.1f}× smaller", "", None)
    row("(for scale) minimal window vs Chromium", "",
        f"{chr_wall / min_wall:.1f}× faster, {chr_pss / min_pss:.1f}× smaller (Pss)", "", None)

    for name in routine_runs:
        value = median(routine_runs[name])
        target, ok = "", None
        if name == "RenderButton style=14 look=up icon=yes":
            target, ok = "≤ 100 µs", value <= 100
        row(f"`{name.split(' ', 1)[0]}` {name.split(' ', 1)[1] if ' ' in name else ''}".strip(), f"{value:.1f} µs",
            f"median of {args.routine_runs} runs × 9 batches", target, ok)

    hr, hs = args.hover_rounds, args.hover_seconds
    row(f"Hover: catalog.exe CPU, pointer resting on a product button ({hr} × {hs:.0f} s)",
        f"{hover_on['catalog']:.2f} % of one core",
        f"wineserver {hover_on.get('wineserver', float('nan')):.2f} %, Xvfb {hover_on.get('xvfb', float('nan')):.2f} %",
        "≤ 2 %", hover_on["catalog"] <= 2)
    row(f"Idle: catalog.exe CPU, pointer outside every button ({hr} × {hs:.0f} s)",
        f"{hover_away['catalog']:.2f} % of one core",
        f"wineserver {hover_away.get('wineserver', float('nan')):.2f} %, Xvfb {hover_away.get('xvfb', float('nan')):.2f} %",
        "~0", hover_away["catalog"] <= 0.2)
    row("Size of catalog.exe", f"{size / 1048576:.2f} MiB ({size:,} bytes)", "", "≤ 3 MB", size <= 3_000_000)
    row("Resident size after start (main page up, welcome page closed)", mib(working_set), "", "(report)", None)
    if fuzz:
        for target in fuzz["targets"]:
            row(f"Fuzzing: {target['name']} ({target['seconds']:.0f} s, {target['processes']} processes)",
                f"{target['executions']:,} executions", f"{target['findings']} findings", "", target["findings"] == 0)
        total = sum(t["executions"] for t in fuzz["targets"])
        findings = sum(t["findings"] for t in fuzz["targets"])
        row("Fuzzing: all targets", f"{total:,} executions", f"{findings} findings",
            "≥ 10 million, no finding", total >= 10_000_000 and findings == 0)

    machine = describe_machine()
    date = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    lines = ["| Figure | Measured | Reference | Target | Met |", "|---|---|---|---|---|"]
    lines += [f"| {' | '.join(r)} |" for r in rows]
    table = "\n".join(lines)
    print(f"Figures of {date} on {machine}\n")
    print(table)
    if args.output:
        write_figures(args.output, date, machine, table)
    shutil.rmtree(work, ignore_errors=True)


def describe_machine():
    cpu = "unknown processor"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{os.cpu_count()} cores ({cpu}), {memory:.0f} GiB, Linux {platform.release()}, {wine}"


def write_figures(path, date, machine, table):
    """Replaces the table between the markers of docs/figures.md and its date line."""
    begin, end = "<!-- figures:begin -->", "<!-- figures:end -->"
    with open(path) as document:
        text = document.read()
    head, _, rest = text.partition(begin)
    _, _, tail = rest.partition(end)
    block = f"{begin}\nMeasured {date} on {machine}.\n\n{table}\n{end}"
    with open(path, "w") as document:
        document.write(head + block + tail)


if __name__ == "__main__":
    main()
