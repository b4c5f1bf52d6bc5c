#!/bin/sh
# The same 10,000-row list written as a PDF by `etat build` and by ReportLab Platypus: wall
# time and peak memory of each, and their ratios.
# Usage: bench/compare_reportlab.sh [BUILD_DIR] [ROWS]   (default build, 10000)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
rows=${2:-10000}
etat="$build/tools/etat/etat"
python=/usr/bin/python3  # the Debian ReportLab (python3-reportlab)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -x "$etat" ] || { echo "no $etat: build the etat target first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time)" >&2; exit 1; }

"$etat" compile "$here/liste.json" "$work/liste.etf"
awk -v n="$rows" 'BEGIN {
    print "Num;Nom;Ville"
    for (i = 1; i <= n; i++) printf "%05d;Adh\303\251rent num\303\251ro %d;Ville %d\n", i, i, i % 97
}' > "$work/rows.csv"

export QT_QPA_PLATFORM=offscreen
# One warm-up run each (page cache, font cache), then the measured run.
"$etat" build "$work/liste.etf" --values "$work/rows.csv" --pdf "$work/etat.pdf"
"$python" "$here/reportlab_list.py" "$work/rows.csv" "$work/reportlab.pdf"

measure() {  # name, command...: prints "seconds kilobytes"
    name=$1
    shift
    /usr/bin/time -v -o "$work/$name.time" "$@"
    awk -F': ' '/Elapsed \(wall clock\)/ {
        n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; t = s }
        /Maximum resident set size/ { m = $2 } END { print t, m }' "$work/$name.time"
}
set -- $(measure etat "$etat" build "$work/liste.etf" --values "$work/rows.csv" --pdf "$work/etat.pdf")
etat_s=$1 etat_kb=$2
set -- $(measure reportlab "$python" "$here/reportlab_list.py" "$work/rows.csv" "$work/reportlab.pdf")
rl_s=$1 rl_kb=$2

pages() { strings "$1" | grep -c '/Type */Page\b' || true; }
echo "rows: $rows   load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-10s %9s %12s %8s %10s\n' "" "wall s" "peak RSS KiB" "pages" "PDF bytes"
printf '%-10s %9s %12s %8s %10s\n' etat "$etat_s" "$etat_kb" "$(pages "$work/etat.pdf")" \
    "$(wc -c < "$work/etat.pdf")"
printf '%-10s %9s %12s %8s %10s\n' reportlab "$rl_s" "$rl_kb" "$(pages "$work/reportlab.pdf")" \
    "$(wc -c < "$work/reportlab.pdf")"
awk -v a="$etat_s" -v b="$rl_s" -v c="$etat_kb" -v d="$rl_kb" 'BEGIN {
    printf "wall time: reportlab / etat = %.2f (aim >= 10)\n", (a > 0 ? b / a : 0)
    printf "peak RSS:  etat / reportlab = %.2f (aim <= 1)\n", c / d }'
