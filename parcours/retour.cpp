#include "parcours/retour.h"

#include <iostream>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "output/concordance.h"
#include "output/image_parcours.h"
#include "parcours/chargement.h"
#include "parcours/navigation.h"
#include "parcours/selection_photo.h"
#include "series/compteurs.h"

void reculerPhoto() {
  Etat& e = *g_etat;
  // RETURN still down would record the photo again in the next frame
  if (entreeTenue()) {
    std::cout << "Retour impossible : touche Entree enfoncee" << std::endl;
    return;
  }
  if (surPhotoPassee()) {
    // a step back takes the last RETURN back: the past photo shown keeps its record
    std::cout << "Retour impossible : photo passee affichee (Fin : derniere photo)" << std::endl;
    return;
  }
  std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  if (souvenirs.empty()) {
    std::cout << "Pas de photo precedente" << std::endl;
    return;
  }
  // the four files lose the photo's row and record together, or none does
  std::string raison;
  if (!retirerDernier(souvenirs, raison)) {
    std::cout << "Retour impossible : " << raison << std::endl;
    return;
  }
  std::cout << "Retour a la photo precedente" << std::endl;
  Souvenir s = e.m_historique.retirer();
  rattraper(souvenirs);
  reecrireFichiersCalibres();  // before the photo's line, like the four files
  montrerPhotoDuRun(s, "nom_photo_complet ");  // trailing blank is part of the line

  std::vector<bool> depart;
  if (s.selection.depart_herite && !souvenirs.empty()) depart = decompacter(souvenirs.back().selection.bits);
  restaurerSelection(s.selection, depart);
  redessinerImageParcours();
}
