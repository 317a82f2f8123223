#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "series/parametres.h"
#include "tests/etat_fixture.h"

namespace {

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
    long long somme_x = 0, somme_y = 0, nombre = 0, proches = 0;
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
        }
      }
    }
    SDL_FreeSurface(s);
    EXPECT_EQ(0, proches);
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

}  // namespace
