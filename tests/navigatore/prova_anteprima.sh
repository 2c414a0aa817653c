#!/usr/bin/env bash
# The preview page in Debian's headless Chromium: installs playwright-core
# as package-lock.json pins it (never a browser of its own) into the build
# folder, then runs anteprima.mjs. Arguments: the built `scenario`, the
# build folder.
set -euo pipefail
scenario=$(realpath "$1")
lavoro=$(realpath "$2")/navigatore
qui=$(cd "$(dirname "$0")" && pwd)
if [ ! -x /usr/bin/chromium ] || ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "manca Chromium (/usr/bin/chromium) o Node.js: prova saltata"
  exit 77
fi
mkdir -p "$lavoro"
cp "$qui/package.json" "$qui/package-lock.json" "$lavoro/"
# Installed again only when the lock changed since the last install.
if ! cmp -s "$qui/package-lock.json" "$lavoro/installato.lock" 2>/dev/null; then
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --prefix "$lavoro" --ignore-scripts --no-audit --no-fund \
    --loglevel=error
  cp "$qui/package-lock.json" "$lavoro/installato.lock"
fi
cp "$qui/anteprima.mjs" "$lavoro/"
cd "$lavoro"
node anteprima.mjs "$scenario" "$lavoro" "${@:3}"
