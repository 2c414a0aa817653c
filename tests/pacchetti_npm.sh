# Sourced by the tests that drive something through npm packages pinned in
# a lock file of the repository (client_lsp, grammatica).
#   pacchetti_npm SORGENTE LAVORO
# Skips the test (status 77) where Node.js or npm is missing; otherwise
# installs what SORGENTE/package-lock.json pins into LAVORO, again only
# when the lock changed since the last install.
pacchetti_npm() {
  local sorgente=$1 lavoro=$2
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "manca Node.js: prova saltata"
    exit 77
  fi
  mkdir -p "$lavoro"
  cp "$sorgente/package.json" "$sorgente/package-lock.json" "$lavoro/"
  if ! cmp -s "$sorgente/package-lock.json" "$lavoro/installato.lock" 2>/dev/null; then
    npm ci --prefix "$lavoro" --ignore-scripts --no-audit --no-fund --loglevel=error
    cp "$sorgente/package-lock.json" "$lavoro/installato.lock"
  fi
}
