#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a while, from the seed
# corpus in fuzz/corpus/<target>/ (and fuzz/<target>.dict, where there is one).
#
#   scripts/fuzz.sh [seconds] [target...]   60 seconds each, every target by default
#
# Inputs that fail land in build-fuzz/findings/<target>/, each to be kept as
# a test case once fixed; inputs that reached new code gather in
# build-fuzz/corpus/<target>/ and make later runs start further on.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
build="$root/build-fuzz"

"$root/scripts/setup.sh" --fuzz
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/fuzz/*_fuzzer.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

failed=()
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target" "$build/findings/$target"
  # A single input that takes ten seconds counts as a hang.
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$build/findings/$target/")
  [ -f "$root/fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")
  echo "== $target: $seconds s"
  if ! "$build/$target" "${options[@]}" "$build/corpus/$target" "$root/fuzz/corpus/$target"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
