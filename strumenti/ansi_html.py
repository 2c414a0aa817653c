#!/usr/bin/env python3
"""A terminal's screen, as tmux captures it with its colours (capture-pane
-e), turned into an HTML page that a browser can photograph.

Usage: ansi_html.py < schermo.txt > schermo.html
"""

import html
import re
import sys

BASE = ["#000000", "#cd0000", "#00cd00", "#cdcd00", "#0000ee", "#cd00cd", "#00cdcd", "#e5e5e5",
        "#7f7f7f", "#ff0000", "#00ff00", "#ffff00", "#5c5cff", "#ff00ff", "#00ffff", "#ffffff"]
SFONDO, TESTO = "#1e1e1e", "#d4d4d4"
# The codes that turn an attribute on, and those that turn it off.
ATTRIBUTI = {1: ("grassetto", True), 3: ("corsivo", True), 4: ("sottolineato", True), 7: ("inverso", True),
             22: ("grassetto", False), 23: ("corsivo", False), 24: ("sottolineato", False),
             27: ("inverso", False)}


def colore_256(n):
    if n < 16:
        return BASE[n]
    if n < 232:
        n -= 16
        livelli = [0, 95, 135, 175, 215, 255]
        return "#%02x%02x%02x" % (livelli[n // 36], livelli[(n // 6) % 6], livelli[n % 6])
    g = 8 + 10 * (n - 232)
    return "#%02x%02x%02x" % (g, g, g)


class Stile:
    def __init__(self):
        self.azzera()

    def azzera(self):
        self.testo = None
        self.sfondo = None
        self.grassetto = self.corsivo = self.sottolineato = self.inverso = False

    def applica(self, parametri):
        p = [int(x) if x else 0 for x in parametri.split(";")] if parametri else [0]
        i = 0
        while i < len(p):
            c = p[i]
            if c == 0:
                self.azzera()
            elif c in ATTRIBUTI:
                attributo, acceso = ATTRIBUTI[c]
                setattr(self, attributo, acceso)
            elif 30 <= c <= 37:
                self.testo = BASE[c - 30]
            elif 90 <= c <= 97:
                self.testo = BASE[c - 90 + 8]
            elif 40 <= c <= 47:
                self.sfondo = BASE[c - 40]
            elif 100 <= c <= 107:
                self.sfondo = BASE[c - 100 + 8]
            elif c == 39:
                self.testo = None
            elif c == 49:
                self.sfondo = None
            elif c in (38, 48) and i + 1 < len(p):
                if p[i + 1] == 5 and i + 2 < len(p):
                    valore = colore_256(p[i + 2])
                    i += 2
                elif p[i + 1] == 2 and i + 4 < len(p):
                    valore = "#%02x%02x%02x" % tuple(p[i + 2:i + 5])
                    i += 4
                else:
                    valore = None
                    i += 1
                if c == 38:
                    self.testo = valore
                else:
                    self.sfondo = valore
            i += 1

    def css(self):
        testo, sfondo = self.testo or TESTO, self.sfondo or SFONDO
        if self.inverso:
            testo, sfondo = sfondo, testo
        regole = ["color:" + testo, "background:" + sfondo]
        if self.grassetto:
            regole.append("font-weight:bold")
        if self.corsivo:
            regole.append("font-style:italic")
        if self.sottolineato:
            regole.append("text-decoration:underline")
        return ";".join(regole)


def main():
    stile = Stile()
    righe = []
    for riga in sys.stdin.read().splitlines():
        pezzi = []
        for parte in re.split(r"(\x1b\[[0-9;]*m)", riga):
            if parte.startswith("\x1b["):
                stile.applica(parte[2:-1])
            elif parte:
                pezzi.append('<span style="%s">%s</span>' % (stile.css(), html.escape(parte)))
        righe.append("".join(pezzi))
    sys.stdout.write(
        "<!DOCTYPE html><meta charset=utf-8><body style=\"margin:0;background:%s\">"
        "<pre style=\"margin:8px;font:15px/1.25 'DejaVu Sans Mono',monospace;color:%s\">%s</pre>"
        % (SFONDO, TESTO, "\n".join(righe)))


if __name__ == "__main__":
    main()
