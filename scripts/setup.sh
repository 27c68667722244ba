#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project needs to build,
# test and run. Only missing packages are installed.
#
#   scripts/setup.sh [--fuzz]   --fuzz: also clang and libFuzzer, for scripts/fuzz.sh
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  libpugixml-dev
  mdbtools-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-ipafont-gothic
  python3 time
  dpkg-dev desktop-file-utils
  clang-format clang-tidy
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
