#!/usr/bin/env bash
# Builds the package (preset pacchetto: no tests, no benchmarks) and runs it
# in the folder prova/ (emptied first), where it leaves the files of the
# scenario. Installs only what that needs (strumenti/dipendenze_pacchetto.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze_pacchetto.sh
cmake --preset pacchetto
cmake --build --preset pacchetto
rm -rf prova && mkdir prova
cp "build/pacchetto/src/Corvana_Selvadoro_R 47315" prova/
(cd prova && "./Corvana_Selvadoro_R 47315")
ls -l prova
