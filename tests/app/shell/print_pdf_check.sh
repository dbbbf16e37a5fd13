#!/usr/bin/env bash
# Prints a graph and a 200-line results text from the test program to the
# default printer (the CUPS PDF printer that scripts/test provides and
# names in KORLAN_PRINT_TEST) and checks the PDFs that come out: the text's
# page count, the graph's page size, that it is not blank, and that its
# frame lies where the graph was placed. Without KORLAN_PRINT_TEST it
# skips (exit 77).
set -uo pipefail
tests=$(realpath "$1")
[ -n "${KORLAN_PRINT_TEST:-}" ] || { echo "no PDF printer in this run"; exit 77; }
pdfdir=${KORLAN_PDF_DIR:-$HOME/PDF}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/start"
sleep 1

out=$(cd "$(dirname "$tests")" && KORLAN_PRINT_CHECK="$work" WINEDEBUG=-all \
      wine "$tests" --gtest_filter=Drucken.ToTheDefaultPrinter 2>&1)
echo "$out" | grep -E '^\[|Failure|Expected|Which' | tail -8
if ! echo "$out" | grep -q '^\[       OK \] Drucken.ToTheDefaultPrinter'; then
  echo "FAIL: the print test did not pass"; exit 1
fi

find_pdf() {  # name part
  find "$pdfdir" -maxdepth 1 -name "Korlan_$1*.pdf" -newer "$work/start" 2>/dev/null | head -1
}
graph=""; text=""
for _ in $(seq 120); do
  graph=$(find_pdf graph); text=$(find_pdf text)
  [ -n "$graph" ] && [ -n "$text" ] && break
  sleep 0.5
done
[ -n "$graph" ] && [ -n "$text" ] || { echo "FAIL: no PDF in $pdfdir (graph '$graph', text '$text')"; exit 1; }
sleep 1   # the backend may still be writing

tr -d '\r' < "$work/expected.txt" > "$work/expected"
read -r _ pages < <(grep '^pages' "$work/expected")
read -r _ pageW pageH < <(grep '^page ' "$work/expected")
read -r _ graphW graphH < <(grep '^graph' "$work/expected")
got=$(pdfinfo "$text" | awk '/^Pages:/ {print $2}')
echo "text: $got pages, expected $pages"
[ "$got" = "$pages" ] || { echo "FAIL: the results text has $got pages, not $pages"; exit 1; }
[ "$(pdfinfo "$graph" | awk '/^Pages:/ {print $2}')" = 1 ] || { echo "FAIL: the graph is not one page"; exit 1; }

pdftoppm -r 60 -png -singlefile "$graph" "$work/graph" || { echo "FAIL: pdftoppm"; exit 1; }
png=$work/graph.png
read -r w h < <(identify -format '%w %h\n' "$png")
convert "$png" -colorspace Gray -depth 8 "gray:$work/graph.gray"
python3 - "$work/graph.gray" "$w" "$h" "$pageW" "$pageH" "$graphW" "$graphH" <<'PY'
import sys
path, w, h, pw, ph, gw, gh = sys.argv[1], *map(int, sys.argv[2:])
px = open(path, 'rb').read()
assert len(px) == w * h, "image size"
fail = []
# The page keeps the printer's proportions.
if abs(w / h - pw / ph) > 0.02:
    fail.append(f"page {w}x{h} does not have the printer's proportions {pw}x{ph}")
dark = [[px[y * w + x] < 128 for x in range(w)] for y in range(h)]
count = sum(map(sum, dark))
if count < 0.002 * w * h:
    fail.append(f"blank page ({count} dark pixels)")
# Every mark lies in the graph's area at the top left of the page.
xs = [x for y in range(h) for x in range(w) if dark[y][x]]
ys = [y for y in range(h) if any(dark[y])]
gx, gy = gw * w / pw, gh * h / ph
if xs and (max(xs) > gx + 3 or max(ys) > gy + 3):
    fail.append(f"marks up to ({max(xs)}, {max(ys)}) beyond the graph area ({gx:.0f}, {gy:.0f})")
# The frame: a long horizontal and a long vertical dark line inside it.
def run(line):
    best = cur = 0
    for d in line:
        cur = cur + 1 if d else 0
        best = max(best, cur)
    return best
hor = max(run(row) for row in dark)
ver = max(run([dark[y][x] for y in range(h)]) for x in range(w))
if hor < 0.6 * gx:
    fail.append(f"no frame line across the graph (longest {hor} of {gx:.0f})")
if ver < 0.5 * gy:
    fail.append(f"no frame line down the graph (longest {ver} of {gy:.0f})")
print(f"graph page {w}x{h}, {count} dark pixels, marks within ({max(xs)}, {max(ys)}), frame lines {hor} and {ver}")
if fail:
    print("FAIL: " + "; ".join(fail)); sys.exit(1)
PY
