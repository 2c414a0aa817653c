#!/usr/bin/env bash
# The Windows executable as a product. Cross-builds everything with
# MinGW-w64 (preset windows) and then, under Wine with its "null" graphics
# driver (windows and message boxes exist as on Windows, with no display):
#  - runs the whole unit test suite;
#  - builds the package a second time in another folder: same bytes;
#  - checks that it is a windowed program needing only Windows' own DLLs;
#  - reads the executable's version record back;
#  - runs the Linux and the Windows package, each in a folder whose path
#    holds spaces and letters beyond ASCII and from another working folder:
#    both end with 0 and leave the same files, byte for byte, and so does
#    a second Windows run over older, longer files;
#  - checks the window's layout and the message box of errore;
#  - the authoring tool scenario.exe: a console program with its version
#    record, reproducible, that in a folder whose path holds a space, an
#    accented letter and a letter beyond Windows-1252 writes the same
#    binaries, JSON, listings and drawing as the Linux tool; and that its
#    preview serves the page there, follows a save, refuses a foreign Host
#    and ends cleanly on Ctrl+C;
#  - scenario impacchetta: the shipped scenario extracted and packed again
#    gives a Linux and a Windows package that leave the shipped package's
#    six files; a changed scenario's packages leave the binaries of
#    `scenario compila` and the documents as given; scenario.exe makes the
#    same bytes as the Linux tool; estrai --da gives the texts back; a
#    package cut short, altered or of a newer format writes nothing, says
#    why (box under Wine, standard error on Linux) and exits with 4.
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$PWD
bash strumenti/dipendenze.sh

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
  echo "prove_windows: $*" >&2
  exit 1
}

passo "compilazione per Windows (MinGW-w64)"
cmake --preset windows >/dev/null
# Wine's prefix first (the build lists the tests under Wine).
"${wine[@]}" cmd /c exit </dev/null >/dev/null 2>&1
cmake --build --preset windows
# One Wine server for the whole run instead of one per program (the build's
# test discovery has made the prefix). Wine's own background processes start
# with the first program and keep its output open as long as the server
# lives: they are started here, on output nobody waits for.
WINEPREFIX="$prefisso" wineserver --kill 2>/dev/null || true
WINEPREFIX="$prefisso" wineserver --persistent
"${wine[@]}" wineboot </dev/null >/dev/null 2>&1

passo "prove di unità sotto Wine"
ctest --preset windows

passo "seconda compilazione del pacchetto: stessi byte"
ripetuta="$radice/build/windows-ripetuta"
cmake --preset windows -B "$ripetuta" -DGARA_TEST=OFF >/dev/null
cmake --build "$ripetuta" --target pacchetto scenario -j2 >/dev/null
exe="build/windows/src/$programma.exe"
for f in "$programma.exe" scenario.exe; do
  cmp "build/windows/src/$f" "$ripetuta/src/$f" || sbaglio "due compilazioni di $f danno byte diversi"
  echo "$(sha256sum <"build/windows/src/$f" | cut -c1-16)…  $f ($(stat -c %s "build/windows/src/$f") byte)"
done

passo "programma a finestre, nessuna DLL oltre quelle di Windows"
intestazione=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$intestazione" || sbaglio "non è un programma a finestre"
dll=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$intestazione" | tr '[:upper:]' '[:lower:]' | sort -u)
echo $dll
for d in $dll; do
  case $d in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | shell32.dll) ;;
    *) sbaglio "l'eseguibile ha bisogno di $d" ;;
  esac
done

passo "record di versione"
versione=$("${wine[@]}" build/windows/tests/aiuto_win32.exe versione "$radice/$exe" | tr -d '\r')
echo "$versione"
[ "$versione" = $'fissa 1.0.0.0\nlingua 1040 codepage 1252\nversione 1.00\nprodotto '"$programma" ] ||
  sbaglio "record di versione inatteso"

passo "pacchetto Linux e pacchetto Windows: stessi file, stessi byte"
cmake --preset default >/dev/null
cmake --build --preset default --target pacchetto >/dev/null
cartella_linux="$lavoro/Linux, cartella con spazi àèìòù"
cartella_windows="$lavoro/Windows, cartella con spazi àèìòù"
mkdir -p "$cartella_linux" "$cartella_windows" "$lavoro/altrove"
cp "build/default/src/$programma" "$cartella_linux/"
cp "$exe" "$cartella_windows/"
# Started from another folder: the files go into the program's own folder.
(cd "$lavoro/altrove" && env -u DISPLAY "$cartella_linux/$programma" </dev/null) ||
  sbaglio "il pacchetto Linux finisce con $?"
(cd "$lavoro/altrove" && timeout 300 "${wine[@]}" "$cartella_windows/$programma.exe" </dev/null) ||
  sbaglio "il pacchetto Windows finisce con $?"
[ -z "$(ls -A "$lavoro/altrove")" ] || sbaglio "file lasciati fuori dalla cartella del programma"
impronte() { (cd "$1" && find . -maxdepth 1 -type f ! -name "$programma" ! -name "$programma.exe" -print0 |
  sort -z | xargs -0 sha256sum); }
impronte "$cartella_linux" >"$lavoro/linux.sha256"
impronte "$cartella_windows" >"$lavoro/windows.sha256"
cat "$lavoro/linux.sha256"
[ -s "$lavoro/linux.sha256" ] || sbaglio "il pacchetto Linux non ha lasciato file"
diff "$lavoro/linux.sha256" "$lavoro/windows.sha256" || sbaglio "i file dei due pacchetti differiscono"
echo "$(wc -l <"$lavoro/linux.sha256") file identici"
# A second run over older, longer files of the same names replaces them whole.
while read -r _ nome; do
  head -c 2000000 /dev/zero | tr '\0' 'U' >"$cartella_windows/$nome"
done <"$lavoro/linux.sha256"
(cd "$lavoro/altrove" && timeout 300 "${wine[@]}" "$cartella_windows/$programma.exe" </dev/null) ||
  sbaglio "la seconda esecuzione del pacchetto Windows finisce con $?"
impronte "$cartella_windows" >"$lavoro/windows.sha256"
diff "$lavoro/linux.sha256" "$lavoro/windows.sha256" || sbaglio "la seconda esecuzione lascia altri byte"
echo "seconda esecuzione sopra file più lunghi: stessi byte"

passo "strumento scenario.exe: programma a console, record di versione"
strumento_exe="build/windows/src/scenario.exe"
intestazione=$(x86_64-w64-mingw32-objdump -p "$strumento_exe")
grep -q 'Subsystem.*(Windows CUI)' <<<"$intestazione" || sbaglio "scenario.exe non è un programma a console"
dll=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$intestazione" | tr '[:upper:]' '[:lower:]' | sort -u)
echo $dll
for d in $dll; do
  # Windows' own libraries only; ws2_32 is its sockets, for the preview.
  case $d in
    kernel32.dll | msvcrt.dll | shell32.dll | advapi32.dll | ws2_32.dll) ;;
    *) sbaglio "scenario.exe ha bisogno di $d" ;;
  esac
done
versione=$("${wine[@]}" build/windows/tests/aiuto_win32.exe versione "$radice/$strumento_exe" | tr -d '\r')
echo "$versione"
[ "$versione" = $'fissa 1.0.0.0\nlingua 1040 codepage 1252\nversione 1.00\nprodotto scenario' ] ||
  sbaglio "record di versione di scenario.exe inatteso"

passo "strumento Linux e scenario.exe sotto Wine: stessi byte"
cmake --build --preset default --target scenario >/dev/null
# A space, accented letters and a letter beyond Windows-1252 in the path;
# scenario.exe is given it as a Windows path (drive Z: is the Unix root).
nome_cartella="Strumento, cartella con spazi àèìòù ł"
confronto() {
  local qui="$lavoro/$1/$nome_cartella" cartella uscite=0
  mkdir -p "$qui"
  if [ "$1" = linux ]; then
    scenario=("$radice/build/default/src/scenario")
    cartella="$qui"
  else
    scenario=("${wine[@]}" "$radice/$strumento_exe")
    cartella="Z:${qui//\//\\}"
  fi
  cd "$lavoro/altrove"
  # Output into files, and the JSON of compila through a pipe.
  {
    "${scenario[@]}" estrai "$cartella/mio scenario" >"$qui/estrai.txt" &&
      "${scenario[@]}" compila --json --percorso Corvana_Selvadoro --treno "R 47315" \
        "$cartella/mio scenario" | cat >"$qui/compila.json" &&
      "${scenario[@]}" disegna --percorso Corvana_Selvadoro --treno "R 47315" -o "$cartella/linea ł.svg" \
        "$cartella/mio scenario" >/dev/null &&
      "${scenario[@]}" --help >"$qui/aiuto.txt"
  } </dev/null || uscite=$?
  for f in "Corvana_Selvadoro_linea.dat" "Corvana_Selvadoro_R 47315.sim" "Corvana_Selvadoro_R 47315.dat"; do
    "${scenario[@]}" mostra "$cartella/mio scenario/$f" >"$qui/mostra $f.txt" </dev/null || uscite=$?
    "${scenario[@]}" mostra --json "$cartella/mio scenario/$f" >"$qui/mostra $f.json" </dev/null || uscite=$?
  done
  # An error goes to standard error, in Italian, with status 3.
  local stato=0
  "${scenario[@]}" mostra "$cartella/non c'è.sim" 2>"$qui/errore.txt" </dev/null || stato=$?
  [ "$stato" -eq 3 ] || uscite=1
  cd "$radice"
  return "$uscite"
}
confronto linux || sbaglio "lo strumento Linux non riesce"
confronto windows || sbaglio "scenario.exe non riesce sotto Wine"
linux="$lavoro/linux/$nome_cartella"
windows="$lavoro/windows/$nome_cartella"
# The error names the path as each system writes it: compared without it.
sed -i "s|\"[^\"]*non c'è.sim\"|FILE|" "$linux/errore.txt" "$windows/errore.txt"
# The message of estrai and the listings' first lines name the folder,
# likewise.
sed -i '1d' "$linux/estrai.txt" "$windows/estrai.txt"
sed -i '1s|"[^"]*mio scenario/|"|' "$linux"/mostra*.txt "$windows"/mostra*.txt
diff -r "$linux" "$windows" || sbaglio "scenario.exe e lo strumento Linux danno byte diversi"
for f in "$windows"/*.json; do
  python3 -c 'import json,sys; json.load(open(sys.argv[1], encoding="utf-8"))' "$f" ||
    sbaglio "JSON non valido: $f"
done
echo "$(find "$windows" -type f | wc -l) file identici (binari, JSON, elenchi, SVG, aiuto, errore)"

passo "scenario.exe anteprima sotto Wine: la pagina, un salvataggio, un Host estraneo, Ctrl+C"
# In a session of its own, so that Ctrl+C (SIGINT) reaches the program
# through Wine and nothing else.
cartella_anteprima="$windows/mio scenario"
setsid "${wine[@]}" "$radice/$strumento_exe" anteprima "Z:${cartella_anteprima//\//\\}" \
  >"$lavoro/anteprima.txt" 2>&1 </dev/null &
servizio=$!
for _ in $(seq 1 200); do
  grep -q '^http' "$lavoro/anteprima.txt" && break
  sleep 0.3
done
indirizzo=$(head -1 "$lavoro/anteprima.txt" | tr -d '\r')
[[ $indirizzo =~ ^http://127\.0\.0\.1:[0-9]+/$ ]] || sbaglio "anteprima: prima riga inattesa: $indirizzo"
# Read whole before looking into it (grep -q would cut curl short).
pagina=$(curl -sf "$indirizzo") || sbaglio "anteprima: nessuna pagina"
[[ $pagina == *'<html lang="it">'* ]] || sbaglio "anteprima: pagina inattesa"
cella=$(curl -sf "${indirizzo}ispeziona/15500") || sbaglio "anteprima: ispettore muto"
[[ $cella == *'"cella":311'* ]] || sbaglio "anteprima: ispettore inatteso: $cella"
for richiesta in "-H Host:esempio.invalid $indirizzo" "--path-as-is ${indirizzo}../x" "${indirizzo}%2e%2e/x"; do
  # shellcheck disable=SC2086
  stato=$(curl -s -o /dev/null -w '%{http_code}' $richiesta)
  [[ $stato == 4?? ]] || sbaglio "anteprima: $richiesta risponde $stato"
done
timeout 20 curl -sN "${indirizzo}eventi" >"$lavoro/eventi.txt" &
eventi=$!
sleep 1
sed -i 's/GINOSA/GINOSA SOTTO WINE/' "$cartella_anteprima/Corvana_Selvadoro_R 47315-.txt"
for _ in $(seq 1 50); do
  grep -q 'GINOSA SOTTO WINE' "$lavoro/eventi.txt" && break
  sleep 0.2
done
grep -q 'GINOSA SOTTO WINE' "$lavoro/eventi.txt" || sbaglio "anteprima: il salvataggio non arriva alla pagina"
kill "$eventi" 2>/dev/null || true
kill -INT -- "-$servizio"
stato=0
wait "$servizio" || stato=$?
[ "$stato" -eq 0 ] || sbaglio "anteprima: dopo Ctrl+C finisce con $stato"
grep -q 'Anteprima terminata.' "$lavoro/anteprima.txt" || sbaglio "anteprima: non termina in ordine"
echo "pagina servita da scenario.exe, salvataggio seguito, richieste ostili rifiutate, Ctrl+C"

passo "scenario.exe in una console: lettere accentate giuste"
# On a terminal Wine gives the program a console; what the program writes
# there reaches the terminal converted to UTF-8 (script gives the terminal).
script -qec "$(printf '%q ' "${wine[@]}" "$radice/$strumento_exe" estrai --help)" /dev/null \
  </dev/null >"$lavoro/console.txt" 2>&1 || sbaglio "scenario.exe --help in una console non riesce"
grep -qa "già presenti" "$lavoro/console.txt" || sbaglio "la console non mostra \"già\": $(grep -a presenti "$lavoro/console.txt")"
echo "\"già presenti\" letto nella console"

passo "impacchetta: lo scenario spedito, estratto e impacchettato di nuovo"
cmake --build --preset default --target scenario programma_windows >/dev/null
scenario_linux="$radice/build/default/src/scenario"
imp="$lavoro/impacchetta con spazi è"
mkdir -p "$imp"
corri_linux() { # PACCHETTO CARTELLA: the package alone in an empty folder
  mkdir -p "$2" && cp "$1" "$2/" && (cd "$lavoro/altrove" && env -u DISPLAY "$2/$(basename "$1")" </dev/null)
}
corri_windows() {
  mkdir -p "$2" && cp "$1" "$2/" && (cd "$lavoro/altrove" && timeout 300 "${wine[@]}" "$2/$(basename "$1")" </dev/null)
}
impronte_tranne() { (cd "$1" && find . -maxdepth 1 -type f ! -name "$2" -print0 | sort -z | xargs -0 sha256sum); }
(cd "$imp" && "$scenario_linux" estrai spedito >/dev/null &&
  "$scenario_linux" impacchetta --piattaforma entrambe spedito) || sbaglio "impacchetta dello scenario spedito non riesce"
corri_linux "$imp/$programma" "$imp/corsa linux" || sbaglio "il pacchetto Linux rifatto finisce con $?"
corri_windows "$imp/$programma.exe" "$imp/corsa windows" || sbaglio "il pacchetto Windows rifatto finisce con $?"
impronte_tranne "$imp/corsa linux" "$programma" | diff - "$lavoro/linux.sha256" || sbaglio "il pacchetto Linux rifatto lascia altri file"
impronte_tranne "$imp/corsa windows" "$programma.exe" | diff - "$lavoro/linux.sha256" || sbaglio "il pacchetto Windows rifatto lascia altri file"
echo "pacchetti rifatti, Linux e Windows: gli stessi $(wc -l <"$lavoro/linux.sha256") file del pacchetto spedito"

passo "impacchetta: uno scenario cambiato (nome, stazione, segnale, note)"
nuovo="Linea_Città_R 100"
(cd "$imp" && "$scenario_linux" estrai --percorso "Linea_Città" --treno "R 100" mio >/dev/null) || sbaglio "estrai non riesce"
python3 - "$imp/mio" <<'FINE'
import os, sys
c = sys.argv[1]
t = os.path.join(c, "Linea_Città_R 100-.txt")
b = open(t, "rb").read().replace(b"GINOSA", b"GINESTRA")
s = b"segnale,   24800,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
assert s in b
open(t, "wb").write(b.replace(s, s + b"segnale,   30500,   1, 3, 1,  0, 0,    0,  0,0,0, 0\r\n"))
n = os.path.join(c, "Linea_Città_R 100_note.txt")
open(n, "ab").write(b"Nota dell\x92autore, con LF soltanto\nriferimento fine del file\n" + b"riga\r\n" * 1200 + b"fine senza a capo")
FINE
(cd "$imp" && "$scenario_linux" compila mio >/dev/null) || sbaglio "compila dello scenario cambiato non riesce"
(cd "$imp" && "$scenario_linux" impacchetta --piattaforma entrambe mio >/dev/null) || sbaglio "impacchetta dello scenario cambiato non riesce"
# scenario.exe makes the same Windows package, finding the program beside it.
mkdir -p "$imp/da windows"
(cd "$imp/da windows" && "${wine[@]}" "$radice/$strumento_exe" impacchetta "..\\mio" </dev/null >/dev/null) ||
  sbaglio "scenario.exe impacchetta non riesce"
cmp "$imp/da windows/$nuovo.exe" "$imp/$nuovo.exe" || sbaglio "scenario.exe e lo strumento Linux fanno pacchetti diversi"
corri_linux "$imp/$nuovo" "$imp/nuovo linux" || sbaglio "il pacchetto Linux dello scenario cambiato finisce con $?"
corri_windows "$imp/$nuovo.exe" "$imp/nuovo windows" || sbaglio "il pacchetto Windows dello scenario cambiato finisce con $?"
(cd "$imp/mio" && find . -maxdepth 1 -type f ! -name '*_linea.txt' ! -name '*-.txt' -print0 | sort -z | xargs -0 sha256sum) >"$lavoro/atteso.sha256"
impronte_tranne "$imp/nuovo linux" "$nuovo" | diff - "$lavoro/atteso.sha256" || sbaglio "il pacchetto Linux non lascia ciò che dà compila"
impronte_tranne "$imp/nuovo windows" "$nuovo.exe" | diff - "$lavoro/atteso.sha256" || sbaglio "il pacchetto Windows non lascia ciò che dà compila"
echo "pacchetti dello scenario cambiato: i binari di compila e i documenti dati, su Linux e sotto Wine; scenario.exe fa gli stessi byte"
(cd "$imp" && "${wine[@]}" "$radice/$strumento_exe" estrai --da "$nuovo.exe" ripreso </dev/null >/dev/null) ||
  sbaglio "scenario.exe estrai --da non riesce"
for f in "$imp/ripreso"/*; do
  cmp "$f" "$imp/mio/$(basename "$f")" || sbaglio "estrai --da: $(basename "$f") diverso"
done
[ "$(ls "$imp/ripreso" | wc -l)" -eq 5 ] || sbaglio "estrai --da non dà cinque testi"
echo "estrai --da del pacchetto Windows: i cinque testi dati"

passo "impacchetta: pacchetti danneggiati, su Linux e sotto Wine"
python3 - "$imp/$nuovo" "$imp/$nuovo.exe" "$imp/danneggiati" <<'FINE'
import os, struct, sys, zlib
os.makedirs(sys.argv[3])
for origine, coda in ((sys.argv[1], ""), (sys.argv[2], ".exe")):
    b = open(origine, "rb").read()
    i = b.rindex(b"GARASCN\x1a")  # the payload's mark; the program holds one too
    girato = bytearray(b); girato[i + 3000] ^= 1
    versione = bytearray(b); versione[i + 8] = 99  # a format from the future
    versione[-4:] = struct.pack("<I", zlib.crc32(bytes(versione[i:-4])))
    # A damaged download that hit the program, not the payload: a byte of
    # the shipped notes the program carries, data a package with a payload
    # never uses (so the damage cannot stop the program before its check).
    programma = bytearray(b); programma[b.index("Lo scenario è tutto in piano".encode())] ^= 1
    for nome, dati in (("troncato", b[:-100]), ("alterato", bytes(girato)), ("versione", bytes(versione)),
                       ("programma", bytes(programma))):
        os.makedirs(os.path.join(sys.argv[3], nome + coda))
        f = os.path.join(sys.argv[3], nome + coda, "Danneggiato" + coda)
        open(f, "wb").write(dati)
        os.chmod(f, 0o755)
FINE
for caso in "troncato:troncato" "alterato:alterati" "versione:più recente" "programma:il programma è alterato"; do
  nome=${caso%%:*} detto=${caso#*:}
  stato=0
  (cd "$lavoro/altrove" && env -u DISPLAY "$imp/danneggiati/$nome/Danneggiato" 2>"$lavoro/errore.txt" </dev/null) || stato=$?
  [ "$stato" -eq 4 ] || sbaglio "Linux, $nome: stato $stato invece di 4"
  grep -q "$detto" "$lavoro/errore.txt" || sbaglio "Linux, $nome: $(cat "$lavoro/errore.txt")"
  [ "$(ls "$imp/danneggiati/$nome")" = Danneggiato ] || sbaglio "Linux, $nome: file scritti"
  echo "Linux, $nome: stato 4, $(cat "$lavoro/errore.txt")"
  (
    stato=0
    timeout 120 "${wine[@]}" "$imp/danneggiati/$nome.exe/Danneggiato.exe" </dev/null 2>/dev/null || stato=$?
    echo "$stato" >"$lavoro/stato_danneggiato"
  ) &
  scatola=$!
  timeout 120 "${wine[@]}" build/windows/tests/aiuto_win32.exe premi_ok "Danneggiato" "" 60 </dev/null |
    tr -d '\r' >"$lavoro/scatola.txt" || true
  wait "$scatola"
  stato=$(cat "$lavoro/stato_danneggiato")
  [ "$stato" -eq 4 ] || sbaglio "Windows, $nome: stato $stato invece di 4 ($(cat "$lavoro/scatola.txt"))"
  grep -q "$detto" "$lavoro/scatola.txt" || sbaglio "Windows, $nome: $(cat "$lavoro/scatola.txt")"
  [ "$(ls "$imp/danneggiati/$nome.exe")" = Danneggiato.exe ] || sbaglio "Windows, $nome: file scritti"
  echo "Windows, $nome: stato 4, $(grep '^testo' "$lavoro/scatola.txt")"
done

passo "finestra Form1 sotto Wine"
"${wine[@]}" build/windows/tests/prova_piattaforma.exe finestra 60 &
mostra=$!
descrizione=$("${wine[@]}" build/windows/tests/aiuto_win32.exe finestra "$programma" 60 | tr -d '\r')
kill "$mostra" 2>/dev/null || true
wait "$mostra" 2>/dev/null || true
echo "$descrizione"
[ "$descrizione" = $'area 280 179\nStatic 64 64 177 53 [Attendere]' ] || sbaglio "finestra inattesa"

passo "errore 1250 sotto Wine: il messaggio, OK, la fine"
(
  stato=0
  timeout 120 "${wine[@]}" build/windows/tests/prova_piattaforma.exe errore 1250 || stato=$?
  echo "$stato" >"$lavoro/stato_errore"
) &
scatola=$!
premuto=0
timeout 120 "${wine[@]}" build/windows/tests/aiuto_win32.exe premi_ok "$programma" " Errore n. 1250" 60 |
  tr -d '\r' || premuto=$?
wait "$scatola"
stato=$(cat "$lavoro/stato_errore")
echo "stato di uscita dopo OK: $stato"
[ "$premuto" -eq 0 ] || sbaglio "la finestra di messaggio non è quella attesa"
[ "$stato" -eq 2 ] || sbaglio "dopo OK il programma finisce con $stato invece di 2"
echo "prove Windows superate"
