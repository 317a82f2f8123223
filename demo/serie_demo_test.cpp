#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/etat_fixture.h"

namespace {

// A line of centres.txt: the centre and the mark ("", "cachee", "absente").
struct Ligne {
  double x = 0.0, y = 0.0;
  std::string marque;
};

std::vector<Ligne> lireLignes(const std::string& texte) {
  std::vector<Ligne> lignes;
  std::istringstream flux(texte);
  for (std::string l; std::getline(flux, l);) {
    Ligne c;
    std::istringstream champs(l);
    std::string x, y;
    std::getline(champs, x, ';');
    std::getline(champs, y, ';');
    std::getline(champs, c.marque);
    c.x = std::stod(x);
    c.y = std::stod(y);
    lignes.push_back(c);
  }
  return lignes;
}

// The pixels a colour click on the orange with tolerances 30 takes, as
// sums of 2c + 1, split by which of two centres they lie nearer.
struct Pris {
  long long n[2] = {0, 0}, sx[2] = {0, 0}, sy[2] = {0, 0};
  long long violets = 0;
  double ecart = 1e9;  // smallest distance between a pixel of one group and one of the other
};

Pris prendre(const std::string& chemin, double ax, double ay, double bx, double by) {
  Pris p;
  SDL_Surface* lue = IMG_Load(chemin.c_str());
  if (lue == nullptr) return p;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(lue, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(lue);
  std::vector<std::pair<int, int>> groupes[2];
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const Uint8* c = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 3;
      if (c[0] == 90 && c[1] == 40 && c[2] == 200) ++p.violets;
      if (std::abs(c[0] - 255) > 30 || std::abs(c[1] - 140) > 30 || c[2] > 30) continue;
      const int g = std::hypot(x + 0.5 - ax, y + 0.5 - ay) <= std::hypot(x + 0.5 - bx, y + 0.5 - by) ? 0 : 1;
      ++p.n[g];
      p.sx[g] += 2 * x + 1;
      p.sy[g] += 2 * y + 1;
      groupes[g].push_back({x, y});
    }
  }
  SDL_FreeSurface(s);
  for (const auto& a : groupes[0])
    for (const auto& b : groupes[1]) p.ecart = std::min(p.ecart, std::hypot(a.first - b.first, a.second - b.second));
  return p;
}

class SerieEvenements : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    dossier_ = dossierTemporaire();
  }
  void TearDown() override {
    std::error_code ignore;
    std::filesystem::remove_all(dossier_, ignore);
    EtatTest::TearDown();
  }
  int generer(const std::string& options) {
    const std::string commande = std::string(TRELUNE_DEMO) + " " + dossier_ + " " + options + " >/dev/null 2>&1";
    const int code = std::system(commande.c_str());
    return WIFEXITED(code) ? WEXITSTATUS(code) : -1;
  }
  std::string photo(int numero) const {
    char nom[32];
    std::snprintf(nom, sizeof nom, "/photos/demo_%03d.png", numero);
    return dossier_ + nom;
  }
  std::string dossier_;
};

}  // namespace

// A straight path at a step off the grid, a disc of two colours, three
// hidden photos, numbers left out: every photo drawn holds exactly the
// pixels whose centre its line gives (the orange half alone, the violet
// out of reach), each step is the asked one within 0.005 (half a disc of
// radius 12: its rim leaves little to balance with), the hidden
// photos hold none, the numbers left out have no file; each is marked.
TEST_F(SerieEvenements, EveryPhotoHoldsExactlyItsCentreAndItsMark) {
  ASSERT_EQ(0, generer("--pas 3.37 --photos 15 --taille 240x180 --rayon 12 --bicolore --occultation --absentes"));
  EXPECT_EQ("6;7;absente\n8;11;cachee\n11;13;absente\n", lireFichier(dossier_ + "/photos/evenements.txt"));
  const std::vector<Ligne> lignes = lireLignes(lireFichier(dossier_ + "/photos/centres.txt"));
  ASSERT_EQ(15u, lignes.size());
  for (int k = 1; k <= 15; ++k) {
    SCOPED_TRACE(k);
    const Ligne& l = lignes[k - 1];
    const bool absente = k == 6 || k == 11 || k == 12, cachee = k >= 8 && k <= 10;
    EXPECT_EQ(absente ? "absente" : cachee ? "cachee" : "", l.marque);
    if (k > 1) {
      EXPECT_NEAR(3.37, l.x - lignes[k - 2].x, 5e-3);
      EXPECT_NEAR(-0.4 * 3.37, l.y - lignes[k - 2].y, 5e-3);
    }
    EXPECT_EQ(absente, !std::filesystem::exists(photo(k)));
    if (absente) continue;
    const Pris p = prendre(photo(k), l.x, l.y, 1e9, 1e9);
    if (!l.marque.empty()) {
      EXPECT_EQ(0, p.n[0]);
      continue;
    }
    ASSERT_GT(p.n[0], 150);  // half a disc of radius 12
    EXPECT_GT(p.violets, 150);
    EXPECT_NEAR(l.x, p.sx[0] / (2.0 * p.n[0]), 1e-9);
    EXPECT_NEAR(l.y, p.sy[0] / (2.0 * p.n[0]), 1e-9);
  }
}

// The second disc of the same colour crosses ahead of the first: never
// touching it, each disc's pixels give its own line's centre, and at the
// crossing its pixels come within 0.6 radius of the first disc's, well
// inside a zone drawn around it.
TEST_F(SerieEvenements, SecondDiscCrossesWithoutTouching) {
  ASSERT_EQ(0, generer("--photos 10 --taille 320x240 --rayon 12 --croisement"));
  const std::vector<Ligne> a = lireLignes(lireFichier(dossier_ + "/photos/centres.txt"));
  const std::vector<Ligne> b = lireLignes(lireFichier(dossier_ + "/photos/second.txt"));
  ASSERT_EQ(10u, a.size());
  ASSERT_EQ(10u, b.size());
  EXPECT_EQ("1;10;croisement\n", lireFichier(dossier_ + "/photos/evenements.txt"));
  double plus_proche = 1e9;
  for (int k = 1; k <= 10; ++k) {
    SCOPED_TRACE(k);
    const Pris p = prendre(photo(k), a[k - 1].x, a[k - 1].y, b[k - 1].x, b[k - 1].y);
    EXPECT_NEAR(a[k - 1].x, p.sx[0] / (2.0 * p.n[0]), 1e-9);
    EXPECT_NEAR(a[k - 1].y, p.sy[0] / (2.0 * p.n[0]), 1e-9);
    EXPECT_GT(p.ecart, 3.0);  // not even corners touch
    plus_proche = std::min(plus_proche, p.ecart);
  }
  EXPECT_LT(plus_proche, 0.6 * 12);
}

// Options the series cannot draw are refused, with the usage line.
TEST_F(SerieEvenements, UndrawableOptionsAreRefused) {
  for (const char* options : {"--pas 0", "--pas -1", "--pas abc", "--pas 50 --photos 30", "--occultation --photos 7",
                              "--croisement --photos 7", "--absentes --photos 8"}) {
    SCOPED_TRACE(options);
    EXPECT_EQ(2, generer(options));
  }
}
