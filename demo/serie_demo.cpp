#include "demo/serie_demo.h"

#include <algorithm>
#include <cmath>

namespace {

// Positions from the first photo to the last: one a photo, and four more
// from the harder series' jump on.
int pasTotal(const Options& o) { return std::max(o.photos - 1 + (o.difficile ? 4 : 0), 1); }

// The glow's width beyond the disc's radius.
double largeurHalo(const Options& o) { return std::max(4.0, o.rayon / 4.0); }

// A point of the disc's path at position v. By default a slow gentle arc,
// one steady step a position, so a zone an operator draws around the disc on
// one photo, moved by the last step, holds the whole disc on the next. With
// a step given, a straight line through the photo's centre, rising by 0.4
// pixel for each pixel right.
void pointTrajet(const Options& o, double v, double& cx, double& cy) {
  const int pas_total = pasTotal(o);
  if (o.pas > 0.0) {
    cx = o.largeur / 2.0 + o.pas * (v - pas_total / 2.0);
    cy = o.hauteur / 2.0 - 0.4 * o.pas * (v - pas_total / 2.0);
    return;
  }
  // room for the centre, less the fraction added to it
  const double ex = o.largeur - 2.0 * (o.rayon + 2) - 1, ey = o.hauteur - 2.0 * (o.rayon + 2) - 1;
  // a quarter of the radius a photo: within the margin of the first zone,
  // whose proposal has no step yet to move by
  const double pas_x = std::min(0.25 * o.rayon, 0.8 * ex / pas_total);
  const double pas_y = -std::min(0.4 * pas_x, 0.4 * ey / pas_total);
  // the bend changes the step by half a pixel a photo at most
  const double bosse = std::min({0.4 * o.rayon, pas_total * pas_total / 16.0, 0.2 * ey});
  const double t = v / pas_total;
  cx = o.largeur / 2.0 + pas_x * (v - pas_total / 2.0);
  cy = o.hauteur / 2.0 + pas_y * (v - pas_total / 2.0) + bosse * (0.5 - 4 * t * (1 - t));
}

// The unit vector of the path at position v, and the one across it.
void directionTrajet(const Options& o, double v, double& ux, double& uy) {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
  pointTrajet(o, v, x0, y0);
  pointTrajet(o, v + 1, x1, y1);
  const double longueur = std::max(std::hypot(x1 - x0, y1 - y0), 1e-9);
  ux = (x1 - x0) / longueur;
  uy = (y1 - y0) / longueur;
}

int photoCachee(const Options& o) { return o.occultation ? o.photos / 2 : -1; }
int photoCroisement(const Options& o) { return o.croisement ? o.photos / 2 : -1; }

}  // namespace

int photoSaut(const Options& o) { return o.difficile ? o.photos - 2 : -1; }

void centreDisque(const Options& o, int k, double& cx, double& cy) {
  const int saut = photoSaut(o);
  pointTrajet(o, k + (saut >= 0 && k >= saut ? 4 : 0), cx, cy);
  if (o.pas > 0.0) return;  // the step itself puts the disc off the grid
  // off the pixel grid by a varying fraction
  cx += (k * 37 % 100) / 100.0;
  cy += (k * 61 % 100) / 100.0;
}

SDL_Rect tache(const Options& o) {
  // a square of the disc's diameter, half-way along the path to the jump,
  // half a radius aside, so the disc passes over it
  double cx = 0.0, cy = 0.0, x1 = 0.0, y1 = 0.0;
  const double v = photoSaut(o) / 2.0;
  pointTrajet(o, v, cx, cy);
  pointTrajet(o, v + 1, x1, y1);
  const double a_cote = 0.5 * o.rayon / std::max(std::hypot(x1 - cx, y1 - cy), 1e-9);
  const double nx = (cy - y1) * a_cote, ny = (x1 - cx) * a_cote;
  cx += nx;
  cy += ny;
  return {int(std::lround(cx)) - o.rayon, int(std::lround(cy)) - o.rayon, 2 * o.rayon, 2 * o.rayon};
}

bool cachee(const Options& o, int k) {
  const int debut = photoCachee(o);
  return debut >= 0 && k >= debut && k < debut + 3;
}

bool absente(const Options& o, int k) {
  if (!o.absentes) return false;
  const int seule = o.photos / 3, paire = 2 * o.photos / 3;
  return k == seule || k == paire || k == paire + 1;
}

bool centreSecond(const Options& o, int k, double& cx, double& cy) {
  const int milieu = photoCroisement(o);
  if (milieu < 0) return false;
  double ux = 0.0, uy = 0.0;
  directionTrajet(o, milieu, ux, uy);
  centreDisque(o, k, cx, cy);
  const double devant = 2.5 * o.rayon, travers = 0.5 * o.rayon * (k - milieu);
  cx += devant * ux - travers * uy;
  cy += devant * uy + travers * ux;
  return true;
}

std::vector<Evenement> evenements(const Options& o) {
  std::vector<Evenement> liste;
  if (o.occultation) liste.push_back({photoCachee(o) + 1, photoCachee(o) + 4, "cachee"});
  for (int k = 0; k < o.photos; ++k) {
    if (!absente(o, k) || (k > 0 && absente(o, k - 1))) continue;
    int fin = k;
    while (absente(o, fin)) ++fin;
    liste.push_back({k + 1, fin + 1, "absente"});
  }
  if (o.croisement) {
    int debut = -1, fin = -1;
    for (int k = 0; k < o.photos; ++k) {
      double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
      centreDisque(o, k, ax, ay);
      centreSecond(o, k, bx, by);
      if (std::hypot(bx - ax, by - ay) >= 4.0 * o.rayon) continue;
      if (debut < 0) debut = k;
      fin = k;
    }
    if (debut >= 0) liste.push_back({debut + 1, fin + 1, "croisement"});
  }
  if (o.difficile) liste.push_back({photoSaut(o) + 1, photoSaut(o) + 1, "saut"});
  std::stable_sort(liste.begin(), liste.end(),
                   [](const Evenement& a, const Evenement& b) { return a.debut < b.debut; });
  return liste;
}

bool optionsTenables(const Options& o) {
  // the disc must fit whole inside every photo; the jump needs three steps
  // before it
  if (o.largeur < 2 * o.rayon + 6 || o.hauteur < 2 * o.rayon + 6) return false;
  if (o.difficile && o.photos < 6) return false;
  // each event needs a few clean photos before it and one after
  if ((o.occultation || o.croisement) && o.photos < 8) return false;
  if (o.absentes && o.photos < 9) return false;
  if (o.pas <= 0.0) return true;
  // the straight path's ends, glow included, a pixel inside the photo
  const double bord = o.rayon + largeurHalo(o) + 1.0;
  for (const double v : {0.0, double(pasTotal(o))}) {
    double cx = 0.0, cy = 0.0;
    pointTrajet(o, v, cx, cy);
    if (cx - bord < 0.0 || cx + bord > o.largeur || cy - bord < 0.0 || cy + bord > o.hauteur) return false;
  }
  return true;
}
