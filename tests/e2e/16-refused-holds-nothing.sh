# A refused copy holds nothing: the running copy is killed while a second copy's refusal is still open,
# and the next start opens the main page.
source "$(dirname "$0")/lib.sh"

stop_catalog
start_catalog
key Escape
wait_gone "Welcome!"
running=$(catalog_pids)
[ -n "$running" ] || fail "no running copy"

wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
wait_window "Terminating..."
kill -9 $running
wait_gone "$MAIN_TITLE"
note "the running copy is gone; its refusal is still open"

wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
wait_window "Welcome!" 30 || fail "the next start was refused although nothing ran"
window_exists "Terminating..." || fail "the refusal went away"
note "the next start runs"

# The new copy holds the name in turn: one more start is refused.
wintool close "Terminating..."
wait_gone "Terminating..."
wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
wait_window "Terminating..."
wintool close "Terminating..."
wait_gone "Terminating..."
window_exists "Welcome!" || fail "the new copy went away"
note "and it is seen by the next copy"
stop_catalog
