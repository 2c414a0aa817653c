# Sourced by the dependency scripts: installa_mancanti [--senza-consigliati]
# PACCHETTO... installs from Debian those of the packages that are missing
# (with Debian's recommendations, unless told otherwise).
installa_mancanti() {
  local opzioni=()
  if [ "${1:-}" = --senza-consigliati ]; then
    opzioni=(--no-install-recommends)
    shift
  fi
  local mancanti=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
  done
  ((${#mancanti[@]})) || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if [ -z "${GARA_APT_AGGIORNATO:-}" ]; then
    $sudo apt-get update -qq
    export GARA_APT_AGGIORNATO=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${opzioni[@]}" "${mancanti[@]}"
}
