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

# Where cups-pdf writes: its Out folder (${HOME} is the home of the user who prints), or the folder
# for users it does not know.
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
conf=/etc/cups/cups-pdf.conf
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' "$conf" 2>/dev/null | tail -n 1)
anon=$(sed -n 's/^[[:space:]]*AnonDirName[[:space:]]\+//p' "$conf" 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$home}
out=${out//'${USER}'/$user}
anon=${anon:-/var/spool/cups-pdf/ANONYMOUS}
OUT_DIRS=("$out" "$anon")

rm -rf "$WORK"
mkdir -p "$WORK"

# Prints one job and moves its PDF to $WORK/JOB.pdf; the words go to $WORK/JOB.words as
# "page xMin yMin word" lines.
print_job() {
    local job=$1 marker="$WORK/$1.start" pdf="" size="" deadline
    touch "$marker"
    sleep 1  # a PDF written in the same second as the marker must still count as newer
    if ! CATALOG_SPOOLER_JOB=$job timeout 120 wine "$EXE" --gtest_filter='Spooler.*' --gtest_color=no \
        >"$WORK/$job.log" 2>&1; then
        tr -d '\r' <"$WORK/$job.log"
        fail "$job: the test program could not print"
        return 1
    fi
    deadline=$((SECONDS + 90))
    while [ $SECONDS -lt $deadline ]; do
        if [ -z "$(lpstat -o "$PRINTER" 2>/dev/null)" ]; then
            pdf=$(find "${OUT_DIRS[@]}" -maxdepth 1 -name '*.pdf' -newer "$marker" 2>/dev/null | head -n 1)
            if [ -n "$pdf" ]; then
                # cups-pdf may still be writing: wait until the size holds still.
                local now
                now=$(stat -c %s "$pdf")
                [ "$now" = "$size" ] && [ "$now" -gt 0 ] && break
                size=$now
            fi
        fi
        sleep 1
    done
    if [ -z "$pdf" ] || [ $SECONDS -ge $deadline ]; then
        fail "$job: no PDF appeared in ${OUT_DIRS[*]} (queue: $(lpstat -o "$PRINTER" 2>&1))"
        return 1
    fi
    mv "$pdf" "$WORK/$job.pdf"
    pdftotext -bbox "$WORK/$job.pdf" "$WORK/$job.html" || { fail "$job: pdftotext failed"; return 1; }
    awk '/<page /{ page++ }
         /<word /{ x = $0; sub(/.*xMin="/, "", x); sub(/".*/, "", x)
                   y = $0; sub(/.*yMin="/, "", y); sub(/".*/, "", y)
                   w = $0; sub(/.*">/, "", w); sub(/<\/word>.*/, "", w)
                   print page, x, y, w }' "$WORK/$job.html" >"$WORK/$job.words"
    say "$job: $WORK/$job.pdf, $(pages "$job") page(s)"
}

pages() { grep -c '<page ' "$WORK/$1.html"; }
# JOB PAGE N: the words of the Nth line (1-based) of a page, lines told apart by their top.
line_text() {
    awk -v page="$2" -v n="$3" '
        $1 == page && $3 != top { line++; top = $3 }
        $1 == page && line == n { printf "%s%s", sep, $4; sep = " " }' "$WORK/$1.words"
}
line_top() {
    awk -v page="$2" -v n="$3" '$1 == page && $3 != top { line++; top = $3; if (line == n) print top }' \
        "$WORK/$1.words"
}
leftmost() {
    awk -v page="$2" '$1 == page && (min == "" || $2 < min) { min = $2 } END { print min }' "$WORK/$1.words"
}
# Where a word stands on a page ("x y"), empty when it is not there.
word_at() {
    awk -v page="$2" -v word="$3" '$1 == page && $4 == word { print $2, $3; exit }' "$WORK/$1.words"
}
near() { awk -v a="$1" -v b="$2" -v tol="$3" 'BEGIN { d = a - b; exit !(d <= tol && d >= -tol) }'; }
between() { awk -v a="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(a >= lo && a <= hi) }'; }
expect_line() {
    local text
    text=$(line_text "$1" "$2" "$3")
    [ "$text" = "$4" ] || fail "$1 page $2 line $3 reads '$text', not '$4'"
}

# Every page: lines start one inch from the left and nothing stands above one inch (the first line of
# page 1 starts there); page N >= 2 carries "(page N)" at 6 inches across and 9.2 inches down, page 1
# carries nothing.
check_pages() {
    local job=$1 page at left top
    for page in $(seq 1 "$(pages "$job")"); do
        left=$(leftmost "$job" "$page")
        near "$left" 72 0.5 || fail "$job page $page: leftmost text at $left, not 72"
        # A page may begin with an empty line (a paragraph break at the foot of the page before).
        top=$(line_top "$job" "$page" 1)
        between "$top" 72 "$([ "$page" -eq 1 ] && echo 76 || echo 400)" || fail "$job page $page: first line at $top"
        at=$(word_at "$job" "$page" "(page")
        if [ "$page" -eq 1 ]; then
            [ -z "$at" ] || fail "$job: page 1 carries a page number"
        elif [ -z "$at" ] || [ -z "$(word_at "$job" "$page" "$page)")" ]; then
            fail "$job: no (page $page) on page $page"
        else
            near "${at% *}" 432 0.5 || fail "$job: (page $page) at x ${at% *}, not 432"
            between "${at#* }" 662.4 666 || fail "$job: (page $page) at y ${at#* }, not just below 662.4"
        fi
    done
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
