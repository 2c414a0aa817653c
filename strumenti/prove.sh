#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
