#!/usr/bin/env bash
# The TextMate grammar of editor/vscode through vscode-tmgrammar-test
# (pinned in package-lock.json, installed by the test into the build
# folder) on lines of the shipped descriptions. Argument: the build folder.
set -euo pipefail
lavoro=$(realpath "$1")/grammatica
qui=$(cd "$(dirname "$0")" && pwd)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "manca Node.js: prova saltata"
  exit 77
fi
mkdir -p "$lavoro"
cp "$qui/package.json" "$qui/package-lock.json" "$lavoro/"
if ! cmp -s "$qui/package-lock.json" "$lavoro/installato.lock" 2>/dev/null; then
  npm ci --prefix "$lavoro" --ignore-scripts --no-audit --no-fund --loglevel=error
  cp "$qui/package-lock.json" "$lavoro/installato.lock"
fi
"$lavoro/node_modules/.bin/vscode-tmgrammar-test" \
  -g "$qui/../../editor/vscode/syntaxes/scenario.tmLanguage.json" "$qui/treno.txt"
