# Completion of `scenario` for bash: subcommands, then each subcommand's
# options; file and folder names wherever the tool takes one.
_scenario() {
  local parola=${COMP_WORDS[COMP_CWORD]} prima=${COMP_WORDS[COMP_CWORD - 1]}
  local sottocomandi="estrai compila verifica orario mostra disegna impacchetta anteprima lsp"
  local sottocomando="" i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case " $sottocomandi " in
      *" ${COMP_WORDS[i]} "*)
        sottocomando=${COMP_WORDS[i]}
        break
        ;;
    esac
  done
  if [ -z "$sottocomando" ]; then
    COMPREPLY=($(compgen -W "$sottocomandi -h --help -V --version" -- "$parola"))
    return
  fi
  case $prima in
    --percorso | --treno | --porta) return ;;
    --formato)
      if [ "$sottocomando" = orario ]; then
        COMPREPLY=($(compgen -W "testo json" -- "$parola"))
      else
        COMPREPLY=($(compgen -W "testo json sarif" -- "$parola"))
      fi
      return
      ;;
    --massimo | --velocita-massima | --massa-frenata | --potenza | --massa-aderente | --resistenza-[abc] | --margine) return ;;
    --rango)
      COMPREPLY=($(compgen -W "A B C" -- "$parola"))
      return
      ;;
    --piattaforma)
      COMPREPLY=($(compgen -W "windows linux entrambe" -- "$parola"))
      return
      ;;
    --da)
      COMPREPLY=($(compgen -f -- "$parola"))
      return
      ;;
    --uscita)
      COMPREPLY=($(compgen -d -- "$parola"))
      return
      ;;
    -o | --output)
      if [ "$sottocomando" = impacchetta ]; then
        COMPREPLY=($(compgen -f -- "$parola"))
      else
        COMPREPLY=($(compgen -f -X '!*.svg' -- "$parola") $(compgen -d -- "$parola"))
      fi
      return
      ;;
  esac
  local opzioni
  case $sottocomando in
    estrai) opzioni="--percorso --treno --sovrascrivi --da" ;;
    compila) opzioni="--percorso --treno --senza-tracciato --uscita --json --fedele" ;;
    verifica) opzioni="--percorso --treno --senza-tracciato --formato --severo --massimo --elenco" ;;
    orario) opzioni="--percorso --treno --formato --rango --velocita-massima --massa-frenata --potenza --massa-aderente --resistenza-a --resistenza-b --resistenza-c --margine --severo --massimo" ;;
    mostra) opzioni="--json" ;;
    disegna) opzioni="--percorso --treno -o --output" ;;
    impacchetta) opzioni="--percorso --treno --piattaforma -o --output --forza" ;;
    anteprima) opzioni="--percorso --treno --porta --apri" ;;
    lsp) opzioni="--stdio" ;;
  esac
  if [[ $parola == -* ]]; then
    COMPREPLY=($(compgen -W "$opzioni -h --help" -- "$parola"))
  elif [ "$sottocomando" = mostra ]; then
    COMPREPLY=($(compgen -f -X '!*.dat' -- "$parola") $(compgen -f -X '!*.sim' -- "$parola")
      $(compgen -d -- "$parola"))
  else
    COMPREPLY=($(compgen -d -- "$parola"))
  fi
}
complete -o filenames -F _scenario scenario scenario.exe
