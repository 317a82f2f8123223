#include "parcours/saut.h"

#include <algorithm>

#include "etat/etat.h"
#include "parcours/correction.h"
#include "parcours/navigation.h"
#include "parcours/vue_suivante.h"

namespace {

// Nothing selected, the zone kept: the next photo carries no stale centre.
void viderSelection() {
  Etat& e = *g_etat;
  std::fill(e.is_select.begin(), e.is_select.end(), false);
  e.m_nombre_selectionnes = 0;
  ++e.m_version_selection;
  e.m_afficher_centre = false;
  HistoireSelection& histoire = e.m_histoire_selection;
  histoire.changee = true;
  histoire.proposee = false;
  histoire.couleur = false;
}

}  // namespace

void passerPhoto() {
  if (navigationRefusee("Saut")) return;
  viderSelection();
  if (surPhotoPassee()) {
    passerPhotoPassee();
  } else {
    passerPhotoSansRecord();
  }
}

bool passerPhotoCachee() {
  viderSelection();
  if (!surPhotoPassee()) return passerPhotoSansRecord();
  passerPhotoPassee();
  return true;
}

bool passerPhotoAbsente() {
  viderSelection();
  return passerPhotoAbsenteSansRecord();
}
