# Leaving windows every way a person can: the welcome page and product pages closed with the close
# box, Alt+F4, the system menu, Esc and Return, and one closed from outside while its download question
# is open. Each next product shows its own four commands, opens where the first page opened (centred
# over the main page) and hands the shell its own addresses. Then the quit reminder: Esc, Alt+F4 and
# its close box keep the program; only No ends it.
source "$(dirname "$0")/lib.sh"

REMINDER="Thanks for visiting Tamrix Software's Catalog!"
declare -A NAME ORDER EVAL
while IFS=$'\t' read -r index name order evaluation; do
    case "$index" in \#*) continue ;; esac
    NAME[$index]=$name; ORDER[$index]=$order; EVAL[$index]=$evaluation
done < "$(dirname "$0")/expected_links.txt"

close_box() {  # the rightmost button of a window's title bar
    local wx wy ww
    read -r wx wy ww _ < <(wintool window "$1") || fail "cannot locate '$1'"
    click $((wx + ww - 12)) $((wy + 12))
}

# Opens a product from its tab (tab, left and top of its button in twips inside the tab's picture box).
open_product() {  # index tab left top
    local tab_width=$(( $(twips 7260) / 3 ))
    click $((CX + $(twips 105) + tab_width * $2 + tab_width / 2)) $((CY + $(twips 945) + 12))
    click $((CX + $(twips $((105 + 210 + $3))) + 20)) $((CY + $(twips $((945 + 525 + $4))) + 25))
    wait_window "${NAME[$1]}" 10
}

# The page of product $1 is fresh: its four commands captioned, centred over the main page, and its own
# order address behind Alt+O.
check_fresh() {
    local name=${NAME[$1]} texts mx my mw mh px py pw ph
    texts=$(wintool children "$name" | tr -d '\r')
    for caption in "Order/Online" "Download/Now" "Print/Order Form" "Print/this Page" "Return/(Esc)"; do
        grep -qxF "$caption" <<<"$texts" || fail "$name: no command captioned '$caption'"
    done
    read -r mx my mw mh < <(wintool window "$MAIN_TITLE")
    read -r px py pw ph < <(wintool window "$name")
    local dx=$((px - (mx + (mw - pw) / 2))) dy=$((py - (my + (mh - ph) / 2)))
    [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] || fail "$name opened at $px,$py, not centred over the main page"
    local before
    before=$(url_count)
    key alt+o
    wait_urls $((before + 1)) || fail "$name: Alt+O handed nothing to the shell"
    [ "$(last_url)" = "${ORDER[$1]}" ] || fail "$name: order address was '$(last_url)'"
    activate_window "$name"
}

register_url_logger
start_catalog
close_box "Welcome!"
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"
note "welcome page closed with its close box"

open_product 1 0 2415 210          # Coinstead
check_fresh 1
close_box "Coinstead"
wait_gone "Coinstead"
note "Coinstead fresh after the welcome page's close box; closed with its close box"

open_product 14 1 2415 210         # Ticketbase
check_fresh 14
key alt+F4
wait_gone "Ticketbase"
note "Ticketbase fresh; closed with Alt+F4"

open_product 5 1 4620 210          # Lockvault, closed from outside under its download question
key alt+d
wait_window "Download" 10
before=$(url_count)
wintool close "Lockvault"
wait_gone "Lockvault"
wait_gone "Download"
sleep 1
[ "$(url_count)" -eq "$before" ] || fail "a download started for a page that is gone: '$(last_url)'"
window_exists "$MAIN_TITLE" || fail "the program went with the page"
note "Lockvault closed under its download question: nothing downloaded"

open_product 6 1 210 1155          # Caseforge: the question and Yes are its own
check_fresh 6
key alt+d
wait_window "Download" 10
[ "$(wintool text "Download")" = "$(printf 'This will download the latest\r\nfull-featured evaluation version\r\nof Caseforge.\r\n\r\nDo you wish to continue?')" ] ||
    fail "the download question reads '$(wintool text "Download")'"
key Escape                         # under Wine: Cancel, which is not Yes
wait_gone "Download"
sleep 1
[ "$(url_count)" -eq $((before + 1)) ] || fail "Esc on the download question downloaded '$(last_url)'"
key alt+d
wait_window "Download" 10
key y
wait_urls $((before + 2)) || fail "Yes handed nothing to the shell"
[ "$(last_url)" = "${EVAL[6]}" ] || fail "Caseforge's Yes downloaded '$(last_url)'"
activate_window "Caseforge"
key alt+space
sleep 0.5
key c
wait_gone "Caseforge"
note "Caseforge fresh, its own download; closed from the system menu"

open_product 12 1 210 210          # Callwarden
check_fresh 12
key Return
wait_gone "Callwarden"
open_product 18 2 210 210          # Sumstar
check_fresh 18
key Escape
wait_gone "Sumstar"
note "Callwarden closed with Return, Sumstar with Esc, each fresh"

# The reminder: every answer but No keeps the program.
activate_window "$MAIN_TITLE"
for way in Escape alt+F4 close_box; do
    key Escape
    wait_window "$REMINDER" 10
    if [ "$way" = close_box ]; then close_box "$REMINDER"; else key "$way"; fi
    wait_gone "$REMINDER"
    sleep 1
    window_exists "$MAIN_TITLE" || fail "answering the reminder with $way ended the program"
    activate_window "$MAIN_TITLE"
done
note "the reminder answered with Esc, Alt+F4 and its close box: still running"
key Escape
wait_window "$REMINDER" 10
key n
wait_for 15 no_catalog_left || fail "the program is still running after No"
note "No ends it"
stop_catalog
