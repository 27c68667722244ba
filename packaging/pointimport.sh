#!/bin/sh
# Starts the installed points import window for the current user.
#
# The window always uses the points database beside its own program file,
# and the installed program's folder is not writable. So each user gets a
# folder of their own that holds a copy of the window program and the
# database beside it:
#
#   ${XDG_DATA_HOME:-~/.local/share}/pointimport/pointimport
#   ${XDG_DATA_HOME:-~/.local/share}/pointimport/RovevizoduziDivoz.mdb
#
# The copy is renewed whenever it differs from the installed program (after
# an upgrade), and an empty database is created when there is none. A copy,
# not a link: the program finds its folder through /proc/self/exe, which
# resolves links to the installed file.
set -eu

bin_dir=$(dirname "$(readlink -f "$0")")
installed="$bin_dir/../lib/pointimport/pointimport"
data_home=${XDG_DATA_HOME:-${HOME:?HOME is not set}/.local/share}
folder="$data_home/pointimport"
program="$folder/pointimport"

mkdir -p "$folder"
if ! cmp -s "$installed" "$program"; then
  # Renamed into place, so that a window started at the same moment never
  # runs a half-written copy.
  partial=$(mktemp "$folder/.pointimport.XXXXXX")
  trap 'rm -f "$partial"' EXIT
  cp "$installed" "$partial"
  chmod 755 "$partial"
  mv -f "$partial" "$program"
  trap - EXIT
fi
if [ ! -e "$folder/RovevizoduziDivoz.mdb" ]; then
  # Should this fail, the window still starts and says why it cannot connect.
  "$bin_dir/pointimport-cli" init --database "$folder/RovevizoduziDivoz.mdb" >/dev/null || true
fi
exec "$program" "$@"
