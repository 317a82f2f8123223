#include "app/touche_bandeau.h"

#include "app/etat.h"
#include "app/touches.h"
#include "output/vue_suivante.h"

namespace {

PlaceSerie placeCourante(const CompteursSerie& courant) { return placeDansLaSerie(courant); }

}  // namespace

PlaceSerie placeDansLaSerie(const CompteursSerie& courant, int64_t plafond) {
  const Etat& e = *g_etat;
  CompteursSerie c{e.m_debut_partie_haute, e.m_debut_partie_basse, e.m_numero_debut, e.m_numero_debut_2};
  PlaceSerie place;
  if (memesCompteurs(c, courant)) place.rang = 1;
  for (int64_t n = 1; n <= plafond; ++n) {
    const CompteursSerie avant = c;
    const Avance avance = avancerCompteurs(c);
    if (avance == Avance::SchemaInconnu) return PlaceSerie{};
    if (avance == Avance::ApresLaFin) {
      place.longueur = n;
      return place;
    }
    if (memesCompteurs(c, avant)) break;  // a zero step never reaches the end
    if (place.rang < 0 && memesCompteurs(c, courant)) place.rang = n + 1;
  }
  return place;
}

void toucheBandeau() {
  SourceBandeau source;
  for (const LigneAide& l : lignesAide()) source.aide.emplace_back(l.touche, l.effet);
  source.mesurer = placeCourante;
  basculerBandeau(source);
}
