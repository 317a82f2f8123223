// The calibrated measure's honesty and accuracy, printed:
// - coverage of the uncertainty: 400 generated discs (radius 3 to 30, with
//   and without noise): the share of coordinates whose true error lies
//   within one and two uncertainties (targets 55-80 % and >= 93 %);
// - accuracy of the recorded centres on discs drawn as the demo series draws
//   them, radius 10: RMS error without noise (target 0.06 px) and with noise
//   of a fifth of the contrast (target 0.1 px);
// - a series photographed in perspective, measured through the homography
//   of its plane's four corners clicked on their pixels: the largest error in
//   millimetres as a share of the plane's size (target 0.1 %).
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "etat/etat.h"
#include "calibration/geometrie.h"
#include "tests/disques_generes.h"

namespace {

void resume(const char* figure, double mesure, const char* unite, const char* base, double ratio, const char* cible) {
  std::printf("resume\t%s\t%.4g %s\t%s\t%.3f\t%s\n", figure, mesure, unite, base, ratio, cible);
}

void couverture() {
  std::mt19937 hasard(99);
  int dans1[2] = {}, dans2[2] = {}, total[2] = {};
  for (int bruit = 0; bruit < 2; ++bruit) {
    for (int i = 0; i < 200; ++i) {
      const DisqueGenere d = disqueAuHasard(hasard, bruit, i % 2 == 0);
      const MesureDisque m = mesurerDisque(d, hasard);
      for (double z : {(m.x - d.cx) / m.ux, (m.y - d.cy) / m.uy}) {
        ++total[bruit];
        dans1[bruit] += std::fabs(z) <= 1;
        dans2[bruit] += std::fabs(z) <= 2;
      }
    }
    std::printf("coverage %s noise: %.1f %% within 1 u, %.1f %% within 2 u (%d coordinates)\n",
                bruit ? "with" : "without", 100.0 * dans1[bruit] / total[bruit], 100.0 * dans2[bruit] / total[bruit],
                total[bruit]);
  }
  const double un = 100.0 * (dans1[0] + dans1[1]) / (total[0] + total[1]);
  const double deux = 100.0 * (dans2[0] + dans2[1]) / (total[0] + total[1]);
  resume("coverage within 1 uncertainty, 400 discs", un, "%", "68 % (normal)", un / 68.0, "55-80 %");
  resume("coverage within 2 uncertainties, 400 discs", deux, "%", "95 % (normal)", deux / 95.0, ">= 93 %");
}

void precision() {
  std::mt19937 hasard(5);
  for (int bruit = 0; bruit < 2; ++bruit) {
    double somme = 0.0;
    const int n = 300;
    for (int i = 0; i < n; ++i) {
      DisqueGenere d = disqueAuHasard(hasard, bruit, true);
      d.rayon = 10.0;
      const MesureDisque m = mesurerDisque(d, hasard);
      somme += (m.x - d.cx) * (m.x - d.cx) + (m.y - d.cy) * (m.y - d.cy);
    }
    const double rms = std::sqrt(somme / n);
    std::printf("radius 10, %s noise: RMS centre error %.4f px (%.4f px a coordinate) over %d discs\n",
                bruit ? "with" : "without", rms, rms / std::sqrt(2.0), n);
    if (bruit)
      resume("centre error, radius 10, noise contrast / 5 (RMS)", rms, "px", "target 0.1 px", rms / 0.1, "<= 1");
    else
      resume("centre error, radius 10, no noise (RMS)", rms, "px", "target 0.06 px", rms / 0.06, "<= 1");
  }
}

// The plane (millimetres) to the photo: a camera looking at it obliquely.
PointPhoto photographier(double u, double v) {
  const double w = 1.0 + 0.0012 * u - 0.0009 * v;
  return {(150.0 + 5.0 * u + 0.6 * v) / w, (820.0 - 0.4 * u - 4.6 * v) / w};
}

void perspective() {
  const double largeur = 200.0, hauteur = 150.0, rayon = 4.0;
  const int L = 1400, H = 1000;
  PointPhoto vrais[4] = {photographier(0, 0), photographier(largeur, 0), photographier(largeur, hauteur),
                         photographier(0, hauteur)};
  Calibration c;
  c.plan = true;
  c.largeur_plan = largeur;
  c.hauteur_plan = hauteur;
  // the operator clicks the pixel holding each corner: its centre stands for it
  for (int i = 0; i < 4; ++i) c.coins[i] = {std::floor(vrais[i].x) + 0.5, std::floor(vrais[i].y) + 0.5};
  Repere r;
  std::string raison;
  if (!construireRepere(c, r, raison)) {
    std::printf("plane refused: %s\n", raison.c_str());
    return;
  }
  Homographie vers_plan;
  Repere exact = r;
  {
    Calibration v = c;
    for (int i = 0; i < 4; ++i) v.coins[i] = vrais[i];
    construireRepere(v, exact, raison);
    vers_plan = exact.h;
  }
  double pire = 0.0;
  for (int k = 0; k < 12; ++k) {
    const double u0 = 20.0 + k * 14.3, v0 = 30.0 + k * 7.1 + 0.17 * k * k;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, L, H, 24, SDL_PIXELFORMAT_RGB24);
    const PointPhoto centre = photographier(u0, v0);
    const int x0 = int(centre.x) - 40, x1 = int(centre.x) + 40, y0 = int(centre.y) - 40, y1 = int(centre.y) + 40;
    for (int l = 0; l < H; ++l) {
      Uint8* ligne = static_cast<Uint8*>(s->pixels) + l * s->pitch;
      for (int col = 0; col < L; ++col) {
        double part = 0.0;
        if (col >= x0 && col <= x1 && l >= y0 && l <= y1) {
          for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
              const PointPhoto q = appliquer(vers_plan, {col + (i + 0.5) / 4, l + (j + 0.5) / 4});
              part += ((q.x - u0) * (q.x - u0) + (q.y - v0) * (q.y - v0) <= rayon * rayon) / 16.0;
            }
        }
        const int fond[3] = {60, 80, 60}, disque[3] = {220, 140, 40};
        for (int i = 0; i < 3; ++i) ligne[3 * col + i] = Uint8(std::lround(fond[i] + part * (disque[i] - fond[i])));
      }
    }
    const MesureDisque m = mesurerPhoto(s, x0, y0, x1, y1, int(centre.x), int(centre.y), 80);
    SDL_FreeSurface(s);
    const PointPhoto q = versRepere(r, {m.x, m.y});  // y up: v is the plane's y
    const double erreur = std::hypot(q.x - u0, q.y - v0);
    const PointPhoto qe = versRepere(exact, {m.x, m.y});
    std::printf("photo %d: %d px, error %.4f mm (exact corners %.4f mm)\n", k + 1, m.nombre, erreur,
                std::hypot(qe.x - u0, qe.y - v0));
    pire = std::max(pire, erreur);
  }
  const double diagonale = std::hypot(largeur, hauteur), part = 100.0 * pire / diagonale;
  std::printf("perspective: largest error %.4f mm on a %.0f x %.0f mm plane: %.4f %% of its diagonal, %.4f %% of its "
              "width\n", pire, largeur, hauteur, part, 100.0 * pire / largeur);
  resume("position through a homography, largest error / plane diagonal", part, "%", "target 0.1 %", part / 0.1,
         "<= 1");
}

}  // namespace

int main() {
  creerEtat();
  couverture();
  precision();
  perspective();
  return 0;
}
