#include "calibration/geometrie.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;

double croix(PointPhoto o, PointPhoto a, PointPhoto b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double distance(PointPhoto a, PointPhoto b) { return std::hypot(b.x - a.x, b.y - a.y); }

bool finis(const PointPhoto coins[4]) {
  for (int i = 0; i < 4; ++i)
    if (!std::isfinite(coins[i].x) || !std::isfinite(coins[i].y)) return false;
  return true;
}

// Segments ab and cd cross at a point inside both.
bool secants(PointPhoto a, PointPhoto b, PointPhoto c, PointPhoto d) {
  const double d1 = croix(a, b, c), d2 = croix(a, b, d), d3 = croix(c, d, a), d4 = croix(c, d, b);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// The map of the unit square onto the quadrilateral: (0,0), (1,0), (1,1),
// (0,1) to coins[0..3], in closed form.
Homographie carreVers(const PointPhoto p[4]) {
  Homographie h;
  const double sx = p[0].x - p[1].x + p[2].x - p[3].x, sy = p[0].y - p[1].y + p[2].y - p[3].y;
  const double dx1 = p[1].x - p[2].x, dx2 = p[3].x - p[2].x, dy1 = p[1].y - p[2].y, dy2 = p[3].y - p[2].y;
  const double den = dx1 * dy2 - dx2 * dy1;
  const double g = (sx * dy2 - dx2 * sy) / den, k = (dx1 * sy - sx * dy1) / den;
  h.m[0] = p[1].x - p[0].x + g * p[1].x;
  h.m[1] = p[3].x - p[0].x + k * p[3].x;
  h.m[2] = p[0].x;
  h.m[3] = p[1].y - p[0].y + g * p[1].y;
  h.m[4] = p[3].y - p[0].y + k * p[3].y;
  h.m[5] = p[0].y;
  h.m[6] = g;
  h.m[7] = k;
  h.m[8] = 1.0;
  return h;
}

}  // namespace

PointPhoto appliquer(const Homographie& h, PointPhoto p) {
  const double* m = h.m;
  const double w = m[6] * p.x + m[7] * p.y + m[8];
  if (w == 0.0) return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  return {(m[0] * p.x + m[1] * p.y + m[2]) / w, (m[3] * p.x + m[4] * p.y + m[5]) / w};
}

bool inverser(const Homographie& h, Homographie& inverse) {
  const double* m = h.m;
  double a[9] = {m[4] * m[8] - m[5] * m[7], m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4],
                 m[5] * m[6] - m[3] * m[8], m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[0] * m[5],
                 m[3] * m[7] - m[4] * m[6], m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]};
  const double det = m[0] * a[0] + m[1] * a[3] + m[2] * a[6];
  if (!std::isfinite(det) || det == 0.0) return false;
  for (int i = 0; i < 9; ++i) inverse.m[i] = a[i] / det;
  return true;
}

bool quadrilatereValide(const PointPhoto coins[4], std::string& raison) {
  if (!finis(coins)) {
    raison = "coin illisible";
    return false;
  }
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      if (distance(coins[i], coins[j]) < 1.0) {
        raison = "deux coins confondus";
        return false;
      }
    }
  }
  // a corner within a pixel of the line through two others: the triangle's
  // height over its longest side
  for (int sans = 0; sans < 4; ++sans) {
    PointPhoto t[3];
    for (int i = 0, n = 0; i < 4; ++i)
      if (i != sans) t[n++] = coins[i];
    const double base = std::max({distance(t[0], t[1]), distance(t[1], t[2]), distance(t[0], t[2])});
    if (std::fabs(croix(t[0], t[1], t[2])) < base) {
      raison = "trois coins alignes";
      return false;
    }
  }
  if (secants(coins[0], coins[1], coins[2], coins[3]) || secants(coins[1], coins[2], coins[3], coins[0])) {
    raison = "cotes croises";
    return false;
  }
  bool positif = false, negatif = false;
  for (int i = 0; i < 4; ++i) {
    const double c = croix(coins[i], coins[(i + 1) % 4], coins[(i + 2) % 4]);
    (c > 0 ? positif : negatif) = true;
  }
  if (positif && negatif) {
    raison = "quadrilatere non convexe";
    return false;
  }
  return true;
}

bool homographieDuPlan(const PointPhoto coins[4], double largeur, double hauteur, Homographie& h,
                       std::string& raison) {
  if (!quadrilatereValide(coins, raison)) return false;
  if (!(largeur > 0.0) || !(hauteur > 0.0) || !std::isfinite(largeur) || !std::isfinite(hauteur)) {
    raison = "largeur ou hauteur invalide";
    return false;
  }
  Homographie carre;
  if (!inverser(carreVers(coins), carre)) {
    raison = "trois coins alignes";
    return false;
  }
  // the unit square stretched to the rectangle's size
  for (int i = 0; i < 3; ++i) {
    carre.m[i] *= largeur;
    carre.m[3 + i] *= hauteur;
  }
  h = carre;
  return true;
}

bool construireRepere(const Calibration& c, Repere& r, std::string& raison) {
  r = Repere();
  r.identite = !(c.echelle || c.echelle_sans_bouts || c.plan || c.origine || c.angle != 0.0 || c.y_vers_le_bas);
  if (r.identite) {
    r.signe_y = 1.0;
    return true;
  }
  r.signe_y = c.y_vers_le_bas ? 1.0 : -1.0;
  const double a = c.angle * kPi / 180.0;
  r.cos_a = std::cos(a);
  r.sin_a = std::sin(a);
  if (c.plan) {
    if (!homographieDuPlan(c.coins, c.largeur_plan, c.hauteur_plan, r.h, raison)) return false;
    r.plan = true;
    r.unite = c.unite;
    r.unites_par_pixel = c.largeur_plan / std::max(distance(c.coins[0], c.coins[1]), 1.0);
    // the plane's v runs from the first side toward the fourth corner: y up
    // is the side above the first side as the photo shows it
    const bool quatrieme_dessous = croix(c.coins[0], c.coins[1], c.coins[3]) > 0;
    r.signe_y = (quatrieme_dessous ? -1.0 : 1.0) * (c.y_vers_le_bas ? -1.0 : 1.0);
    r.origine = c.origine ? appliquer(r.h, c.point_origine) : PointPhoto{0.0, 0.0};
    if (!std::isfinite(r.origine.x) || !std::isfinite(r.origine.y)) {
      raison = "origine hors du plan";
      return false;
    }
    return true;
  }
  if (c.echelle) {
    const double pixels = distance(c.bouts[0], c.bouts[1]);
    if (!(pixels > 0.0) || !(c.longueur > 0.0) || !std::isfinite(c.longueur)) {
      raison = "longueur connue invalide";
      return false;
    }
    r.echelle = c.longueur / pixels;
    r.unite = c.unite;
  } else if (c.echelle_sans_bouts) {
    r.echelle = c.longueur;
    r.unite = c.unite;
  }
  r.unites_par_pixel = r.echelle;
  r.origine = c.origine ? c.point_origine : PointPhoto{0.0, 0.0};
  return true;
}

PointPhoto versRepere(const Repere& r, PointPhoto p) {
  if (r.identite) return p;
  const PointPhoto m = r.plan ? appliquer(r.h, p) : p;
  const double dx = m.x - r.origine.x, dy = (m.y - r.origine.y) * r.signe_y;
  const double k = r.plan ? 1.0 : r.echelle;
  return {k * (r.cos_a * dx + r.sin_a * dy), k * (-r.sin_a * dx + r.cos_a * dy)};
}

PointPhoto versPhoto(const Repere& r, PointPhoto q) {
  if (r.identite) return q;
  const double k = r.plan ? 1.0 : r.echelle;
  const double X = q.x / k, Y = q.y / k;
  const double dx = r.cos_a * X - r.sin_a * Y, dy = r.sin_a * X + r.cos_a * Y;
  const PointPhoto m{r.origine.x + dx, r.origine.y + dy * r.signe_y};
  if (!r.plan) return m;
  Homographie inverse;
  if (!inverser(r.h, inverse)) return {std::nan(""), std::nan("")};
  return appliquer(inverse, m);
}
