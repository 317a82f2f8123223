// Velocity and acceleration of the recorded positions: a Savitzky-Golay
// derivative of order 2 (a least-squares parabola in time), over five
// consecutive recorded photos, over three near a gap or an end, on uneven
// times as well; none where fewer than three consecutive photos exist.
#pragma once

#include <cstdint>
#include <vector>

// The weights of one point's derivative: v = sum wv[k] x[debut + k], a = sum
// wa[k] x[debut + k], over n (3 or 5) points; existe false where the
// segment holds fewer than 3 points or two times are equal.
struct FenetreDerivee {
  bool existe = false;
  int64_t debut = 0;
  int n = 0;
  double wv[5] = {}, wa[5] = {};
};
// One window per point. indices: the points' places in the series (passed
// photos counted): a jump between two is a gap, never bridged. t: their
// times.
std::vector<FenetreDerivee> fenetresDerivees(const std::vector<int64_t>& indices, const std::vector<double>& t);

// The weights of a parabola fitted through points at times tau (relative to
// the point derived, tau of it 0): false when the times do not fix one.
bool poidsParabole(const double* tau, int n, double* wv, double* wa);
