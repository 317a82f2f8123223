#include "parcours/correction.h"

#include <iostream>
#include <string>
#include <utility>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "output/detail_souvenir.h"
#include "output/image_parcours.h"
#include "output/reecriture.h"
#include "output/resultats.h"
#include "parcours/enregistrement.h"
#include "parcours/navigation.h"

namespace {

// The souvenir of photo indice replaced, the files written again, the next
// photo shown with RETURN waiting for its release.
void remplacerEtPasser(int64_t indice, Souvenir s) {
  Etat& e = *g_etat;
  Historique& h = e.m_historique;
  const Souvenir& ancien = h.souvenirs[static_cast<size_t>(indice)];
  // until a file takes its new content, it holds what the old record wrote
  s.octets_detail = ancien.octets_detail;
  s.octets_point = ancien.octets_point;
  s.octets_x = ancien.octets_x;
  s.octets_y = ancien.octets_y;
  s.ligne_detail = texteDetailDe(s, indice + 1);
  h.remplacer(static_cast<size_t>(indice), std::move(s));
  reecrireFichiers(h.souvenirs);
  redessinerImageParcours();
  reecrireFichiersCalibres();
  montrerSuivanteApresEntree();
}

// The photo shown, as its row will tell it: name, counters and size of the
// record it replaces.
Souvenir souvenirDeLaPhotoPassee(int64_t indice) {
  const Souvenir& ancien = g_etat->m_historique.souvenirs[static_cast<size_t>(indice)];
  Souvenir s = souvenirAvantAvance();
  s.photo = ancien.photo;
  s.compteurs = ancien.compteurs;
  s.largeur_photo = ancien.largeur_photo;
  s.hauteur_photo = ancien.hauteur_photo;
  return s;
}

}  // namespace

void corrigerPhotoPassee() {
  Etat& e = *g_etat;
  const int64_t indice = e.m_historique.affichee;
  if (!e.m_histoire_selection.changee) {
    montrerSuivanteApresEntree();
    return;
  }
  Souvenir s = souvenirDeLaPhotoPassee(indice);
  s.ecrit = s.selection.nombre > 0;
  if (s.ecrit) {
    s.texte_x = texteResultat(e.m_centre_x);
    s.texte_y = texteResultat(e.m_centre_y);
    std::cout << "Photo " << indice + 1 << " corrigee : " << s.texte_x << " " << s.texte_y << std::endl;
  } else {
    std::cout << "Photo " << indice + 1 << " : enregistrement retire" << std::endl;
  }
  remplacerEtPasser(indice, std::move(s));
}

void passerPhotoPassee() {
  Etat& e = *g_etat;
  const int64_t indice = e.m_historique.affichee;
  Souvenir s = souvenirDeLaPhotoPassee(indice);
  s.saute = true;
  std::cout << "Photo " << indice + 1 << " passee sans mesure" << std::endl;
  remplacerEtPasser(indice, std::move(s));
}
