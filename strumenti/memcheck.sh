#!/usr/bin/env bash
# Runs the package as its users do, in an empty folder of its own, under
# valgrind's memcheck: any invalid read or write, any use of an
# uninitialised value and any leak makes the run fail.
set -euo pipefail
cd "$(dirname "$0")/.."
bash strumenti/dipendenze.sh
cmake --preset default >/dev/null
cmake --build --preset default --target pacchetto
cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT
programma="Corvana_Selvadoro_R 47315"
cp "build/default/src/$programma" "$cartella/"
(cd "$cartella" && valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
  --track-origins=yes "./$programma" </dev/null)
ls -l "$cartella"
for f in "Corvana_Selvadoro_linea.dat" "$programma.sim" "$programma.dat"; do
  [ -s "$cartella/$f" ] || { echo "memcheck: manca $f" >&2; exit 1; }
done
