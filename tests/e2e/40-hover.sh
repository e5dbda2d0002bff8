# Hover: the pointer on a product button gives it the flat hover face, moving away gives the shaded
# face back; the button's cut corner shows the picture box beneath.
source "$(dirname "$0")/lib.sh"

start_catalog
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"

# Daybeacon, the orange button at the top left of the first tab: face (255, 128, 0).
W=$(twips 2010); H=$(twips 750)
BX=$((CX + $(twips $((105 + 210 + 210)))))
BY=$((CY + $(twips $((945 + 525 + 210)))))
SX=$((BX + W - 6)); SY=$((BY + H - 8))

xdotool mousemove $((BX + 30)) $((BY + 20))
sleep 1
shot hover-on
# The hover face is the light shade of the face, flat: face + 31 on every component, limited to 255.
[ "$(pixel hover-on "$SX" "$SY")" = "255 159 31" ] || fail "hover face reads ($(pixel hover-on "$SX" "$SY"))"
[ "$(pixel hover-on "$SX" $((BY + 5)))" = "255 159 31" ] || fail "the hover face is not flat"

xdotool mousemove $((CX + 5)) $((CY + 5))
sleep 1
shot hover-off
# Back to the shaded ramp: the highlight (face + 47) darkened toward the bottom.
[ "$(pixel hover-off "$SX" "$SY")" = "206 126 0" ] || fail "the face after leaving reads ($(pixel hover-off "$SX" "$SY"))"
note "hover look on and off"

# The top-right corner pixel is cut away: the picture box's light texture shows, not the dark frame
# that runs along the top edge just left of it.
read -r r g b < <(pixel hover-off $((BX + W - 1)) "$BY")
read -r fr fg fb < <(pixel hover-off $((BX + W - 2)) "$BY")
[ $((r + g + b)) -gt 450 ] || fail "the cut corner shows ($r $g $b), not the picture box"
[ $((fr + fg + fb)) -lt 300 ] || fail "the frame next to the corner reads ($fr $fg $fb)"
note "cut corner shows what lies beneath"
stop_catalog
