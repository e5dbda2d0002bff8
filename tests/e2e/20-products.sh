# Products: each of the 18 buttons opens its page; Alt+O hands the order address to the shell, Alt+D
# asks first (No opens nothing, Yes hands the evaluation address), Esc returns. Every address that
# reaches the shell is compared with the expected list.
source "$(dirname "$0")/lib.sh"

register_url_logger
rm -f "$E2E_OUT"/main-tab*.png
start_catalog
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"

# Tab of each product and its place in the tab's grid (left, top in twips inside the picture box).
declare -A TAB LEFT TOP
place() { TAB[$1]=$2; LEFT[$1]=$3; TOP[$1]=$4; }
place 11 0 210 210; place 1 0 2415 210; place 15 0 4620 210; place 2 0 210 1155; place 3 0 2415 1155
place 17 0 4620 1155; place 10 0 210 2100
place 12 1 210 210; place 14 1 2415 210; place 5 1 4620 210; place 6 1 210 1155; place 4 1 2415 1155
place 16 1 4620 1155; place 13 1 210 2100
place 18 2 210 210; place 8 2 2415 210; place 9 2 4620 210; place 7 2 210 1155

TAB_WIDTH=$(( $(twips 7260) / 3 ))
expected=0
while IFS=$'\t' read -r index name order evaluation _; do
    case "$index" in \#*) continue ;; esac
    tab=${TAB[$index]}
    click $((CX + $(twips 105) + TAB_WIDTH * tab + TAB_WIDTH / 2)) $((CY + $(twips 945) + 12))
    [ -f "$E2E_OUT/main-tab$tab.png" ] || { xdotool mousemove 5 5; sleep 0.3; shot "main-tab$tab"; }
    click $((CX + $(twips $((105 + 210 + ${LEFT[$index]}))) + 20)) $((CY + $(twips $((945 + 525 + ${TOP[$index]}))) + 25))
    wait_window "$name" 10
    [ "$index" = 12 ] && shot product-callwarden

    key alt+o
    expected=$((expected + 1))
    wait_urls $expected || fail "$name: Alt+O handed nothing to the shell"
    [ "$(last_url)" = "$order" ] || fail "$name: order address was '$(last_url)'"

    activate_window "$name"
    key alt+d
    wait_window "Download" 10
    question=$(wintool text "Download")
    want=$(printf 'This will download the latest\r\nfull-featured evaluation version\r\nof %s.\r\n\r\nDo you wish to continue?' "$name")
    [ "$question" = "$want" ] || fail "$name: download question reads '$question'"
    key n
    wait_gone "Download"
    sleep 1
    [ "$(url_count)" -eq $expected ] || fail "$name: No still opened '$(last_url)'"

    key alt+d
    wait_window "Download" 10
    key y
    expected=$((expected + 1))
    wait_urls $expected || fail "$name: Yes handed nothing to the shell"
    [ "$(last_url)" = "$evaluation" ] || fail "$name: evaluation address was '$(last_url)'"

    activate_window "$name"
    key Escape
    wait_gone "$name"
    note "$name: order and evaluation addresses"
done < "$(dirname "$0")/expected_links.txt"
[ "$(url_count)" -eq 36 ] || fail "expected 36 addresses, the shell got $(url_count)"
stop_catalog
