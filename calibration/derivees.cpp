#include "calibration/derivees.h"

#include <algorithm>
#include <cmath>

bool poidsParabole(const double* tau, int n, double* wv, double* wa) {
  // scaled times keep the normal equations well conditioned
  double s = 0.0;
  for (int k = 0; k < n; ++k) s = std::max(s, std::fabs(tau[k]));
  if (!(s > 0.0) || !std::isfinite(s)) return false;
  double m[3][3] = {}, p[5][3];
  for (int k = 0; k < n; ++k) {
    const double u = tau[k] / s;
    p[k][0] = 1.0;
    p[k][1] = u;
    p[k][2] = u * u;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] += p[k][i] * p[k][j];
  }
  // inverse of the 3 x 3 normal matrix by its adjugate
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1], c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2],
               c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  if (!(std::fabs(det) > 1e-12)) return false;
  double inv[3][3];
  inv[0][0] = c00 / det;
  inv[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
  inv[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
  inv[1][0] = c01 / det;
  inv[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
  inv[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
  inv[2][0] = c02 / det;
  inv[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
  inv[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
  for (int k = 0; k < n; ++k) {
    double c1 = 0.0, c2 = 0.0;
    for (int j = 0; j < 3; ++j) {
      c1 += inv[1][j] * p[k][j];
      c2 += inv[2][j] * p[k][j];
    }
    wv[k] = c1 / s;
    wa[k] = 2.0 * c2 / (s * s);
  }
  return true;
}

std::vector<FenetreDerivee> fenetresDerivees(const std::vector<int64_t>& indices, const std::vector<double>& t) {
  const int64_t n = static_cast<int64_t>(std::min(indices.size(), t.size()));
  std::vector<FenetreDerivee> f(static_cast<size_t>(n));
  int64_t debut = 0;
  while (debut < n) {
    // a segment: consecutive photos of the series, all recorded
    int64_t fin = debut + 1;
    while (fin < n && indices[fin] == indices[fin - 1] + 1) ++fin;
    const int64_t m = fin - debut;
    for (int64_t j = 0; j < m && m >= 3; ++j) {
      FenetreDerivee& w = f[static_cast<size_t>(debut + j)];
      if (m >= 5 && j >= 2 && j + 2 < m) {
        w.n = 5;
        w.debut = j - 2;
      } else {
        w.n = 3;
        w.debut = std::clamp<int64_t>(j - 1, 0, m - 3);
      }
      double tau[5];
      for (int k = 0; k < w.n; ++k) tau[k] = t[debut + w.debut + k] - t[debut + j];
      w.debut += debut;
      w.existe = poidsParabole(tau, w.n, w.wv, w.wa);
    }
    debut = fin;
  }
  return f;
}
