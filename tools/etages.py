#!/usr/bin/env python3
"""The house from its includes: for each folder of program code, which
folders its files include. With --verifier, fails (exit 1) when a folder
includes one above it in the floor order below, when the record's folder
includes any other, or when files include each other in a circle.

    tools/etages.py [--verifier] [DOSSIER]

Program code only: unit tests (*_test.cpp), bench/, fuzz/, demo/ and tests/
are left out, as they stand beside the house, not in it.
"""
import os
import re
import sys

# Bottom to top: a folder may include its own files and those of lower floors.
ETAGES = ["etat", "platform", "series", "display", "interaction", "output", "calibration", "parcours", "tracking", "app"]
HORS_MAISON = {"bench", "fuzz", "demo", "tests", "build", "packaging", "tools"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def fichiers(racine):
    for dossier in sorted(os.listdir(racine)):
        chemin = os.path.join(racine, dossier)
        if not os.path.isdir(chemin) or dossier.startswith(".") or dossier in HORS_MAISON:
            continue
        if dossier.startswith("build"):
            continue
        for nom in sorted(os.listdir(chemin)):
            if nom.endswith((".cpp", ".h")) and not nom.endswith("_test.cpp"):
                yield dossier, dossier + "/" + nom


def lire(racine):
    inclusions = {}
    for dossier, fichier in fichiers(racine):
        with open(os.path.join(racine, fichier), encoding="utf-8") as f:
            inclusions[fichier] = [i for i in INCLUDE.findall(f.read()) if "/" in i]
    return inclusions


def modules(inclusions):
    """The includes between modules: x.h and x.cpp are one module x."""
    graphe = {}
    for f, incs in inclusions.items():
        m = f.rsplit(".", 1)[0]
        graphe.setdefault(m, [])
        for i in incs:
            if i in inclusions and i.rsplit(".", 1)[0] != m:
                graphe[m].append(i.rsplit(".", 1)[0])
    return graphe


def cercles(inclusions):
    """Modules that include each other, directly or not: one circle per line."""
    trouves, etat, pile = [], {}, []

    def visiter(f):
        etat[f] = 1
        pile.append(f)
        for g in inclusions.get(f, []):
            if g not in inclusions:
                continue
            if etat.get(g) == 1:
                trouves.append(pile[pile.index(g):] + [g])
            elif g not in etat:
                visiter(g)
        pile.pop()
        etat[f] = 2

    for f in inclusions:
        if f not in etat:
            visiter(f)
    return trouves


def main():
    args = [a for a in sys.argv[1:] if a != "--verifier"]
    verifier = "--verifier" in sys.argv[1:]
    racine = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    inclusions = lire(racine)
    table = {}
    for fichier, incs in inclusions.items():
        dossier = fichier.split("/")[0]
        table.setdefault(dossier, set())
        for i in incs:
            cible = i.split("/")[0]
            if cible != dossier:
                table[dossier].add(cible)
    rang = {d: n for n, d in enumerate(ETAGES)}
    ordre = sorted(table, key=lambda d: rang.get(d, len(ETAGES)))
    fautes = []
    print("| folder | floor | includes | above it |")
    print("|---|---|---|---|")
    for d in ordre:
        inclus = sorted(table[d], key=lambda c: rang.get(c, len(ETAGES)))
        dessus = [c for c in inclus if rang.get(c, len(ETAGES)) > rang.get(d, len(ETAGES))]
        etage = rang[d] if d in rang else "?"
        print(f"| {d}/ | {etage} | {', '.join(inclus) or '-'} | {', '.join(dessus) or '-'} |")
        if d not in rang:
            fautes.append(f"{d}/ has no floor in tools/etages.py")
        if dessus:
            fautes.append(f"{d}/ includes {', '.join(dessus)}, above it")
    if table.get(ETAGES[0]):
        fautes.append(f"{ETAGES[0]}/ includes {', '.join(sorted(table[ETAGES[0]]))}: the record's room stands on nothing")
    for c in cercles(modules(inclusions)):
        fautes.append("circle: " + " -> ".join(c))
    for f in fautes:
        print("fault:", f)
    if verifier and fautes:
        sys.exit(1)


if __name__ == "__main__":
    main()
