# Ten copies started at the same moment: exactly one shows the main page, the nine others show the
# refusal and end once it is answered.
source "$(dirname "$0")/lib.sh"

stop_catalog
for _ in $(seq 10); do
    wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
done
refusals() { wintool count "Terminating..." | tr -d '\r'; }
nine_refusals() { [ "$(refusals)" -ge 9 ]; }
wait_for 90 nine_refusals || fail "$(refusals) refusals after ten starts, expected 9"
wait_window "Welcome!" 60
sleep 2
shot ten-at-once
[ "$(refusals)" -eq 9 ] || fail "$(refusals) refusals, expected 9"
[ "$(wintool count "Welcome!" | tr -d '\r')" -eq 1 ] || fail "more than one welcome page"
[ "$(wintool count "$MAIN_TITLE" | tr -d '\r')" -eq 1 ] || fail "not exactly one main page"
note "one main page and nine refusals"

wintool close "Terminating..."
wait_gone "Terminating..." 30
# What is left runs the one main page: a lone copy that still answers. Which window comes to the front
# as the refusals close is the window manager's choice: the user clicks the welcome page first.
activate_window "Welcome!"
key Escape
wait_gone "Welcome!"
window_exists "$MAIN_TITLE" || fail "the main page went away with the refusals"
note "the refused copies ended; the first one runs on"
stop_catalog
