#!/usr/bin/env bash
# Peak memory of the command-line import of a generated 20,000-runner event,
# against the size of its lap file.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 tools/gen_iof.py --runners 20000 --classes 120 --splits 15 --seed 7 --out "$work/event.xml"
./build/pointimport-cli init --database "$work/points.mdb" >/dev/null
/usr/bin/time -v ./build/pointimport-cli import --database "$work/points.mdb" "$work/event.xml" \
  >/dev/null 2>"$work/time.txt"
peak_kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
file_bytes=$(stat -c %s "$work/event.xml")
awk -v peak="$peak_kib" -v size="$file_bytes" 'BEGIN {
  printf "lap file %.1f MB, peak memory %.1f MB, peak / file = %.2f\n", size / 1e6, peak * 1024 / 1e6, peak * 1024 / size
}'
