# Keyboard alone: the Tab key walks the buttons (the focus rectangle goes with it), the space bar opens
# a product, Ctrl+Tab changes the category tab, and the Tab key reaches the two contact links, which
# Enter and the space bar follow. No mouse at all.
source "$(dirname "$0")/lib.sh"

register_url_logger
start_catalog
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"

# The focus starts on Welcome! (no focus rectangle: it shows none by design); Tab passes Goodbye! and
# the tab strip and stops at the first product of the first tab, Daybeacon, which shows the dotted
# focus rectangle inside its frame.
key Tab Tab Tab
sleep 0.5
shot keyboard-focus
W=$(twips 2010)
BX=$((CX + $(twips $((105 + 210 + 210)))))
BY=$((CY + $(twips $((945 + 525 + 210)))))
# The focus rectangle's top edge runs 6 pixels below the button's top: along it the pattern leaves
# pixels of the inverted face between ones of the face, so the row is no longer one colour.
row_colours() { /usr/bin/convert "$E2E_OUT/$1.png" -crop "$((W - 20))x1+$((BX + 10))+$2" -depth 8 txt:- | tail -n +2 | sed -E 's/.*(#[0-9A-F]{6}).*/\1/' | sort -u | wc -l; }
[ "$(row_colours keyboard-focus $((BY + 6)))" -ge 2 ] || fail "no focus rectangle on Daybeacon"
key space
wait_window "Daybeacon" 10
key alt+o
wait_urls 1 || fail "Alt+O handed nothing to the shell"
activate_window "Daybeacon"
key Escape
wait_gone "Daybeacon"
note "Tab reaches a product, the space bar opens it"

# Ctrl+Tab shows the next category; the focus, on a button that went out of sight, moves to the tab
# strip, and the next Tab reaches the first product of the new tab.
key ctrl+Tab
sleep 0.5
shot keyboard-tab1
key Tab space
wait_window "Callwarden" 10
key Escape
wait_gone "Callwarden"
note "Ctrl+Tab changes the tab"

# Past the last product of the tab come the contact links.
key Tab Tab Tab Tab Tab Tab Tab
sleep 0.3
shot keyboard-link
key Return
wait_urls 2 || fail "Enter on the mail link handed nothing to the shell"
[ "$(last_url)" = "mailto:info@tamrix-software.example" ] || fail "the mail link opened '$(last_url)'"
activate_window "$MAIN_TITLE"
key Tab space
wait_urls 3 || fail "the space bar on the web link handed nothing to the shell"
[ "$(last_url)" = "http://www.tamrix-software.example" ] || fail "the web link opened '$(last_url)'"
note "Tab reaches the links; Enter and the space bar follow them"
stop_catalog
