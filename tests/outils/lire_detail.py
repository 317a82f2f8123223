#!/usr/bin/env python3
"""Reads a detail file (donnees/resu_detail.csv) with Python's csv module and checks it.

    lire_detail.py FICHIER           checks FICHIER, then prints all its rows,
                                     header first, as one JSON list of lists
    lire_detail.py FICHIER DOSSIER   checks FICHIER and that the three result
                                     files of DOSSIER hold exactly its rows
                                     with ecrit 1 (same x and y texts, same
                                     order); prints nothing

Checks: the header's 20 names, every row of 20 fields ending in CR LF, rang
1, 2, 3 ..., ecrit and repete 0 or 1, x and y present exactly when ecrit is
1, pixels a whole number, deviations present exactly when pixels is above 0,
origine "propose", "manuel", "aucun", "saute" or "absente" (one of the last
three exactly when pixels is 0; "saute" and "absente" without a record or a
colour).
Exit code 0 when everything holds, 1 with one line on stderr otherwise.
"""
import csv
import io
import json
import os
import re
import sys

ENTETE = ("rang;photo;ecrit;x;y;pixels;repete;zone_x0;zone_y0;zone_x1;zone_y1;rouge;vert;bleu;"
          "tol_rouge;tol_vert;tol_bleu;ecart_type_x;ecart_type_y;origine").split(";")
DECIMAL = re.compile(r"-?[0-9]+\.[0-9]{10}")


def echec(texte):
    print("lire_detail: " + texte, file=sys.stderr)
    sys.exit(1)


def verifier(octets):
    texte = octets.decode("utf-8", errors="surrogateescape")
    if not texte.endswith("\r\n"):
        echec("the file does not end with CR LF")
    lecteur = csv.reader(io.StringIO(texte, newline=""), delimiter=";", strict=True)
    lignes = list(lecteur)
    if not lignes or lignes[0] != ENTETE:
        echec("header differs")
    # Outside quoted fields, every line end is CR LF.
    dehors = re.sub(r'"(?:[^"]|"")*"', "", texte)
    if not dehors.count("\r") == dehors.count("\n") == dehors.count("\r\n"):
        echec("a line ends without CR LF")
    for numero, l in enumerate(lignes[1:], 1):
        lieu = "row %d: " % numero
        if len(l) != 20:
            echec(lieu + "%d fields" % len(l))
        d = dict(zip(ENTETE, l))
        if d["rang"] != str(numero):
            echec(lieu + "rang " + d["rang"])
        if d["ecrit"] not in ("0", "1") or d["repete"] not in ("0", "1"):
            echec(lieu + "ecrit or repete not 0 or 1")
        avec_xy = d["ecrit"] == "1"
        if any((DECIMAL.fullmatch(d[c]) is not None) != avec_xy or (d[c] == "") == avec_xy for c in ("x", "y")):
            echec(lieu + "x and y do not match ecrit")
        if not d["pixels"].isdigit():
            echec(lieu + "pixels " + d["pixels"])
        avec_pixels = int(d["pixels"]) > 0
        for c in ("ecart_type_x", "ecart_type_y"):
            if (DECIMAL.fullmatch(d[c]) is not None) != avec_pixels:
                echec(lieu + c + " does not match pixels")
        sans_pixel = d["origine"] in ("aucun", "saute", "absente")
        if d["origine"] not in ("propose", "manuel", "aucun", "saute", "absente") or sans_pixel == avec_pixels or \
                (d["origine"] in ("saute", "absente") and (d["ecrit"] == "1" or d["rouge"] != "")):
            echec(lieu + "origine " + d["origine"])
    return lignes


def lire(chemin):
    with open(chemin, "rb") as f:
        return f.read()


def main():
    if len(sys.argv) not in (2, 3):
        echec("usage: lire_detail.py FICHIER [DOSSIER]")
    lignes = verifier(lire(sys.argv[1]))
    if len(sys.argv) == 2:
        print(json.dumps(lignes))
        return
    ecrites = [dict(zip(ENTETE, l)) for l in lignes[1:] if l[2] == "1"]
    attendus = {
        "resu_point.txt": "".join(d["x"] + ";" + d["y"] + "\r\n" for d in ecrites),
        "resu_point_orbelan_x.txt": "".join(d["x"] + ";" for d in ecrites),
        "resu_point_orbelan_y.txt": "".join(d["y"] + ";" for d in ecrites),
    }
    for nom, attendu in attendus.items():
        if lire(os.path.join(sys.argv[2], nom)) != attendu.encode():
            echec(nom + " does not hold the rows with ecrit 1")


if __name__ == "__main__":
    main()
