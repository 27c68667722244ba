#!/usr/bin/env bash
# Builds the window and takes its pictures under a virtual X display:
# docs/window_connected.png, docs/window_not_connected.png,
# docs/window_loaded.png, docs/import_details.png, docs/load_warnings.png and
# docs/replace_question.png, with the HTML report of that import as
# docs/report_example.html; and, where Chromium is installed,
# a picture of that report, docs/report_example.png.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target render_window
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" ./build/render_window docs
if command -v chromium >/dev/null; then
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1100,720 \
    --screenshot="$PWD/docs/report_example.png" "$PWD/docs/report_example.html" 2>/dev/null
  echo "wrote docs/report_example.png"
fi
