#!/usr/bin/env bash
# The import against its in-process limit counted in instructions
# (callgrind), which, unlike wall times on a shared or virtual machine, come
# out the same run after run. Each figure is one iteration of a benchmark of
# build/import_bench, its fixture (the generated files and the database of
# 100 other events) and the limit's preparation (reading back the rows it
# writes) left out.
#
#   bench/count_instructions.sh [RUNNERS...]     default 2000 20000
set -euo pipefail
cd "$(dirname "$0")/.."
bench=./build/import_bench
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }

# The instructions of one iteration of benchmark $1 at $2 runners.
count() {
  valgrind --tool=callgrind --callgrind-out-file="$work/$1.$2.out" \
    --toggle-collect="*BM_$1*" --toggle-collect='*Fixture::Fixture*' --toggle-collect='*RowsOf*' \
    "$bench" --benchmark_filter="^BM_$1/$2\$" --benchmark_min_time=0.000001 >"$work/$1.$2.log" 2>&1
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/$1.$2.log"
}

(($#)) || set -- 2000 20000
for runners in "$@"; do
  for benchmark in WholeImport LimitParse LimitWrite; do
    count "$benchmark" "$runners" >"$work/$benchmark.$runners.count" &
  done
  wait
  whole=$(cat "$work/WholeImport.$runners.count")
  parse=$(cat "$work/LimitParse.$runners.count")
  write=$(cat "$work/LimitWrite.$runners.count")
  awk -v r="$runners" -v w="$whole" -v p="$parse" -v b="$write" 'BEGIN {
    printf "%d runners: import %.1f M instructions, limit %.1f M (parse %.1f M + writes %.1f M), import / limit = %.2f\n",
      r, w / 1e6, (p + b) / 1e6, p / 1e6, b / 1e6, w / (p + b) }'
done
