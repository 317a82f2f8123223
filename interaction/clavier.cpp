#include "interaction/clavier.h"

#include <SDL.h>

#include <algorithm>
#include <iostream>

#include "etat/etat.h"
#include "platform/console.h"

namespace {

void attendreSDL(uint32_t millisecondes) { SDL_Delay(millisecondes); }

ActionsClavier g_actions = {deplacerVue, changerZoom, attendreSDL};

// An arrow: acts at the first frame of a press, then after a 200 ms wait in
// every later frame while it stays down.
void repetition(bool enfoncee, bool& latch, Direction direction) {
  if (!enfoncee) {
    latch = false;
    return;
  }
  if (latch) g_actions.attendre(200);
  g_actions.deplacer(direction);
  latch = true;
}

// P or L: the latch, not the key state, makes a held key act once per press,
// even when the zoom is already at its bound.
void uneFoisParAppui(bool enfoncee, bool& latch, bool possible, int sens) {
  if (!enfoncee) {
    latch = false;
    return;
  }
  if (latch) return;
  latch = true;
  if (possible) g_actions.zoomer(sens);
}

// The reply goes into a temporary: a word keeps the value in place (the
// stream would store 0), and so does the end of the input.
void saisirTolerance(const char* couleur, int32_t& tolerance) {
  std::cout << "Couleurs voisines : tolerance sur le " << couleur << " ? (" << tolerance << " )" << std::endl;
  long long reponse = tolerance;
  lireEntierConsole(reponse);
  tolerance = static_cast<int32_t>(std::clamp<long long>(reponse, 0, 255));
}

void choisirSousMode(bool Etat::*sous_mode) {
  Etat& e = *g_etat;
  e.m_choix_zone = false;
  e.m_ajout_souris = false;
  e.m_ajout_couleurs = false;
  e.m_retrait_souris = false;
  e.*sous_mode = true;
  e.m_vue_suivante_bloquee = false;
}

}  // namespace

ActionsClavier remplacerActionsClavier(const ActionsClavier& actions) {
  const ActionsClavier ancien = g_actions;
  g_actions = actions;
  return ancien;
}

bool sectionClavier() {
  Etat& e = *g_etat;
  const Uint8* touche = e.m_etat_clavier;
  if (touche == nullptr) return false;

  repetition(touche[SDL_SCANCODE_RIGHT], e.m_repete_droite, Direction::Droite);
  repetition(touche[SDL_SCANCODE_LEFT], e.m_repete_gauche, Direction::Gauche);
  repetition(touche[SDL_SCANCODE_DOWN], e.m_repete_bas, Direction::Bas);
  repetition(touche[SDL_SCANCODE_UP], e.m_repete_haut, Direction::Haut);
  uneFoisParAppui(touche[SDL_SCANCODE_P], e.m_touche_p_tenue, e.m_indice_zoom < e.m_indice_zoom_max, +1);
  uneFoisParAppui(touche[SDL_SCANCODE_L], e.m_touche_l_tenue, e.m_indice_zoom > 0, -1);

  if (touche[SDL_SCANCODE_X]) {
    std::cout << "Mode de selection par couleurs voisines" << std::endl;
    e.m_mode_couleurs_voisines = true;
  }
  if (touche[SDL_SCANCODE_W]) {
    std::cout << "Mode de selection par cliquer-glisser (2points)" << std::endl;
    e.m_mode_couleurs_voisines = false;
  }
  if (touche[SDL_SCANCODE_R]) saisirTolerance("rouge", e.m_tolerance_rouge);
  if (touche[SDL_SCANCODE_G]) saisirTolerance("vert", e.m_tolerance_vert);
  if (touche[SDL_SCANCODE_B]) saisirTolerance("bleu", e.m_tolerance_bleu);
  if (touche[SDL_SCANCODE_S]) {
    std::cout << "Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche"
              << std::endl;
    choisirSousMode(&Etat::m_choix_zone);
  }
  if (touche[SDL_SCANCODE_E]) {
    std::cout << "Ajouter a la selection avec la souris : diagonale cliquer-glisser gauche" << std::endl;
    choisirSousMode(&Etat::m_ajout_souris);
  }
  if (touche[SDL_SCANCODE_D]) {
    std::cout << "Retirer de la selection avec la souris : diagonale cliquer-glisser gauche" << std::endl;
    choisirSousMode(&Etat::m_retrait_souris);
  }
  if (touche[SDL_SCANCODE_I]) {
    std::cout << "Ajouter a la selection par couleurs similaires" << std::endl;
    choisirSousMode(&Etat::m_ajout_couleurs);
  }
  // vueSuivante, run by the caller, sets the interlock and the zone sub-mode.
  return touche[SDL_SCANCODE_RETURN] && !e.m_vue_suivante_bloquee;
}
