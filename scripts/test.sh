#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core tests
# once more under AddressSanitizer and UndefinedBehaviorSanitizer; last the
# style checks (scripts/lint.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs="$(nproc)"

cmake -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DPOINTIMPORT_BUILD_TESTS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPOINTIMPORT_SANITIZE=ON -DPOINTIMPORT_BUILD_TESTS=ON
cmake --build build-sanitize -j"$jobs" --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ./build-sanitize/core_tests

./scripts/lint.sh build
