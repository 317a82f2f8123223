// The standard uncertainty of a recorded centre, in photo pixels, from its
// selection: each pixel on the selection's border may be in or out by a
// fraction of itself, and moves the centre by its lever arm over the count.
// The README gives the model; the coverage test holds it to the true errors.
#pragma once

#include <cstdint>
#include <vector>

struct IncertitudePixels {
  double ux = 0.0, uy = 0.0;
};

// The model's one constant: the variance of a border pixel's share, fitted
// on generated discs (radius 3 to 30, with and without noise).
constexpr double kVarianceBord = 0.145;

// From the zone's selection bits (row by row, zone corners inclusive): with
// N selected pixels of mean m and B the selected pixels with a 4-neighbour
// not selected (or outside the zone), u_x^2 = k sum_B ((x - m_x)^2 + 1/12) /
// N^2, the same for y. Zero with nothing selected.
IncertitudePixels incertitudeSelection(const std::vector<bool>& bits, int32_t x0, int32_t y0, int32_t x1,
                                       int32_t y1);
// Without the bits (a resumed row): the same model for a filled ellipse of
// N pixels with the row's standard deviations.
IncertitudePixels incertitudeCompacte(int64_t nombre, double ecart_x, double ecart_y);
