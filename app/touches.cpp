#include "app/touches.h"

#include <array>
#include <atomic>

#include "etat/etat.h"
#include "app/touche_bandeau.h"
#include "display/trace.h"
#include "interaction/reglage.h"
#include "parcours/reprise.h"
#include "parcours/retour.h"
#include "tracking/suivi.h"

namespace {

// The sixteen keys of the keyboard section, for the help panel only: their
// rules live in interaction/clavier.cpp.
const LigneAide kAideClavier[] = {
    {"fleches", "deplacer la vue (maintenir pour repeter)"},
    {"P / L", "zoom avant / arriere"},
    {"X / W", "selection par couleurs voisines / cliquer-glisser"},
    {"R G B", "tolerance rouge, vert, bleu (saisie en console)"},
    {"S", "choisir la zone a la souris"},
    {"E / D", "ajouter / retirer un rectangle a la souris"},
    {"I", "ajouter par couleurs similaires (clic)"},
    {"Entree", "enregistrer le centre, photo suivante"},
};

std::vector<ToucheAjoutee>& tableProgramme() {
  static std::vector<ToucheAjoutee> table = {
      {SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Retour arriere",
       "revenir a la photo precedente (retire son enregistrement)", reculerPhoto},
      {SDL_SCANCODE_F, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "F",
       "reprendre la serie precedente (avant la premiere photo)", reprendreSerie},
      {SDL_SCANCODE_A, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "A",
       "proposer la selection d'apres la derniere photo mesuree", proposerSurLaPhoto},
      {SDL_SCANCODE_SPACE, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Espace",
       "suivi automatique jusqu'au premier doute (Espace ou toute touche l'arrete)", basculerSuivi},
      {SDL_SCANCODE_H, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "H",
       "afficher / cacher le bandeau d'etat et cette aide", toucheBandeau},
      {SDL_SCANCODE_T, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "T",
       "afficher / masquer la trajectoire des centres", basculerTrace},
      {SDL_SCANCODE_EQUALS, SDL_SCANCODE_KP_PLUS, Declenchement::Repetition, "= / pave +",
       "tolerances + 2, refait la derniere selection par couleur", releverTolerances},
      {SDL_SCANCODE_MINUS, SDL_SCANCODE_KP_MINUS, Declenchement::Repetition, "- / pave -",
       "tolerances - 2, refait la derniere selection par couleur", baisserTolerances},
  };
  return table;
}

std::vector<ToucheAjoutee>* g_table_test = nullptr;

bool enfoncee(const Uint8* clavier, const ToucheAjoutee& t) {
  if (clavier[t.code]) return true;
  return t.autre != SDL_SCANCODE_UNKNOWN && clavier[t.autre];
}

// Presses counted from the events: the sampled state alone misses a release
// and a new press that fall between two frames (a busy frame, a quick
// operator), and the second press would then be taken for the first held.
std::array<std::atomic<uint32_t>, SDL_NUM_SCANCODES> g_appuis{};
std::array<uint32_t, 16> g_appuis_vus{};

int compterAppui(void*, SDL_Event* evenement) {
  if (evenement->type == SDL_KEYDOWN && evenement->key.repeat == 0) {
    const SDL_Scancode code = evenement->key.keysym.scancode;
    if (code >= 0 && code < SDL_NUM_SCANCODES) g_appuis[code].fetch_add(1, std::memory_order_relaxed);
  }
  return 0;
}

uint32_t appuis(const ToucheAjoutee& t) {
  uint32_t n = g_appuis[t.code].load(std::memory_order_relaxed);
  if (t.autre != SDL_SCANCODE_UNKNOWN) n += g_appuis[t.autre].load(std::memory_order_relaxed);
  return n;
}

}  // namespace

const std::vector<ToucheAjoutee>& touchesAjoutees() {
  return g_table_test != nullptr ? *g_table_test : tableProgramme();
}

void remplacerTouchesAjoutees(const std::vector<ToucheAjoutee>& table) {
  static std::vector<ToucheAjoutee> copie;
  copie = table;
  g_table_test = table.empty() ? nullptr : &copie;
}

std::vector<LigneAide> lignesAide() {
  std::vector<LigneAide> lignes(std::begin(kAideClavier), std::end(kAideClavier));
  for (const ToucheAjoutee& t : touchesAjoutees()) lignes.push_back({t.nom, t.aide});
  return lignes;
}

void sectionTouchesAjoutees(uint64_t maintenant) {
  Etat& e = *g_etat;
  const Uint8* clavier = e.m_etat_clavier;
  if (clavier == nullptr) return;
  static bool guet = false;
  if (!guet) {
    SDL_AddEventWatch(compterAppui, nullptr);
    guet = true;
  }
  const std::vector<ToucheAjoutee>& table = touchesAjoutees();
  for (size_t i = 0; i < table.size() && i < e.m_touches_ajoutees_tenues.size(); ++i) {
    const ToucheAjoutee& t = table[i];
    bool& tenue = e.m_touches_ajoutees_tenues[i];
    uint64_t& instant = e.m_touches_ajoutees_instant[i];
    const uint32_t vus = appuis(t);
    const bool nouvel_appui = vus != g_appuis_vus[i];
    g_appuis_vus[i] = vus;
    const bool bas = enfoncee(clavier, t);
    if (!bas && !nouvel_appui) {
      tenue = false;
      continue;
    }
    if (!nouvel_appui) {
      if (t.declenchement == Declenchement::UneFoisParAppui && tenue) continue;
      if (t.declenchement == Declenchement::Repetition && tenue && maintenant - instant < 200) {
        continue;  // the arrows' pace, without holding the frame loop
      }
    }
    tenue = bas;
    instant = maintenant;
    t.action();
  }
}
