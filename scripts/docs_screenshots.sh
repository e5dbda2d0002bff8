#!/usr/bin/env bash
# Copies the pictures that the last ./test run took (build/e2e) into docs/, cut to the
# program's windows, for the README.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SHOTS="$ROOT/build/e2e"
mkdir -p "$ROOT/docs/screenshots"
for name in welcome main-home main-tab1 main-tab2 product-callwarden reminder hover-on no-printer; do
    if [ -f "$SHOTS/$name.png" ]; then
        # The pages sit in the middle of the 1024x768 desktop; this keeps them and a little around them.
        /usr/bin/convert "$SHOTS/$name.png" -crop 530x400+247+185 +repage "$ROOT/docs/screenshots/$name.png"
    else
        echo "missing: $SHOTS/$name.png (run ./test first)" >&2
    fi
done
# Pictures that the journeys already cut to a window (the display scales, high contrast).
for name in scale-{96,120,144,192}-{main,product} contrast-{main,product}; do
    if [ -f "$SHOTS/$name.png" ]; then
        cp "$SHOTS/$name.png" "$ROOT/docs/screenshots/$name.png"
    else
        echo "missing: $SHOTS/$name.png (run ./test first)" >&2
    fi
done
echo "docs/screenshots updated"
