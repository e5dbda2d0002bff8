#!/usr/bin/env bash
# Paints the button gallery anew and makes it the committed picture, docs/gallery.png, for when the
# button's drawing is meant to change. The gallery test compares every later run with it; look at the
# new picture (and at build/gallery/difference.png from the failing run before) before committing it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
build_catalog --target test_gallery
start_xvfb
trap 'stop_wineserver; stop_xvfb' EXIT
setup_wineprefix
start_wineserver
painted="$BUILD_DIR/gallery/actual.png"
rm -f "$painted"
# The test fails while the painting differs from the committed picture; what it painted is what counts.
timeout 300 wine "$BUILD_DIR/tests/test_gallery.exe" --gtest_color=no >/dev/null 2>&1 || true
[ -s "$painted" ] || { log "the gallery test painted nothing: run it (ctest -R gallery) to see why"; exit 1; }
cp "$painted" "$ROOT/docs/gallery.png"
log "docs/gallery.png painted anew"
