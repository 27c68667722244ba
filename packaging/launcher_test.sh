#!/bin/sh
# Installs the build into a temporary prefix and starts the installed window
# through its launcher for a user with an empty data folder: the window must
# run from the user's copy of the program, beside a new points database, and
# a copy that differs from the installed program must be renewed.
#
#   launcher_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# Named by its component, the install keeps its list of files apart from the
# build's install_manifest.txt, which lists what an operator installed.
"$cmake" --install "$build" --prefix "$root/usr" --component Unspecified >/dev/null
folder="$root/data/pointimport"

# Starts the launcher and waits until the window runs from the user's copy.
start_window() {
  XDG_DATA_HOME="$root/data" QT_QPA_PLATFORM=offscreen "$root/usr/bin/pointimport" &
  pid=$!
  tries=0
  until [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$folder/pointimport" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ] || ! kill -0 "$pid" 2>/dev/null; then
      echo "the window did not start from $folder/pointimport" >&2
      kill "$pid" 2>/dev/null || true
      exit 1
    fi
    sleep 0.1
  done
  kill "$pid"
  wait "$pid" || true
}

start_window
cmp "$root/usr/lib/pointimport/pointimport" "$folder/pointimport"
"$root/usr/bin/pointimport-cli" init --database "$folder/RovevizoduziDivoz.mdb" | grep -q ポイントデータベースは既にあります

printf 'old' >"$folder/pointimport"
start_window
cmp "$root/usr/lib/pointimport/pointimport" "$folder/pointimport"
echo "ok"
