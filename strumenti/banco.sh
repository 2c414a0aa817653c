#!/usr/bin/env bash
# Benchmarks: installs Google Benchmark and Python if missing, builds the
# release tree and runs the micro-benchmarks (field reader, in-memory
# compiles, binary writer), then the comparison of whole processes against
# cp. Numbers depend on the machine: nothing here passes or fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
mancanti=()
for p in libbenchmark-dev python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if ((${#mancanti[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${mancanti[@]}"
fi
cmake --preset default
cmake --build --preset default
build/default/bench/banco "$@"
python3 bench/confronta_processi.py build/default
