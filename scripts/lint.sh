#!/usr/bin/env bash
# Checks the sources against .clang-format and .clang-tidy, reports every
# finding, and exits non-zero when there is any. Formats nothing.
#
#   scripts/lint.sh [BUILD_DIR]     default build/
#
# clang-tidy reads the build's compile_commands.json: the build folder is
# configured for it when it has none, and the window's moc files are made.
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
start=$SECONDS
status=0

# Every source is formatted alike; clang-tidy reads the program's sources
# (tests and benchmarks would mostly report GoogleTest's own macros).
mapfile -t sources < <(find src tests fuzz bench -name '*.cpp' -o -name '*.h' | sort)
mapfile -t units < <(find src -name '*.cpp' | sort)

echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}" || status=1

if [ ! -f "$build/compile_commands.json" ]; then
  cmake -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null || exit 2
fi
cmake --build "$build" --target pointimport_window_autogen >/dev/null || exit 2

echo "clang-tidy: ${#units[@]} files"
# Headers are checked with the sources that include them; a finding in one
# is printed once.
printf '%s\n' "${units[@]}" |
  xargs -P2 -n4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null >"$build/clang-tidy.log"
[ "${PIPESTATUS[1]}" -eq 0 ] || status=1
grep -E '^/.*: (warning|error): ' "$build/clang-tidy.log" | sort -u

echo "lint took $((SECONDS - start)) s"
exit "$status"
