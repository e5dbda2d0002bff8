#!/usr/bin/env bash
# Writes tests/unit/printing/printed_words.txt anew from what the printing code prints now: where each
# word of the test texts lands. For a change of the printed layout that has been looked at and is
# wanted; review the file's diff before committing it. The recording printer and the printer's driver
# must agree, or nothing is written.
set -euo pipefail
source "$(dirname "$0")/common.sh"

build_catalog --target test_printing
start_xvfb
trap 'stop_wineserver; stop_xvfb' EXIT
setup_wineprefix
start_wineserver
CATALOG_WRITE_PRINTED_WORDS=1 wine "$BUILD_DIR/tests/test_printing.exe" --gtest_filter='PrintedWords.*' \
    --gtest_color=no
git -C "$ROOT" diff --stat -- tests/unit/printing/printed_words.txt
