#include "parcours/correction.h"

#include <iostream>
#include <string>
#include <utility>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "output/detail_souvenir.h"
#include "output/image_parcours.h"
#include "output/concordance.h"
#include "output/resultats.h"
#include "parcours/enregistrement.h"
#include "parcours/navigation.h"

namespace {

// The souvenir of photo indice replaced, the files written again, annonce
// printed and the next photo shown with RETURN waiting for its release.
// When the detail file does not take the new rows, nothing changes: the
// reason is printed after quoi.
void remplacerEtPasser(int64_t indice, Souvenir s, const std::string& annonce, const char* quoi) {
  Historique& h = g_etat->m_historique;
  s.ligne_detail = texteDetailDe(s, indice + 1);
  Souvenir ancien = h.souvenirs[static_cast<size_t>(indice)];
  h.remplacer(static_cast<size_t>(indice), std::move(s));
  std::string raison;
  if (!reecrireDetail(h.souvenirs, raison)) {
    h.remplacer(static_cast<size_t>(indice), std::move(ancien));
    std::cout << quoi << " impossible : " << raison << std::endl;
    attendreRelacheEntree();
    return;
  }
  std::cout << annonce << std::endl;
  reecrireResultats(h.souvenirs);
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
  std::string annonce = "Photo " + std::to_string(indice + 1);
  if (s.ecrit) {
    s.texte_x = texteResultat(e.m_centre_x);
    s.texte_y = texteResultat(e.m_centre_y);
    annonce += " corrigee : " + s.texte_x + " " + s.texte_y;
  } else {
    annonce += " : enregistrement retire";
  }
  remplacerEtPasser(indice, std::move(s), annonce, "Correction");
}

void passerPhotoPassee() {
  Etat& e = *g_etat;
  const int64_t indice = e.m_historique.affichee;
  Souvenir s = souvenirDeLaPhotoPassee(indice);
  s.saute = true;
  remplacerEtPasser(indice, std::move(s), "Photo " + std::to_string(indice + 1) + " passee sans mesure", "Saut");
}
