#!/usr/bin/env bash
# The .vsix of editor/vscode as strumenti/vsix.sh makes it, built twice:
# the same bytes, and strumenti/controlla_vsix.py finds everything the
# extension needs in it. The checker itself refuses copies with a fault
# made on purpose. Argument: the build folder.
set -euo pipefail
lavoro=$(realpath "$1")/vsix
radice=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "manca Node.js: prova saltata"
  exit 77
fi
controlla=(python3 "$radice/strumenti/controlla_vsix.py")
bash "$radice/strumenti/vsix.sh" "$lavoro/primo.vsix" "$lavoro"
bash "$radice/strumenti/vsix.sh" "$lavoro/secondo.vsix" "$lavoro"
cmp "$lavoro/primo.vsix" "$lavoro/secondo.vsix"
"${controlla[@]}" "$lavoro/primo.vsix" "$radice/editor/vscode"
echo "$(python3 -c 'import sys, zipfile; print(len(zipfile.ZipFile(sys.argv[1]).namelist()))' "$lavoro/primo.vsix") voci, due costruzioni identiche"

# Each fault: a copy without an entry, or with one rewritten or dated apart.
guasti=(
  "togli extension/node_modules/vscode-languageclient/package.json"
  "togli extension/syntaxes/scenario.tmLanguage.json"
  "togli extension/extension.js"
  "data extension/readme.md"
  "cambia extension/node_modules/vscode-jsonrpc/package.json"
)
for guasto in "${guasti[@]}"; do
  python3 - "$lavoro/primo.vsix" "$lavoro/guasto.vsix" $guasto <<'FINE'
import json, sys, zipfile
sorgente, guasto, azione, bersaglio = sys.argv[1:5]
with zipfile.ZipFile(sorgente) as dentro, zipfile.ZipFile(guasto, "w") as fuori:
    for voce in dentro.infolist():
        dati = dentro.read(voce)
        if voce.filename == bersaglio:
            if azione == "togli":
                continue
            if azione == "data":
                voce.date_time = (2001, 2, 3, 4, 5, 6)
            if azione == "cambia":
                pacchetto = json.loads(dati)
                pacchetto["version"] = "0.0.1"
                dati = json.dumps(pacchetto).encode()
        fuori.writestr(voce, dati)
FINE
  if "${controlla[@]}" "$lavoro/guasto.vsix" "$radice/editor/vscode" 2>/dev/null; then
    echo "controlla_vsix.py accetta una copia guasta ($guasto)" >&2
    exit 1
  fi
done
echo "${#guasti[@]} copie guaste rifiutate"
