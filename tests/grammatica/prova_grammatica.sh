#!/usr/bin/env bash
# The TextMate grammar of editor/vscode through vscode-tmgrammar-test
# (pinned in package-lock.json, installed by the test into the build
# folder) on lines of the shipped descriptions. Argument: the build folder.
set -euo pipefail
lavoro=$(realpath "$1")/grammatica
qui=$(cd "$(dirname "$0")" && pwd)
source "$qui/../pacchetti_npm.sh"
pacchetti_npm "$qui" "$lavoro"
"$lavoro/node_modules/.bin/vscode-tmgrammar-test" \
  -g "$qui/../../editor/vscode/syntaxes/scenario.tmLanguage.json" "$qui/treno.txt"
