# Printing: Alt+F and Alt+P on a product page print through the spooler (the cups-pdf printer) and the
# PDFs read back right; a job the printer refuses and a missing printer are told plainly, and the page
# still works.
source "$(dirname "$0")/lib.sh"
WORK="$E2E_OUT/pdf"
mkdir -p "$WORK"
source "$(dirname "$0")/pdf_lib.sh"

[ -n "${CATALOG_PDF_PRINTER:-}" ] || fail "no PDF printer is set up (./test sets one up)"

open_moonvolley() {
    client_origin "$MAIN_TITLE"
    local tabWidth=$(( $(twips 7260) / 3 ))
    click $((CX + $(twips 105) + tabWidth * 2 + tabWidth / 2)) $((CY + $(twips 945) + 12))
    click $((CX + $(twips $((105 + 210 + 210))) + 20)) $((CY + $(twips $((945 + 525 + 1155))) + 25))
    wait_window "Moonvolley"
}

print_with() {  # JOB KEY
    local marker="$WORK/$1.start"
    touch "$marker"
    sleep 1
    activate_window "Moonvolley"
    key "$2"
    collect_pdf "$1" "$marker" "$CATALOG_PDF_PRINTER" || fail "$1: no PDF came out of the spooler"
}

start_catalog
key Escape
wait_gone "Welcome!"
open_moonvolley

print_with order-form alt+f
[ "$(line_text order-form 1 1)" = "Order form for" ] || fail "order form begins '$(line_text order-form 1 1)'"
[ "$(line_text order-form 1 2)" = 'Moonvolley ($5)' ] || fail "order form line 2 reads '$(line_text order-form 1 2)'"
[ "$(line_text order-form 1 3)" = "Mail this form to" ] || fail "order form line 3 reads '$(line_text order-form 1 3)'"
check_pages order-form
note "Alt+F printed the order form"

print_with description alt+p
[ "$(line_text description 1 1)" = "Moonvolley" ] || fail "description begins '$(line_text description 1 1)'"
[ "$(line_text description 1 3)" = '$5' ] || fail "description line 3 reads '$(line_text description 1 3)'"
check_pages description
note "Alt+P printed the description"

# A printer that refuses jobs: the program says so in plain words and what to do, and once the printer
# takes jobs again the same command prints. The printer takes jobs again however the journey ends.
as_admin() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
trap 'as_admin cupsaccept "$CATALOG_PDF_PRINTER" 2>/dev/null' EXIT
trap 'exit 143' TERM INT HUP
as_admin cupsreject "$CATALOG_PDF_PRINTER" || fail "the printer cannot be made to refuse jobs"
activate_window "Moonvolley"
key alt+p
wait_window "Print" 60
message=$(wintool text "Print")
case "$message" in
"The printer did not accept the print job, and nothing was printed."*"print again.") ;;
*) fail "a refused job is told as '$message'" ;;
esac
shot refused-job
key Return
wait_gone "Print"
as_admin cupsaccept "$CATALOG_PDF_PRINTER" || fail "the printer does not take jobs again"
print_with description-again alt+p
[ "$(line_text description-again 1 1)" = "Moonvolley" ] || fail "the description after the refusal is wrong"
note "a refused job is told plainly, and the next one prints"
stop_catalog

# Without a print server the program finds no printer: it says so, and the page goes on working.
register_url_logger
rm -f "$URL_LOG"
CUPS_SERVER=127.0.0.1:9 wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
wait_window "Welcome!" 30
sleep 0.5
key Escape
wait_gone "Welcome!"
open_moonvolley
key alt+p
wait_window "Print"
message=$(wintool text "Print")
case "$message" in *"No printer is installed."*) ;; *) fail "the message reads '$message'" ;; esac
shot no-printer
key Return
wait_gone "Print"
activate_window "Moonvolley"
key alt+o
wait_urls 1 || fail "the page does not work after the printing failed"
note "no printer: a clear message, and the page still works"
stop_catalog
