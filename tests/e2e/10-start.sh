# Start: the welcome page over the main page, Esc closes it, the Home & Office tab shows its seven
# buttons in their colours, the title bar the program's icon, and a second copy is refused while the
# first stays.
source "$(dirname "$0")/lib.sh"

start_catalog
shot welcome
key Escape
wait_gone "Welcome!"
client_origin "$MAIN_TITLE"
sleep 0.5
shot main-home

# Each button's face, sampled near its lower right corner where the shaded ramp shows alone: the
# highlight colour (face + 47) darkened by the ramp amount of that row.
W=$(twips 2010); H=$(twips 750)
ROW=$((H - 8))
AMOUNT=$(awk -v h="$H" -v y="$ROW" 'BEGIN { a = 58.0 * y / h; r = int(a + 0.5); if (r - a == 0.5 && r % 2 == 1) r -= 1; print -r }')
expect_face() {  # index left top r g b
    local x=$((CX + $(twips $((105 + 210 + $2))) + W - 6))
    local y=$((CY + $(twips $((945 + 525 + $3))) + ROW))
    local want got
    want=$(awk -v r="$4" -v g="$5" -v b="$6" -v a="$AMOUNT" 'function c(v){ v += 47; if (v > 255) v = 255; v += a; if (v < 0) v = 0; return v } BEGIN { print c(r), c(g), c(b) }')
    got=$(pixel main-home "$x" "$y")
    [ "$got" = "$want" ] || fail "button $1 at ($x,$y) shows ($got), expected ($want)"
}
expect_face 11 210 210 255 128 0
expect_face 1 2415 210 0 255 0
expect_face 15 4620 210 255 128 255
expect_face 2 210 1155 255 128 128
expect_face 3 2415 1155 128 128 255
expect_face 17 4620 1155 255 192 128
expect_face 10 210 2100 0 255 255
note "seven Home & Office buttons in their colours"

# The program's icon in the title bar: its 16-pixel image, over the caption's colour, at the caption's
# left end.
ICON="$(cd "$(dirname "$0")/../.." && pwd)/resources/icons/catalog.ico"
read -r WX WY WW _ < <(wintool window "$MAIN_TITLE") || fail "cannot locate '$MAIN_TITLE'"
caption=$(pixel main-home $((WX + WW - 80)) $((WY + 8)) | tr ' ' ',')
/usr/bin/convert -size 16x16 "xc:rgb($caption)" "$ICON[0]" -composite "$E2E_OUT/icon-16.png"
/usr/bin/convert "$E2E_OUT/main-home.png" -crop "40x30+$WX+$WY" +repage "$E2E_OUT/title-left.png"
difference=$(/usr/bin/compare -metric RMSE -subimage-search "$E2E_OUT/title-left.png" "$E2E_OUT/icon-16.png" \
             null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.01) }' ||
    fail "the title bar does not show the program's icon (difference ${difference:-none})"
note "the program's icon in the title bar"

# A second copy: refused with its two-line message, and it ends; the first one stays.
before=$(catalog_pids | wc -l)
wine "$BUILD_DIR/catalog.exe" >/dev/null 2>&1 &
wait_window "Terminating..."
text=$(wintool text "Terminating...")
[ "$text" = "$(printf 'Catalog is already loaded\r\nand running on your computer!')" ] || fail "refusal reads '$text'"
shot second-copy
key Return
wait_gone "Terminating..."
back_to_one() { [ "$(catalog_pids | wc -l)" -eq "$before" ]; }
wait_for 10 back_to_one || fail "the second copy did not end"
window_exists "$MAIN_TITLE" || fail "the first copy went away"
note "second copy refused"
stop_catalog
