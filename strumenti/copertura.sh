#!/usr/bin/env bash
# Line coverage of the sources from the kept fuzz corpora alone: the fuzz
# targets built with clang's source-based coverage (preset copertura) run
# once over fuzz/corpus/<target>/ and the regression inputs, and the lines
# reached are summed per source folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source strumenti/bersagli_fuzz.sh
bash strumenti/dipendenze.sh
cmake --preset copertura >/dev/null
cmake --build --preset copertura
b=build/copertura
rm -rf "$b/profili"
mkdir -p "$b/profili"
oggetti=()
for t in "${bersagli[@]}"; do
  cartelle=("fuzz/corpus/$t")
  [ -d "tests/regressioni/$t" ] && cartelle+=("tests/regressioni/$t")
  if ! LLVM_PROFILE_FILE="$b/profili/$t.profraw" "$b/fuzz/fuzz_$t" -runs=0 "${cartelle[@]}" >"$b/profili/$t.log" 2>&1; then
    echo "fuzz_$t non ha riletto il suo corpus: vedi $b/profili/$t.log" >&2
    exit 1
  fi
  oggetti+=(-object "$b/fuzz/fuzz_$t")
done
llvm-profdata merge -sparse "$b"/profili/*.profraw -o "$b/profili/tutti.profdata"
llvm-cov export -summary-only -instr-profile="$b/profili/tutti.profdata" "${oggetti[@]}" >"$b/profili/riepilogo.json"
python3 - "$b/profili/riepilogo.json" "$PWD/src/" <<'PY'
import json, sys, collections
dati = json.load(open(sys.argv[1]))
radice = sys.argv[2]
cartelle = collections.OrderedDict()
for f in dati["data"][0]["files"]:
    nome = f["filename"]
    if not nome.startswith(radice):
        continue
    cartella = nome[len(radice):].split("/")[0]
    r = f["summary"]["lines"]
    c = cartelle.setdefault(cartella, [0, 0])
    c[0] += r["covered"]
    c[1] += r["count"]
print("cartella       righe raggiunte")
for cartella, (coperte, tutte) in sorted(cartelle.items()):
    print(f"{cartella:<14} {coperte:>6} / {tutte:<6} {100.0 * coperte / max(tutte, 1):5.1f} %")
PY
