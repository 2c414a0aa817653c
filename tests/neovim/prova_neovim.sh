#!/usr/bin/env bash
# Debian's Neovim, headless, with the setup of editor/neovim/scenario.lua:
# attaches `scenario lsp` to a broken train description (a station off the
# 50 m step, an accented folder name) and reads back its diagnostics and a
# hover. Arguments: the built `scenario`, a scratch folder.
set -euo pipefail
scenario=$(realpath "$1")
qui=$(cd "$(dirname "$0")" && pwd)
if ! command -v nvim >/dev/null; then
  echo "manca Neovim: prova saltata"
  exit 77
fi
lavoro=$(realpath -m "$2")/"neovim è"
rm -rf "$lavoro"
mkdir -p "$lavoro"
"$scenario" estrai "$lavoro" >/dev/null
treno="$lavoro/Corvana_Selvadoro_R 47315-.txt"
sed -i 's/^stazione,   17000,/stazione,   17010,/' "$treno"
riga=$(grep -n '^stazione,   17010,' "$treno" | cut -d: -f1)
uscita="$lavoro/diagnostiche.txt"
HOME="$lavoro" FILE="$treno" USCITA="$uscita" RIGA=$((riga - 1)) COLONNA=12 \
  timeout 60 nvim --headless --clean -n \
  --cmd "let g:scenario_lsp = '$scenario'" \
  -c "luafile $qui/../../editor/neovim/scenario.lua" \
  -c "luafile $qui/leggi_diagnostiche.lua" </dev/null >/dev/null 2>&1 || true
cat "$uscita" 2>/dev/null || { echo "Neovim non ha scritto nulla"; exit 1; }
grep -q "^diagnostiche arrivate: true" "$uscita"
grep -q "^$riga:[0-9]* V008 " "$uscita"
grep -q "^hover: \*\*posizione\*\*" "$uscita"
grep -q "^hover: - km 17+010" "$uscita"
echo "Neovim: diagnostiche e hover letti"
