#include "tracking/prediction.h"

#include <algorithm>
#include <cmath>

#include "etat/conversion.h"

namespace {

// One axis of a zone of side `cote` starting at `debut`, kept inside [0, taille).
void borner(int64_t debut, int64_t cote, int32_t taille, int32_t& bas, int32_t& haut) {
  if (cote >= taille) {
    bas = 0;
    haut = taille - 1;
    return;
  }
  debut = std::clamp<int64_t>(debut, 0, int64_t{taille} - cote);
  bas = static_cast<int32_t>(debut);
  haut = static_cast<int32_t>(debut + cote - 1);
}

int64_t cote(int32_t bas, int32_t haut) { return std::max<int64_t>(int64_t{haut} - bas + 1, 1); }

// The nearest integer, halves up, once: the zone's corner from its centre.
int64_t coin(double centre, int64_t cote) { return plancher(centre - double(cote) / 2.0 + 0.5); }

std::vector<PasseSelection> passesCouleur(const std::vector<PasseSelection>& passes) {
  std::vector<PasseSelection> couleur;
  for (const PasseSelection& p : passes)
    if (p.type == TypePasse::Couleur) couleur.push_back(p);
  return couleur;
}

double mediane3(double a, double b, double c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); }

}  // namespace

ReferenceSuivi referenceDe(const Historique& historique) {
  ReferenceSuivi r;
  const std::vector<Souvenir>& s = historique.souvenirs;
  // on a past photo, only the photos before it in the run
  const size_t fin = historique.affichee >= 0 ? std::min(size_t(historique.affichee), s.size()) : s.size();
  r.photo = static_cast<int64_t>(fin);
  size_t dernier = fin, dernier_main = fin;
  for (size_t i = 0; i < fin; ++i) {
    // the second object out of sight once: the next one is doubted again
    if (!s[i].selection.histoire.deux_objets) r.deux_objets_admis = false;
    if (!s[i].ecrit) continue;
    const SelectionPhoto& m = s[i].selection;
    r.records.push_back({static_cast<int64_t>(i), {m.centre_x, m.centre_y}});
    dernier = i;
    if (m.histoire.par_le_suivi) continue;
    dernier_main = i;
    if (m.histoire.doute) r.debut_estimation = r.records.size() - 1;
    r.deux_objets_admis = m.histoire.doute && m.histoire.deux_objets;
    r.ecarts_connus = m.nombre > 0;
    r.ecart_x = m.ecart_type_x;
    r.ecart_y = m.ecart_type_y;
  }
  if (dernier == fin) return r;
  r.trouvee = true;
  const SelectionPhoto& mesuree = s[dernier].selection;
  r.zone = {mesuree.zone_x0, mesuree.zone_y0, mesuree.zone_x1, mesuree.zone_y1};
  r.nombre = mesuree.nombre;
  for (size_t i = dernier + 1; i-- > 0 && r.passes.empty();) r.passes = passesCouleur(s[i].selection.passes);
  // no size carried (a resumed run): the zone of the last record made by
  // hand, which no growth of the run made
  const SelectionPhoto& taille = s[dernier_main < fin ? dernier_main : dernier].selection;
  r.largeur_zone = static_cast<int32_t>(cote(taille.zone_x0, taille.zone_x1));
  r.hauteur_zone = static_cast<int32_t>(cote(taille.zone_y0, taille.zone_y1));
  for (size_t i = fin; i-- > 0;) {
    const HistoireSelection& h = s[i].selection.histoire;
    if (h.largeur_zone <= 0 || h.hauteur_zone <= 0) continue;
    r.largeur_zone = h.largeur_zone;
    r.hauteur_zone = h.hauteur_zone;
    break;
  }
  return r;
}

PointSuivi vitesseParPhoto(const std::vector<RecordSuivi>& records) {
  std::vector<PointSuivi> pas;
  for (size_t i = records.size() >= 4 ? records.size() - 3 : 1; i < records.size(); ++i) {
    const int64_t photos = records[i].photo - records[i - 1].photo;
    if (photos <= 0) continue;
    pas.push_back({(records[i].centre.x - records[i - 1].centre.x) / double(photos),
                   (records[i].centre.y - records[i - 1].centre.y) / double(photos)});
  }
  if (pas.empty()) return {};
  if (pas.size() < 3) return pas.back();
  return {mediane3(pas[0].x, pas[1].x, pas[2].x), mediane3(pas[0].y, pas[1].y, pas[2].y)};
}

PointSuivi centrePredit(const std::vector<RecordSuivi>& records, int64_t photo) {
  if (records.empty()) return {};
  const RecordSuivi& d = records.back();
  const PointSuivi v = vitesseParPhoto(records);
  const double photos = double(std::max<int64_t>(photo - d.photo, 0));
  return {d.centre.x + v.x * photos, d.centre.y + v.y * photos};
}

ZoneSuivi zoneCentree(int32_t largeur, int32_t hauteur, PointSuivi centre, int32_t largeur_photo,
                      int32_t hauteur_photo) {
  const int64_t w = std::max<int64_t>(largeur, 1), h = std::max<int64_t>(hauteur, 1);
  ZoneSuivi z;
  borner(coin(centre.x, w), w, largeur_photo, z.x0, z.x1);
  borner(coin(centre.y, h), h, hauteur_photo, z.y0, z.y1);
  return z;
}

ZoneSuivi zoneAgrandie(const ZoneSuivi& zone, PointSuivi centre, int32_t largeur_photo, int32_t hauteur_photo,
                       int64_t max_pixels, bool& limitee) {
  const int64_t w = cote(zone.x0, zone.x1), h = cote(zone.y0, zone.y1);
  // no side longer than the photo's: the zone would shrink back to it
  int64_t w2 = std::min<int64_t>(w + w / 2, std::max(largeur_photo, 1));
  int64_t h2 = std::min<int64_t>(h + h / 2, std::max(hauteur_photo, 1));
  w2 = std::max(w2, w);
  h2 = std::max(h2, h);
  // a zone drag's test: (x1 - x0) x (y1 - y0) pixels at most; the side
  // that grew the more, for its length, gives back first
  while ((w2 - 1) * (h2 - 1) > max_pixels && (w2 > w || h2 > h)) {
    limitee = true;
    if (w2 > w && (w2 - w) * h >= (h2 - h) * w) {
      --w2;
    } else {
      --h2;
    }
  }
  if (w2 == w && h2 == h) return zone;
  ZoneSuivi z;
  borner(coin(centre.x, w2), w2, largeur_photo, z.x0, z.x1);
  borner(coin(centre.y, h2), h2, hauteur_photo, z.y0, z.y1);
  return z;
}

uint8_t bordsTouches(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur) {
  if (largeur <= 0 || hauteur <= 0) return 0;
  const size_t w = static_cast<size_t>(largeur), h = static_cast<size_t>(hauteur);
  if (bits.size() < w * h) return 0;
  uint8_t cotes = 0;
  for (size_t j = 0; j < w; ++j) {
    if (bits[j]) cotes |= kHaut;
    if (bits[(h - 1) * w + j]) cotes |= kBas;
  }
  for (size_t i = 0; i < h; ++i) {
    if (bits[i * w]) cotes |= kGauche;
    if (bits[i * w + w - 1]) cotes |= kDroite;
  }
  return cotes;
}

bool toucheLeBord(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur) {
  return bordsTouches(bits, largeur, hauteur) != 0;
}

uint8_t cotesInterieurs(const ZoneSuivi& zone, int32_t largeur_photo, int32_t hauteur_photo) {
  uint8_t cotes = 0;
  if (zone.x0 > 0) cotes |= kGauche;
  if (zone.x1 < largeur_photo - 1) cotes |= kDroite;
  if (zone.y0 > 0) cotes |= kHaut;
  if (zone.y1 < hauteur_photo - 1) cotes |= kBas;
  return cotes;
}
