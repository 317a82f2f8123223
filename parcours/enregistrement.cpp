#include "parcours/enregistrement.h"

#include <iostream>
#include <utility>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "interaction/recette.h"
#include "output/detail.h"
#include "output/detail_souvenir.h"
#include "output/image_parcours.h"
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

void enregistrerAvance(Souvenir s, const RecordEcrit& ecrit) {
  Etat& e = *g_etat;
  s.ecrit = ecrit.tente;
  if (ecrit.tente) {
    // what each file took, so the step back cuts those bytes and no others
    s.texte_x = ecrit.texte_x;
    s.texte_y = ecrit.texte_y;
    const TextesRecord textes = textesRecord(s.texte_x, s.texte_y);
    s.octets_point = ecrit.point ? textes.point.size() : 0;
    s.octets_x = ecrit.x ? textes.x.size() : 0;
    s.octets_y = ecrit.y ? textes.y.size() : 0;
  }
  const std::string ligne = texteDetailDe(s, static_cast<int64_t>(e.m_historique.souvenirs.size()) + 1);
  s.ligne_detail = ligne;
  FichierResultat& detail = fichierDetail();
  if (detail.ouvert()) {
    if (detail.ajouter(ligne)) {
      s.octets_detail = ligne.size();
    } else {
      detail.signalerEcriture();
    }
  }
  e.m_historique.ajouter(std::move(s));
  e.m_historique.avance_faite = true;
  noterPhotoSuivante();
  redessinerImageParcours();
  reecrireFichiersCalibres();
}
