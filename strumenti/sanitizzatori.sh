#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (preset asan) and runs the whole test suite on it: any read or write
# outside a table, any leak and any undefined behaviour stops the test that
# caused it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
