#include "tracking/suivi.h"

#include <SDL.h>

#include <iostream>

#include "etat/etat.h"
#include "parcours/navigation.h"
#include "parcours/vue_suivante.h"
#include "series/compteurs.h"
#include "tracking/proposition.h"

namespace {

// Key presses other than SPACE among the counts.
uint32_t autresTouches(const Entrees& s) { return s.appuis_touches - s.appuis[SDL_SCANCODE_SPACE]; }

}  // namespace

void proposerSurLaPhoto() { proposerSelection(); }

void arreterSuivi(const char* raison) {
  Etat& e = *g_etat;
  if (!e.m_suivi_en_cours) return;
  e.m_suivi_en_cours = false;
  std::cout << "Suivi arrete : " << raison << std::endl;
}

void basculerSuivi() {
  Etat& e = *g_etat;
  if (e.m_suivi_en_cours) {
    arreterSuivi("touche espace");
    return;
  }
  if (!referenceDe(e.m_historique).trouvee) {
    proposerSelection();  // tells why, changes nothing
    return;
  }
  // only presses counted from now on stop the run
  Entrees& s = e.m_entrees;
  s.suivi_espace = s.appuis[SDL_SCANCODE_SPACE];
  s.suivi_touches = autresTouches(s);
  s.suivi_boutons = appuisBoutons(s);
  e.m_suivi_en_cours = true;
  std::cout << "Suivi demarre" << std::endl;
}

void etapeSuivi() {
  Etat& e = *g_etat;
  if (!e.m_suivi_en_cours) return;
  if (!e.m_en_marche) {
    arreterSuivi("fenetre fermee");
    return;
  }
  Entrees& s = e.m_entrees;
  if (s.appuis[SDL_SCANCODE_SPACE] != s.suivi_espace) {
    // the press is the run's: the added keys' section, next frame, must not
    // start a new run with it, held or already released
    consommerAppuis(s, SDL_SCANCODE_SPACE);
    arreterSuivi("touche espace");
    return;
  }
  if (autresTouches(s) != s.suivi_touches) {
    arreterSuivi("touche appuyee");
    return;
  }
  if (appuisBoutons(s) != s.suivi_boutons) {
    arreterSuivi("bouton de la souris");
    return;
  }
  switch (proposerSelection()) {
    case IssueProposition::Impossible:
      arreterSuivi("proposition impossible");
      return;
    case IssueProposition::Douteuse:
      arreterSuivi("proposition douteuse");
      return;
    case IssueProposition::Sure:
      break;
  }
  const int64_t avant = indicePhotoMontree();
  if (!vueSuivante()) {
    arreterSuivi("schema de noms inconnu");
    return;
  }
  if (indicePhotoMontree() == avant) {
    arreterSuivi("fichier de detail non ecrit");  // the photo stays: the operator decides
    return;
  }
  if (e.nom_photo_complet == cheminImageFin()) {
    arreterSuivi("fin de la serie");
  } else if (e.pTempSurface_prairie == nullptr) {
    arreterSuivi("photo non chargee");
  }
}
