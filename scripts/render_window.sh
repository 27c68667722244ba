#!/usr/bin/env bash
# Builds the window and takes its pictures under a virtual X display:
# docs/window_connected.png, docs/window_not_connected.png and
# docs/window_loaded.png.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target render_window
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" ./build/render_window docs
