# Shared steps of ./run, ./test and ./bench: packages, build, Wine prefix, virtual display.
# Sourced, not run. Everything here is idempotent: a second call finds the work done and returns at once.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

log() { printf '\033[1m[%s]\033[0m %s\n' "$(basename "$0")" "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are not there yet.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
                binutils-mingw-w64-x86-64 googletest)
RUN_PACKAGES=(wine wine64 libwine fonts-wine fonts-liberation xvfb xauth xdotool imagemagick x11-utils)
# Printing through a real spooler: CUPS, the cups-pdf printer (Debian names its package
# printer-driver-cups-pdf) and a reader for PDF files.
SPOOLER_PACKAGES=(cups printer-driver-cups-pdf poppler-utils)

build_catalog() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        log "configuring $BUILD_DIR"
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    fi
    log "building"
    cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
}

# A private Wine prefix inside the build folder, made once: no crash dialog, 96 DPI, fonts that
# stand in for Arial and MS Sans Serif, no Mono/Gecko prompts, and every program in a Wine virtual
# desktop (without one, Wine waits two seconds for X at each window's end, and keys can get lost).
PREFIX_STAMP=.catalog-prefix-3
setup_wineprefix() {
    export WINEPREFIX="$BUILD_DIR/wineprefix"
    if [ -f "$WINEPREFIX/$PREFIX_STAMP" ]; then return 0; fi
    log "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    cp /usr/share/fonts/truetype/liberation/*.ttf "$fonts/" 2>/dev/null || true
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    wine reg add "$key" /v "MS Sans Serif" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    wine reg add "$key" /v "Times New Roman" /t REG_SZ /d "Liberation Serif" /f >/dev/null 2>&1
    wine reg add "$key" /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/$PREFIX_STAMP"
}

# Keeps one wineserver alive for the prefix so that short test processes start fast.
start_wineserver() {
    export WINEPREFIX="$BUILD_DIR/wineprefix"
    wineserver -p
    wine wineboot >/dev/null 2>&1 || true
}

stop_wineserver() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

XVFB_PID=
# Starts a 24-bit virtual screen on a free display and exports DISPLAY.
start_xvfb() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    log "could not start Xvfb"
    return 1
}

stop_xvfb() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

PDF_PRINTER=PDF
CUPSD_PID=
PDF_PRINTER_ADDED=
DEFAULT_PRINTER_FOUND=
scheduler_running() { timeout 10 lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
# The scheduler's own default printer (not a user's or this shell's choice), or nothing.
server_default_printer() {
    env -u LPDEST -u PRINTER HOME=/nonexistent timeout 10 lpstat -d 2>/dev/null |
        sed -n 's/^system default destination: //p'
}

# Has the test programs print to the cups-pdf printer PDF of a running CUPS scheduler, starting one
# when none runs and adding the printer when it is missing, and exports CATALOG_PDF_PRINTER for the
# spooler check. The machine's default printer stays as it is: CUPS gives a program the printer named
# in LPDEST as its default, Wine's programs take their default printer from CUPS, and every test
# program inherits the variable from this shell. stop_print_spooler undoes the rest.
start_print_spooler() {
    if ! scheduler_running; then
        log "starting the CUPS scheduler"
        if [ "$(id -u)" -eq 0 ]; then cupsd -f >/dev/null 2>&1 & else sudo cupsd -f >/dev/null 2>&1 & fi
        CUPSD_PID=$!
        for _ in $(seq 100); do
            scheduler_running && break
            sleep 0.1
        done
        scheduler_running || { log "the CUPS scheduler did not start"; return 1; }
    fi
    DEFAULT_PRINTER_FOUND=$(server_default_printer)
    if ! timeout 10 lpstat -p "$PDF_PRINTER" >/dev/null 2>&1; then
        log "adding the cups-pdf printer $PDF_PRINTER"
        PDF_PRINTER_ADDED=1
        as_root timeout 60 lpadmin -p "$PDF_PRINTER" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd -E \
            2>/dev/null || { log "could not add the printer $PDF_PRINTER"; return 1; }
    fi
    export LPDEST=$PDF_PRINTER
    export CATALOG_PDF_PRINTER=$PDF_PRINTER
}

# Leaves the printers as start_print_spooler found them: a printer it added goes again, and should the
# default printer have changed meanwhile, the one it found is the default again. Then stops the
# scheduler that start_print_spooler started; one that ran before is left running.
stop_print_spooler() {
    if scheduler_running; then
        # The printing journey makes the printer refuse jobs for a moment; it never stays so.
        if timeout 10 lpstat -p "$PDF_PRINTER" >/dev/null 2>&1; then
            as_root timeout 10 cupsaccept "$PDF_PRINTER" 2>/dev/null || log "the printer $PDF_PRINTER refuses jobs"
        fi
        if [ -n "$PDF_PRINTER_ADDED" ]; then
            as_root timeout 60 lpadmin -x "$PDF_PRINTER" 2>/dev/null || log "could not remove the printer $PDF_PRINTER"
        fi
        if [ -n "$DEFAULT_PRINTER_FOUND" ] && [ "$(server_default_printer)" != "$DEFAULT_PRINTER_FOUND" ]; then
            log "making $DEFAULT_PRINTER_FOUND the default printer again"
            as_root timeout 60 lpadmin -d "$DEFAULT_PRINTER_FOUND" 2>/dev/null ||
                log "could not make $DEFAULT_PRINTER_FOUND the default printer again"
        fi
    fi
    PDF_PRINTER_ADDED=
    DEFAULT_PRINTER_FOUND=
    if [ -n "$CUPSD_PID" ]; then
        as_root kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
    fi
    CUPSD_PID=
}
