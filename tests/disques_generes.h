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

// Gaussian noise of standard deviation sigma added to every channel of an
// RGB24 photo, clamped to 0..255.
void bruiter(SDL_Surface* photo, double sigma, std::mt19937& hasard);

// The measure the automatic run records: the zone given (the operator's size
// centred on the prediction), the colour pass of the reference colour and
// tolerances, then the patch at or nearest the predicted pixel kept alone.
struct ReglageSuivi {
  uint8_t rouge = 0, vert = 0, bleu = 0;
  int tolerance_rouge = 30, tolerance_vert = 30, tolerance_bleu = 30;
};
MesureDisque mesurerCommeLeSuivi(SDL_Surface* photo, int x0, int y0, int x1, int y1, const ReglageSuivi& reglage,
                                 int predit_x, int predit_y);
