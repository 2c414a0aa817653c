#!/usr/bin/env bash
# Makes a release into dist/:
#  - scenario_VERSIONE_ARCH.deb: the tool for Debian (/usr/bin/scenario, its
#    manual page and its bash completion) and the package programs of both
#    platforms that `scenario impacchetta` makes packages of
#    (/usr/lib/scenario/), from `cmake --install` of the release builds,
#    and the VS Code extension (/usr/share/scenario/, strumenti/vsix.sh);
#  - scenario-VERSIONE-windows.zip: scenario.exe, the package's .exe (with
#    the shipped scenario as its payload, so that it checks its whole
#    file), the Linux package program in linux/ and LEGGIMI.txt (Italian,
#    Windows-1252, CR LF) in one folder, with the VS Code extension and
#    the Notepad++ highlighting;
#  - SHA256SUMS of both.
# Reproducible: every time stamp is the last commit's (SOURCE_DATE_EPOCH),
# owners and modes are fixed, entries are in name order; two runs give the
# same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$PWD
bash strumenti/dipendenze.sh >/dev/null

programma="Corvana_Selvadoro_R 47315"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

cmake --preset default >/dev/null
cmake --build --preset default --target scenario pacchetto >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target scenario pacchetto >/dev/null
# The version the tool itself states ("scenario 1.00").
versione=$(build/default/src/scenario --version | sed 's/^scenario //')
# The VS Code extension, named as its package.json names it.
vsix=$(python3 -c 'import json; m = json.load(open("editor/vscode/package.json")); print(m["name"] + "-" + m["version"] + ".vsix")')
bash strumenti/vsix.sh "$lavoro/$vsix" build/default/vsix >/dev/null

rm -rf dist && mkdir dist
# Fixed modes and times on everything that goes into an archive.
normalizza() {
  find "$1" -type d -exec chmod 0755 {} +
  find "$1" -type f -exec chmod 0644 {} +
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# The Debian package of the tool.
architettura=$(dpkg --print-architecture)
deb="$lavoro/deb"
DESTDIR="$deb" cmake --install build/default --component strumento --prefix /usr --strip >/dev/null
DESTDIR="$deb" cmake --install build/default --component pacchetto --prefix /usr --strip >/dev/null
[ -f "$deb/usr/lib/scenario/$programma.exe" ] || { echo "rilascio: manca il pacchetto per Windows" >&2; exit 1; }
gzip -9n "$deb/usr/share/man/man1/scenario.1"
mkdir -p "$deb/DEBIAN" "$deb/usr/share/doc/scenario" "$deb/usr/share/scenario"
cp "$lavoro/$vsix" "$deb/usr/share/scenario/"
cat >"$deb/usr/share/doc/scenario/copyright" <<FINE
scenario $versione: lo strumento per gli autori dello scenario $programma.
FINE
normalizza "$deb"
chmod 0755 "$deb/usr/bin/scenario" "$deb/usr/lib/scenario/$programma"
cat >"$deb/DEBIAN/control" <<FINE
Package: scenario
Version: $versione
Architecture: $architettura
Maintainer: Autori dello scenario <scenario@invalid>
Installed-Size: $(du -sk --exclude=DEBIAN "$deb" | cut -f1)
Depends: libc6 (>= 2.34), libgcc-s1, libstdc++6 (>= 12), libfltk1.3, libx11-6
Section: games
Priority: optional
Description: strumento per gli autori di scenari del simulatore
 Estrae le descrizioni dello scenario $programma, le compila
 riportando gli errori come il pacchetto, mostra i file binari, disegna
 lo scenario compilato in un file SVG e fa di uno scenario un pacchetto
 per Windows o per Linux.
FINE
touch -d "@$SOURCE_DATE_EPOCH" "$deb/DEBIAN/control"
nome_deb="scenario_${versione}_${architettura}.deb"
dpkg-deb --root-owner-group -Zxz --build "$deb" "dist/$nome_deb" >/dev/null

# The Windows archive.
cartella_zip="scenario-$versione-windows"
zip="$lavoro/$cartella_zip"
mkdir -p "$zip"
cp build/windows/src/scenario.exe "$zip/"
# The package users download carries its own scenario as a payload, as a
# package made by impacchetta does: its payload's checksums cover the whole
# file, so that a damaged download is caught before anything is written.
build/default/src/scenario estrai "$lavoro/spedito" >/dev/null
SCENARIO_PACCHETTI="$radice/build/windows/src" build/default/src/scenario impacchetta \
  --piattaforma windows -o "$zip/$programma.exe" "$lavoro/spedito" >/dev/null
# The Linux package program too, the .deb's own, so that scenario.exe makes
# packages for both platforms.
mkdir "$zip/linux"
cp "$deb/usr/lib/scenario/$programma" "$zip/linux/"
cp "$lavoro/$vsix" distribuzione/descrizioni-notepad++.xml "$zip/"
iconv -f UTF-8 -t CP1252 distribuzione/LEGGIMI.txt | sed 's/$/\r/' >"$zip/LEGGIMI.txt"
normalizza "$zip"
python3 - "$zip" "dist/$cartella_zip.zip" "$cartella_zip" <<'FINE'
import os, sys, time, zipfile
cartella, archivio, prefisso = sys.argv[1:4]
quando = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
nomi = []
for dove, cartelle, file in os.walk(cartella):
    nomi += [os.path.relpath(os.path.join(dove, f), cartella).replace(os.sep, "/") for f in file]
with zipfile.ZipFile(archivio, "w") as z:
    for nome in sorted(nomi):
        voce = zipfile.ZipInfo(prefisso + "/" + nome, date_time=quando)
        voce.create_system = 0  # attributes of MS-DOS, as an archive made on Windows
        voce.external_attr = 0x20  # "archive"
        voce.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(cartella, nome), "rb") as f:
            z.writestr(voce, f.read(), compresslevel=9)
FINE

(cd dist && sha256sum "$nome_deb" "$cartella_zip.zip" >SHA256SUMS)
cat dist/SHA256SUMS
