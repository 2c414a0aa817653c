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
  # Now and then wineboot leaves a prefix without Windows' own DLLs (and
  # every later program fails with "could not load kernel32.dll"): such a
  # prefix is made again from nothing, a few times at most.
  tentativi=0
  until [ -f "$WINEPREFIX/.gara-pronto" ]; do
    tentativi=$((tentativi + 1))
    DISPLAY='' wineboot --init >"$WINEPREFIX/.gara-wineboot.log" 2>&1 || true
    wineserver --wait || true
    if [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
      touch "$WINEPREFIX/.gara-pronto"
    elif [ "$tentativi" -ge 3 ]; then
      echo "wine.sh: Wine's prefix $WINEPREFIX could not be made:" >&2
      tail -20 "$WINEPREFIX/.gara-wineboot.log" >&2
      exit 1
    else
      wineserver --kill 2>/dev/null || true
      find "$WINEPREFIX" -mindepth 1 -maxdepth 1 ! -name .gara-blocco -exec rm -rf {} +
    fi
  done
  if [ "$(cat "$WINEPREFIX/.gara-grafica" 2>/dev/null)" != "$grafica" ]; then
    DISPLAY='' wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$grafica" /f >/dev/null 2>&1
    # The prefix's desktop process keeps the driver it started with.
    wineserver --kill
    wineserver --wait
    echo "$grafica" >"$WINEPREFIX/.gara-grafica"
  fi
) 9>"$WINEPREFIX/.gara-blocco"
exec wine "$@"
