#!/usr/bin/env bash
# Runs a Windows program under Wine, in the prefix given as the first
# argument: wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]. It is the emulator of
# the cross build (preset windows) and of the Windows checks.
#
# A missing prefix is made here, without any question to a user (no Mono or
# Gecko installers). Wine's graphics driver is "null" unless
# GARA_WINE_GRAFICA says otherwise: windows and message boxes then exist and
# behave as on Windows without any display. With GARA_WINE_GRAFICA=x11 (and
# DISPLAY set) the program draws on the X server.
set -euo pipefail
prefisso=$(realpath -m "$1")
shift
export WINEPREFIX=$prefisso
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Unix file names are UTF-8: folder names with letters beyond ASCII reach
# the program unchanged whatever the caller's locale.
export LC_ALL=C.UTF-8
grafica=${GARA_WINE_GRAFICA:-null}

mkdir -p "$WINEPREFIX"
# Several tests may start at once: one of them makes the prefix or changes
# the driver, the others wait for it.
(
  flock 9
  if [ ! -f "$WINEPREFIX/.gara-pronto" ]; then
    DISPLAY='' wineboot --init >/dev/null 2>&1
    wineserver --wait
    touch "$WINEPREFIX/.gara-pronto"
  fi
  if [ "$(cat "$WINEPREFIX/.gara-grafica" 2>/dev/null)" != "$grafica" ]; then
    DISPLAY='' wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$grafica" /f >/dev/null 2>&1
    # The prefix's desktop process keeps the driver it started with.
    wineserver --kill
    wineserver --wait
    echo "$grafica" >"$WINEPREFIX/.gara-grafica"
  fi
) 9>"$WINEPREFIX/.gara-blocco"
exec wine "$@"
