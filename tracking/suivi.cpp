#include "tracking/suivi.h"

#include <SDL.h>

#include <iostream>
#include <string>

#include "etat/etat.h"
#include "parcours/navigation.h"
#include "parcours/saut.h"
#include "parcours/vue_suivante.h"
#include "series/compteurs.h"
#include "tracking/proposition.h"

namespace {

// Key presses other than SPACE among the counts.
uint32_t autresTouches(const Entrees& s) { return s.appuis_touches - s.appuis[SDL_SCANCODE_SPACE]; }

bool surImageFin() { return g_etat->nom_photo_complet == cheminImageFin(); }

void arreter(const char* raison, const std::string& doute) {
  Etat& e = *g_etat;
  if (!e.m_suivi_en_cours) return;
  e.m_suivi_en_cours = false;
  std::cout << "Suivi arrete : " << raison << std::endl;
  SuiviAuto& s = e.m_suivi;
  s.arret = doute.empty() ? std::string(raison) : std::string(raison) + " (" + doute + ")";
  s.arret_montre = true;
  s.touches_a_l_arret = e.m_entrees.appuis_touches;
}

// One advance of the run; false, the run stopped, after an unknown naming
// scheme or when the detail file refused the row (the photo then stays).
bool avancerDansLeSuivi(bool (*avance)()) {
  const int64_t avant = indicePhotoMontree();
  if (!avance()) {
    arreter("schema de noms inconnu", std::string());
    return false;
  }
  if (indicePhotoMontree() != avant) return true;
  arreter("fichier de detail non ecrit", std::string());  // the operator decides
  return false;
}

// After an advance of the run: the closing picture ends it; a photo that did
// not load is passed with its "absente" row, until the third in a row. False
// when the run stopped.
bool apresAvance() {
  Etat& e = *g_etat;
  SuiviAuto& s = e.m_suivi;
  for (;;) {
    if (surImageFin()) {
      arreter("fin de la serie", std::string());
      return false;
    }
    if (e.pTempSurface_prairie != nullptr) return true;
    // a past photo of the run keeps its row: the run stops on it as before
    if (surPhotoPassee()) {
      arreter("photo non chargee", std::string());
      return false;
    }
    if (s.absentes_de_suite + 1 >= kAbsentesMax) {
      arreter("photos absentes", std::string());
      return false;
    }
    ++s.absentes_de_suite;
    if (!avancerDansLeSuivi(passerPhotoAbsente)) return false;
  }
}

// A photo the proposal finds hidden: passed with N's row when K allows it
// and fewer than kCacheesMax were in a row; else the run stops.
void photoCachee(const std::string& doute) {
  Etat& e = *g_etat;
  SuiviAuto& s = e.m_suivi;
  if (!s.caches_passes) return arreter("proposition douteuse", doute);
  if (s.cachees_de_suite >= kCacheesMax) return arreter("objet cache plus de 3 photos", doute);
  ++s.cachees_de_suite;
  if (avancerDansLeSuivi(passerPhotoCachee)) apresAvance();
}

}  // namespace

void proposerSurLaPhoto() { proposerSelection(); }

void arreterSuivi(const char* raison) { arreter(raison, std::string()); }

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
  e.m_suivi.absentes_de_suite = e.m_suivi.cachees_de_suite = 0;
  e.m_suivi.arret_montre = false;
  e.m_suivi_en_cours = true;
  std::cout << "Suivi demarre" << std::endl;
}

void basculerPhotosCachees() {
  SuiviAuto& s = g_etat->m_suivi;
  s.caches_passes = !s.caches_passes;
  std::cout << "Photos cachees passees : " << (s.caches_passes ? "oui" : "non") << std::endl;
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
  std::string doute;
  switch (proposerSelection(&doute)) {
    case IssueProposition::Impossible:
      arreterSuivi("proposition impossible");
      return;
    case IssueProposition::Douteuse:
      arreter("proposition douteuse", doute);
      return;
    case IssueProposition::Cachee:
      photoCachee(doute);
      return;
    case IssueProposition::Sure:
      break;
  }
  e.m_histoire_selection.par_le_suivi = true;
  e.m_suivi.absentes_de_suite = e.m_suivi.cachees_de_suite = 0;
  if (avancerDansLeSuivi(vueSuivante)) apresAvance();
}
