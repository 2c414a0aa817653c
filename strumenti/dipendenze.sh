#!/usr/bin/env bash
# Installs from Debian whatever the tests and the other checks need and is
# missing: first what the package needs (dipendenze_pacchetto.sh), then the
# rest.
set -euo pipefail
cd "$(dirname "$0")"
bash dipendenze_pacchetto.sh
source installa_mancanti.sh
# GoogleTest; Chromium (the drawing and the preview as a browser shows
# them) and Node.js (which drives it, through tests/navigatore); clang and its
# runtime (fuzzing), valgrind, util-linux (prlimit, setpriv); Python (JSON
# checks); man (the manual page); Neovim (the language server in a real
# editor, headless).
installa_mancanti \
  googletest libgtest-dev libgmock-dev chromium nodejs \
  clang libclang-rt-14-dev valgrind util-linux python3 man-db neovim
# npm, for the test drivers pinned in the repository's lock files (a
# Node.js that brings its own npm is kept).
command -v npm >/dev/null || installa_mancanti nodejs npm
# The Windows build and its checks, and the checks on a virtual screen:
# MinGW-w64, Wine (with its fonts and the X libraries of its X11 driver),
# Xvfb, xdotool, ImageMagick's import and the tesseract OCR. Installed
# without Debian's recommendations (for Wine, a few hundred megabytes of
# multimedia that the checks never use).
installa_mancanti --senza-consigliati \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 \
  xvfb xdotool imagemagick tesseract-ocr tesseract-ocr-eng
# cpp-httplib whole, as the Windows build of the tool takes it.
bash httplib_windows.sh >/dev/null
