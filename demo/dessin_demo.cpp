#include "demo/dessin_demo.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <vector>

namespace {

// The disc colour; the background keeps its red below 150, far outside a
// tolerance of 30, so a colour click selects the disc and nothing else.
constexpr uint8_t kDisque[3] = {255, 140, 0};
// A glow around the disc, a quarter of its radius wide: the disc's red and
// green, its blue rising outward from 34 to 96 above the disc's. Out of reach
// of a blue tolerance of 30, so a colour click still takes the disc alone;
// raising the tolerances past 34 takes the glow in, ring after ring.
constexpr int kHaloBleuMin = 34, kHaloBleuMax = 96;
// The harder series: the disc's brightness falls by 30 % from the first photo
// to the last (red 255 to 179, green 140 to 98, a few units a photo).
constexpr double kBaisse = 0.30;
// The patch the harder series' disc passes over: an orange close to the
// disc's on red and green, 52 to 58 in blue.
constexpr uint8_t kTache[3] = {230, 125, 55};
// The lower half of a disc of two colours: a violet far from the orange and
// from the background (blue 135 at most) on every channel a tolerance of 30
// could bridge. It has no glow.
constexpr uint8_t kSecondeCouleur[3] = {90, 40, 200};

uint32_t hacher(uint32_t x, uint32_t y, uint32_t graine) {
  uint32_t h = x * 374761393u + y * 668265263u + graine * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth value noise 0..255: hashed values on a grid of `pas` pixels,
// interpolated bilinearly in integers.
uint32_t bruit(int x, int y, int pas, uint32_t graine) {
  const uint32_t gx = static_cast<uint32_t>(x / pas), gy = static_cast<uint32_t>(y / pas);
  const uint32_t fx = static_cast<uint32_t>(x % pas), fy = static_cast<uint32_t>(y % pas);
  const uint32_t p = static_cast<uint32_t>(pas);
  const uint32_t v00 = hacher(gx, gy, graine) & 255u, v10 = hacher(gx + 1, gy, graine) & 255u;
  const uint32_t v01 = hacher(gx, gy + 1, graine) & 255u,
                 v11 = hacher(gx + 1, gy + 1, graine) & 255u;
  return (v00 * (p - fx) * (p - fy) + v10 * fx * (p - fy) + v01 * (p - fx) * fy + v11 * fx * fy) /
         (p * p);
}

// A little sensor noise, -3 to 3, different on every photo.
int grain(int x, int y, int photo) {
  return static_cast<int>(hacher(static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                                 100u + static_cast<uint32_t>(photo)) %
                          7u) - 3;
}

void pixelFond(int x, int y, int photo, uint8_t* rvb) {
  const uint32_t n = (2 * bruit(x, y, 64, 1) + bruit(x, y, 16, 2)) / 3;
  const uint32_t bande = ((x + 2 * y) / 24) % 2 == 0 ? 0 : 12;
  const int g = grain(x, y, photo);
  rvb[0] = static_cast<uint8_t>(55 + static_cast<int>(n * 75 / 255 + bande) + g);
  rvb[1] = static_cast<uint8_t>(70 + static_cast<int>(n * 85 / 255 + bande) + g);
  rvb[2] = static_cast<uint8_t>(55 + static_cast<int>(n * 65 / 255 + bande) + g);
}

SDL_Surface* nouvelleSurface(int largeur, int hauteur) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) std::cerr << "surface : " << SDL_GetError() << std::endl;
  return s;
}

uint8_t* pixel(SDL_Surface* s, int x, int y) {
  return static_cast<uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch + x * 3;
}

bool enregistrer(SDL_Surface* s, const std::filesystem::path& chemin) {
  const bool ok = IMG_SavePNG(s, chemin.string().c_str()) == 0;
  if (!ok) std::cerr << chemin.string() << " : " << SDL_GetError() << std::endl;
  SDL_FreeSurface(s);
  return ok;
}

double largeurHalo(const Options& o) { return std::max(4.0, o.rayon / 4.0); }

// The photo's pixel rows or columns a disc at c reaches, glow included.
void etendue(double c, double bord, int taille, int& debut, int& fin) {
  debut = std::max(int(std::floor(c - bord)) - 1, 0);
  fin = std::min(int(std::ceil(c + bord)) + 1, taille);
}

// The pixels of a disc's selected colour over a box of the photo.
struct Masque {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<char> bits;
  bool dedans(int x, int y) const {
    return x >= x0 && x < x1 && y >= y0 && y < y1 && bits[size_t(y - y0) * size_t(x1 - x0) + size_t(x - x0)];
  }
  char& bit(int x, int y) { return bits[size_t(y - y0) * size_t(x1 - x0) + size_t(x - x0)]; }
};

// Sums of 2c + 1 over the mask: exact halves.
struct Sommes {
  int64_t x = 0, y = 0, n = 0;
  double ecart(double tx, double ty) const {
    return n > 0 ? std::hypot(x / (2.0 * n) - tx, y / (2.0 * n) - ty) : 1e300;
  }
};

// A pixel whose centre lies inside a disc still leaves the centre of the
// pixels some hundredths of a pixel off the disc's (0.08 at most for a radius
// of 40): the series with events add, remove or exchange pixels of the rim,
// the best change first, until the pixels' centre is the shape's within
// about a ten-thousandth of a pixel, so the centre a tracker finds and the
// disc's path agree.
// Only pixels within a pixel of the circle change (for a disc of two colours
// only on its round edge), so the disc keeps its shape.
void equilibrer(Masque& m, double cx, double cy, double r, bool moitie, double tx, double ty) {
  struct Pixel {
    int x, y;
  };
  Sommes s;
  std::vector<Pixel> anneau;
  for (int y = m.y0; y < m.y1; ++y) {
    for (int x = m.x0; x < m.x1; ++x) {
      if (m.dedans(x, y)) s = {s.x + 2 * x + 1, s.y + 2 * y + 1, s.n + 1};
      const double dy = y + 0.5 - cy;
      if (std::abs(std::hypot(x + 0.5 - cx, dy) - r) <= 1.0 && (!moitie || dy < -1.0)) anneau.push_back({x, y});
    }
  }
  for (int tour = 0; tour < 200 && s.ecart(tx, ty) > 1e-4; ++tour) {
    // the best change: one pixel in or out (a), or one out and one in (a, b)
    double meilleur = s.ecart(tx, ty);
    const Pixel* a = nullptr;
    const Pixel* b = nullptr;
    for (const Pixel& p : anneau) {
      const int signe = m.dedans(p.x, p.y) ? -1 : 1;
      const Sommes t{s.x + signe * (2 * p.x + 1), s.y + signe * (2 * p.y + 1), s.n + signe};
      if (t.ecart(tx, ty) < meilleur) {
        meilleur = t.ecart(tx, ty);
        a = &p;
        b = nullptr;
      }
      if (signe > 0) continue;
      for (const Pixel& q : anneau) {
        if (m.dedans(q.x, q.y)) continue;
        const Sommes u{s.x + 2 * (q.x - p.x), s.y + 2 * (q.y - p.y), s.n};
        if (u.ecart(tx, ty) < meilleur) {
          meilleur = u.ecart(tx, ty);
          a = &p;
          b = &q;
        }
      }
    }
    if (a == nullptr) return;
    for (const Pixel* p : {a, b}) {
      if (p == nullptr) continue;
      const int signe = m.dedans(p->x, p->y) ? -1 : 1;
      m.bit(p->x, p->y) = signe > 0;
      s.x += signe * (2 * p->x + 1);
      s.y += signe * (2 * p->y + 1);
      s.n += signe;
    }
  }
}

// The pixels of the selected colour of a disc centred at (cx, cy): those whose
// centre lies within the radius, for a disc of two colours those above its
// centre; balanced in the series with events.
Masque masqueCouleur(const Options& o, double cx, double cy, bool moitie) {
  Masque m;
  etendue(cx, o.rayon + 2.0, o.largeur, m.x0, m.x1);
  etendue(cy, o.rayon + 2.0, o.hauteur, m.y0, m.y1);
  m.bits.assign(size_t(std::max(m.x1 - m.x0, 0)) * size_t(std::max(m.y1 - m.y0, 0)), 0);
  for (int y = m.y0; y < m.y1; ++y) {
    for (int x = m.x0; x < m.x1; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      m.bit(x, y) = dx * dx + dy * dy <= double(o.rayon) * o.rayon && (!moitie || dy < 0.0);
    }
  }
  // the centre of the shape: the disc's, or its upper half's, 4r / 3pi above
  const double pi = std::acos(-1.0);
  const double ty = moitie ? cy - 4.0 * o.rayon / (3.0 * pi) : cy;
  if (o.evenementielle()) equilibrer(m, cx, cy, o.rayon, moitie, cx, ty);
  return m;
}

// A disc of colour `couleur` with its glow; with deux_couleurs, its lower
// half violet and without glow.
void dessinerDisque(SDL_Surface* s, const Options& o, double cx, double cy, const uint8_t couleur[3],
                    bool deux_couleurs) {
  const Masque m = masqueCouleur(o, cx, cy, deux_couleurs);
  const double halo = largeurHalo(o), bord = o.rayon + halo;
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  etendue(cx, bord, o.largeur, x0, x1);
  etendue(cy, bord, o.hauteur, y0, y1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double d2 = dx * dx + dy * dy;
      const bool plein = m.dedans(x, y);
      if (d2 > bord * bord && !plein) continue;
      const bool bas = deux_couleurs && dy >= 0.0;
      if (bas && !plein && d2 > double(o.rayon) * o.rayon) continue;
      const uint8_t* c = bas && !plein ? kSecondeCouleur : couleur;
      uint8_t* p = pixel(s, x, y);
      p[0] = c[0];
      p[1] = c[1];
      p[2] = c[2];
      if (!plein && !bas) {
        // a rim pixel left out inside the radius takes the glow's first blue,
        // out of the colour's reach as the whole glow is
        const double t = std::max(0.0, (std::sqrt(d2) - o.rayon) / halo);
        p[2] = static_cast<uint8_t>(c[2] + std::lround(kHaloBleuMin + t * (kHaloBleuMax - kHaloBleuMin)));
      }
    }
  }
}

}  // namespace

void centreSelectionne(const Options& o, int k, double& cx_vrai, double& cy_vrai) {
  double cx = 0.0, cy = 0.0;
  centreDisque(o, k, cx, cy);
  const Masque m = masqueCouleur(o, cx, cy, o.bicolore);
  int64_t somme_x = 0, somme_y = 0, nombre = 0;  // sums of 2c + 1: exact halves
  for (int y = m.y0; y < m.y1; ++y) {
    for (int x = m.x0; x < m.x1; ++x) {
      if (!m.dedans(x, y)) continue;
      somme_x += 2 * x + 1;
      somme_y += 2 * y + 1;
      ++nombre;
    }
  }
  cx_vrai = nombre > 0 ? somme_x / (2.0 * nombre) : 0.0;
  cy_vrai = nombre > 0 ? somme_y / (2.0 * nombre) : 0.0;
}

SDL_Surface* dessinerPhoto(const Options& o, int k) {
  SDL_Surface* s = nouvelleSurface(o.largeur, o.hauteur);
  if (s == nullptr) return nullptr;
  for (int y = 0; y < o.hauteur; ++y)
    for (int x = 0; x < o.largeur; ++x) pixelFond(x, y, k, pixel(s, x, y));
  uint8_t disque[3] = {kDisque[0], kDisque[1], kDisque[2]};
  if (o.difficile) {
    const SDL_Rect t = tache(o);
    for (int y = std::max(t.y, 0); y < std::min(t.y + t.h, o.hauteur); ++y) {
      for (int x = std::max(t.x, 0); x < std::min(t.x + t.w, o.largeur); ++x) {
        uint8_t* p = pixel(s, x, y);
        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(kTache[c] + grain(x, y, k));
      }
    }
    const double baisse = kBaisse * k / (o.photos - 1);
    for (int c = 0; c < 3; ++c) disque[c] = static_cast<uint8_t>(std::lround(kDisque[c] * (1 - baisse)));
  }
  double cx = 0.0, cy = 0.0;
  if (centreSecond(o, k, cx, cy)) dessinerDisque(s, o, cx, cy, disque, false);
  if (!cachee(o, k)) {
    centreDisque(o, k, cx, cy);
    dessinerDisque(s, o, cx, cy, disque, o.bicolore);
  }
  return s;
}

bool ecrirePhoto(const Options& o, int k, const std::filesystem::path& chemin) {
  SDL_Surface* s = dessinerPhoto(o, k);
  return s != nullptr && enregistrer(s, chemin);
}

bool figureFin(const std::filesystem::path& chemin) {
  const int largeur = 800, hauteur = 600;
  SDL_Surface* s = nouvelleSurface(largeur, hauteur);
  if (s == nullptr) return false;
  for (int y = 0; y < hauteur; ++y) {
    for (int x = 0; x < largeur; ++x) {
      const int dx = x - largeur / 2, dy = y - hauteur / 2;
      const bool anneau = static_cast<int>(std::sqrt(double(dx * dx + dy * dy)) / 30.0) % 2 == 0;
      const bool damier = ((x / 50) + (y / 50)) % 2 == 0;
      uint8_t* p = pixel(s, x, y);
      p[0] = anneau ? 30 : 230;
      p[1] = damier ? 60 : 120;
      p[2] = anneau ? 200 : 90;
    }
  }
  return enregistrer(s, chemin);
}
