#!/usr/bin/env bash
# Benchmarks: installs Google Benchmark and Python if missing, builds the
# release tree and runs the micro-benchmarks (field reader, in-memory
# compiles, binary writer), then the comparison of whole processes against
# cp. Numbers depend on the machine: nothing here passes or fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
source strumenti/installa_mancanti.sh
installa_mancanti libbenchmark-dev python3
cmake --preset default
cmake --build --preset default
build/default/bench/banco "$@"
python3 bench/confronta_processi.py build/default
# The preview: from a save to its page's content, by the system's
# notifications and by polling, against the page's own work.
build/default/bench/banco_anteprima
# The preview: from a save of a description to the new picture on a page
# in headless Chromium, for the shipped and for the maximum scenario.
massimo=build/default/banco_anteprima/massimo
rm -rf "$massimo" && mkdir -p "$massimo"
build/default/bench/genera_massimo "$massimo"
bash tests/navigatore/prova_anteprima.sh build/default/src/scenario build/default --banco 30 --massimo "$PWD/$massimo"
# The language server: from a change to its published diagnostics, median
# and 95th percentile, for the shipped and for the maximum scenario.
build/default/bench/banco_lsp
