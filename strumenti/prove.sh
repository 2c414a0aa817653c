#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
# The Windows executable: cross build, the suite under Wine, the same bytes
# as the Linux package; then the window and the message box on a virtual
# screen, on both platforms.
bash strumenti/prove_windows.sh
bash strumenti/prove_schermo.sh
# The release: reproducible, and installed and run as users would.
bash strumenti/prove_rilascio.sh
