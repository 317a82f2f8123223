#include "series/compteurs.h"

#include <limits>

#include "etat/etat.h"
#include "series/nom_photo.h"

PositionSerie incrementerSchema1(int32_t partie_haute, int32_t partie_basse, int32_t pas) {
  PositionSerie p{partie_haute, int64_t{partie_basse} + pas};
  if (p.mineur > 999) {  // one carry only, whatever the step
    p.mineur -= 1000;
    p.majeur += 1;
  }
  return p;
}

PositionSerie incrementerSchema2(int32_t numero, int32_t numero_2, int32_t pas, int32_t pas_2, int32_t modulo_2) {
  PositionSerie p{numero, int64_t{numero_2} + pas_2};
  if (p.mineur >= modulo_2) {  // the carry comes before the number's own step
    p.mineur -= modulo_2;
    p.majeur += 1;
  }
  p.majeur += pas;
  return p;
}

PositionSerie incrementerSchema3(int32_t numero, int32_t pas) { return {int64_t{numero} + pas, 0}; }

bool dansLaSerie(PositionSerie position, PositionSerie fin) {
  return position.majeur < fin.majeur || (position.majeur == fin.majeur && position.mineur <= fin.mineur);
}

int32_t saturer(int64_t valeur) {
  if (valeur > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (valeur < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(valeur);
}

CompteursSerie compteursSerie() {
  const Etat& e = *g_etat;
  return {e.m_partie_haute, e.m_partie_basse, e.m_numero, e.m_numero_2};
}

void remettreCompteurs(const CompteursSerie& c) {
  Etat& e = *g_etat;
  e.m_partie_haute = c.partie_haute;
  e.m_partie_basse = c.partie_basse;
  e.m_numero = c.numero;
  e.m_numero_2 = c.numero_2;
}

Increment incrementerCompteurs(CompteursSerie& c) {
  const Etat& e = *g_etat;
  // The end test uses the exact 64-bit position, so a step that saturates a
  // counter lands past the last photo instead of wrapping.
  PositionSerie position, fin;
  switch (e.m_mode_nom) {
    case 1:
      position = incrementerSchema1(c.partie_haute, c.partie_basse, e.m_pas_partie_basse);
      fin = {e.m_fin_partie_haute, e.m_fin_partie_basse};
      c.partie_haute = saturer(position.majeur);
      c.partie_basse = saturer(position.mineur);
      break;
    case 2:
      position = incrementerSchema2(c.numero, c.numero_2, e.m_pas_numero, e.m_pas_numero_2, e.m_modulo_numero_2);
      fin = {e.m_numero_fin, e.m_numero_fin_2};
      c.numero = saturer(position.majeur);
      c.numero_2 = saturer(position.mineur);
      break;
    case 3:
      position = incrementerSchema3(c.numero, e.m_pas_numero);
      fin = {e.m_numero_fin, 0};
      c.numero = saturer(position.majeur);
      break;
    default:
      return Increment::SchemaInconnu;
  }
  return dansLaSerie(position, fin) ? Increment::DansLaSerie : Increment::ApresLaFin;
}

std::string cheminImageFin() { return g_etat->m_dossier_photos + "/" + "figure_fin.png"; }

std::string cheminApres(CompteursSerie c) {
  switch (incrementerCompteurs(c)) {
    case Increment::DansLaSerie:
      return nomPhotoPour(c);
    case Increment::ApresLaFin:
      return cheminImageFin();
    default:
      return std::string();
  }
}

PlaceSerie placeDansLaSerie(const CompteursSerie& courant, int64_t plafond) {
  const Etat& e = *g_etat;
  CompteursSerie c{e.m_debut_partie_haute, e.m_debut_partie_basse, e.m_numero_debut, e.m_numero_debut_2};
  PlaceSerie place;
  if (memesCompteurs(c, courant)) place.rang = 1;
  for (int64_t n = 1; n <= plafond; ++n) {
    const CompteursSerie avant = c;
    const Increment increment = incrementerCompteurs(c);
    if (increment == Increment::SchemaInconnu) return PlaceSerie{};
    if (increment == Increment::ApresLaFin) {
      place.longueur = n;
      return place;
    }
    if (memesCompteurs(c, avant)) break;  // a zero step never reaches the end
    if (place.rang < 0 && memesCompteurs(c, courant)) place.rang = n + 1;
  }
  return place;
}

