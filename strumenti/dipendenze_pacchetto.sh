#!/usr/bin/env bash
# Installs from Debian what building and running the package and the tool
# needs, and only that: the compiler and make (build-essential), CMake, FLTK
# (the window, with the X11 headers) and the tool's two header-only
# libraries (CLI11, nlohmann-json) and the HTTP server of its preview
# (cpp-httplib, found through pkg-config). Without Debian's recommendations.
set -euo pipefail
source "$(dirname "$0")/installa_mancanti.sh"
installa_mancanti --senza-consigliati \
  build-essential cmake libfltk1.3-dev libcli11-dev nlohmann-json3-dev libcpp-httplib-dev pkg-config
