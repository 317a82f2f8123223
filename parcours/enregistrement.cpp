#include "parcours/enregistrement.h"

#include <iostream>
#include <utility>
#include <vector>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "interaction/recette.h"
#include "output/detail.h"
#include "output/detail_souvenir.h"
#include "output/image_parcours.h"
#include "output/concordance.h"
#include "output/resultats.h"
#include "parcours/selection_photo.h"
#include "series/compteurs.h"

Souvenir souvenirAvantAvance() {
  const Etat& e = *g_etat;
  Souvenir s;
  s.photo = e.nom_photo_complet;
  s.compteurs = compteursSerie();
  s.largeur_photo = e.m_largeur_photo;
  s.hauteur_photo = e.m_hauteur_photo;
  s.selection = selectionDuRecord();
  return s;
}

bool ecrireLigneDetail(Souvenir& s, const char* quoi) {
  Etat& e = *g_etat;
  s.ecrit = e.m_nombre_selectionnes > 0;
  if (s.ecrit) {
    s.texte_x = texteResultat(e.m_centre_x);
    s.texte_y = texteResultat(e.m_centre_y);
  }
  const std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  s.ligne_detail = texteDetailDe(s, static_cast<int64_t>(souvenirs.size()) + 1);
  // the row first: a record the detail file cannot tie to its photo is not made
  if (accorder(Partie::Detail, souvenirs, s) != Ecriture::Echouee) return true;
  const FichierResultat& detail = fichierDe(Partie::Detail);
  std::cout << quoi << " impossible : fichier " << detail.chemin() << " : " << raisonErreur(detail.erreur())
            << std::endl;
  signalerSynchronisationDossier();
  return false;
}

void enregistrerAvance(Souvenir s) {
  Etat& e = *g_etat;
  e.m_historique.ajouter(std::move(s));
  e.m_historique.avance_faite = true;
  rattraper(e.m_historique.souvenirs);
  noterPhotoSuivante();
  redessinerImageParcours();
  reecrireFichiersCalibres();
}
