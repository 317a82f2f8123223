// Generated photos of a disc, measured as an operator measures one: a zone
// around the disc, I and a click on its middle, through the program's own
// colour pass. Shared by the uncertainty coverage test and its benchmark.
#pragma once

#include <cstdint>
#include <random>

struct DisqueGenere {
  double rayon = 10.0;
  double cx = 0.0, cy = 0.0;  // true centre, photo pixels (pixel c covers [c, c + 1))
  bool bruit = false;         // Gaussian noise of a fifth of the contrast on each channel
  bool bord_net = true;       // as the demo series draws it: a pixel is the disc's when its centre is;
                              // otherwise edges shaded by the share of the pixel covered
};

struct MesureDisque {
  double x = 0.0, y = 0.0;    // the recorded centre
  double ux = 0.0, uy = 0.0;  // the model's standard uncertainty
  int32_t nombre = 0;
};

// A disc of random radius (3 to 30), random sub-pixel centre, with or
// without noise, edges sharp or shaded, from hasard.
DisqueGenere disqueAuHasard(std::mt19937& hasard, bool bruit, bool bord_net);
// Needs a record (g_etat); prints nothing. The photo is freed again.
MesureDisque mesurerDisque(const DisqueGenere& d, std::mt19937& hasard);

struct SDL_Surface;
// The same measure on any photo: zone corners, the click's pixel, one
// tolerance for the three colours. The photo stays the caller's.
MesureDisque mesurerPhoto(SDL_Surface* photo, int x0, int y0, int x1, int y1, int clic_x, int clic_y,
                          int tolerance);
