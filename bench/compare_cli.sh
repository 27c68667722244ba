#!/usr/bin/env bash
# The command-line import of a generated event against its limit as a
# program (build/limit_import): process start, file read, parse, the same
# rows through bound statements, one transaction. Both write into copies of
# a database that holds 100 other events; first they must leave the same
# rows, then RUNS interleaved runs of each give the ratio of the medians.
#
#   bench/compare_cli.sh [RUNS] [RUNNERS]     default 11 runs, 20000 runners
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-11}"
runners="${2:-20000}"
cli=./build/pointimport-cli
limit=./build/limit_import
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 tools/gen_iof.py --runners "$runners" --classes 120 --splits 15 --seed 7 --out "$work/event.xml"
python3 tools/gen_iof.py --runners 200 --classes 10 --seed 3 --out "$work/other.xml"
"$cli" init --database "$work/baseline.mdb" >/dev/null
others=()
for event in $(seq 0 99); do
  sed "0,/<Id>[^<]*<\/Id>/s//<Id>OTHER$event<\/Id>/" "$work/other.xml" >"$work/other$event.xml"
  others+=("$work/other$event.xml")
done
"$cli" import --database "$work/baseline.mdb" "${others[@]}" >/dev/null

rows() {
  sqlite3 "$1" "SELECT * FROM EVENT ORDER BY ID; SELECT * FROM PERSON ORDER BY ID;
    SELECT *, typeof(PLACE), typeof(POINT) FROM RESULT ORDER BY rowid;"
}
cp "$work/baseline.mdb" "$work/cli.mdb"
cp "$work/baseline.mdb" "$work/limit.mdb"
"$cli" import --database "$work/cli.mdb" "$work/event.xml" >/dev/null
"$limit" "$work/limit.mdb" "$work/event.xml"
if ! cmp -s <(rows "$work/cli.mdb") <(rows "$work/limit.mdb"); then
  echo "the limit does not write the rows the import writes:" >&2
  diff <(rows "$work/cli.mdb") <(rows "$work/limit.mdb") | head -20 >&2
  exit 1
fi

# The wall-clock and CPU (user + system) milliseconds of one run of a
# command on a fresh copy of the database.
time_run() {
  cp "$work/baseline.mdb" "$work/run.mdb"
  sync "$work/run.mdb"
  /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$@" >/dev/null
  awk '{printf "%.0f %.0f\n", $1 * 1000, ($2 + $3) * 1000}' "$work/time.txt"
}
: >"$work/cli.ms"
: >"$work/limit.ms"
for ((i = 0; i < runs; i++)); do
  # Alternating which goes first, so that neither always finds the caches
  # the other left.
  if ((i % 2 == 0)); then
    time_run "$cli" import --database "$work/run.mdb" "$work/event.xml" >>"$work/cli.ms"
    time_run "$limit" "$work/run.mdb" "$work/event.xml" >>"$work/limit.ms"
  else
    time_run "$limit" "$work/run.mdb" "$work/event.xml" >>"$work/limit.ms"
    time_run "$cli" import --database "$work/run.mdb" "$work/event.xml" >>"$work/cli.ms"
  fi
done
# The median of a column of a file of numbers.
median() {
  cut -d' ' -f"$2" "$1" | sort -g |
    awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
awk -v n="$runs" -v r="$runners" -v cw="$(median "$work/cli.ms" 1)" -v lw="$(median "$work/limit.ms" 1)" \
  -v cc="$(median "$work/cli.ms" 2)" -v lc="$(median "$work/limit.ms" 2)" 'BEGIN {
  printf "%d runners, medians of %d runs: pointimport-cli import %.0f ms (CPU %.0f ms), limit_import %.0f ms (CPU %.0f ms)\n",
    r, n, cw, cc, lw, lc
  printf "import / limit = %.2f (CPU time %.2f)\n", cw / lw, cc / lc
}'
