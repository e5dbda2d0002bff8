# High contrast: the catalog on a stand-in for the system services that says high contrast is on
# (tools/contrast_catalog.exe; Wine has no such setting), under High Contrast Black's colours. The
# pages drop their pictures for the window colour, and every button shows the system's button colours
# in its own shape. Last of the journeys: it changes the session's colours while it runs.
source "$(dirname "$0")/lib.sh"

CONTRAST="$BUILD_DIR/tools/contrast_catalog.exe"
contrast_gone() { ! pgrep -f "$BUILD_DIR/tools/contrast_catalog\.exe" >/dev/null; }
window_shot() {
    local x y w h
    read -r x y w h < <(wintool window "$1") || fail "cannot locate '$1'"
    /usr/bin/import -window root -crop "$((w + 12))x$((h + 12))+$((x - 6))+$((y - 6))" +repage "$E2E_OUT/$2.png"
}
expect_pixel() {  # shot x y "r g b" what
    [ "$(pixel "$1" "$2" "$3")" = "$4" ] || fail "$5 reads ($(pixel "$1" "$2" "$3")), not ($4)"
}

wine "$CONTRAST" >/dev/null 2>&1 &
wait_window "Welcome!" 30
sleep 0.5
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"
sleep 0.5
shot contrast-main-screen
window_shot "$MAIN_TITLE" contrast-main
# The page's own background is the window colour (black), not its picture; so is the first tab's box.
expect_pixel contrast-main-screen $((CX + 4)) $((CY + $(twips 4600))) "0 0 0" "the page beside the tabs"
expect_pixel contrast-main-screen $((CX + $(twips $((105 + 210 + 100))))) $((CY + $(twips $((945 + 525 + 100))))) \
    "0 0 0" "the first tab's box"
# Daybeacon: a white frame about a black face, not orange.
BX=$((CX + $(twips $((105 + 210 + 210))))); BY=$((CY + $(twips $((945 + 525 + 210)))))
expect_pixel contrast-main-screen "$BX" $((BY + 20)) "255 255 255" "Daybeacon's frame"
expect_pixel contrast-main-screen $((BX + $(twips 2010) - 6)) $((BY + $(twips 750) - 8)) "0 0 0" "Daybeacon's face"
note "main page in high contrast"

click $((CX + $(twips 105) + $(twips 7260) / 2)) $((CY + $(twips 945) + 12))
click $((CX + $(twips $((105 + 210 + 210))) + 20)) $((CY + $(twips $((945 + 525 + 210))) + 25))
wait_window "Callwarden" 10
sleep 0.5
window_shot "Callwarden" contrast-product
key Escape
wait_gone "Callwarden"
note "product page in high contrast"

# Esc asks the gift reminder, which the stand-in answers No: the program ends and puts the colours back.
activate_window "$MAIN_TITLE"
key Escape
wait_for 20 contrast_gone || fail "the high-contrast catalog did not end"
