#!/bin/sh
# Installs the build into a temporary prefix and starts the installed window
# through its launcher for a user with an empty data folder: the window must
# run from the user's copy of the program, beside a new points database; a
# copy that differs from the installed program must be renewed, and whatever
# stands where the copy or its folder belongs must give way.
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
mkdir -p "$root/home"

# Starts the launcher, from $root, with XDG_DATA_HOME=$1, and waits until the
# window runs from the user's copy in folder $2 (by default $folder).
start_window() {
  expected="${2:-$folder}/pointimport"
  (cd "$root" && HOME="$root/home" XDG_DATA_HOME="$1" QT_QPA_PLATFORM=offscreen exec "$root/usr/bin/pointimport") &
  pid=$!
  tries=0
  until [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$expected" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ] || ! kill -0 "$pid" 2>/dev/null; then
      echo "the window did not start from $expected" >&2
      kill "$pid" 2>/dev/null || true
      exit 1
    fi
    sleep 0.1
  done
  kill "$pid"
  wait "$pid" || true
}

start_window "$root/data"
cmp "$root/usr/lib/pointimport/pointimport" "$folder/pointimport"
"$root/usr/bin/pointimport-cli" init --database "$folder/RovevizoduziDivoz.mdb" | grep -q ポイントデータベースは既にあります

printf 'old' >"$folder/pointimport"
start_window "$root/data"
cmp "$root/usr/lib/pointimport/pointimport" "$folder/pointimport"

# Where the copy belongs, a link (through which the window would run from the
# installed file) and a folder (into which each start would move a new copy)
# give way to the copy, once.
ln -sf "$root/usr/lib/pointimport/pointimport" "$folder/pointimport"
start_window "$root/data"
rm "$folder/pointimport"
mkdir "$folder/pointimport"
start_window "$root/data"
start_window "$root/data"
[ "$(find "$folder" -mindepth 1 -name '*pointimport*' | wc -l)" -eq 2 ]

# Where the folder belongs, a file is moved aside and a link to nowhere goes.
mv "$folder" "$root/kept"
printf 'mine' >"$folder"
start_window "$root/data"
[ "$(cat "$folder".moved-*)" = mine ]
rm -rf "$folder"
ln -s "$root/nowhere" "$folder"
start_window "$root/data"

# A relative XDG_DATA_HOME is ignored: it would depend on where the window
# was started.
start_window relative/data "$root/home/.local/share/pointimport"
[ ! -e "$root/relative" ]
echo "ok"
