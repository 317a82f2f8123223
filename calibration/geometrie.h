// From photo pixels to the calibrated frame: the scale of a known length,
// the homography of a rectangle of the object's plane, the origin, the
// direction of y and the angle of the axes. Pure functions of values.
#pragma once

#include <string>

#include "etat/calibration.h"

// A 3 x 3 projective map, row by row.
struct Homographie {
  double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};
// The image of p; NaN coordinates where the map sends p to infinity.
PointPhoto appliquer(const Homographie& h, PointPhoto p);
// False when the map cannot be inverted.
bool inverser(const Homographie& h, Homographie& inverse);

// A quadrilateral clicked around a rectangle, corners in order: false, with
// raison ("deux coins confondus", "trois coins alignes", "cotes croises",
// "quadrilatere non convexe"), when no rectangle seen in perspective can
// give it.
bool quadrilatereValide(const PointPhoto coins[4], std::string& raison);
// The homography taking coins[0], [1], [2], [3] to (0, 0), (largeur, 0),
// (largeur, hauteur), (0, hauteur); false with raison as above, or
// "largeur ou hauteur invalide".
bool homographieDuPlan(const PointPhoto coins[4], double largeur, double hauteur, Homographie& h,
                       std::string& raison);

// The whole map of a calibration.
struct Repere {
  bool identite = true;   // nothing but photo pixels: positions as the result files hold them
  bool plan = false;
  Homographie h;          // plan: photo to plane
  double echelle = 1.0;   // units per photo pixel, without a plane
  PointPhoto origine;     // pixels, or plane units with a plane
  double signe_y = -1.0;  // -1 turns y up
  double cos_a = 1.0, sin_a = 0.0;
  std::string unite = "px";
  double unites_par_pixel = 1.0;  // about, for drawing the axes at a readable length
};
// False, with raison, when the calibration's parts cannot make a map (a
// degenerate plane, two ends on one point).
bool construireRepere(const Calibration& c, Repere& r, std::string& raison);
// Photo point to calibrated coordinates, and back (for drawing).
PointPhoto versRepere(const Repere& r, PointPhoto p);
PointPhoto versPhoto(const Repere& r, PointPhoto q);
