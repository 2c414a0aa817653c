#!/usr/bin/env bash
# The scripted client exchange (client.mjs): installs vscode-jsonrpc as
# package-lock.json pins it into the build folder, then runs the client
# against the command given (`scenario lsp`, or `wine scenario.exe lsp`).
# Arguments: the build folder, then the command.
set -euo pipefail
lavoro=$(realpath "$1")/client_lsp
shift
qui=$(cd "$(dirname "$0")" && pwd)
source "$qui/../pacchetti_npm.sh"
pacchetti_npm "$qui" "$lavoro"
cp "$qui/client.mjs" "$lavoro/"
# The command's files by their absolute paths: the client runs elsewhere.
comando=()
for a in "$@"; do
  if [ -f "$a" ]; then comando+=("$(realpath "$a")"); else comando+=("$a"); fi
done
cd "$lavoro"
node client.mjs "${comando[@]}" -- "$lavoro/cartelle"
