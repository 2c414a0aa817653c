#!/usr/bin/env bash
# Validates the SARIF that `scenario verifica --formato sarif` writes for a
# few scenarios with the SARIF Multitool's validator, installed from the
# npm registry at the version the lock file pins, into the build folder.
#   valida_sarif.sh SCENARIO CARTELLA_DI_LAVORO
set -euo pipefail
scenario=$1
lavoro=$2
qui=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$lavoro"
cp "$qui/package.json" "$qui/package-lock.json" "$lavoro/"
cd "$lavoro"
if ! cmp -s package-lock.json node_modules/.package-lock.json 2>/dev/null; then
  # Its install script only marks the program executable: done below.
  npm ci --no-audit --no-fund --ignore-scripts --loglevel=error >/dev/null
fi
programma=node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool
chmod u+x "$programma"

rm -rf scenari && mkdir scenari
# The shipped scenario; one broken at a station, a speed and a slowdown
# (a letter O for a zero: a fix in the log); one whose
# train description lost its first line "[generale]" (a whole file lost).
"$scenario" estrai scenari/buono >/dev/null
"$scenario" estrai scenari/rotto >/dev/null
treno="scenari/rotto/Corvana_Selvadoro_R 47315-.txt"
sed -i 's/velocita,   38000,    80/velocita,   38000,    8x0/; s/rallentamento,   38000,/rallentamento,   38OOO,/; s/stazione,    9000, 26,/stazione,    9025, 2600,/; s/segnale,   24800,/segnale,   15500,/' "$treno"
"$scenario" estrai scenari/senza_generale >/dev/null
sed -i '1d' "scenari/senza_generale/Corvana_Selvadoro_R 47315-.txt"

esito=0
for s in buono rotto senza_generale; do
  "$scenario" verifica --percorso Corvana_Selvadoro --treno "R 47315" --formato sarif "scenari/$s" \
    >"scenari/$s.sarif" || true
  "$programma" validate "scenari/$s.sarif" >"scenari/$s.validazione" 2>&1 || true
  if grep -q ': error ' "scenari/$s.validazione" || ! grep -q 'Analysis completed successfully' "scenari/$s.validazione"; then
    echo "SARIF non valido per lo scenario $s:" >&2
    cat "scenari/$s.validazione" >&2
    esito=1
  else
    echo "$s: SARIF valido ($(grep -c '"ruleId"' "scenari/$s.sarif") risultati)"
  fi
done
exit $esito
