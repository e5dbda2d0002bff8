# Reading back what cups-pdf printed: where it writes its PDFs, waiting for the next one, and where
# each word landed on its pages (pdftotext -bbox, 72 points per inch). Sourced by the spooler check and
# by the end-to-end printing journey; expects WORK (a folder for the PDFs) to be set.

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
CUPS_PDF_DIRS=("$out" "$anon")


# Waits for the PDF of a job printed after MARKER was touched, then moves it to $WORK/JOB.pdf and
# writes its words to $WORK/JOB.words as "page xMin yMin word" lines. Returns non-zero when none came.
collect_pdf() {
    local job=$1 marker=$2 printer=$3 pdf="" size="" deadline now
    deadline=$((SECONDS + 90))
    while [ $SECONDS -lt $deadline ]; do
        if [ -z "$(lpstat -o "$printer" 2>/dev/null)" ]; then
            pdf=$(find "${CUPS_PDF_DIRS[@]}" -maxdepth 1 -name '*.pdf' -newer "$marker" 2>/dev/null | head -n 1)
            if [ -n "$pdf" ]; then
                # cups-pdf may still be writing: wait until the size holds still.
                now=$(stat -c %s "$pdf")
                [ "$now" = "$size" ] && [ "$now" -gt 0 ] && break
                size=$now
            fi
        fi
        sleep 1
    done
    [ -n "$pdf" ] && [ $SECONDS -lt $deadline ] || return 1
    mv "$pdf" "$WORK/$job.pdf"
    pdftotext -bbox "$WORK/$job.pdf" "$WORK/$job.html" || return 1
    awk '/<page /{ page++ }
         /<word /{ x = $0; sub(/.*xMin="/, "", x); sub(/".*/, "", x)
                   y = $0; sub(/.*yMin="/, "", y); sub(/".*/, "", y)
                   w = $0; sub(/.*">/, "", w); sub(/<\/word>.*/, "", w)
                   print page, x, y, w }' "$WORK/$job.html" >"$WORK/$job.words"
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
