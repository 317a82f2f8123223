#include "interaction/reglage.h"

#include <algorithm>
#include <iostream>

#include "etat/etat.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"

namespace {

// The recipe describes the zone the lists hold, there is a photo to read,
// and the operator is not between a refused zone and the next one.
bool selectionRejouable(const Etat& e) {
  const Recette& r = e.m_recette;
  if (!r.zone || e.pTempSurface_prairie == nullptr || e.is_select.empty()) return false;
  if (r.x0 != e.m_zone_x0 || r.y0 != e.m_zone_y0 || r.x1 != e.m_zone_x1 || r.y1 != e.m_zone_y1) return false;
  if (e.m_liste_x.size() != e.is_select.size() || e.m_liste_y.size() != e.is_select.size()) return false;
  return !(e.m_afficher_croix_appui && !e.m_afficher_zone);
}

}  // namespace

int32_t toleranceReglee(int32_t tolerance, int32_t pas) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{tolerance} + pas, 0, 255));
}

int64_t derniereCouleur(const std::vector<PasseSelection>& passes) {
  for (size_t k = passes.size(); k-- > 0;) {
    if (passes[k].type == TypePasse::Couleur) return static_cast<int64_t>(k);
  }
  return -1;
}

bool reglerTolerances(int32_t pas) {
  Etat& e = *g_etat;
  const int32_t avant[3] = {e.m_tolerance_rouge, e.m_tolerance_vert, e.m_tolerance_bleu};
  e.m_tolerance_rouge = toleranceReglee(avant[0], pas);
  e.m_tolerance_vert = toleranceReglee(avant[1], pas);
  e.m_tolerance_bleu = toleranceReglee(avant[2], pas);
  std::cout << "Tolerances : " << e.m_tolerance_rouge << " " << e.m_tolerance_vert << " " << e.m_tolerance_bleu
            << std::endl;
  // at the bound the line tells the operator so; the selection stays as it is
  const bool bouge =
      avant[0] != e.m_tolerance_rouge || avant[1] != e.m_tolerance_vert || avant[2] != e.m_tolerance_bleu;
  Recette& r = e.m_recette;
  const int64_t k = derniereCouleur(r.passes);
  if (!bouge || k < 0 || !selectionRejouable(e)) return false;

  PasseSelection& passe = r.passes[static_cast<size_t>(k)];
  passe.tolerance_rouge = e.m_tolerance_rouge;
  passe.tolerance_vert = e.m_tolerance_vert;
  passe.tolerance_bleu = e.m_tolerance_bleu;
  // the passes before it, then it (with the count it found), then the rest
  Recette morceau{r.zone, r.x0, r.y0, r.x1, r.y1, r.depart, {r.passes.begin(), r.passes.begin() + k}};
  rejouerRecette(morceau);
  const int64_t nombre_avant = e.m_nombre_selectionnes;
  passeCouleurDe(passe.rouge, passe.vert, passe.bleu, passe.tolerance_rouge, passe.tolerance_vert,
                 passe.tolerance_bleu);
  const bool ajoute = e.m_nombre_selectionnes > nombre_avant;
  if (static_cast<size_t>(k) + 1 < r.passes.size()) {
    morceau.depart = e.is_select;
    morceau.passes.assign(r.passes.begin() + k + 1, r.passes.end());
    rejouerRecette(morceau);
  }
  calculerCentre();
  ++e.m_version_selection;
  HistoireSelection& h = e.m_histoire_selection;
  h.changee = true;
  h.proposee = false;
  if (ajoute) {
    h.couleur = true;
    h.rouge = passe.rouge;
    h.vert = passe.vert;
    h.bleu = passe.bleu;
  }
  return true;
}

void releverTolerances() { reglerTolerances(kPasReglage); }
void baisserTolerances() { reglerTolerances(-kPasReglage); }
