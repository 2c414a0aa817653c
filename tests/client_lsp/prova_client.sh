#!/usr/bin/env bash
# The scripted client exchange (client.mjs): installs vscode-jsonrpc as
# package-lock.json pins it into the build folder, then runs the client
# against the command given (`scenario lsp`, or `wine scenario.exe lsp`).
# Arguments: the build folder, then the command.
set -euo pipefail
lavoro=$(realpath "$1")/client_lsp
shift
qui=$(cd "$(dirname "$0")" && pwd)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "manca Node.js: prova saltata"
  exit 77
fi
mkdir -p "$lavoro"
cp "$qui/package.json" "$qui/package-lock.json" "$lavoro/"
# Installed again only when the lock changed since the last install.
if ! cmp -s "$qui/package-lock.json" "$lavoro/installato.lock" 2>/dev/null; then
  npm ci --prefix "$lavoro" --ignore-scripts --no-audit --no-fund --loglevel=error
  cp "$qui/package-lock.json" "$lavoro/installato.lock"
fi
cp "$qui/client.mjs" "$lavoro/"
# The command's files by their absolute paths: the client runs elsewhere.
comando=()
for a in "$@"; do
  if [ -f "$a" ]; then comando+=("$(realpath "$a")"); else comando+=("$a"); fi
done
cd "$lavoro"
node client.mjs "${comando[@]}" -- "$lavoro/cartelle"
