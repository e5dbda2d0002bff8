# Quit: Esc and the close box ask the gift reminder; Yes keeps the program, No ends it and leaves no
# process of it behind.
source "$(dirname "$0")/lib.sh"

REMINDER="Thanks for visiting Tamrix Software's Catalog!"
start_catalog
key Escape
wait_gone "Welcome!"
sleep 0.5

key Escape
wait_window "$REMINDER"
shot reminder
text=$(wintool text "$REMINDER")
want=$(printf 'Just a friendly reminder...\r\n\r\nKeep in mind that many of these programs\r\nwould make a GREAT inexpensive gift!\r\n\r\nYou can order online and provide the\r\nname/address of the lucky recipient\r\nin the ordering details!\r\n\r\nWould you like to do that now?')
[ "$text" = "$want" ] || fail "the reminder reads '$text'"
key y
wait_gone "$REMINDER"
window_exists "$MAIN_TITLE" || fail "Yes closed the main page"
note "Esc asks; Yes keeps the program"

# The close box: the rightmost button of the title bar.
read -r WX WY WW _ < <(wintool window "$MAIN_TITLE")
click $((WX + WW - 12)) $((WY + 12))
wait_window "$REMINDER"
key n
wait_for 15 no_catalog_left || fail "the program is still running after No"
window_exists "$MAIN_TITLE" && fail "the main page is still there"
note "the close box asks; No ends the program"
stop_catalog
