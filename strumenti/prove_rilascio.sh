#!/usr/bin/env bash
# The release as users get it. Makes it twice (strumenti/rilascio.sh): the
# same bytes. Then:
#  - the .deb, unpacked into a scratch root (dpkg -x): the installed
#    `scenario --help`, an extract, a compile and an impacchetta of both
#    platforms work, the manual page is there;
#  - the VS Code extension in both archives, the same bytes, with every
#    entry it needs (strumenti/controlla_vsix.py);
#  - the .zip, unpacked into a folder whose path holds a space and an
#    accented letter: LEGGIMI.txt ends its lines with CR LF, and under Wine
#    scenario.exe extracts and compiles the scenario, and the package leaves
#    its six files, the binaries the same bytes as the tool's; scenario.exe
#    makes the same Windows and Linux packages as the tool of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$PWD
programma="Corvana_Selvadoro_R 47315"
prefisso="$radice/build/windows/wine"
wine=("$radice/cmake/wine.sh" "$prefisso")
lavoro=$(mktemp -d)
fine() {
  [ -d "$prefisso" ] && WINEPREFIX="$prefisso" wineserver --kill 2>/dev/null || true
  rm -rf "$lavoro"
}
trap fine EXIT
passo() { echo "== $*"; }
sbaglio() {
  echo "prove_rilascio: $*" >&2
  exit 1
}

passo "due rilasci: stessi byte"
bash strumenti/rilascio.sh
cp -r dist "$lavoro/primo"
bash strumenti/rilascio.sh >/dev/null
diff -r "$lavoro/primo" dist || sbaglio "due rilasci danno byte diversi"
(cd dist && sha256sum -c --quiet SHA256SUMS) || sbaglio "SHA256SUMS non corrisponde"
deb=$(ls dist/*.deb)
zip=$(ls dist/*.zip)
vsix=$(python3 -c 'import json; m = json.load(open("editor/vscode/package.json")); print(m["name"] + "-" + m["version"] + ".vsix")')

passo "il .deb in una radice di prova"
radice_deb="$lavoro/radice deb"
dpkg -x "$deb" "$radice_deb"
dpkg-deb -c "$deb" | awk '{print $1, $2, $6}'
scenario="$radice_deb/usr/bin/scenario"
"$scenario" --help | grep -q '^Uso: scenario' || sbaglio "aiuto dello strumento installato inatteso"
[ -f "$radice_deb/usr/share/man/man1/scenario.1.gz" ] || sbaglio "manca la pagina di manuale"
[ -f "$radice_deb/usr/share/bash-completion/completions/scenario" ] || sbaglio "manca il completamento"
(cd "$lavoro" && "$scenario" estrai "dal deb" >/dev/null &&
  "$scenario" compila --percorso Corvana_Selvadoro --treno "R 47315" "dal deb" >/dev/null) ||
  sbaglio "lo strumento installato dal .deb non compila"
[ -f "$radice_deb/usr/lib/scenario/$programma" ] && [ -f "$radice_deb/usr/lib/scenario/$programma.exe" ] ||
  sbaglio "mancano i programmi del pacchetto in /usr/lib/scenario"
(cd "$lavoro" && "$scenario" impacchetta --piattaforma entrambe "dal deb" >/dev/null) ||
  sbaglio "lo strumento installato dal .deb non impacchetta"
mkdir "$lavoro/corsa deb"
cp "$lavoro/$programma" "$lavoro/corsa deb/"
(cd "$lavoro/corsa deb" && env -u DISPLAY "./$programma" </dev/null) || sbaglio "il pacchetto fatto dal .deb non riesce"
cmp "$lavoro/corsa deb/$programma.dat" "$lavoro/dal deb/$programma.dat" || sbaglio "il pacchetto fatto dal .deb lascia altri byte"
echo "scenario --help, estrai, compila e impacchetta dallo strumento installato; il pacchetto Linux fatto così va"

passo "l'estensione per VS Code nei due archivi"
vsix_deb="$radice_deb/usr/share/scenario/$vsix"
vsix_zip="$lavoro/$vsix"
python3 - "$zip" "$vsix" "$vsix_zip" <<'FINE' || sbaglio "manca $vsix nel .zip"
import sys, zipfile
archivio, nome, uscita = sys.argv[1:4]
with zipfile.ZipFile(archivio) as z:
    voci = [n for n in z.namelist() if n.count("/") == 1 and n.endswith("/" + nome)]
    if len(voci) != 1:
        sys.exit(1)
    open(uscita, "wb").write(z.read(voci[0]))
FINE
[ -f "$vsix_deb" ] || sbaglio "manca $vsix nel .deb"
cmp "$vsix_deb" "$vsix_zip" || sbaglio "il .deb e il .zip portano estensioni diverse"
python3 strumenti/controlla_vsix.py "$vsix_deb" editor/vscode || sbaglio "$vsix incompleta"
python3 -c 'import sys, zipfile; n = zipfile.ZipFile(sys.argv[1]).namelist(); sys.exit(not any(v.endswith("/descrizioni-notepad++.xml") for v in n))' "$zip" ||
  sbaglio "manca descrizioni-notepad++.xml nel .zip"
echo "$vsix, uguale nei due archivi: $(python3 -c 'import sys, zipfile; print(len(zipfile.ZipFile(sys.argv[1]).namelist()))' "$vsix_deb") voci, tutte quelle che servono"

passo "il .zip in una cartella con spazio e accento, sotto Wine"
cartella="$lavoro/Giochi di prova è"
mkdir -p "$cartella"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$cartella"
dentro=$(ls "$cartella")
cartella="$cartella/$dentro"
ls "$cartella"
leggimi="$cartella/LEGGIMI.txt"
[ "$(grep -c $'\r$' "$leggimi")" = "$(wc -l <"$leggimi")" ] || sbaglio "LEGGIMI.txt senza CR LF a ogni riga"
iconv -f CP1252 -t UTF-8 "$leggimi" | grep -q "c'è bisogno" || sbaglio "LEGGIMI.txt non è in Windows-1252"
# One Wine server for the programs below, its background processes started
# first on output nobody waits for (as in prove_windows.sh).
"${wine[@]}" cmd /c exit </dev/null >/dev/null 2>&1
WINEPREFIX="$prefisso" wineserver --kill 2>/dev/null || true
WINEPREFIX="$prefisso" wineserver --wait 2>/dev/null || true
WINEPREFIX="$prefisso" wineserver --persistent
"${wine[@]}" wineboot </dev/null >/dev/null 2>&1
windows="Z:${cartella//\//\\}"
(cd "$lavoro" && "${wine[@]}" "$cartella/scenario.exe" estrai "$windows\\mio scenario" </dev/null >/dev/null &&
  "${wine[@]}" "$cartella/scenario.exe" compila --percorso Corvana_Selvadoro --treno "R 47315" \
    "$windows\\mio scenario" </dev/null >/dev/null) || sbaglio "scenario.exe non compila"
(cd "$lavoro" && timeout 300 "${wine[@]}" "$cartella/$programma.exe" </dev/null) ||
  sbaglio "il pacchetto finisce con $?"
for f in "Corvana_Selvadoro_linea.dat" "$programma.sim" "$programma.dat"; do
  cmp "$cartella/$f" "$cartella/mio scenario/$f" || sbaglio "$f: il pacchetto e lo strumento differiscono"
done
# scenario.exe packs with the package program beside it: the same bytes as
# the tool of the .deb.
(cd "$lavoro" && "${wine[@]}" "$cartella/scenario.exe" impacchetta -o "$windows\\rifatto.exe" \
  "$windows\\mio scenario" </dev/null >/dev/null) || sbaglio "scenario.exe non impacchetta"
cmp "$cartella/rifatto.exe" "$lavoro/$programma.exe" || sbaglio "scenario.exe e il .deb fanno pacchetti diversi"
# The archive's package carries the shipped scenario as a payload whose
# checksums cover the whole file: a byte changed anywhere is refused.
"$scenario" estrai --da "$cartella/$programma.exe" "$lavoro/dal pacchetto dello zip" >/dev/null ||
  sbaglio "il pacchetto dello .zip non porta lo scenario spedito"
diff -r "$lavoro/dal pacchetto dello zip" "$lavoro/dal deb" -x '*.dat' -x '*.sim' >/dev/null ||
  sbaglio "il pacchetto dello .zip porta testi diversi da quelli spediti"
cp "$cartella/$programma.exe" "$lavoro/guasto.exe"
python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(1000); b = f.read(1); f.seek(1000); f.write(bytes([b[0] ^ 1]))' "$lavoro/guasto.exe"
if "$scenario" estrai --da "$lavoro/guasto.exe" "$lavoro/dal guasto" >/dev/null 2>&1; then
  sbaglio "un pacchetto dello .zip con un byte cambiato è accettato"
fi
rm "$cartella/rifatto.exe"
# And for Linux, with the program the archive carries in linux/.
mkdir "$cartella/entrambe"
(cd "$cartella/entrambe" && "${wine[@]}" "$cartella/scenario.exe" impacchetta --piattaforma entrambe \
  "$windows\mio scenario" </dev/null >/dev/null) || sbaglio "scenario.exe non fa il pacchetto per Linux"
cmp "$cartella/entrambe/$programma" "$lavoro/$programma" || sbaglio "scenario.exe e il .deb fanno pacchetti Linux diversi"
rm -r "$cartella/entrambe"
lasciati=$(find "$cartella" -maxdepth 1 -type f ! -name '*.exe' ! -name '*.vsix' ! -name '*.xml' ! -name LEGGIMI.txt | wc -l)
[ "$lasciati" -eq 6 ] || sbaglio "il pacchetto ha lasciato $lasciati file invece di 6"
echo "scenario.exe e il pacchetto dal .zip: 6 file, binari identici a quelli dello strumento"
echo "prove del rilascio superate"
