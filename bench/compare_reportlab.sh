#!/bin/sh
# The same 10,000-row lists written as a PDF by `etat build` and by ReportLab Platypus, in two
# shapes (bench/liste.json and bench/liste_grille.json, with their peers in
# bench/reportlab_list.py): wall time and peak memory of each and their ratios, for the first
# run and for a warm run; then etat alone on ten times the rows, whose peak memory should not
# follow the pages.
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

make_rows() {  # count file
    awk -v n="$1" 'BEGIN {
        print "Num;Nom;Ville"
        for (i = 1; i <= n; i++) printf "%05d;Adh\303\251rent num\303\251ro %d;Ville %d\n", i, i, i % 97
    }' > "$2"
}
make_rows "$rows" "$work/rows.csv"
make_rows $((rows * 10)) "$work/rows10.csv"
export QT_QPA_PLATFORM=offscreen

measure() {  # name, command...: prints "seconds kilobytes"
    name=$1
    shift
    /usr/bin/time -v -o "$work/$name.time" "$@" 2>/dev/null
    awk -F': ' '/Elapsed \(wall clock\)/ {
        n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; t = s }
        /Maximum resident set size/ { m = $2 } END { print t, m }' "$work/$name.time"
}
pages() { strings "$1" | grep -c '/Type */Page\b' || true; }
row() {  # name seconds kilobytes pdf
    printf '%-28s %9s %12s %8s %10s\n' "$1" "$2" "$3" "$(pages "$4")" "$(wc -c < "$4")"
}

echo "rows: $rows   load: $(cut -d' ' -f1-3 /proc/loadavg)   $(nproc) cores"
printf '%-28s %9s %12s %8s %10s\n' "" "wall s" "peak RSS KiB" "pages" "PDF bytes"
for shape in liste liste_grille; do
    option=
    [ "$shape" = liste_grille ] && option=--grille
    "$etat" compile "$here/$shape.json" "$work/$shape.etf"
    # The first run of each, then a warm one (page cache, font cache).
    set -- $(measure etat1 "$etat" build "$work/$shape.etf" --values "$work/rows.csv" \
        --pdf "$work/etat.pdf")
    e1_s=$1 e1_kb=$2
    set -- $(measure rl1 "$python" "$here/reportlab_list.py" $option "$work/rows.csv" \
        "$work/reportlab.pdf")
    r1_s=$1 r1_kb=$2
    set -- $(measure etat "$etat" build "$work/$shape.etf" --values "$work/rows.csv" \
        --pdf "$work/etat.pdf")
    e_s=$1 e_kb=$2
    set -- $(measure rl "$python" "$here/reportlab_list.py" $option "$work/rows.csv" \
        "$work/reportlab.pdf")
    r_s=$1 r_kb=$2
    row "$shape etat (1st)" "$e1_s" "$e1_kb" "$work/etat.pdf"
    row "$shape reportlab (1st)" "$r1_s" "$r1_kb" "$work/reportlab.pdf"
    row "$shape etat" "$e_s" "$e_kb" "$work/etat.pdf"
    row "$shape reportlab" "$r_s" "$r_kb" "$work/reportlab.pdf"
    awk -v a="$e_s" -v b="$r_s" -v a1="$e1_s" -v b1="$r1_s" -v c="$e_kb" -v d="$r_kb" \
        -v s="$shape" 'BEGIN {
        printf "%s wall time: reportlab / etat = %.2f warm, %.2f first run (aim >= 10)\n", s,
            (a > 0 ? b / a : 0), (a1 > 0 ? b1 / a1 : 0)
        printf "%s peak RSS:  etat / reportlab = %.2f (aim <= 1)\n", s, c / d }'
done
set -- $(measure etat10 "$etat" build "$work/liste.etf" --values "$work/rows10.csv" \
    --pdf "$work/etat10.pdf")
row "liste etat x10 rows" "$1" "$2" "$work/etat10.pdf"
echo "(aim at 100,000 rows: <= 1.5 s, <= 64 MiB whatever the pages)"
