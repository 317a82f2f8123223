#include "interaction/recette.h"

#include <algorithm>

#include "etat/etat.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"
#include "interaction/tache.h"

namespace {

// The drag's bits without its recount: modifierRectangle recounts, and a
// replay recounts once at the end.
void appliquerRectangle(const PasseSelection& p) {
  Etat& e = *g_etat;
  const bool ajout = p.type == TypePasse::Ajout;
  const size_t n = std::min({e.m_liste_x.size(), e.m_liste_y.size(), e.is_select.size()});
  for (size_t k = 0; k < n; ++k) {
    const int32_t c = e.m_liste_x[k];
    const int32_t l = e.m_liste_y[k];
    if (p.x0 <= c && c <= p.x1 && p.y0 <= l && l <= p.y1) e.is_select[k] = ajout;
  }
}

}  // namespace

int64_t nombreDeBits(const std::vector<bool>& bits) { return std::count(bits.begin(), bits.end(), true); }

void noterZone() {
  Etat& e = *g_etat;
  Recette& r = e.m_recette;
  r.zone = true;
  r.x0 = e.m_zone_x0;
  r.y0 = e.m_zone_y0;
  r.x1 = e.m_zone_x1;
  r.y1 = e.m_zone_y1;
  r.depart.clear();
  r.passes.clear();
  // a zone drawn after a proposal is the operator's, and its size the one
  // the next proposals start from: the proposal sets all three back after
  // its own zone
  HistoireSelection& h = e.m_histoire_selection;
  h.proposee = false;
  h.zone_tracee = true;
  h.largeur_zone = e.m_zone_x1 - e.m_zone_x0 + 1;
  h.hauteur_zone = e.m_zone_y1 - e.m_zone_y0 + 1;
}

void noterCouleur(int64_t nombre_avant) {
  Etat& e = *g_etat;
  PasseSelection p;
  p.type = TypePasse::Couleur;
  p.rouge = e.m_rouge_reference;
  p.vert = e.m_vert_reference;
  p.bleu = e.m_bleu_reference;
  p.tolerance_rouge = e.m_tolerance_rouge;
  p.tolerance_vert = e.m_tolerance_vert;
  p.tolerance_bleu = e.m_tolerance_bleu;
  e.m_recette.passes.push_back(p);
  HistoireSelection& h = e.m_histoire_selection;
  h.changee = true;
  h.proposee = false;
  // a colour pass only adds: it changed the selection when the count grew
  if (nombreDeBits(e.is_select) > nombre_avant) {
    h.couleur = true;
    h.rouge = p.rouge;
    h.vert = p.vert;
    h.bleu = p.bleu;
  }
}

void noterRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout) {
  Etat& e = *g_etat;
  PasseSelection p;
  p.type = ajout ? TypePasse::Ajout : TypePasse::Retrait;
  p.x0 = x0;
  p.y0 = y0;
  p.x1 = x1;
  p.y1 = y1;
  e.m_recette.passes.push_back(p);
  e.m_histoire_selection.changee = true;
  e.m_histoire_selection.proposee = false;
}

void noterPhotoSuivante() {
  Etat& e = *g_etat;
  Recette& r = e.m_recette;
  r.depart = e.is_select;
  r.passes.clear();
  HistoireSelection& h = e.m_histoire_selection;
  h.changee = false;
  h.zone_tracee = h.doute = h.deux_objets = h.par_le_suivi = false;
}

bool rejouerRecette(const Recette& recette) {
  Etat& e = *g_etat;
  if (recette.depart.size() == e.is_select.size()) {
    e.is_select = recette.depart;
  } else {
    e.is_select.assign(e.is_select.size(), false);
  }
  bool complete = true;
  for (const PasseSelection& p : recette.passes) {
    if (p.type == TypePasse::Tache) {
      garderTache(p.x0, p.y0);
    } else if (p.type != TypePasse::Couleur) {
      appliquerRectangle(p);
    } else if (!passeCouleurDe(p.rouge, p.vert, p.bleu, p.tolerance_rouge, p.tolerance_vert, p.tolerance_bleu)) {
      complete = false;
      break;
    }
  }
  recompterSelection();
  return complete;
}
