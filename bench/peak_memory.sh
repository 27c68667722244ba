#!/usr/bin/env bash
# Peak memory of the command-line import of a generated 20,000-runner event,
# against the size of its lap file; then of files made of one huge value
# (a 200-million-character name in IOF XML and in CSV), which are refused,
# against theirs.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
./build/pointimport-cli init --database "$work/points.mdb" >/dev/null

# Prints the peak memory of importing $1 against the file's size.
measure() {
  /usr/bin/time -v ./build/pointimport-cli import --database "$work/points.mdb" "$1" \
    >/dev/null 2>"$work/time.txt" || true
  peak_kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  file_bytes=$(stat -c %s "$1")
  awk -v name="$(basename "$1")" -v peak="$peak_kib" -v size="$file_bytes" 'BEGIN {
    printf "%s: lap file %.1f MB, peak memory %.1f MB, peak / file = %.2f\n", name, size / 1e6, peak * 1024 / 1e6, peak * 1024 / size
  }'
}

python3 tools/gen_iof.py --runners 20000 --classes 120 --splits 15 --seed 7 --out "$work/event.xml"
measure "$work/event.xml"

python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
name = "x" * 200_000_000
with open(work + "/huge_name.xml", "w") as f:
    f.write('<ResultList xmlns="http://www.orienteering.org/datastandard/3.0" iofVersion="3.0">'
            "<ClassResult><Class><Name>M</Name></Class><PersonResult><Person><Name><Family>" + name +
            "</Family></Name></Person><Result><Status>OK</Status></Result></PersonResult></ClassResult></ResultList>")
with open(work + "/huge_name.csv", "w") as f:
    f.write("Surname;Time;Classifier;Short\n" + name + ";10:00;0;M\n")
PY
measure "$work/huge_name.xml"
measure "$work/huge_name.csv"
