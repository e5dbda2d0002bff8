#!/usr/bin/env bash
# Prints through the real spooler and reads the result back: the printing test exe prints a job on
# the default printer under Wine (the cups-pdf printer), this script waits for the PDF that cups-pdf
# writes and checks with `pdftotext -bbox` where the words landed (72 points per inch).
#
#   print_through_cups.sh TEST_PRINTING_EXE WORK_DIR
#
# ./test sets the spooler up and exports CATALOG_PDF_PRINTER (the printer's CUPS name); without it
# there is no spooler to print on and the check is skipped (exit 77).
set -uo pipefail

EXE=$1
WORK=$2
SKIP=77
PRINTER=${CATALOG_PDF_PRINTER:-}
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$EXE")/.." && pwd)/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}

say() { echo "spooler: $*"; }
failures=0
fail() {
    say "FAILED: $*"
    failures=$((failures + 1))
}

if [ -z "$PRINTER" ]; then
    say "CATALOG_PDF_PRINTER is not set (./test sets up CUPS and the cups-pdf printer): skipped"
    exit $SKIP
fi
for tool in lpstat pdftotext wine; do
    command -v "$tool" >/dev/null || { say "$tool is missing"; exit 1; }
done
timeout 10 lpstat -r >/dev/null 2>&1 || { say "the CUPS scheduler is not running"; exit 1; }

source "$(dirname "$0")/pdf_lib.sh"

rm -rf "$WORK"
mkdir -p "$WORK"

# Prints one job and moves its PDF to $WORK/JOB.pdf; the words go to $WORK/JOB.words.
print_job() {
    local job=$1 marker="$WORK/$1.start"
    touch "$marker"
    sleep 1  # a PDF written in the same second as the marker must still count as newer
    if ! CATALOG_SPOOLER_JOB=$job timeout 120 wine "$EXE" --gtest_filter='Spooler.*' --gtest_color=no \
        >"$WORK/$job.log" 2>&1; then
        tr -d '\r' <"$WORK/$job.log"
        fail "$job: the test program could not print"
        return 1
    fi
    if ! collect_pdf "$job" "$marker" "$PRINTER"; then
        fail "$job: no PDF appeared in ${CUPS_PDF_DIRS[*]} (queue: $(lpstat -o "$PRINTER" 2>&1))"
        return 1
    fi
    say "$job: $WORK/$job.pdf, $(pages "$job") page(s)"
}

if print_job order-form-7; then
    [ "$(pages order-form-7)" -eq 1 ] || fail "order form: $(pages order-form-7) pages"
    expect_line order-form-7 1 1 "Order form for"
    expect_line order-form-7 1 2 'Moonvolley ($5)'
    expect_line order-form-7 1 3 "Mail this form to"
    # An empty line between the heading and the form: line 3 stands two line heights below line 2.
    t1=$(line_top order-form-7 1 1) t2=$(line_top order-form-7 1 2) t3=$(line_top order-form-7 1 3)
    near "$(awk -v a="$t1" -v b="$t2" -v c="$t3" 'BEGIN { print (c - b) - 2 * (b - a) }')" 0 0.1 ||
        fail "order form: lines at $t1, $t2, $t3 leave no empty line"
    check_pages order-form-7
fi
print_job description-12 && check_pages description-12
if print_job long-text; then
    [ "$(pages long-text)" -ge 2 ] || fail "long text: only $(pages long-text) page"
    check_pages long-text
fi

if [ $failures -ne 0 ]; then
    say "$failures check(s) failed; the PDFs and their words are in $WORK"
    exit 1
fi
say "all checks passed"
