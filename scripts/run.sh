#!/usr/bin/env bash
# Installs what is missing, builds, creates the points database beside the
# program if there is none, and opens the window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOINTIMPORT_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
./build/pointimport-cli init
exec ./build/pointimport
