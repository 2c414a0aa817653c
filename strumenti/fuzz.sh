#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz, clang) and runs each one for a
# bounded time, GARA_FUZZ_SECONDI seconds (60 unless set), or for
# GARA_FUZZ_ESECUZIONI inputs when that is set (the long runs outside CI).
#   bash strumenti/fuzz.sh [TARGET...]
# Each starts from the corpus it grew in earlier runs of this build folder,
# the corpus kept in the repository (fuzz/corpus/<target>/, grown and
# minimised by strumenti/corpora.sh), the seeds written by semi_fuzz and
# every regression fixture of tests/regressioni/<target>/.
# An input that stops a target (crash, hang, broken property, sanitizer
# report) is saved under build/fuzz/trovati/<target>/ and the script fails;
# once the fault is fixed the input goes into tests/regressioni/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${GARA_FUZZ_SECONDI:-60}
source strumenti/bersagli_fuzz.sh
(($#)) && bersagli=("$@")
limite=(-max_total_time="$secondi")
[ -n "${GARA_FUZZ_ESECUZIONI:-}" ] && limite=(-runs="$GARA_FUZZ_ESECUZIONI")
prepara_fuzz
b=build/fuzz

falliti=()
riepilogo=()
for t in "${bersagli[@]}"; do
  corpus="$b/corpus/$t"
  trovati="$b/trovati/$t"
  mkdir -p "$corpus" "$trovati"
  cartelle_di "$t" "$corpus"
  dizionario_di "$t"
  echo "== fuzz_$t (${limite[*]})"
  stato=0
  "$b/fuzz/fuzz_$t" "${limite[@]}" "${opzioni_comuni[@]}" \
    -print_final_stats=1 -artifact_prefix="$trovati/" "${dizionario[@]}" "${cartelle[@]}" \
    >"$b/fuzz_$t.log" 2>&1 || stato=$?
  esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$b/fuzz_$t.log")
  durata=$(sed -n 's/^stat::.*\?//; s/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$b/fuzz_$t.log")
  al_secondo=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$b/fuzz_$t.log")
  riepilogo+=("fuzz_$t: ${durata:-?} s, ${esecuzioni:-?} esecuzioni (${al_secondo:-?} al secondo), corpus di $(ls "$corpus" | wc -l) ingressi")
  if [ "$stato" -ne 0 ]; then
    falliti+=("$t")
    tail -n 60 "$b/fuzz_$t.log"
  fi
done
printf '%s\n' "${riepilogo[@]}"
if ((${#falliti[@]})); then
  echo "Fuzzing: trovati problemi in ${falliti[*]} (ingressi in $b/trovati/)" >&2
  exit 1
fi
