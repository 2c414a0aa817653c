#!/usr/bin/env bash
# What the user sees, on a virtual screen (Xvfb): the window Form1 of the
# Linux build and of the Windows build under Wine (its X11 driver), each
# photographed while it is up and read back with OCR, and the message box
# of errore on Linux, answered with OK as a user would.
# Uses the test program prova_piattaforma of both builds (strumenti/prove.sh
# and strumenti/prove_windows.sh build them; they are built here if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$PWD
bash strumenti/dipendenze.sh

programma="Corvana_Selvadoro_R 47315"
prefisso="$radice/build/windows/wine-x11"
wine=("$radice/cmake/wine.sh" "$prefisso")
export GARA_WINE_GRAFICA=x11
lavoro=$(mktemp -d)
xvfb=
fine() {
  [ -d "$prefisso" ] && WINEPREFIX="$prefisso" wineserver --kill 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$lavoro"
}
trap fine EXIT
passo() { echo "== $*"; }
sbaglio() {
  echo "prove_schermo: $*" >&2
  exit 1
}

cmake --preset default >/dev/null
cmake --build --preset default --target prova_piattaforma >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target prova_piattaforma aiuto_win32 >/dev/null
linux="build/default/tests/prova_piattaforma"
windows="build/windows/tests/prova_piattaforma.exe"
aiuto="build/windows/tests/aiuto_win32.exe"

# A screen of its own, on the first free display number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$lavoro/schermo" 2>"$lavoro/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$lavoro/schermo" ] && break; sleep 0.1; done
[ -s "$lavoro/schermo" ] || sbaglio "Xvfb non parte: $(cat "$lavoro/xvfb.log")"
export DISPLAY=":$(cat "$lavoro/schermo")"

# The X windows that show the title, once there are at least $1 of them
# (at most 60 seconds).
finestre() {
  local elenco=""
  for _ in $(seq 600); do
    elenco=$(xdotool search --onlyvisible --name "^$programma\$" 2>/dev/null || true)
    [ "$(printf '%s' "$elenco" | grep -c .)" -ge "$1" ] && break
    sleep 0.1
  done
  printf '%s\n' "$elenco"
}

# Photographs one X window and reads its text (enlarged for the OCR), until
# every pattern given is there: a window just mapped may not be painted yet
# (at most 10 seconds). Prints the last reading.
leggi() {
  local id=$1 testo="" p tutti
  shift
  for _ in $(seq 40); do
    import -window "$id" -resize 300% "$lavoro/foto.png"
    testo=$(tesseract "$lavoro/foto.png" - 2>/dev/null | tr -s ' \n' ' ')
    tutti=1
    for p in "$@"; do [[ $testo == *"$p"* ]] || tutti=0; done
    [ "$tutti" -eq 1 ] && break
    sleep 0.25
  done
  printf '%s' "$testo"
}

# Client size of an X window, "WxH".
dimensioni() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }

controlla_finestra() {
  local id=$1 nome=$2 testo
  [ -n "$id" ] || sbaglio "$nome: nessuna finestra"
  echo "$nome: area $(dimensioni "$id")"
  [ "$(dimensioni "$id")" = 280x179 ] || sbaglio "$nome: area diversa da 280x179"
  testo=$(leggi "$id" Attendere)
  echo "$nome: si legge \"$testo\""
  [[ $testo == *Attendere* ]] || sbaglio "$nome: \"Attendere\" non si legge"
}

passo "finestra Form1, Linux"
"$linux" finestra 60 &
mostra=$!
controlla_finestra "$(finestre 1 | head -n 1)" Linux
kill "$mostra"
wait "$mostra" 2>/dev/null || true

passo "errore 1250, Linux: il messaggio, OK, la fine"
(
  stato=0
  timeout 120 "$linux" errore 1250 || stato=$?
  echo "$stato" >"$lavoro/stato_errore"
) &
scatola=$!
# The box comes after the window; it is the one that is not 280 x 179.
id_scatola=""
for id in $(finestre 2); do
  [ "$(dimensioni "$id")" = 280x179 ] || id_scatola=$id
done
[ -n "$id_scatola" ] || sbaglio "nessuna finestra di messaggio"
testo=$(leggi "$id_scatola" "Errore n. 1250" OK)
echo "si legge \"$testo\""
xdotool windowfocus "$id_scatola"
xdotool key Return
wait "$scatola"
stato=$(cat "$lavoro/stato_errore")
echo "stato di uscita dopo OK: $stato"
[[ $testo == *"Errore n. 1250"* && $testo == *OK* ]] || sbaglio "messaggio inatteso"
[ "$stato" -eq 2 ] || sbaglio "dopo OK il programma finisce con $stato invece di 2"

passo "finestra Form1, Windows sotto Wine"
# One Wine server for these checks; Wine's own background processes start
# with the first program and keep its output open as long as the server
# lives: they are started here, on output nobody waits for.
"${wine[@]}" cmd /c exit </dev/null >/dev/null 2>&1
WINEPREFIX="$prefisso" wineserver --kill 2>/dev/null || true
WINEPREFIX="$prefisso" wineserver --persistent
"${wine[@]}" wineboot </dev/null >/dev/null 2>&1
"${wine[@]}" "$windows" finestra 60 &
mostra=$!
descrizione=$("${wine[@]}" "$aiuto" finestra "$programma" 60 | tr -d '\r')
echo "$descrizione"
[ "$descrizione" = $'area 280 179\nStatic 64 64 177 53 [Attendere]' ] || sbaglio "finestra inattesa"
controlla_finestra "$(finestre 1 | head -n 1)" Windows
kill "$mostra"
wait "$mostra" 2>/dev/null || true
echo "prove dello schermo superate"
