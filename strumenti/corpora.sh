#!/usr/bin/env bash
# Grows the kept corpora of the fuzz targets and minimises them back into
# the repository (fuzz/corpus/<target>/), so that every later run, in CI
# too, starts where this one ended. Each target runs GARA_FUZZ_SECONDI
# seconds (300 unless set) from its kept corpus, the seeds and its
# regression inputs; then only the inputs that add coverage are kept.
#   bash strumenti/corpora.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${GARA_FUZZ_SECONDI:-300}
source strumenti/bersagli_fuzz.sh
(($#)) && bersagli=("$@")
prepara_fuzz
b=build/fuzz

for t in "${bersagli[@]}"; do
  tenuto="fuzz/corpus/$t"
  cresciuto="$b/corpus/$t"
  mkdir -p "$tenuto" "$cresciuto"
  cartelle_di "$t" "$cresciuto"
  dizionario_di "$t"
  echo "== fuzz_$t per ${secondi}s"
  "$b/fuzz/fuzz_$t" -max_total_time="$secondi" "${opzioni_comuni[@]}" "${dizionario[@]}" \
    "${cartelle[@]}" >"$b/corpora_$t.log" 2>&1
  nuovo=$(mktemp -d)
  "$b/fuzz/fuzz_$t" -merge=1 "$nuovo" "$tenuto" "$cresciuto" >>"$b/corpora_$t.log" 2>&1
  prima=$(ls "$tenuto" | wc -l)
  rm -rf "$tenuto"
  mv "$nuovo" "$tenuto"
  echo "$t: $prima -> $(ls "$tenuto" | wc -l) ingressi ($(du -sh "$tenuto" | cut -f1))"
done
