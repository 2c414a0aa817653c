#!/usr/bin/env bash
# `cmake --install` of a native build into a scratch prefix, then what a
# user finds there: the tool runs (help, a compile), the package sits in
# lib/scenario/, the manual page renders with man without a warning and
# names every subcommand and option of the tool's own help, and the bash
# completion offers the subcommands and exactly each one's options.
#   prova_installazione.sh CARTELLA_DI_COMPILAZIONE
set -euo pipefail
compilazione=$1
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
sbaglio() {
  echo "prova_installazione: $*" >&2
  exit 1
}
radice="$lavoro/radice con spazio è"
cmake --install "$compilazione" --prefix "$radice" >/dev/null
scenario="$radice/bin/scenario"
for f in bin/scenario "lib/scenario/Corvana_Selvadoro_R 47315" share/man/man1/scenario.1 \
  share/bash-completion/completions/scenario; do
  [ -f "$radice/$f" ] || sbaglio "manca $f"
done

# The installed tool works on its own.
"$scenario" --help | grep -q '^Uso: scenario' || sbaglio "aiuto inatteso"
(cd "$lavoro" && "$scenario" estrai "mio scenario" >/dev/null &&
  "$scenario" compila --percorso Corvana_Selvadoro --treno "R 47315" "mio scenario" >/dev/null) ||
  sbaglio "estrai e compila dello strumento installato non riescono"
[ -s "$lavoro/mio scenario/Corvana_Selvadoro_R 47315.sim" ] || sbaglio "nessun binario compilato"

# The installed tool finds the installed package program and packs with it;
# the package it makes runs and leaves the same binaries.
(cd "$lavoro" && SCENARIO_PACCHETTI= "$scenario" impacchetta --piattaforma linux -o "fatto qui" "mio scenario" >/dev/null) ||
  sbaglio "impacchetta dello strumento installato non riesce"
mkdir "$lavoro/corsa"
cp "$lavoro/fatto qui" "$lavoro/corsa/"
(cd "$lavoro/corsa" && env -u DISPLAY "./fatto qui") || sbaglio "il pacchetto fatto dallo strumento installato non riesce"
cmp "$lavoro/corsa/Corvana_Selvadoro_R 47315.dat" "$lavoro/mio scenario/Corvana_Selvadoro_R 47315.dat" ||
  sbaglio "il pacchetto fatto dallo strumento installato lascia altri byte"
# The Windows package beside it, when the build with the preset windows
# has made one; the installed tool packs for Windows with it.
finestre=$(sed -n 's/^GARA_PACCHETTO_WINDOWS:FILEPATH=//p' "$compilazione/CMakeCache.txt")
if [ -n "$finestre" ] && [ -f "$finestre" ]; then
  cmp "$finestre" "$radice/lib/scenario/Corvana_Selvadoro_R 47315.exe" || sbaglio "il pacchetto per Windows non è installato"
  (cd "$lavoro" && SCENARIO_PACCHETTI= "$scenario" impacchetta "mio scenario" >/dev/null) ||
    sbaglio "impacchetta per Windows dello strumento installato non riesce"
  [ -s "$lavoro/Corvana_Selvadoro_R 47315.exe" ] || sbaglio "nessun pacchetto per Windows"
fi

# The manual page.
pagina=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$radice/share/man/man1/scenario.1" 2>"$lavoro/avvisi")
[ ! -s "$lavoro/avvisi" ] || sbaglio "man avvisa: $(cat "$lavoro/avvisi")"
grep -q '^SCENARIO(1)' <<<"$pagina" || sbaglio "la pagina non si intitola SCENARIO(1)"
grep -q 'lo strumento per gli autori di scenari' <<<"$pagina" || sbaglio "accenti o testo persi"

# The completion, against the help of each subcommand.
source "$radice/share/bash-completion/completions/scenario"
completa() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _scenario
  printf '%s\n' "${COMPREPLY[@]}" | sort
}
[ "$(completa scenario co)" = compila ] || sbaglio "completamento dei sottocomandi: $(completa scenario co)"
for sottocomando in estrai compila verifica orario mostra disegna impacchetta; do
  grep -qw -- "$sottocomando" <<<"$pagina" || sbaglio "la pagina non nomina $sottocomando"
  # The options are the lines of the section Opzioni that begin with "  -".
  aiuto=$("$scenario" "$sottocomando" --help | sed -n '/^Opzioni:/,/^$/s/^  \(-[^ ]*\).*/\1/p' |
    tr ',' '\n' | sort -u)
  for opzione in $aiuto; do
    grep -qF -- "${opzione//-/\\-}" "$radice/share/man/man1/scenario.1" ||
      sbaglio "la pagina non spiega $opzione di $sottocomando"
  done
  offerte=$(completa scenario "$sottocomando" -)
  [ "$offerte" = "$aiuto" ] ||
    sbaglio "completamento di $sottocomando: $(echo $offerte) invece di $(echo $aiuto)"
done
echo "installazione: strumento, pacchetto, pagina di manuale e completamento a posto"
