# Display scales: the program started at 96, 120, 144 and 192 pixels per inch (the prefix's LogPixels)
# lays both pages out from their twips at that scale: each window has its size in twips at the scale,
# and the screenshots show the fonts and the icon frames of the scale. The prefix is back at 96 after.
source "$(dirname "$0")/lib.sh"

set_scale() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'set_scale 96' EXIT

# Twips to pixels at $DPI, to the nearest (a half away from zero, as the program rounds).
px() { echo $(( ($1 * DPI + 720) / 1440 )); }
# A screenshot cut to a window, with a few pixels around it.
window_shot() {
    local x y w h
    read -r x y w h < <(wintool window "$1") || fail "cannot locate '$1'"
    /usr/bin/import -window root -crop "$((w + 12))x$((h + 12))+$((x - 6))+$((y - 6))" +repage "$E2E_OUT/$2.png"
}
expect_outer() {  # title width-twips height-twips
    local w h
    read -r _ _ w h < <(wintool window "$1") || fail "cannot locate '$1'"
    [ "$w" -eq "$(px "$2")" ] || fail "at $DPI pixels per inch '$1' is $w pixels wide, not $(px "$2")"
    [ "$h" -ge "$(px "$3")" ] || fail "at $DPI pixels per inch '$1' is $h pixels high, under $(px "$3")"
}

for DPI in 96 120 144 192; do
    set_scale "$DPI"
    start_catalog
    key Escape
    wait_gone "Welcome!"
    client_origin "$MAIN_TITLE"
    sleep 0.5
    expect_outer "$MAIN_TITLE" 7570 5475
    window_shot "$MAIN_TITLE" "scale-$DPI-main"

    # Callwarden: second tab, first button.
    click $((CX + $(px 105) + $(px 7260) / 3 + $(px 7260) / 6)) $((CY + $(px 945) + $(px 390) / 2))
    click $((CX + $(px $((105 + 210 + 210))) + $(px 2010) / 2)) $((CY + $(px $((945 + 525 + 210))) + $(px 750) / 2))
    wait_window "Callwarden" 10
    sleep 0.5
    expect_outer "Callwarden" 7635 5355
    window_shot "Callwarden" "scale-$DPI-product"
    key Escape
    wait_gone "Callwarden"
    stop_catalog
    note "$DPI pixels per inch: both pages at their size"
done
