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
constexpr double kVarianceBord = 0.12;

// From the zone's selection bits (row by row, zone corners inclusive): with
// N selected pixels of mean m, u_x^2 = sum w ((x - m_x)^2 + 1/12) / N^2 over
// the pixels that may be wrong, the same for y: w = 1 for a pixel that three
// or four of its 4-neighbours disagree with (a stray pixel taken, a hole
// left inside, a spike), w = kVarianceBord for another selected pixel with a
// neighbour not selected (or outside the zone): an edge pixel, wrong by a
// share of itself. Zero with nothing selected.
IncertitudePixels incertitudeSelection(const std::vector<bool>& bits, int32_t x0, int32_t y0, int32_t x1,
                                       int32_t y1);
// Without the bits (a resumed row): the same model for a filled ellipse of
// N pixels with the row's standard deviations.
IncertitudePixels incertitudeCompacte(int64_t nombre, double ecart_x, double ecart_y);
