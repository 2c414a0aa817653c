#!/usr/bin/env python3
"""Whole processes against the physical limit of their work.

Pairs, each run alternately so that a machine that slows down or speeds up
in the middle weighs on both sides alike:

  package    the package run with no arguments in an empty folder (as its
             users run it: no display, so no window)
      cp     its six output files copied into an empty folder with cp
  compila    `scenario compila` of the maximum-size scenario (the compile,
             its binaries and the check it reports)
      cp     its three output files copied into an empty folder with cp
  --fedele   the same with --fedele: the compile alone, as the package runs it
      cp     as above
  verifica   `scenario verifica` of the same descriptions
      compila  as above

For each pair it prints both medians side by side, the median of the
per-round ratios and the target (package at most 1.5 times cp; compila at
most 1.25 times cp, with a peak memory of at most its outputs plus 8 MiB;
verifica at most 1.5 times compila). Nothing fails when a target is missed:
numbers depend on the machine, and this is a measurement, not a test.

Usage: confronta_processi.py BUILD_DIR [--giri N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PROGRAMMA = "Corvana_Selvadoro_R 47315"
PERCORSO = "Massimo"
TRENO = "M 1"
MIB = 1024 * 1024


def esegui(comando, cartella):
    """Runs a process to its end; returns wall seconds and peak memory in bytes."""
    ambiente = dict(os.environ)
    ambiente.pop("DISPLAY", None)
    ambiente.pop("WAYLAND_DISPLAY", None)
    inizio = time.perf_counter()
    processo = subprocess.Popen(comando, cwd=cartella, env=ambiente,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)
    _, stato, uso = os.wait4(processo.pid, 0)
    durata = time.perf_counter() - inizio
    processo.returncode = os.waitstatus_to_exitcode(stato)
    errori = processo.stderr.read().decode(errors="replace")
    processo.stderr.close()
    if processo.returncode != 0:
        sys.exit(f"{comando[0]} è finito con {processo.returncode}: {errori}")
    return durata, uso.ru_maxrss * 1024  # ru_maxrss is in KiB on Linux


def cartella_vuota(base, nome):
    cartella = os.path.join(base, nome)
    shutil.rmtree(cartella, ignore_errors=True)
    os.mkdir(cartella)
    return cartella


def copia(sorgenti, base):
    destinazione = cartella_vuota(base, "copia")
    return esegui(["cp", *sorgenti, destinazione], base)


def confronta(nome, giri, misura, riferimento, nome_riferimento="cp"):
    """Alternates the two sides (swapping which goes first each round)."""
    tempi, tempi_rif, memorie = [], [], []
    for giro in range(giri):
        if giro % 2 == 0:
            durata, memoria = misura()
            durata_rif = riferimento()[0]
        else:
            durata_rif = riferimento()[0]
            durata, memoria = misura()
        tempi.append(durata)
        tempi_rif.append(durata_rif)
        memorie.append(memoria)
    rapporto = statistics.median(t / c for t, c in zip(tempi, tempi_rif))
    print(f"{nome}: mediana {statistics.median(tempi) * 1000:.1f} ms, "
          f"{nome_riferimento} {statistics.median(tempi_rif) * 1000:.1f} ms, "
          f"rapporto mediano {rapporto:.2f} ({giri} giri)")
    return rapporto, max(memorie)


def esito(nome, rapporto, obiettivo):
    print(f"obiettivo {nome} ≤ {obiettivo} ×: {rapporto:.2f} "
          f"{'raggiunto' if rapporto <= obiettivo else 'NON raggiunto'}")


def file_in(cartella, escluso=None):
    return sorted(os.path.join(cartella, f) for f in os.listdir(cartella) if f != escluso)


def main():
    argomenti = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    argomenti.add_argument("build", help="cartella della compilazione (per esempio build/default)")
    argomenti.add_argument("--giri", type=int, default=51, help="giri per coppia (default 51)")
    a = argomenti.parse_args()
    pacchetto = os.path.abspath(os.path.join(a.build, "src", PROGRAMMA))
    scenario = os.path.abspath(os.path.join(a.build, "src", "scenario"))
    genera = os.path.abspath(os.path.join(a.build, "bench", "genera_massimo"))
    for programma in (pacchetto, scenario, genera):
        if not os.access(programma, os.X_OK):
            sys.exit(f"manca {programma}: compilare prima (cmake --build --preset default)")

    with tempfile.TemporaryDirectory(prefix="confronto-") as base:
        # The package: a reference run gives the six files cp copies.
        def pacchetto_in_cartella_vuota():
            cartella = cartella_vuota(base, "pacchetto")
            shutil.copy2(pacchetto, cartella)
            return esegui([os.path.join(cartella, PROGRAMMA)], cartella)

        pacchetto_in_cartella_vuota()
        uscite_pacchetto = file_in(os.path.join(base, "pacchetto"), PROGRAMMA)
        riferimento_pacchetto = os.path.join(base, "uscite-pacchetto")
        os.mkdir(riferimento_pacchetto)
        for f in uscite_pacchetto:
            shutil.copy2(f, riferimento_pacchetto)
        uscite_pacchetto = file_in(riferimento_pacchetto)
        byte_pacchetto = sum(os.path.getsize(f) for f in uscite_pacchetto)

        # The maximum scenario: descriptions made once, compiled each round.
        descrizioni = os.path.join(base, "descrizioni")
        os.mkdir(descrizioni)
        esegui([genera, descrizioni, PERCORSO, TRENO], base)

        def compila(*opzioni):
            uscita = cartella_vuota(base, "compilato")
            return esegui([scenario, "compila", *opzioni, "--percorso", PERCORSO, "--treno", TRENO,
                           "--uscita", uscita, descrizioni], base)

        def verifica():
            return esegui([scenario, "verifica", "--percorso", PERCORSO, "--treno", TRENO, descrizioni],
                          base)

        compila()
        riferimento_massimo = os.path.join(base, "uscite-massimo")
        shutil.copytree(os.path.join(base, "compilato"), riferimento_massimo)
        uscite_massimo = file_in(riferimento_massimo)
        byte_massimo = sum(os.path.getsize(f) for f in uscite_massimo)

        print(f"pacchetto: {len(uscite_pacchetto)} file, {byte_pacchetto} byte; "
              f"scenario massimo: {len(uscite_massimo)} file, {byte_massimo} byte")
        copia_massimo = lambda: copia(uscite_massimo, base)  # noqa: E731
        rapporto_pacchetto, _ = confronta("pacchetto contro cp", a.giri, pacchetto_in_cartella_vuota,
                                          lambda: copia(uscite_pacchetto, base))
        rapporto_compila, memoria = confronta("scenario compila contro cp", a.giri, compila, copia_massimo)
        rapporto_fedele, memoria_fedele = confronta("scenario compila --fedele contro cp", a.giri,
                                                    lambda: compila("--fedele"), copia_massimo)
        rapporto_verifica, _ = confronta("scenario verifica contro compila", a.giri, verifica, compila,
                                         "compila")

    limite_memoria = byte_massimo + 8 * MIB
    print()
    esito("pacchetto / cp", rapporto_pacchetto, 1.5)
    esito("compila / cp", rapporto_compila, 1.25)
    esito("compila --fedele / cp", rapporto_fedele, 1.25)
    esito("verifica / compila", rapporto_verifica, 1.5)
    for nome, picco in (("compila", memoria), ("compila --fedele", memoria_fedele)):
        print(f"memoria di picco di {nome}: {picco / MIB:.1f} MiB, limite uscite + 8 MiB = "
              f"{limite_memoria / MIB:.1f} MiB "
              f"{'raggiunto' if picco <= limite_memoria else 'NON raggiunto'}")


if __name__ == "__main__":
    main()
