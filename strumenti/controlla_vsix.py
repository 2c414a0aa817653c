#!/usr/bin/env python3
"""Checks a .vsix of the extension of editor/vscode:
    controlla_vsix.py FILE.vsix EDITOR_VSCODE
its entries are readable; it holds the manifest, extension.js, the language
configuration, the readme and every grammar package.json names; the packed
package.json is the source's; every package pinned in the source's lock is
there at its pinned version; nothing lies outside extension/ but the two
files of the container; every entry has the same date (a reproducible
build). Prints what is wrong and ends with status 1."""
import json
import os
import sys
import zipfile


def problemi(vsix, sorgente):
    with zipfile.ZipFile(vsix) as z:
        rotta = z.testzip()
        if rotta is not None:
            yield f"voce illeggibile: {rotta}"
            return
        voci = {i.filename: i for i in z.infolist()}
        with open(os.path.join(sorgente, "package.json"), encoding="utf-8") as f:
            manifesto = json.load(f)
        attese = ["[Content_Types].xml", "extension.vsixmanifest", "extension/package.json",
                  "extension/readme.md", "extension/" + os.path.normpath(manifesto["main"]),
                  "extension/language-configuration.json"]
        attese += ["extension/" + os.path.normpath(g["path"])
                   for g in manifesto["contributes"]["grammars"]]
        for nome in attese:
            if nome not in voci:
                yield f"manca {nome}"
        if "extension/package.json" in voci and json.loads(z.read("extension/package.json")) != manifesto:
            yield "extension/package.json non è quello di editor/vscode"
        if "extension.vsixmanifest" in voci:
            identita = f'Version="{manifesto["version"]}"'
            if identita not in z.read("extension.vsixmanifest").decode("utf-8"):
                yield f"extension.vsixmanifest non dichiara {identita}"
        with open(os.path.join(sorgente, "package-lock.json"), encoding="utf-8") as f:
            blocco = json.load(f)["packages"]
        for percorso, pacchetto in blocco.items():
            if not percorso or pacchetto.get("dev"):
                continue
            nome = f"extension/{percorso}/package.json"
            if nome not in voci:
                yield f"manca {nome}"
            elif json.loads(z.read(nome)).get("version") != pacchetto["version"]:
                yield f"{percorso}: non alla versione {pacchetto['version']} del blocco"
        for nome in voci:
            if not nome.startswith("extension/") and nome not in attese:
                yield f"voce estranea: {nome}"
        date = {i.date_time for i in voci.values()}
        if len(date) != 1:
            yield f"le voci hanno {len(date)} date diverse"


def main():
    if len(sys.argv) != 3:
        print("uso: controlla_vsix.py FILE.vsix EDITOR_VSCODE", file=sys.stderr)
        return 2
    trovati = list(problemi(sys.argv[1], sys.argv[2]))
    for p in trovati:
        print(f"{sys.argv[1]}: {p}", file=sys.stderr)
    return 1 if trovati else 0


if __name__ == "__main__":
    sys.exit(main())
