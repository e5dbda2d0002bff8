# Contact labels: the mail label hands "mailto:" and the address to the shell, the web label "http://"
# and the web site's host.
source "$(dirname "$0")/lib.sh"

register_url_logger
start_catalog
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"

click $((CX + $(twips 105) + 30)) $((CY + $(twips 4725) + 8))
wait_urls 1 || fail "the mail label handed nothing to the shell"
[ "$(last_url)" = "mailto:info@tamrix-software.example" ] || fail "mail label opened '$(last_url)'"
click $((CX + $(twips 7350) - 30)) $((CY + $(twips 4725) + 8))
wait_urls 2 || fail "the web label handed nothing to the shell"
[ "$(last_url)" = "http://www.tamrix-software.example" ] || fail "web label opened '$(last_url)'"
note "mail and web labels"
stop_catalog
