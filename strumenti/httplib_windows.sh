#!/usr/bin/env bash
# The Windows build of the tool takes cpp-httplib as one header. Debian's
# libcpp-httplib-dev ships it split, a header of declarations and a shared
# library for Linux, so the whole header comes from Debian's source package
# of the very version installed, with Debian's own patches applied. It is
# fetched with apt-get source through a private copy of the system's apt
# sources turned into source entries: the system's apt configuration is
# left as it is. Leaves build/httplib_windows/httplib.h (the cross build's
# GARA_HTTPLIB_WINDOWS); does nothing when that is already the header of
# the installed version.
set -euo pipefail
cd "$(dirname "$0")/.."
destinazione=$PWD/build/httplib_windows
versione=$(dpkg-query -W -f='${Version}' libcpp-httplib-dev)
if [ -f "$destinazione/httplib.h" ] && [ "$(cat "$destinazione/versione" 2>/dev/null)" = "$versione" ]; then
  exit 0
fi
source strumenti/installa_mancanti.sh
installa_mancanti --senza-consigliati dpkg-dev

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
mkdir -p "$lavoro/fonti" "$lavoro/liste/partial" "$lavoro/cache/archives/partial"
# The system's own archives, as source entries (both apt formats).
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$lavoro/fonti/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$lavoro/sources.list"
else
  : >"$lavoro/sources.list"
fi
apt_privato=(-o "Dir::Etc::SourceList=$lavoro/sources.list" -o "Dir::Etc::SourceParts=$lavoro/fonti"
             -o "Dir::State::Lists=$lavoro/liste" -o "Dir::Cache=$lavoro/cache" -o "APT::Sandbox::User=root")
apt-get "${apt_privato[@]}" update -qq
(cd "$lavoro" && apt-get "${apt_privato[@]}" source --download-only -qq "cpp-httplib=$versione")
dpkg-source --no-check -x "$lavoro"/cpp-httplib_*.dsc "$lavoro/sorgente" >/dev/null
mkdir -p "$destinazione"
cp "$lavoro/sorgente/httplib.h" "$destinazione/httplib.h"
echo "$versione" >"$destinazione/versione"
echo "cpp-httplib $versione per la compilazione Windows: $destinazione/httplib.h"
