#!/usr/bin/env bash
# Installs, from Debian's packages, everything the project needs to build,
# test and run. Only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-ipafont-gothic
  python3 time
)

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
