#include "parcours/vue_suivante.h"

#include <iostream>
#include <utility>

#include "etat/etat.h"
#include "output/concordance.h"
#include "parcours/chargement.h"
#include "parcours/correction.h"
#include "parcours/navigation.h"
#include "parcours/enregistrement.h"
#include "series/compteurs.h"
#include "series/nom_photo.h"

namespace {

// Back to choosing a zone, with nothing drawn but the photo and the
// window-centre cross; RETURN waits for a sub-mode key.
void remettreLesModes() {
  Etat& e = *g_etat;
  e.m_ajout_souris = false;
  e.m_ajout_couleurs = false;
  e.m_retrait_souris = false;
  e.m_choix_zone = true;
  e.m_vue_suivante_bloquee = true;
  e.m_afficher_croix_appui = false;
  e.m_afficher_centre = false;
  e.m_afficher_zone = false;
  e.m_afficher_selection = false;
}

enum class Passage { Mesure, Saute, Absente };

bool avancer(Passage passage) {
  Etat& e = *g_etat;
  Souvenir souvenir = souvenirAvantAvance();  // before the modes are reset
  souvenir.saute = passage == Passage::Saute;
  souvenir.absente = passage == Passage::Absente;
  if (!ecrireLigneDetail(souvenir, passage == Passage::Saute ? "Saut" : "Vue suivante")) {
    attendreRelacheEntree();  // the photo stays; the next press tries again
    return true;
  }
  std::cout << "Vue suivante" << std::endl;
  remettreLesModes();
  libererPhoto();
  if (e.m_nombre_selectionnes > 0) ecrireResultats();
  // the detail row and the record are synced before the next photo loads
  enregistrerAvance(std::move(souvenir));

  CompteursSerie c = compteursSerie();
  const Increment increment = incrementerCompteurs(c);
  if (increment == Increment::SchemaInconnu) {
    std::cout << "Ce cas n'est pas prevu : " << e.m_mode_nom << std::endl;
    return false;
  }
  remettreCompteurs(c);
  composerNomPhoto();

  if (increment == Increment::DansLaSerie) {
    chargerPhotoCourante();
  } else {
    afficherImageFin();
  }
  return true;
}

}  // namespace

bool vueSuivante() {
  if (surPhotoPassee()) {
    corrigerPhotoPassee();
    return true;
  }
  return avancer(Passage::Mesure);
}

bool passerPhotoSansRecord() { return avancer(Passage::Saute); }

bool passerPhotoAbsenteSansRecord() { return avancer(Passage::Absente); }
