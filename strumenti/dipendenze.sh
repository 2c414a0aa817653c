#!/usr/bin/env bash
# Installs from Debian whatever the build and the tests need and is missing.
set -euo pipefail
pacchetti=(
  build-essential cmake
  googletest libgtest-dev libgmock-dev
  libfltk1.3-dev libcli11-dev nlohmann-json3-dev
  chromium
  clang libclang-rt-14-dev valgrind util-linux
)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if ((${#mancanti[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${mancanti[@]}"
fi
