#!/usr/bin/env bash
# Runs the end-to-end journeys, each under a time limit; a journey that fails or hangs leaves a
# screenshot in build/e2e. Expects DISPLAY, WINEPREFIX, BUILD_DIR and a running wineserver.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
status=0
for journey in "$here"/[0-9][0-9]-*.sh; do
    name=$(basename "$journey" .sh)
    [ -n "${E2E_ONLY:-}" ] && [[ "$name" != *"$E2E_ONLY"* ]] && continue
    echo "journey $name"
    JOURNEY=$name timeout "${E2E_TIMEOUT:-600}" bash "$journey"
    rc=$?
    if [ $rc -ne 0 ]; then
        if [ $rc -eq 124 ]; then
            /usr/bin/import -window root "$BUILD_DIR/e2e/$name-timeout.png"
            echo "TIMEOUT [$name]"
        else
            echo "FAILED [$name] (exit code $rc)"
        fi
        pkill -f "${BUILD_DIR}/catalog\.exe" 2>/dev/null
        status=1
    fi
done
exit $status
