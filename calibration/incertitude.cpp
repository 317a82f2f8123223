#include "calibration/incertitude.h"

#include <cmath>

IncertitudePixels incertitudeSelection(const std::vector<bool>& bits, int32_t x0, int32_t y0, int32_t x1,
                                       int32_t y1) {
  IncertitudePixels u;
  const int64_t largeur = int64_t{x1} - x0 + 1, hauteur = int64_t{y1} - y0 + 1;
  if (largeur <= 0 || hauteur <= 0 || static_cast<int64_t>(bits.size()) != largeur * hauteur) return u;
  auto pris = [&](int64_t c, int64_t l) {
    return c >= 0 && l >= 0 && c < largeur && l < hauteur && bits[static_cast<size_t>(l * largeur + c)];
  };
  double n = 0.0, sx = 0.0, sy = 0.0;
  for (int64_t l = 0; l < hauteur; ++l)
    for (int64_t c = 0; c < largeur; ++c)
      if (pris(c, l)) {
        n += 1.0;
        sx += double(c);
        sy += double(l);
      }
  if (n == 0.0) return u;
  const double mx = sx / n, my = sy / n;
  // A pixel whose neighbours mostly disagree with it (a stray pixel taken,
  // a hole left, a spike) may be wrong whole: weight 1. An edge pixel is
  // wrong by a share of itself: weight kVarianceBord.
  double bx = 0.0, by = 0.0;
  for (int64_t l = 0; l < hauteur; ++l) {
    for (int64_t c = 0; c < largeur; ++c) {
      const bool p = pris(c, l);
      const int autres = (pris(c - 1, l) != p) + (pris(c + 1, l) != p) + (pris(c, l - 1) != p) + (pris(c, l + 1) != p);
      double poids = 0.0;
      if (autres >= 3 && (p || (c > 0 && l > 0 && c + 1 < largeur && l + 1 < hauteur))) {
        poids = 1.0;
      } else if (p && autres > 0) {
        poids = kVarianceBord;
      }
      if (poids == 0.0) continue;
      bx += poids * ((c - mx) * (c - mx) + 1.0 / 12.0);
      by += poids * ((l - my) * (l - my) + 1.0 / 12.0);
    }
  }
  u.ux = std::sqrt(bx) / n;
  u.uy = std::sqrt(by) / n;
  return u;
}

IncertitudePixels incertitudeCompacte(int64_t nombre, double ecart_x, double ecart_y) {
  IncertitudePixels u;
  if (nombre <= 0) return u;
  const double n = double(nombre);
  // a filled ellipse's semi-axes are twice its standard deviations
  const double a = std::max(2.0 * ecart_x, 0.5), b = std::max(2.0 * ecart_y, 0.5);
  // its border pixels: the perimeter (Ramanujan) by the mean of |cos| + |sin|
  const double h = (a - b) * (a - b) / ((a + b) * (a + b));
  const double perimetre = 3.14159265358979 * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
  const double bord = std::max(1.0, perimetre * 4.0 / 3.14159265358979 * 0.5);
  // the lever arms over the border average half the squared semi-axis
  u.ux = std::sqrt(kVarianceBord * bord * (a * a / 2 + 1.0 / 12.0)) / n;
  u.uy = std::sqrt(kVarianceBord * bord * (b * b / 2 + 1.0 / 12.0)) / n;
  return u;
}
