#!/usr/bin/env bash
# The source is built in floors, and a file includes only files of its own floor or of floors below
# it. Prints every include that points upward and fails when there is one.
#
#   app            start-up
#   pages          the main page and the product page
#   catalog        the product list and the catalog table
#   common         links, printing a text, tiling a background
#   button         the TamrixButton control
#   platform/      the window toolkit, itself in floors:
#     controls       labels, text boxes, picture and image boxes, the tab strip
#     forms          application, pages, controls and hosted controls
#     system         message boxes, the shell, the single-copy question, the default printer
#     printing       the printer object and its GDI driver
#     win32          wrappers of Win32 handles, units, fonts, pictures, resources
#     layout         page layouts and property bags (portable: no Windows header)
set -euo pipefail
cd "$(dirname "$0")/../src"

floors=(platform/layout platform/win32 platform/printing platform/system platform/forms platform/controls
        button common catalog pages app)
floor_of() {
    local i
    for i in "${!floors[@]}"; do
        case "$1" in "${floors[$i]}"/*) echo "$i"; return ;; esac
    done
    echo "unknown"
}

status=0
while IFS= read -r file; do
    from=$(floor_of "$file")
    [ "$from" = unknown ] && { echo "$file: in no floor"; status=1; continue; }
    while IFS= read -r target; do
        to=$(floor_of "$target")
        if [ "$to" = unknown ] || [ "$to" -gt "$from" ]; then
            echo "$file includes $target (${floors[$from]} must not include ${floors[$to]:-an unknown floor})"
            status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
exit $status
