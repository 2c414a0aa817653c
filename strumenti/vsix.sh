#!/usr/bin/env bash
# Builds the VS Code extension of editor/vscode into a .vsix:
#   strumenti/vsix.sh FILE.vsix LAVORO
# The packer (@vscode/vsce) is the one pinned in strumenti/vsce/
# package-lock.json, installed with npm ci into LAVORO (again only when the
# lock changes); the extension's own dependencies are those pinned in
# editor/vscode/package-lock.json. Nothing but npm packages is downloaded.
# Reproducible: the archive is rewritten with its entries in name order,
# every one dated SOURCE_DATE_EPOCH (or the last commit) with mode 0644, so
# two builds give the same bytes.
set -euo pipefail
[ $# -eq 2 ] || { echo "uso: strumenti/vsix.sh FILE.vsix LAVORO" >&2; exit 2; }
uscita=$(realpath -m "$1")
lavoro=$(realpath -m "$2")
radice=$(cd "$(dirname "$0")/.." && pwd)
for programma in node npm python3; do
  command -v "$programma" >/dev/null || { echo "vsix: manca $programma" >&2; exit 1; }
done
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$radice" log -1 --format=%ct)}
npm_ci() { npm ci --prefix "$1" --ignore-scripts --no-audit --no-fund --loglevel=error "${@:2}"; }

# The packer, once per lock.
mkdir -p "$lavoro/vsce"
cp "$radice/strumenti/vsce/package.json" "$radice/strumenti/vsce/package-lock.json" "$lavoro/vsce/"
if ! cmp -s "$lavoro/vsce/package-lock.json" "$lavoro/vsce/installato.lock"; then
  npm_ci "$lavoro/vsce"
  cp "$lavoro/vsce/package-lock.json" "$lavoro/vsce/installato.lock"
fi

# The extension in a clean copy with its run-time dependencies only.
estensione="$lavoro/estensione"
rm -rf "$estensione"
cp -r "$radice/editor/vscode" "$estensione"
rm -rf "$estensione/node_modules"
npm_ci "$estensione" --omit=dev
# The extension is handed out with the release, not published: it has no
# public repository and no licence of its own (package.json: UNLICENSED).
# Every other fault of the manifest still stops the packer; standard input
# is closed so that a question would end it instead of waiting.
grezzo="$lavoro/grezzo.vsix"
rm -f "$grezzo"
(cd "$estensione" && "$lavoro/vsce/node_modules/.bin/vsce" package \
  --allow-missing-repository --skip-license -o "$grezzo" </dev/null >/dev/null)

mkdir -p "$(dirname "$uscita")"
python3 - "$grezzo" "$uscita" <<'FINE'
import os, sys, time, zipfile
grezzo, uscita = sys.argv[1:3]
quando = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(grezzo) as dentro, zipfile.ZipFile(uscita + ".nuovo", "w") as fuori:
    for nome in sorted(dentro.namelist()):
        voce = zipfile.ZipInfo(nome, date_time=quando)
        voce.create_system = 3
        voce.external_attr = 0o100644 << 16
        voce.compress_type = zipfile.ZIP_DEFLATED
        fuori.writestr(voce, dentro.read(nome), compresslevel=9)
os.replace(uscita + ".nuovo", uscita)
FINE
