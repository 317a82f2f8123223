// Writes a demo working folder: donnees/donnees.txt and a series of photos
// of an orange disc moving over a textured green-grey background, with the
// disc's true centre per photo in photos/centres.txt, and the closing
// picture photos/figure_fin.png. Everything is deterministic: the texture
// comes from an integer hash, so two runs give the same bytes.
//
//   trelune_demo [--difficile] <dossier> [--photos N] [--taille LxH]
//                [--fenetre LxH] [--zoom K] [--rayon R]
//
// --difficile: the disc darkens by 30 % over the series, passes over a patch
// of a close orange and jumps by five steps on the last but one photo, whose
// number photos/saut.txt holds.

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Options {
  std::string dossier;
  int photos = 12;
  int largeur = 1280, hauteur = 960;
  int largeur_fenetre = 1000, hauteur_fenetre = 750;
  int indice_zoom = 2;
  int rayon = 40;
  bool difficile = false;
};

// The disc colour; the background keeps its red below 150, far outside a
// tolerance of 30, so a colour click selects the disc and nothing else.
constexpr uint8_t kDisque[3] = {255, 140, 0};
// A glow around the disc, a quarter of its radius wide: the disc's red and
// green, its blue rising outward from 34 to 96 above the disc's. Out of reach
// of a blue tolerance of 30, so a colour click still takes the disc alone;
// raising the tolerances past 34 takes the glow in, ring after ring.
constexpr int kHaloBleuMin = 34, kHaloBleuMax = 96;

// The harder series: the disc's brightness falls by 30 % from the first photo
// to the last (red 255 to 179, green 140 to 98, a few units a photo). Its own
// tolerances keep the whole fall within reach of the first photo's colour, so
// a proposal carrying that colour along still takes the disc on the last
// photo; blue 30 keeps out the background (blue 52 and up) and the patch.
constexpr double kBaisse = 0.30;
constexpr int kTolerancesDifficiles[3] = {90, 60, 30};
// The patch the harder series' disc passes over: an orange close to the
// disc's on red and green, 52 to 58 in blue.
constexpr uint8_t kTache[3] = {230, 125, 55};

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

// The photo (from 0) where the harder series' disc jumps by five steps: the
// last but one, so three steps come before it and one photo after; -1 in
// the plain series.
int photoSaut(const Options& o) { return o.difficile ? o.photos - 2 : -1; }

// A point of the disc's path at position v: a slow gentle arc, one steady
// step a position, so a zone an operator draws around the disc on one photo,
// moved by the last step, holds the whole disc on the next. Photo k sits at
// position k, and in the harder series four positions further from the jump
// on.
void pointTrajet(const Options& o, double v, double& cx, double& cy) {
  const int pas_total = std::max(o.photos - 1 + (o.difficile ? 4 : 0), 1);
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

// The disc's centre on photo `k`, off the pixel grid by a varying fraction.
void centreDisque(const Options& o, int k, double& cx, double& cy) {
  const int saut = photoSaut(o);
  pointTrajet(o, k + (saut >= 0 && k >= saut ? 4 : 0), cx, cy);
  cx += (k * 37 % 100) / 100.0;
  cy += (k * 61 % 100) / 100.0;
}

// The harder series' patch: a square of the disc's diameter, half-way along
// the path to the jump, half a radius aside, so the disc passes over it.
SDL_Rect tache(const Options& o) {
  double cx = 0.0, cy = 0.0, x1 = 0.0, y1 = 0.0;
  const double v = photoSaut(o) / 2.0;
  pointTrajet(o, v, cx, cy);
  pointTrajet(o, v + 1, x1, y1);
  const double a_cote = 0.5 * o.rayon / std::max(std::hypot(x1 - cx, y1 - cy), 1e-9);
  const double nx = (cy - y1) * a_cote, ny = (x1 - cx) * a_cote;
  cx += nx;
  cy += ny;
  return {int(std::lround(cx)) - o.rayon, int(std::lround(cy)) - o.rayon, 2 * o.rayon,
          2 * o.rayon};
}

// Draws photo `k` and returns the mean of the disc's pixel centres.
bool photo(const Options& o, int k, const std::filesystem::path& chemin, double& cx_vrai,
           double& cy_vrai) {
  SDL_Surface* s = nouvelleSurface(o.largeur, o.hauteur);
  if (s == nullptr) return false;
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
  centreDisque(o, k, cx, cy);
  int64_t somme_x = 0, somme_y = 0, nombre = 0;  // sums of 2c + 1: exact halves
  const double halo = std::max(4.0, o.rayon / 4.0), bord = o.rayon + halo;
  for (int y = 0; y < o.hauteur; ++y) {
    for (int x = 0; x < o.largeur; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double d2 = dx * dx + dy * dy;
      if (d2 > bord * bord) continue;
      uint8_t* p = pixel(s, x, y);
      p[0] = disque[0];
      p[1] = disque[1];
      p[2] = disque[2];
      if (d2 > double(o.rayon) * o.rayon) {
        const double t = (std::sqrt(d2) - o.rayon) / halo;
        p[2] = static_cast<uint8_t>(disque[2] + std::lround(kHaloBleuMin + t * (kHaloBleuMax - kHaloBleuMin)));
        continue;
      }
      somme_x += 2 * x + 1;
      somme_y += 2 * y + 1;
      ++nombre;
    }
  }
  cx_vrai = nombre > 0 ? somme_x / (2.0 * nombre) : 0.0;
  cy_vrai = nombre > 0 ? somme_y / (2.0 * nombre) : 0.0;
  return enregistrer(s, chemin);
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

std::string parametres(const Options& o) {
  char bas[16];
  std::snprintf(bas, sizeof bas, "%03d", o.photos % 1000);
  std::ostringstream f;
  f << (o.difficile ? "Serie de demonstration difficile Trelune\n" : "Serie de demonstration Trelune\n")
    << "photos dossier des photos\n"
    << "3 mode de nommage (1 colonnes fixes, 2 deux numeros, 3 un numero)\n"
    << "demo_trelune_serie.01.001.jpeg premier fichier (mode 1)\n"
    << "1 pas de la partie basse (mode 1)\n"
    << "demo_trelune_serie.01." << bas << ".jpeg dernier fichier (mode 1)\n"
    << "demo_;prefixe du nom\n"
    << "1 premier numero\n"
    << "3 chiffres du numero\n"
    << "_;separateur (mode 2)\n"
    << "0 premier second numero (mode 2)\n"
    << "0 chiffres du second numero (mode 2)\n"
    << ".png;suffixe du nom\n"
    << "1 pas du numero\n"
    << "0 pas du second numero (mode 2)\n"
    << "0 modulo du second numero (mode 2)\n"
    << o.photos << " dernier numero\n"
    << "0 dernier second numero (mode 2)\n"
    << o.largeur_fenetre << " largeur de la fenetre\n"
    << o.hauteur_fenetre << " hauteur de la fenetre\n"
    << o.indice_zoom << " indice du zoom (0.125 0.25 0.5 1 2 5 10 20 50)\n"
    << "20 pas de deplacement\n";
  if (o.difficile)
    f << kTolerancesDifficiles[0] << " " << kTolerancesDifficiles[1] << " "
      << kTolerancesDifficiles[2] << " tolerances rouge vert bleu\n";
  else
    f << "30 30 30 tolerances rouge vert bleu\n";
  f << "40000 nombre maximal de pixels\n"
    << "255 0 0 60 couleur de la zone\n"
    << "0 255 255 120 couleur des pixels\n";
  return f.str();
}

bool lireEntier(const char* texte, int min, int max, int& valeur) {
  char* fin = nullptr;
  const long v = std::strtol(texte, &fin, 10);
  if (fin == texte || *fin != '\0' || v < min || v > max) return false;
  valeur = static_cast<int>(v);
  return true;
}

bool lireTaille(const char* texte, int& largeur, int& hauteur) {
  const std::string t = texte;
  const std::size_t x = t.find('x');
  if (x == std::string::npos) return false;
  return lireEntier(t.substr(0, x).c_str(), 1, 20000, largeur) &&
         lireEntier(t.substr(x + 1).c_str(), 1, 20000, hauteur);
}

bool lireOptions(int argc, char** argv, Options& o) {
  // --difficile stands anywhere; the folder then the valued options follow
  std::vector<const char*> args;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--difficile") o.difficile = true;
    else args.push_back(argv[i]);
  }
  if (args.empty() || args[0][0] == '-') return false;
  o.dossier = args[0];
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    const std::string nom = args[i];
    const char* valeur = args[i + 1];
    bool ok = false;
    if (nom == "--photos") ok = lireEntier(valeur, 1, 999, o.photos);
    else if (nom == "--taille") ok = lireTaille(valeur, o.largeur, o.hauteur);
    else if (nom == "--fenetre") ok = lireTaille(valeur, o.largeur_fenetre, o.hauteur_fenetre);
    else if (nom == "--zoom") ok = lireEntier(valeur, 0, 8, o.indice_zoom);
    else if (nom == "--rayon") ok = lireEntier(valeur, 1, 5000, o.rayon);
    if (!ok) return false;
  }
  // the disc must fit whole inside every photo; the jump needs three steps
  // before it
  return o.largeur >= 2 * o.rayon + 6 && o.hauteur >= 2 * o.rayon + 6 &&
         (!o.difficile || o.photos >= 6);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!lireOptions(argc, argv, o)) {
    std::cerr << "usage : trelune_demo [--difficile] <dossier> [--photos N] [--taille LxH]"
                 " [--fenetre LxH] [--zoom 0..8] [--rayon R]  (la photo doit contenir le disque,"
                 " 6 photos au moins pour --difficile)"
              << std::endl;
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path racine = o.dossier;
  std::error_code erreur;
  fs::create_directories(racine / "donnees", erreur);
  fs::create_directories(racine / "photos", erreur);
  if (erreur) {
    std::cerr << racine.string() << " : " << erreur.message() << std::endl;
    return 1;
  }
  {
    std::ofstream f(racine / "donnees" / "donnees.txt", std::ios::binary | std::ios::trunc);
    f << parametres(o);
    if (!f) {
      std::cerr << "donnees/donnees.txt : ecriture impossible" << std::endl;
      return 1;
    }
  }
  std::ofstream centres(racine / "photos" / "centres.txt", std::ios::binary | std::ios::trunc);
  centres << std::fixed << std::setprecision(10);
  for (int k = 0; k < o.photos; ++k) {
    char nom[32];
    std::snprintf(nom, sizeof nom, "demo_%03d.png", k + 1);
    double cx = 0.0, cy = 0.0;
    if (!photo(o, k, racine / "photos" / nom, cx, cy)) return 1;
    centres << cx << ";" << cy << "\n";
  }
  if (!centres || !figureFin(racine / "photos" / "figure_fin.png")) return 1;
  if (o.difficile) {
    // the jump photo's number, as in its name and its line of centres.txt
    std::ofstream saut(racine / "photos" / "saut.txt", std::ios::binary | std::ios::trunc);
    saut << photoSaut(o) + 1 << "\n";
    if (!saut) return 1;
    std::cout << "Serie difficile : saut sur la photo " << photoSaut(o) + 1 << std::endl;
  }
  std::cout << "Serie de demonstration : " << o.photos << " photos dans "
            << (racine / "photos").string() << std::endl;
  return 0;
}
