#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

#include "series/parametres.h"
#include "tests/etat_fixture.h"

namespace {

// The square zone an operator draws around the disc of radius 40: its
// diameter and 25 pixels each side. Grown by half it still fits under the
// parameter file's size limit.
constexpr int kCoteZone = 130;

struct Point {
  double x, y;
};

// What one colour pass with reference `ref` selects in the square zone at
// (x0, y0) of side `cote`, testing pixels as the colour click does.
struct Passe {
  long long nombre = 0, somme_x = 0, somme_y = 0;  // sums of 2c + 1
  long long proches = 0;  // pixels within the tolerances on two channels only
  bool bord = false;      // a selected pixel on the zone's border
  Point centre() const { return {somme_x / (2.0 * nombre), somme_y / (2.0 * nombre)}; }
};

const Uint8* pixelDe(SDL_Surface* s, int x, int y) {
  return static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 3;
}

Passe passer(SDL_Surface* s, int x0, int y0, int cote, const int ref[3], const int tol[3]) {
  Passe p;
  for (int y = std::max(y0, 0); y < std::min(y0 + cote, s->h); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x0 + cote, s->w); ++x) {
      int dans = 0;
      for (int c = 0; c < 3; ++c) dans += std::abs(pixelDe(s, x, y)[c] - ref[c]) <= tol[c];
      if (dans == 2) ++p.proches;
      if (dans < 3) continue;
      ++p.nombre;
      p.somme_x += 2 * x + 1;
      p.somme_y += 2 * y + 1;
      p.bord = p.bord || x == x0 || y == y0 || x == x0 + cote - 1 || y == y0 + cote - 1;
    }
  }
  return p;
}

SDL_Surface* lirePhoto(int k) {
  char nom[32];
  std::snprintf(nom, sizeof nom, "photos/demo_%03d.png", k);
  SDL_Surface* lue = IMG_Load(nom);
  if (lue == nullptr) return nullptr;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(lue, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(lue);
  return s;
}

// One photo of a series followed as a proposal would follow it.
struct Suivi {
  Uint8 disque[3];  // the disc's colour
  bool exact;       // the pass selected the disc's pixels and nothing else
  bool agrandie;    // the selection touched the border of the moved zone
  double pas;       // from the last centre to the one found
  double borne;     // 3 x the median step so far + 2, once three steps exist
  long long proches;
};

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  return v.size() % 2 == 1 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

// The generator writes into a fresh folder that the test then reads as the
// program would: as its working directory.
class SerieDemo : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    ancien_ = std::filesystem::current_path();
    dossier_ = dossierTemporaire();
  }
  void TearDown() override {
    if (chdir(ancien_.c_str()) != 0) ADD_FAILURE() << "chdir " << ancien_;
    std::error_code ignore;
    std::filesystem::remove_all(dossier_, ignore);
    EtatTest::TearDown();
  }
  int generer(const std::string& options, const std::string& dossier) {
    const std::string commande =
        std::string(TRELUNE_DEMO) + " " + dossier + " " + options + " >/dev/null 2>&1";
    return std::system(commande.c_str());
  }
  // Reads the folder's parameter file and follows its series from a zone of
  // kCoteZone centred on the first disc: the first photo's disc colour and
  // the file's tolerances carried along, each zone placed so that the last
  // centre plus the last step sits where the last centre sat in its zone,
  // grown by half once around the centre found when the selection touches
  // its border. One entry per photo; the first only gives its colour.
  std::vector<Suivi> suivre() {
    std::vector<Suivi> suivis;
    if (!readParameters()) return suivis;
    const Etat& e = *g_etat;
    const int tol[3] = {e.m_tolerance_rouge, e.m_tolerance_vert, e.m_tolerance_bleu};
    std::vector<Point> vrais;
    std::istringstream centres(lireFichier("photos/centres.txt"));
    for (Point p; centres >> p.x && centres.ignore(1) && centres >> p.y;) vrais.push_back(p);
    int ref[3] = {0, 0, 0};
    // the last centre's place in its zone, which the next zone keeps
    Point decalage{kCoteZone / 2.0, kCoteZone / 2.0};
    int cote = kCoteZone;
    std::vector<double> pas;
    for (std::size_t k = 0; k < vrais.size(); ++k) {
      SDL_Surface* s = lirePhoto(static_cast<int>(k) + 1);
      if (s == nullptr) break;
      Suivi suivi{};
      const Uint8* disque = pixelDe(s, int(vrais[k].x), int(vrais[k].y));
      std::copy(disque, disque + 3, suivi.disque);
      if (k == 0) std::copy(disque, disque + 3, ref);
      if (k > 0) {
        const Point& d = vrais[k - 1];
        const Point avant = k > 1 ? vrais[k - 2] : d;
        int x0 = int(std::lround(2 * d.x - avant.x - decalage.x));
        int y0 = int(std::lround(2 * d.y - avant.y - decalage.y));
        Passe p = passer(s, x0, y0, cote, ref, tol);
        suivi.agrandie = p.bord && p.nombre > 0;
        if (suivi.agrandie) {
          cote = cote * 3 / 2;
          x0 = int(std::lround(p.centre().x - cote / 2.0));
          y0 = int(std::lround(p.centre().y - cote / 2.0));
          p = passer(s, x0, y0, cote, ref, tol);
          EXPECT_LE(double(cote - 1) * (cote - 1), e.m_max_pixels);
        }
        const Point c = p.nombre > 0 ? p.centre() : Point{-1e9, -1e9};
        // off the border, the pass holds the whole disc; the centre shows
        // that it holds nothing else
        suivi.exact = !p.bord && std::abs(c.x - vrais[k].x) < 1e-9 && std::abs(c.y - vrais[k].y) < 1e-9;
        suivi.pas = std::hypot(c.x - d.x, c.y - d.y);
        suivi.borne = pas.size() >= 3 ? 3 * mediane(pas) + 2 : std::numeric_limits<double>::max();
        suivi.proches = p.proches;
        pas.push_back(suivi.pas);
        decalage = {vrais[k].x - x0, vrais[k].y - y0};
      }
      suivis.push_back(suivi);
      SDL_FreeSurface(s);
    }
    return suivis;
  }
  std::filesystem::path ancien_;
  std::string dossier_;
};

TEST_F(SerieDemo, PhotosMatchTheirCentresAndTheParameterFile) {
  ASSERT_EQ(0,
            generer("--photos 3 --taille 160x120 --rayon 9 --fenetre 640x480 --zoom 3", dossier_));
  ASSERT_EQ(0, chdir(dossier_.c_str()));
  ASSERT_TRUE(readParameters());
  const Etat& e = *g_etat;
  EXPECT_EQ("photos/demo_001.png", e.nom_photo_complet);
  EXPECT_EQ(640, e.m_largeur_fenetre);
  EXPECT_EQ(480, e.m_hauteur_fenetre);
  EXPECT_EQ(1.0, e.m_zoom);
  EXPECT_EQ(3, e.m_numero_fin);

  std::istringstream centres(lireFichier("photos/centres.txt"));
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    const std::string nom = "photos/demo_00" + std::to_string(k) + ".png";
    SDL_Surface* lue = IMG_Load(nom.c_str());
    ASSERT_NE(nullptr, lue) << IMG_GetError();
    SDL_Surface* s = SDL_ConvertSurfaceFormat(lue, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(lue);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(160, s->w);
    EXPECT_EQ(120, s->h);
    long long somme_x = 0, somme_y = 0, nombre = 0, proches = 0, halo = 0;
    for (int y = 0; y < s->h; ++y) {
      for (int x = 0; x < s->w; ++x) {
        const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 3;
        const bool disque = p[0] == 255 && p[1] == 140 && p[2] == 0;
        if (disque) {
          somme_x += 2 * x + 1;
          somme_y += 2 * y + 1;
          ++nombre;
        } else if (std::abs(p[0] - 255) <= 30 && std::abs(p[1] - 140) <= 30 && p[2] <= 30) {
          ++proches;  // background a colour click would take for the disc
        } else if (p[0] == 255 && p[1] == 140 && p[2] >= 34 && p[2] <= 96) {
          ++halo;  // the glow, for a raised tolerance to take
        }
      }
    }
    SDL_FreeSurface(s);
    EXPECT_EQ(0, proches);
    EXPECT_GT(halo, 50);
    ASSERT_GT(nombre, 200);  // the whole disc of radius 9 is inside
    std::ostringstream attendu;
    attendu << std::fixed << std::setprecision(10) << somme_x / (2.0 * nombre) << ";"
            << somme_y / (2.0 * nombre);
    std::string ligne;
    std::getline(centres, ligne);
    EXPECT_EQ(attendu.str(), ligne);
  }
  SDL_Surface* fin = IMG_Load("photos/figure_fin.png");
  ASSERT_NE(nullptr, fin);
  EXPECT_EQ(800, fin->w);
  SDL_FreeSurface(fin);
}

TEST_F(SerieDemo, TwoRunsGiveTheSameBytes) {
  const std::string autre = dossierTemporaire();
  ASSERT_EQ(0, generer("--photos 2 --taille 64x48 --rayon 5", dossier_));
  ASSERT_EQ(0, generer("--photos 2 --taille 64x48 --rayon 5", autre));
  for (const char* f : {"donnees/donnees.txt", "photos/demo_001.png", "photos/demo_002.png",
                        "photos/centres.txt", "photos/figure_fin.png"}) {
    SCOPED_TRACE(f);
    const std::string a = lireFichier(dossier_ + "/" + f);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, lireFichier(autre + "/" + f));
  }
  std::error_code ignore;
  std::filesystem::remove_all(autre, ignore);
}

// The automatic run starts after the first photo measured by hand: every
// later proposal must take the whole disc and nothing else, with no growth
// and no step it would find doubtful.
TEST_F(SerieDemo, PlainSeriesIsFollowedExactlyFromTheLastStep) {
  ASSERT_EQ(0, generer("--taille 400x300", dossier_));
  ASSERT_EQ(0, chdir(dossier_.c_str()));
  const std::vector<Suivi> suivis = suivre();
  ASSERT_EQ(12u, suivis.size());
  for (std::size_t k = 1; k < suivis.size(); ++k) {
    SCOPED_TRACE(k + 1);
    EXPECT_TRUE(suivis[k].exact);
    EXPECT_FALSE(suivis[k].agrandie);
    EXPECT_LE(suivis[k].pas, suivis[k].borne);
    EXPECT_GT(suivis[k].pas, 5.0);  // the disc does move
  }
}

// The harder series: the proposal carries the first photo's colour through
// the whole fall of brightness and past the patch, and only the jump photo,
// named in saut.txt, is cut by the moved zone and steps too far.
TEST_F(SerieDemo, HarderSeriesDriftsPassesAPatchAndJumpsOnce) {
  ASSERT_EQ(0, generer("--difficile --taille 400x300", dossier_));
  ASSERT_EQ(0, chdir(dossier_.c_str()));
  EXPECT_EQ("11\n", lireFichier("photos/saut.txt"));
  const std::vector<Suivi> suivis = suivre();
  ASSERT_EQ(12u, suivis.size());
  long long proches = 0;
  for (std::size_t k = 1; k < suivis.size(); ++k) {
    SCOPED_TRACE(k + 1);
    const bool saut = k + 1 == 11;
    EXPECT_TRUE(suivis[k].exact);
    EXPECT_EQ(saut, suivis[k].agrandie);
    EXPECT_EQ(saut, suivis[k].pas > suivis[k].borne);
    proches = std::max(proches, suivis[k].proches);
  }
  EXPECT_GT(proches, 40 * 40);  // the patch stands in the zone, never selected
  const Uint8* premier = suivis.front().disque;
  const Uint8* dernier = suivis.back().disque;
  EXPECT_EQ(255, premier[0]);
  EXPECT_EQ(140, premier[1]);
  EXPECT_EQ(179, dernier[0]);  // 255 x 0.7, rounded
  EXPECT_EQ(98, dernier[1]);
}

}  // namespace
