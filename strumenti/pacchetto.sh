#!/usr/bin/env bash
# Builds the package and runs it in the folder prova/ (emptied first), where
# it leaves the files of the scenario.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
cmake --preset default
cmake --build --preset default
rm -rf prova && mkdir prova
cp "build/default/src/Corvana_Selvadoro_R 47315" prova/
(cd prova && "./Corvana_Selvadoro_R 47315")
ls -l prova
