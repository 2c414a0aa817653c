#!/usr/bin/env python3
"""The user-defined language of distribuzione/ for the descriptions:
    prova_notepad.py FILE.xml forme_voci.cpp
it parses as a language of the 2.1 format with every keyword list and style
that format has, each once; every word of every keyword the server knows
(forme_voci.cpp) is coloured, whole (Keywords1) or by its start (Keywords2,
prefix mode); sections are the [ ] delimiter. Copies with a keyword or a
list taken away are refused by the same check."""
import copy
import re
import sys
import xml.etree.ElementTree as ET

LISTE = (["Comments"] + [f"Numbers, {n}" for n in ("prefix1", "prefix2", "extras1", "extras2", "suffix1",
                                                    "suffix2", "range")]
         + ["Operators1", "Operators2"]
         + [f"Folders in {d}, {p}" for d in ("code1", "code2", "comment") for p in ("open", "middle", "close")]
         + [f"Keywords{i}" for i in range(1, 9)] + ["Delimiters"])
STILI = (["DEFAULT", "COMMENTS", "LINE COMMENTS", "NUMBERS"] + [f"KEYWORDS{i}" for i in range(1, 9)]
         + ["OPERATORS", "FOLDER IN CODE1", "FOLDER IN CODE2", "FOLDER IN COMMENT"]
         + [f"DELIMITERS{i}" for i in range(1, 9)])


def problemi(radice, parole):
    lingua = radice.find("UserLang")
    if radice.tag != "NotepadPlus" or lingua is None or lingua.get("udlVersion") != "2.1":
        yield "non è una lingua del formato 2.1"
        return
    liste = [k.get("name") for k in lingua.iter("Keywords")]
    stili = [s.get("name") for s in lingua.iter("WordsStyle")]
    if sorted(liste) != sorted(LISTE):
        yield f"liste di parole: {sorted(set(LISTE) ^ set(liste))} fuori posto"
    if sorted(stili) != sorted(STILI):
        yield f"stili: {sorted(set(STILI) ^ set(stili))} fuori posto"
    testo = {k.get("name"): (k.text or "").split() for k in lingua.iter("Keywords")}
    prefisso = lingua.find("Settings/Prefix")
    if prefisso is None or prefisso.get("Keywords1") != "no" or prefisso.get("Keywords2") != "yes":
        yield "Keywords1 vanno intere, Keywords2 per inizio"
    for parola in parole:
        if parola not in testo.get("Keywords1", []) and not any(
                parola.startswith(p) for p in testo.get("Keywords2", [])):
            yield f"la parola chiave {parola} non è colorata"
    if testo.get("Delimiters", [])[:3] != ["00[", "01", "02]"]:
        yield "le sezioni non sono il primo delimitatore [ ]"


def main():
    radice = ET.parse(sys.argv[1]).getroot()
    with open(sys.argv[2], encoding="utf-8") as f:
        voci = re.findall(r'forma_voce\{"([^"]+)"', f.read())
    parole = sorted({re.sub(r"\d", "", p) for v in voci for p in v.split()} - {""})
    if len(voci) < 20:
        print(f"{sys.argv[2]}: solo {len(voci)} voci lette", file=sys.stderr)
        return 1
    trovati = list(problemi(radice, parole))
    for p in trovati:
        print(f"{sys.argv[1]}: {p}", file=sys.stderr)
    if trovati:
        return 1
    # The check itself: copies with a fault made on purpose are refused.
    def senza_parola(r, parola):
        k = r.find(".//Keywords[@name='Keywords1']")
        k.text = " ".join(w for w in k.text.split() if w != parola)
    def senza_lista(r, nome):
        lingua = r.find("UserLang/KeywordLists")
        lingua.remove(lingua.find(f"Keywords[@name='{nome}']"))
    guasti = [(senza_parola, "stazione"), (senza_parola, "lunghezza"), (senza_lista, "Keywords2"),
              (senza_lista, "Delimiters")]
    for guasto, argomento in guasti:
        copia = copy.deepcopy(radice)
        guasto(copia, argomento)
        if not list(problemi(copia, parole)):
            print(f"una copia {guasto.__name__} {argomento} è accettata", file=sys.stderr)
            return 1
    print(f"{len(parole)} parole di {len(voci)} voci colorate; {len(guasti)} copie guaste rifiutate")
    return 0


if __name__ == "__main__":
    sys.exit(main())
