// The calibrated measure's honesty and accuracy, printed:
// - coverage of the uncertainty: 400 generated discs (radius 3 to 30, with
//   and without noise): the share of coordinates whose true error lies
//   within one and two uncertainties (targets 55-80 % and >= 93 %);
// - accuracy of the recorded centres on discs drawn as the demo series draws
//   them, radius 10: RMS error without noise (target 0.06 px) and with noise
//   of a fifth of the contrast (target 0.1 px); first on the bench's own
//   sharp discs, then on the demo generator's photos measured as the
//   automatic run records them, with the coverage on those too;
// - a series photographed in perspective, measured through the homography
//   of its plane's four corners clicked on their pixels: the largest error in
//   millimetres as a share of the plane's size (target 0.1 %).
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "etat/etat.h"
#include "calibration/geometrie.h"
#include "demo/dessin_demo.h"
#include "demo/serie_demo.h"
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

// Demo series with events (rim-balanced discs, so the selected pixels'
// centre is the disc's) of radius `rayon`, a straight path of an irregular
// step, drawn by the generator itself; noise added on top.
Options serieDemo(int rayon, int photos) {
  Options o;
  o.rayon = rayon;
  o.photos = photos;
  o.pas = 1.37;
  const int bord = 2 * int(std::ceil(rayon + std::max(4.0, rayon / 4.0))) + 8;
  o.largeur = int(std::ceil(o.pas * (photos - 1))) + bord;
  o.hauteur = int(std::ceil(0.4 * o.pas * (photos - 1))) + bord;
  return o;
}

struct ErreursDemo {
  double somme_x = 0.0, somme_y = 0.0;
  int n = 0, dans1 = 0, dans2 = 0, coordonnees = 0;
  double contraste = 0.0;
  // against the selection of the photo without noise: its pixels, those of
  // them the noise lost, and the others it took in (glow, ground)
  int64_t disque = 0, perdus = 0, ajoutes = 0;
};

// Each photo measured as the automatic run records it: a zone of the
// operator's size (the disc, a quarter of its radius and 3 pixels each
// side) centred on the predicted centre, the colour pass of the disc's
// colour, the patch nearest the prediction kept. The prediction is the true
// centre's pixel; the contrast is the largest channel difference between
// the disc and the mean of the ground just beyond its glow.
ErreursDemo mesurerSerieDemo(const Options& o, bool bruit, const ReglageSuivi& reglage_base, std::mt19937& hasard) {
  ErreursDemo r;
  for (int k = 0; k < o.photos; ++k) {
    SDL_Surface* s = dessinerPhoto(o, k);
    double cx = 0.0, cy = 0.0;
    centreDisque(o, k, cx, cy);
    const Uint8* milieu = static_cast<Uint8*>(s->pixels) + int(cy) * s->pitch + 3 * int(cx);
    ReglageSuivi reglage = reglage_base;
    reglage.rouge = milieu[0];
    reglage.vert = milieu[1];
    reglage.bleu = milieu[2];
    const double loin = o.rayon + std::max(4.0, o.rayon / 4.0) + 1.5;
    double fond[3] = {}, nombre = 0;
    for (int l = 0; l < s->h; ++l)
      for (int c = 0; c < s->w; ++c) {
        const double d = std::hypot(c + 0.5 - cx, l + 0.5 - cy);
        if (d < loin || d > loin + 4) continue;
        const Uint8* p = static_cast<Uint8*>(s->pixels) + l * s->pitch + 3 * c;
        for (int i = 0; i < 3; ++i) fond[i] += p[i];
        ++nombre;
      }
    double contraste = 0.0;
    for (int i = 0; i < 3; ++i) contraste = std::max(contraste, std::fabs(milieu[i] - fond[i] / nombre));
    r.contraste += contraste / o.photos;
    const double m = o.rayon * 1.25 + 3;
    const int x0 = std::max(0, int(std::floor(cx - m))), y0 = std::max(0, int(std::floor(cy - m)));
    const int x1 = std::min(s->w - 1, int(std::floor(cx + m))), y1 = std::min(s->h - 1, int(std::floor(cy + m)));
    ReglageSuivi exact = reglage;
    exact.tolerance_rouge = exact.tolerance_vert = exact.tolerance_bleu = 30;
    mesurerCommeLeSuivi(s, x0, y0, x1, y1, exact, int(cx), int(cy));
    const std::vector<bool> sans_bruit = g_etat->is_select;
    if (bruit) bruiter(s, contraste / 5, hasard);
    const MesureDisque mesure = mesurerCommeLeSuivi(s, x0, y0, x1, y1, reglage, int(cx), int(cy));
    SDL_FreeSurface(s);
    const std::vector<bool>& bits = g_etat->is_select;
    for (size_t i = 0; i < bits.size() && i < sans_bruit.size(); ++i) {
      r.disque += sans_bruit[i];
      r.perdus += sans_bruit[i] && !bits[i];
      r.ajoutes += bits[i] && !sans_bruit[i];
    }
    r.somme_x += (mesure.x - cx) * (mesure.x - cx);
    r.somme_y += (mesure.y - cy) * (mesure.y - cy);
    ++r.n;
    for (double z : {(mesure.x - cx) / mesure.ux, (mesure.y - cy) / mesure.uy}) {
      ++r.coordonnees;
      r.dans1 += std::fabs(z) <= 1;
      r.dans2 += std::fabs(z) <= 2;
    }
  }
  return r;
}

// Radius 10 on 300 photos, then the coverage of the uncertainty on demo
// discs of radius 3 to 30 (20 photos each). Tolerances: the demo's 30
// without noise; with noise of a fifth of the contrast (sigma about 32),
// 80, half the contrast, as the coverage's generated discs use.
void disquesDemo() {
  for (int bruit = 0; bruit < 2; ++bruit) {
    std::mt19937 hasard(11);
    ReglageSuivi g;
    g.tolerance_rouge = g.tolerance_vert = g.tolerance_bleu = bruit ? 80 : 30;
    const ErreursDemo e = mesurerSerieDemo(serieDemo(10, 300), bruit, g, hasard);
    const double rx = std::sqrt(e.somme_x / e.n), ry = std::sqrt(e.somme_y / e.n);
    const double rms = std::sqrt((e.somme_x + e.somme_y) / e.n);
    std::printf("demo discs, radius 10, %s noise (contrast %.0f, tolerance %d): RMS error x %.4f px, y %.4f px, "
                "2D %.4f px over %d photos; a photo: %.1f disc pixels, %.2f lost, %.2f others taken\n",
                bruit ? "with" : "without", e.contraste, g.tolerance_rouge, rx, ry, rms, e.n,
                double(e.disque) / e.n, double(e.perdus) / e.n, double(e.ajoutes) / e.n);
    if (bruit)
      resume("centre error, demo discs radius 10, noise contrast / 5 (RMS 2D)", rms, "px", "target 0.1 px",
             rms / 0.1, "<= 1");
    else
      resume("centre error, demo discs radius 10, no noise (RMS 2D)", rms, "px", "target 0.06 px", rms / 0.06,
             "<= 1");
  }
  int dans1 = 0, dans2 = 0, total = 0;
  for (int bruit = 0; bruit < 2; ++bruit) {
    std::mt19937 hasard(12);
    ReglageSuivi g;
    g.tolerance_rouge = g.tolerance_vert = g.tolerance_bleu = bruit ? 80 : 30;
    int un = 0, deux = 0, n = 0;
    for (int rayon : {3, 5, 8, 10, 13, 16, 20, 24, 27, 30}) {
      const ErreursDemo e = mesurerSerieDemo(serieDemo(rayon, 20), bruit, g, hasard);
      un += e.dans1;
      deux += e.dans2;
      n += e.coordonnees;
    }
    std::printf("coverage on demo discs %s noise: %.1f %% within 1 u, %.1f %% within 2 u (%d coordinates)\n",
                bruit ? "with" : "without", 100.0 * un / n, 100.0 * deux / n, n);
    dans1 += un;
    dans2 += deux;
    total += n;
  }
  const double un = 100.0 * dans1 / total, deux = 100.0 * dans2 / total;
  std::printf("coverage on demo discs, radius 3 to 30, with and without noise: %.1f %% within 1 u, %.1f %% within "
              "2 u (%d coordinates)\n", un, deux, total);
  resume("coverage within 1 uncertainty, demo discs", un, "%", "68 % (normal)", un / 68.0, "55-80 %");
  resume("coverage within 2 uncertainties, demo discs", deux, "%", "95 % (normal)", deux / 95.0, ">= 93 %");
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
  // The plane's corner marks set on pixel centres, as a target is set up to be
  // clicked exactly: the photo is the homography of those four points, and
  // the error left is the measure's own, not the click's rounding.
  for (PointPhoto& v : vrais) v = {std::floor(v.x) + 0.5, std::floor(v.y) + 0.5};
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
  disquesDemo();
  perspective();
  return 0;
}
