#include "calibration/traits.h"

#include <cmath>

#include "etat/etat.h"
#include "calibration/geometrie.h"

namespace {

constexpr double kAxePixels = 80.0;  // photo pixels an axis is drawn about
constexpr double kTete = 8.0;        // arrow head and tick size, photo pixels

bool fini(PointPhoto p) { return std::isfinite(p.x) && std::isfinite(p.y); }

void trait(std::vector<TraitCalibration>& t, PointPhoto a, PointPhoto b, uint8_t r, uint8_t v, uint8_t bl) {
  if (fini(a) && fini(b)) t.push_back({a, b, r, v, bl});
}

// A segment and a head of two strokes at b.
void fleche(std::vector<TraitCalibration>& t, PointPhoto a, PointPhoto b, uint8_t r, uint8_t v, uint8_t bl) {
  trait(t, a, b, r, v, bl);
  const double l = std::hypot(b.x - a.x, b.y - a.y);
  if (!(l > 0.0)) return;
  const double ux = (b.x - a.x) / l, uy = (b.y - a.y) / l;
  for (double s : {-1.0, 1.0}) {
    const PointPhoto c{b.x - kTete * (ux * 0.9 - s * uy * 0.5), b.y - kTete * (uy * 0.9 + s * ux * 0.5)};
    trait(t, b, c, r, v, bl);
  }
}

}  // namespace

std::vector<TraitCalibration> traitsDe(const Calibration& c) {
  std::vector<TraitCalibration> t;
  if (c.echelle) {
    const PointPhoto a = c.bouts[0], b = c.bouts[1];
    trait(t, a, b, 255, 0, 255);
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    if (l > 0.0) {
      const double nx = -(b.y - a.y) / l * kTete / 2, ny = (b.x - a.x) / l * kTete / 2;
      for (PointPhoto p : {a, b}) trait(t, {p.x - nx, p.y - ny}, {p.x + nx, p.y + ny}, 255, 0, 255);
    }
  }
  if (c.plan) {
    for (int i = 0; i < 4; ++i) trait(t, c.coins[i], c.coins[(i + 1) % 4], 0, 255, 255);
    const PointPhoto p = c.coins[0];
    trait(t, {p.x - kTete, p.y - kTete}, {p.x + kTete, p.y + kTete}, 0, 255, 255);
    trait(t, {p.x - kTete, p.y + kTete}, {p.x + kTete, p.y - kTete}, 0, 255, 255);
  }
  Repere r;
  std::string raison;
  if (!construireRepere(c, r, raison) || r.identite) return t;
  // the axes as long in units as kAxePixels photo pixels about the origin
  const double u = kAxePixels * (r.unites_par_pixel > 0.0 ? r.unites_par_pixel : 1.0);
  const PointPhoto o = versPhoto(r, {0.0, 0.0});
  fleche(t, o, versPhoto(r, {u, 0.0}), 255, 0, 0);
  fleche(t, o, versPhoto(r, {0.0, u}), 0, 255, 0);
  return t;
}

void construireTraits() {
  EtatCalibration& c = g_etat->m_calibration;
  c.traits = traitsDe(c.valeurs);
}
