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
# The Windows build and its checks, and the checks on a virtual screen:
# MinGW-w64, Wine (with its fonts and the X libraries of its X11 driver),
# Xvfb, xdotool, ImageMagick's import and the tesseract OCR. Installed
# without Debian's recommendations (for Wine, a few hundred megabytes of
# multimedia that the checks never use).
essenziali=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1
  xvfb xdotool imagemagick tesseract-ocr tesseract-ocr-eng
)
mancanti() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t mancanti < <(mancanti "${pacchetti[@]}")
mapfile -t mancanti_essenziali < <(mancanti "${essenziali[@]}")
if ((${#mancanti[@]} + ${#mancanti_essenziali[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  if ((${#mancanti[@]})); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${mancanti[@]}"
  fi
  if ((${#mancanti_essenziali[@]})); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${mancanti_essenziali[@]}"
  fi
fi
