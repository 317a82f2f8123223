#include "parcours/saut.h"

#include <algorithm>

#include "etat/etat.h"
#include "parcours/correction.h"
#include "parcours/navigation.h"
#include "parcours/vue_suivante.h"

void passerPhoto() {
  Etat& e = *g_etat;
  if (navigationRefusee("Saut")) return;
  std::fill(e.is_select.begin(), e.is_select.end(), false);
  e.m_nombre_selectionnes = 0;
  ++e.m_version_selection;
  e.m_afficher_centre = false;
  HistoireSelection& histoire = e.m_histoire_selection;
  histoire.changee = true;
  histoire.proposee = false;
  histoire.couleur = false;
  if (surPhotoPassee()) {
    passerPhotoPassee();
  } else {
    passerPhotoSansRecord();
  }
}
