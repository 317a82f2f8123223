#include "tests/disques_generes.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>

#include "etat/etat.h"
#include "calibration/incertitude.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"
#include "interaction/tache.h"

namespace {

// Background and disc: the red channel carries the contrast (160), green
// and blue differ less, as an orange object on green-grey ground.
constexpr int kFond[3] = {60, 80, 60}, kDisque[3] = {220, 140, 40};
constexpr double kContraste = 160.0;

// Share of pixel (c, l) inside the disc, on a 4 x 4 grid of samples.
double part(const DisqueGenere& d, int c, int l) {
  int dedans = 0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const double x = c + (i + 0.5) / 4 - d.cx, y = l + (j + 0.5) / 4 - d.cy;
      dedans += x * x + y * y <= d.rayon * d.rayon;
    }
  return dedans / 16.0;
}

}  // namespace

DisqueGenere disqueAuHasard(std::mt19937& hasard, bool bruit, bool bord_net) {
  DisqueGenere d;
  std::uniform_real_distribution<double> rayon(3.0, 30.0), fraction(0.0, 1.0);
  d.rayon = rayon(hasard);
  const double marge = std::ceil(d.rayon) + 12;
  d.cx = marge + fraction(hasard);
  d.cy = marge + fraction(hasard);
  d.bruit = bruit;
  d.bord_net = bord_net;
  return d;
}

MesureDisque mesurerDisque(const DisqueGenere& d, std::mt19937& hasard) {
  const int cote = int(std::ceil(2 * (d.cx))) + 1;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, cote, cote, 24, SDL_PIXELFORMAT_RGB24);
  std::normal_distribution<double> bruit(0.0, kContraste / 5);
  for (int l = 0; l < cote; ++l) {
    Uint8* ligne = static_cast<Uint8*>(s->pixels) + l * s->pitch;
    for (int c = 0; c < cote; ++c) {
      double p = 0.0;
      if (d.bord_net) {
        const double x = c + 0.5 - d.cx, y = l + 0.5 - d.cy;
        p = x * x + y * y <= d.rayon * d.rayon ? 1.0 : 0.0;
      } else {
        p = part(d, c, l);
      }
      for (int k = 0; k < 3; ++k) {
        double v = kFond[k] + p * (kDisque[k] - kFond[k]);
        if (d.bruit) v += bruit(hasard);
        ligne[3 * c + k] = Uint8(std::clamp(std::lround(v), 0L, 255L));
      }
    }
  }
  // tolerances: the demo's without noise, half the contrast with it
  const double m = d.rayon * 1.25 + 3;  // the operator's zone: the disc, a quarter of its radius and 3 pixels
  const MesureDisque r =
      mesurerPhoto(s, std::max(0, int(std::floor(d.cx - m))), std::max(0, int(std::floor(d.cy - m))),
                   std::min(cote - 1, int(std::floor(d.cx + m))), std::min(cote - 1, int(std::floor(d.cy + m))),
                   int(d.cx), int(d.cy), d.bruit ? 80 : 30);
  SDL_FreeSurface(s);
  return r;
}

namespace {

// One measure on the photo, console silenced: the zone, then the selection the caller makes in it.
template <typename Selection>
MesureDisque mesurerDans(SDL_Surface* s, int x0, int y0, int x1, int y1, Selection selectionner) {
  Etat& e = *g_etat;
  std::ostringstream muet;
  std::streambuf* ancien = std::cout.rdbuf(muet.rdbuf());
  e.pTempSurface_prairie = s;
  e.m_largeur_photo = s->w;
  e.m_hauteur_photo = s->h;
  e.m_zoom = 1.0;
  e.m_decalage_x = e.m_decalage_y = 0.0;
  e.m_max_pixels = 1 << 24;
  MesureDisque r;
  if (definirZone(x0, y0, x1, y1) && selectionner(e)) {
    r.x = e.m_centre_x;
    r.y = e.m_centre_y;
    r.nombre = e.m_nombre_selectionnes;
    const IncertitudePixels u = incertitudeSelection(e.is_select, x0, y0, x1, y1);
    r.ux = u.ux;
    r.uy = u.uy;
  }
  std::cout.rdbuf(ancien);
  e.pTempSurface_prairie = nullptr;
  return r;
}

}  // namespace

MesureDisque mesurerPhoto(SDL_Surface* s, int x0, int y0, int x1, int y1, int clic_x, int clic_y, int t) {
  return mesurerDans(s, x0, y0, x1, y1, [&](Etat& e) {
    e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = t;
    ajouterCouleursSimilaires(clic_x, clic_y);
    return true;
  });
}

MesureDisque mesurerCommeLeSuivi(SDL_Surface* s, int x0, int y0, int x1, int y1, const ReglageSuivi& g, int px,
                                 int py) {
  return mesurerDans(s, x0, y0, x1, y1, [&](Etat&) {
    if (!passeCouleurDe(g.rouge, g.vert, g.bleu, g.tolerance_rouge, g.tolerance_vert, g.tolerance_bleu))
      return false;
    if (garderTache(px, py).taches > 1) recompterSelection();
    calculerCentre();
    return true;
  });
}

void bruiter(SDL_Surface* s, double sigma, std::mt19937& hasard) {
  std::normal_distribution<double> bruit(0.0, sigma);
  for (int l = 0; l < s->h; ++l) {
    Uint8* ligne = static_cast<Uint8*>(s->pixels) + l * s->pitch;
    for (int i = 0; i < 3 * s->w; ++i) ligne[i] = Uint8(std::clamp(std::lround(ligne[i] + bruit(hasard)), 0L, 255L));
  }
}

