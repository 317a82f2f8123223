// The detail file "donnees/resu_detail.csv": one row per advance, tying every
// record of the three result files to the photo it was measured on. Fields
// are separated by ";", decimals use ".", lines end with CR LF, and a field
// holding ";", a quote or a line end is quoted, its quotes doubled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/resultats.h"

// One row: what one advance saw and wrote.
struct LigneDetail {
  int64_t rang = 0;   // 1, 2, 3 ... the advance's number in the run
  std::string photo;  // the path of the photo being left, as composed
  bool ecrit = false; // the advance appended a record to the three result files
  std::string x, y;   // that record's two texts, as texteResultat gave them; written only when ecrit
  int64_t pixels = 0; // the selected-pixel count the advance saw
  bool repete = false;  // no selection change since the previous advance
  int32_t zone_x0 = 0, zone_y0 = 0, zone_x1 = 0, zone_y1 = 0;  // photo pixels
  bool couleur = false;  // a colour pass changed the selection: rouge, vert, bleu are its reference
  int32_t rouge = 0, vert = 0, bleu = 0;
  int32_t tol_rouge = 0, tol_vert = 0, tol_bleu = 0;
  // Population standard deviations of the selected pixels' centres; written
  // (10 decimals) only when pixels is above 0.
  double ecart_type_x = 0.0, ecart_type_y = 0.0;
  // "propose", "manuel", "aucun" when pixels is 0, "saute" for a photo passed
  // with N, "absente" for a photo the automatic run could not load
  std::string origine;
};

// The first line of the file, CR LF included.
std::string enteteDetail();

// A field as the CSV files hold it (RFC 4180): quoted only when it holds
// the separator, a quote or a line end, its quotes doubled.
std::string champCsv(const std::string& texte);

// One row as the file holds it, CR LF included.
std::string texteLigneDetail(const LigneDetail& ligne);

// Reads a whole detail file: its header, then rows numbered 1, 2, 3 ...
// whose every field has its type and agrees with the others (x and y only
// when ecrit, deviations only with pixels, "aucun" exactly when pixels is 0)
// and which read back to the same bytes. textes_bruts gets each row's exact
// bytes, CR LF included. False, both lists emptied, with raison a short
// French text without accents ("fichier vide", "ligne 3 illisible",
// "derniere ligne incomplete", "aucune photo dans le fichier").
bool lireDetail(const std::string& contenu, std::vector<LigneDetail>& lignes, std::vector<std::string>& textes_bruts,
                std::string& raison);

// The same from the file at chemin; raison "fichier <chemin> absent" or
// "fichier <chemin> illisible" when it cannot be read.
bool lireFichierDetail(const std::string& chemin, std::vector<LigneDetail>& lignes,
                       std::vector<std::string>& textes_bruts, std::string& raison);

// Count and population standard deviations, sqrt(sum (x - mean)^2 / n), of
// the pixel centres whose bit is set; deviations 0 when none is.
struct EcartsTypes {
  int64_t nombre = 0;
  double x = 0.0, y = 0.0;
};
// Exact sums in 128-bit integers and one division: no loss for a million
// pixels far from the origin. The three lists share one length.
EcartsTypes ecartsTypes(const std::vector<int32_t>& xs, const std::vector<int32_t>& ys, const std::vector<bool>& bits);

// Opens the record's stream on "donnees/resu_detail.csv" with its header,
// guarded as the three result files are (a previous run's rows copied to
// ".bak" first); nothing when the record has it already. The program calls
// it at start, before any key.
void ouvrirFichierDetail();
// That stream, opened first when the record has none.
FichierResultat& fichierDetail();
// Prints "Pb pour ouvrir le fichier donnees/resu_detail.csv" when it is not open.
void signalerFichierDetail();
