// What the step back needs of every advance of the run: the photo left, where
// the series stood, the selection at the RETURN and the bytes the advance
// appended to each file. Kept in the record, bounded in memory whatever the
// run's length.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "etat/compteurs.h"
#include "etat/recette.h"

// A zone's selection bits as alternate run lengths (unselected first), each a
// base-128 varint: an object gives a few runs per row, so a 10^6-pixel zone
// usually packs into a few hundred bytes. Bits dropped to keep the memory
// bound leave `perdus` set: they come back all unselected.
struct BitsCompactes {
  std::vector<uint8_t> octets;
  uint64_t taille = 0;
  bool perdus = false;
};
BitsCompactes compacter(const std::vector<bool>& bits);
std::vector<bool> decompacter(const BitsCompactes& compactes);

// A photo's selection as the RETURN found it: what the step back and the
// resume bring back into the record (parcours/selection_photo.h).
struct SelectionPhoto {
  bool choix_zone = true, ajout_souris = false, ajout_couleurs = false, retrait_souris = false;
  bool zone = false;  // a zone was accepted: the corners and the bits mean something
  int32_t zone_x0 = 0, zone_y0 = 0, zone_x1 = 0, zone_y1 = 0;
  BitsCompactes bits;
  int32_t nombre = 0;
  double centre_x = 0.0, centre_y = 0.0;
  double ecart_type_x = 0.0, ecart_type_y = 0.0;  // the selected pixels' spread (0 with none)
  Uint8 rouge_reference = 0, vert_reference = 0, bleu_reference = 0;
  std::vector<PasseSelection> passes;  // the photo's recipe after its starting bits
  bool depart_herite = false;          // those are the previous advance's bits
  HistoireSelection histoire;
};

struct Souvenir {
  std::string photo;  // nom_photo_complet of the photo left
  CompteursSerie compteurs;
  int32_t largeur_photo = 0, hauteur_photo = 0;
  SelectionPhoto selection;
  // what the advance appended: the detail row always, the record when ecrit
  bool ecrit = false;
  bool saute = false;  // passed with N: no record, the row says so
  bool absente = false;  // failed to load during the automatic run: no record, the row says so
  std::string texte_x, texte_y;
  std::string ligne_detail;  // the detail row's text, for the files rewritten whole
};

// Bytes of packed bits kept at most; past it the oldest advances lose their
// bits (not their zone, count or centre).
constexpr size_t kOctetsBitsMax = size_t{48} << 20;

struct Historique {
  std::vector<Souvenir> souvenirs;
  size_t octets_bits = 0;  // packed bits held now
  bool avance_faite = false;  // a RETURN or a resume has happened in this run
  uint64_t version = 0;       // bumped at every change of souvenirs: layers drawn from them redraw

  // The photo shown: -1 for the last photo of the run (the one after the
  // last advance), else the rank from 0 of a past photo shown by the
  // navigation keys; derniere then keeps the last photo as it was left.
  int64_t affichee = -1;
  Souvenir derniere;
  bool derniere_zone_montree = false, derniere_selection_montree = false, derniere_centre_montre = false;
  // A RETURN on a past photo showed the next one: RETURN waits for its
  // release before it acts again, so a held RETURN steps one photo only.
  bool entree_a_relacher = false;

  void ajouter(Souvenir s);
  Souvenir retirer();  // the last one; the history must not be empty
  void remplacer(size_t indice, Souvenir s);  // a past photo's corrected souvenir
  // Memory held, as far as the history can tell (capacities included).
  size_t octets() const;
};
