#!/usr/bin/env bash
# A picture of Neovim with the scenario language server, as an author sees
# it: a train description with a station off the 50 m step, its diagnostic
# and the hover on the misplaced position. Neovim runs in tmux; its screen,
# colours included, becomes a page that Debian's chromium photographs.
# Arguments: the built `scenario`, the PNG to write.
set -euo pipefail
scenario=$(realpath "$1")
png=$(realpath -m "$2")
qui=$(cd "$(dirname "$0")" && pwd)
for programma in nvim tmux chromium python3; do
  command -v "$programma" >/dev/null || { echo "manca $programma" >&2; exit 1; }
done
lavoro=$(mktemp -d)
sessione="schermata-$$"
trap 'tmux kill-session -t "$sessione" 2>/dev/null || true; rm -rf "$lavoro"' EXIT
cartella="$lavoro/linea è"
mkdir -p "$cartella"
"$scenario" estrai "$cartella" >/dev/null
treno="$cartella/Corvana_Selvadoro_R 47315-.txt"
sed -i 's/^stazione,   17000,/stazione,   17010,/' "$treno"
riga=$(grep -n '^stazione,   17010,' "$treno" | cut -d: -f1)

tmux new-session -d -s "$sessione" -x 112 -y 30 \
  "HOME='$lavoro' TERM=xterm-256color nvim --clean -n --cmd \"let g:scenario_lsp = '$scenario'\" \
   --cmd 'luafile $qui/../editor/neovim/scenario.lua' -c 'set number background=dark' +$riga '$treno'"
# The diagnostic first, then the hover on the position's digits.
for _ in $(seq 100); do
  tmux capture-pane -t "$sessione" -p | grep -q "■" && break
  sleep 0.1
done
tmux send-keys -t "$sessione" 'zt' '8' C-y '15|' ':lua vim.lsp.buf.hover()' Enter
sleep 1.5
tmux capture-pane -t "$sessione" -e -p >"$lavoro/schermo.txt"
python3 "$qui/ansi_html.py" <"$lavoro/schermo.txt" >"$lavoro/schermo.html"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1060,600 \
  --screenshot="$png" "file://$lavoro/schermo.html" >/dev/null 2>&1
echo "$png"
