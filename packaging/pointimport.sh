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
# A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory
# rules ask: it would put the database wherever the window was started from.
case ${XDG_DATA_HOME:-} in
  /*) data_home=$XDG_DATA_HOME ;;
  *) data_home=${HOME:?HOME is not set}/.local/share ;;
esac
folder="$data_home/pointimport"
program="$folder/pointimport"

# Moves what stands at $1 out of the way, under a name of its own, and says
# where: it may hold the user's data, so it is never deleted.
move_aside() {
  aside="$1.moved-$(date +%Y%m%d-%H%M%S)-$$"
  mv -T "$1" "$aside"
  echo "pointimport: $1 was in the way and is now $aside" >&2
}

# A link to a folder is the user's choice of where the folder lives; any
# other link holds nothing and goes, and anything else but a folder is moved.
if [ -L "$folder" ] && [ ! -d "$folder" ]; then
  rm -f "$folder"
elif [ -e "$folder" ] && [ ! -d "$folder" ]; then
  move_aside "$folder"
fi
mkdir -p "$folder"
# Only a file of its own can be the copy: through a link the window would run
# from the link's target, and into a folder each start would move a new copy.
if [ -L "$program" ]; then
  rm -f "$program"
elif [ -e "$program" ] && [ ! -f "$program" ]; then
  move_aside "$program"
fi
if ! cmp -s "$installed" "$program"; then
  # Renamed into place, so that a window started at the same moment never
  # runs a half-written copy.
  partial=$(mktemp "$folder/.pointimport.XXXXXX")
  trap 'rm -f "$partial"' EXIT
  cp "$installed" "$partial"
  chmod 755 "$partial"
  mv -fT "$partial" "$program"
  trap - EXIT
fi
if [ ! -e "$folder/RovevizoduziDivoz.mdb" ]; then
  # Should this fail, the window still starts and says why it cannot connect.
  "$bin_dir/pointimport-cli" init --database "$folder/RovevizoduziDivoz.mdb" >/dev/null || true
fi
exec "$program" "$@"
