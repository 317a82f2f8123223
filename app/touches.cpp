#include "app/touches.h"

#include "etat/etat.h"
#include "calibration/dialogue.h"
#include "display/bandeau.h"
#include "display/trace.h"
#include "interaction/reglage.h"
#include "parcours/saut.h"
#include "parcours/navigation.h"
#include "interaction/vue.h"
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

bool enfoncee(const Uint8* clavier, const ToucheAjoutee& t) {
  if (clavier[t.code]) return true;
  return t.autre != SDL_SCANCODE_UNKNOWN && clavier[t.autre];
}

// Whether the event step counted a press of the key since the section last
// looked; marks it seen. The sampled state alone misses a release and a new
// press that fall between two frames (a busy frame, a quick operator), and
// the second press would then be taken for the first held.
bool nouvelAppui(Entrees& s, SDL_Scancode code) {
  const bool nouveau = s.appuis[code] != s.vus[code];
  s.vus[code] = s.appuis[code];
  return nouveau;
}

}  // namespace

const std::vector<ToucheAjoutee>& touchesAjoutees() {
  static const std::vector<ToucheAjoutee> table = {
      {SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Retour arriere",
       "revenir a la photo precedente (retire son enregistrement)", reculerPhoto},
      {SDL_SCANCODE_F, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "F",
       "reprendre la serie precedente (avant la premiere photo)", reprendreSerie},
      {SDL_SCANCODE_A, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "A",
       "proposer la selection d'apres la derniere photo mesuree", proposerSurLaPhoto},
      {SDL_SCANCODE_SPACE, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Espace",
       "suivi automatique jusqu'au premier doute (Espace ou toute touche l'arrete)", toucheSuivi},
      {SDL_SCANCODE_K, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "K",
       "suivi : passer sans mesure jusqu'a 3 photos ou l'objet est cache (oui / non)", basculerPhotosCachees},
      {SDL_SCANCODE_H, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "H",
       "afficher / cacher le bandeau d'etat et cette aide", toucheBandeau},
      {SDL_SCANCODE_T, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "T",
       "afficher / masquer la trajectoire des centres", basculerTrace},
      {SDL_SCANCODE_EQUALS, SDL_SCANCODE_KP_PLUS, Declenchement::Repetition, "= / pave +",
       "tolerances + 2, refait la derniere selection par couleur", releverTolerances},
      {SDL_SCANCODE_MINUS, SDL_SCANCODE_KP_MINUS, Declenchement::Repetition, "- / pave -",
       "tolerances - 2, refait la derniere selection par couleur", baisserTolerances},
      {SDL_SCANCODE_PAGEUP, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Page prec.",
       "photo precedente de la serie mesuree (Entree y remplace l'enregistrement)", photoPrecedente},
      {SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Page suiv.",
       "photo suivante de la serie mesuree", photoSuivante},
      {SDL_SCANCODE_HOME, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Debut",
       "premiere photo mesuree", premierePhoto},
      {SDL_SCANCODE_END, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Fin",
       "derniere photo (celle a mesurer)", dernierePhoto},
      {SDL_SCANCODE_N, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "N",
       "passer la photo sans enregistrement (retire celui d'une photo passee)", passerPhoto},
      {SDL_SCANCODE_0, SDL_SCANCODE_KP_0, Declenchement::UneFoisParAppui, "0 / pave 0",
       "photo entiere : le plus grand zoom ou elle tient dans la fenetre, centree", montrerPhotoEntiere},
      {SDL_SCANCODE_C, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "C",
       "calibration : cliquer les extremites d'une longueur connue", toucheEchelle},
      {SDL_SCANCODE_O, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "O",
       "calibration : cliquer l'origine des axes", toucheOrigine},
      {SDL_SCANCODE_Q, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "Q",
       "calibration : cliquer les quatre coins d'un rectangle du plan", touchePlan},
  };
  return table;
}

std::vector<LigneAide> lignesAide() {
  std::vector<LigneAide> lignes(std::begin(kAideClavier), std::end(kAideClavier));
  for (const ToucheAjoutee& t : touchesAjoutees()) lignes.push_back({t.nom, t.aide});
  return lignes;
}

void sectionTouchesAjoutees(uint64_t maintenant) { sectionTouchesAjoutees(touchesAjoutees(), maintenant); }

void sectionTouchesAjoutees(const std::vector<ToucheAjoutee>& table, uint64_t maintenant) {
  Etat& e = *g_etat;
  const Uint8* clavier = e.m_etat_clavier;
  if (clavier == nullptr) return;
  Entrees& s = e.m_entrees;
  for (const ToucheAjoutee& t : table) {
    bool& tenue = s.tenues[t.code];
    uint64_t& instant = s.instants[t.code];
    bool nouvel_appui = nouvelAppui(s, t.code);
    if (t.autre != SDL_SCANCODE_UNKNOWN) nouvel_appui = nouvelAppui(s, t.autre) || nouvel_appui;
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

void toucheSuivi() {
  basculerSuivi();
  // the strip shows the run and its stop, H or not
  if (g_etat->m_suivi_en_cours) preparerBandeauSuivi();
}

void toucheBandeau() {
  SourceBandeau source;
  for (const LigneAide& l : lignesAide()) source.aide.emplace_back(l.touche, l.effet);
  basculerBandeau(source);
}
