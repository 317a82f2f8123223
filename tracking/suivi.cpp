#include "tracking/suivi.h"

#include <SDL.h>

#include <atomic>
#include <iostream>

#include "etat/etat.h"
#include "parcours/vue_suivante.h"
#include "series/compteurs.h"
#include "tracking/proposition.h"

namespace {

// Presses seen while the run goes. The events are watched as they are
// queued, so a press is seen even when the frame's event step handles only
// the one before it; the watch only sets these, the frame acts on them.
std::atomic<bool> g_touche{false}, g_espace{false}, g_souris{false};
// The SPACE press that stopped the run has still to reach the added keys'
// section in the next frame: it must not start a new run there.
bool g_espace_pris = false;

int SDLCALL guetter(void*, SDL_Event* ev) {
  if (ev->type == SDL_KEYDOWN && ev->key.repeat == 0) {
    (ev->key.keysym.scancode == SDL_SCANCODE_SPACE ? g_espace : g_touche) = true;
  } else if (ev->type == SDL_MOUSEBUTTONDOWN) {
    g_souris = true;
  }
  return 0;
}

bool espaceEnfoncee() {
  const Uint8* clavier = g_etat->m_etat_clavier;
  return clavier != nullptr && clavier[SDL_SCANCODE_SPACE] != 0;
}

}  // namespace

void proposerSurLaPhoto() { proposerSelection(); }

void arreterSuivi(const char* raison) {
  Etat& e = *g_etat;
  if (!e.m_suivi_en_cours) return;
  e.m_suivi_en_cours = false;
  SDL_DelEventWatch(guetter, nullptr);
  std::cout << "Suivi arrete : " << raison << std::endl;
}

void basculerSuivi() {
  Etat& e = *g_etat;
  if (g_espace_pris) {
    g_espace_pris = false;
    return;
  }
  if (e.m_suivi_en_cours) {
    arreterSuivi("touche espace");
    return;
  }
  if (!referenceDe(e.m_historique).trouvee) {
    proposerSelection();  // tells why, changes nothing
    return;
  }
  g_touche = g_espace = g_souris = false;
  SDL_AddEventWatch(guetter, nullptr);
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
  if (g_espace.exchange(false)) {
    // held now, the added keys' section sees it next frame
    g_espace_pris = espaceEnfoncee();
    arreterSuivi("touche espace");
    return;
  }
  if (g_touche.exchange(false)) {
    arreterSuivi("touche appuyee");
    return;
  }
  if (g_souris.exchange(false)) {
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
  if (!vueSuivante()) {
    arreterSuivi("schema de noms inconnu");
    return;
  }
  if (e.nom_photo_complet == cheminImageFin()) {
    arreterSuivi("fin de la serie");
  } else if (e.pTempSurface_prairie == nullptr) {
    arreterSuivi("photo non chargee");
  }
}
