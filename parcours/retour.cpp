#include "parcours/retour.h"

#include <iostream>
#include <vector>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "output/detail.h"
#include "output/image_parcours.h"
#include "output/resultats.h"
#include "parcours/chargement.h"
#include "parcours/navigation.h"
#include "parcours/selection_photo.h"
#include "series/compteurs.h"

namespace {

void retirerOuSignaler(FichierResultat& fichier, size_t octets) {
  if (octets == 0 || !fichier.ouvert()) return;
  if (!fichier.retirer(octets)) fichier.signalerEcriture();
}

// Each file loses what the advance appended to it, in one cut: a kill leaves
// it with or without that line. A resume makes the result files again from
// the detail rows, so the files need not be cut together.
void retirerEcritures(const Souvenir& s) {
  retirerOuSignaler(fichierDetail(), s.octets_detail);
  retirerOuSignaler(fichierPoint(), s.octets_point);
  retirerOuSignaler(fichierX(), s.octets_x);
  retirerOuSignaler(fichierY(), s.octets_y);
}

}  // namespace

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
  std::cout << "Retour a la photo precedente" << std::endl;
  Souvenir s = e.m_historique.retirer();
  retirerEcritures(s);
  montrerPhotoDuRun(s, "nom_photo_complet ");  // trailing blank is part of the line

  std::vector<bool> depart;
  if (s.selection.depart_herite && !souvenirs.empty()) depart = decompacter(souvenirs.back().selection.bits);
  restaurerSelection(s.selection, depart);
  redessinerImageParcours();
  reecrireFichiersCalibres();
}
