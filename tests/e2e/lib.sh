# Shared steps of the end-to-end journeys: they drive build/catalog.exe as a user does (mouse and
# keys through X, screenshots) and look at what reaches the world outside (the shell's log, printed
# PDFs). Sourced by each journey; expects DISPLAY, WINEPREFIX and a running wineserver.

E2E_OUT=${E2E_OUT:-$BUILD_DIR/e2e}
URL_LOG="$WINEPREFIX/drive_c/catalog-urls.log"
MAIN_TITLE="Tamrix Software Catalog {rev 2026.12.6}"
JOURNEY=${JOURNEY:-journey}
mkdir -p "$E2E_OUT"

wintool() { wine "$BUILD_DIR/tools/wintool.exe" "$@" 2>/dev/null; }

shot() { /usr/bin/import -window root "$E2E_OUT/$1.png"; }

fail() {
    shot "$JOURNEY-failure"
    echo "FAIL [$JOURNEY]: $*  (screenshot: $E2E_OUT/$JOURNEY-failure.png)" >&2
    exit 1
}

note() { echo "  [$JOURNEY] $*"; }

# Waits until `command...` succeeds, at most $1 seconds of wall-clock time (a check that starts a
# Wine tool takes a good part of a second itself).
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

window_exists() { wine "$BUILD_DIR/tools/wintool.exe" exists "$1" >/dev/null 2>&1; }
window_gone() { ! window_exists "$1"; }
wait_window() { wait_for "${2:-20}" window_exists "$1" || fail "no window titled '$1'"; }
wait_gone() { wait_for "${2:-20}" window_gone "$1" || fail "the window '$1' did not go"; }

# Client-area origin of a window: sets CX, CY.
client_origin() {
    read -r CX CY _ _ < <(wintool client "$1") || fail "cannot locate '$1'"
    [ -n "${CX:-}" ] || fail "cannot locate '$1'"
}

twips() { echo $(( ($1 + 7) / 15 )); }  # twips to pixels at 96 DPI, to the nearest

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }

window_active() { wine "$BUILD_DIR/tools/wintool.exe" active "$1" >/dev/null 2>&1; }
no_url_logger_running() { ! pgrep -f 'logurl\.exe' >/dev/null; }

# Clicks the title bar of a window, as a user does to come back to it after the browser took the
# front, until the window is the active one. A program the shell just started may still take the front
# as it ends, so that is waited out first.
activate_window() {
    local wx wy attempt
    wait_for 10 no_url_logger_running
    for attempt in 1 2 3 4 5; do
        read -r wx wy _ _ < <(wintool window "$1") || fail "cannot locate '$1'"
        click $((wx + 80)) $((wy + 8))
        wait_for 2 window_active "$1" && return 0
    done
    fail "'$1' does not become the active window"
}
key() { xdotool key "$@"; sleep 0.3; }

# "r g b" of one pixel of a screenshot.
pixel() {
    /usr/bin/convert "$E2E_OUT/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

url_count() { [ -f "$URL_LOG" ] && wc -l < "$URL_LOG" || echo 0; }
last_url() { tail -1 "$URL_LOG" | tr -d '\r'; }
urls_at_least() { [ "$(url_count)" -ge "$1" ]; }
wait_urls() { wait_for "${2:-15}" urls_at_least "$1"; }

# This build's catalog processes only: another build's journeys may run on the same machine.
CATALOG_PATTERN="${BUILD_DIR}/catalog\.exe"
catalog_pids() { pgrep -f "$CATALOG_PATTERN" | grep -v "^$$\$" || true; }
no_catalog_left() { [ -z "$(catalog_pids)" ]; }

start_catalog() {
    rm -f "$URL_LOG"
    # The prefix puts every program on its 1024x768 virtual desktop, where the tools below see it too.
    wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
    wait_window "Welcome!" 30
    sleep 0.5
}

stop_catalog() {
    pkill -f "$CATALOG_PATTERN" 2>/dev/null || true
    wait_for 5 no_catalog_left && return 0
    pkill -9 -f "$CATALOG_PATTERN" 2>/dev/null || true
}

# Registers the URL logger as the program that opens http, https and mailto links in this prefix.
register_url_logger() {
    local exe
    exe=$(winepath -w "$BUILD_DIR/tools/logurl.exe" 2>/dev/null)
    for scheme in http https mailto; do
        wine reg add "HKCR\\$scheme" /v "URL Protocol" /t REG_SZ /d "" /f >/dev/null 2>&1
        wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /t REG_SZ /d "\"$exe\" \"%1\"" /f >/dev/null 2>&1
    done
}
