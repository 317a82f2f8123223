#include "display/rendu.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "app/etat.h"
#include "display/fenetre.h"
#include "display/placement.h"
#include "tests/etat_fixture.h"

namespace {

// Photo pixel (c, r) gets a colour of its own; blue stays at 0x80 or above so
// no photo pixel looks like the background.
void couleurCellule(int c, int r, Uint8& rouge, Uint8& vert, Uint8& bleu) {
  rouge = Uint8(c & 0xFF);
  vert = Uint8(r & 0xFF);
  bleu = Uint8(0x80 | ((c >> 8) & 0x3) | (((r >> 8) & 0x3) << 2));
}

// A frame drawn by a software renderer into a window-sized surface.
class RenduTest : public EtatTest {
 protected:
  void preparer(int largeur, int hauteur) {
    cible_ = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(nullptr, cible_);
    Etat& e = *g_etat;
    e.m_rendu = SDL_CreateSoftwareRenderer(cible_);
    ASSERT_NE(nullptr, e.m_rendu);
    e.m_largeur_fenetre = largeur;
    e.m_hauteur_fenetre = hauteur;
    e.m_croix_fenetre_h = {largeur / 2 - 10, hauteur / 2, 20, 1};
    e.m_croix_fenetre_v = {largeur / 2, hauteur / 2 - 10, 1, 20};
  }
  void chargerPhoto(int largeur, int hauteur) {
    photo_ = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(nullptr, photo_);
    for (int r = 0; r < hauteur; ++r) {
      Uint32* ligne = reinterpret_cast<Uint32*>(static_cast<Uint8*>(photo_->pixels) + r * photo_->pitch);
      for (int c = 0; c < largeur; ++c) {
        Uint8 rouge, vert, bleu;
        couleurCellule(c, r, rouge, vert, bleu);
        ligne[c] = SDL_MapRGB(photo_->format, rouge, vert, bleu);
      }
    }
    Etat& e = *g_etat;
    e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, photo_);
    ASSERT_NE(nullptr, e.m_pTexture_prairie);
    e.m_largeur_photo = largeur;
    e.m_hauteur_photo = hauteur;
  }
  void placer(double zoom, double pan_x, double pan_y) {
    Etat& e = *g_etat;
    e.m_zoom = zoom;
    e.m_decalage_x = decalageCentre(e.m_largeur_photo, zoom, e.m_largeur_fenetre, pan_x);
    e.m_decalage_y = decalageCentre(e.m_hauteur_photo, zoom, e.m_hauteur_fenetre, pan_y);
    appliquerAxeX();
    appliquerAxeY();
  }
  void pixel(int x, int y, Uint8& r, Uint8& g, Uint8& b) {
    const Uint32* ligne = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(cible_->pixels) + y * cible_->pitch);
    SDL_GetRGB(ligne[x], cible_->format, &r, &g, &b);
  }
  void TearDown() override {
    Etat& e = *g_etat;
    if (e.m_rendu != nullptr) SDL_DestroyRenderer(e.m_rendu);
    SDL_FreeSurface(cible_);
    SDL_FreeSurface(photo_);
    EtatTest::TearDown();
  }
  SDL_Surface* cible_ = nullptr;
  SDL_Surface* photo_ = nullptr;
};

}  // namespace

TEST_F(RenduTest, DrawsBackgroundPhotoAndBlueWindowCross) {
  preparer(801, 601);
  chargerPhoto(100, 80);
  placer(1.0, 0.0, 0.0);
  g_etat->m_croix_fenetre_h = {390, 300, 20, 1};
  g_etat->m_croix_fenetre_v = {400, 290, 1, 20};
  render();
  Uint8 r, g, b;
  pixel(5, 5, r, g, b);  // outside the photo
  EXPECT_EQ(0, r);
  EXPECT_EQ(150, g);
  EXPECT_EQ(0, b);
  for (auto [x, y] : {std::pair{400, 300}, std::pair{390, 300}, std::pair{409, 300}, std::pair{400, 290},
                      std::pair{400, 309}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    pixel(x, y, r, g, b);
    EXPECT_EQ(0, r);
    EXPECT_EQ(0, g);
    EXPECT_EQ(255, b);
  }
  // a centred 100x80 photo starts at (351, 261): -350.5 and -260.5 round away from zero
  pixel(361, 268, r, g, b);
  EXPECT_EQ(10, r);
  EXPECT_EQ(7, g);
  // the cross is a line: one pixel beside it is the photo or background
  pixel(401, 291, r, g, b);
  EXPECT_NE(255, b);
  EXPECT_EQ("", console_.lu());
}

// At every zoom and pan each window pixel shows the photo pixel that a copy
// of the whole placement rectangles shows there: exactly when the photo's
// size is a whole number of window pixels per photo pixel (or the reverse),
// within one photo pixel otherwise.
TEST_F(RenduTest, VisiblePartMatchesTheWholeCopyAtEveryZoom) {
  preparer(1000, 120);  // wide: at zoom 50 the renderer's stepping would drift by a pixel
  g_etat->m_afficher_croix_fenetre = false;
  const double zooms[] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};
  const std::pair<double, double> pans[] = {{0, 0}, {-101.5, 37}, {149, 99}, {-149, -99}, {400, 0}};
  for (auto [largeur, hauteur] : {std::pair{304, 200}, std::pair{301, 203}}) {
    SDL_DestroyTexture(g_etat->m_pTexture_prairie);
    SDL_FreeSurface(photo_);
    chargerPhoto(largeur, hauteur);
    for (double zoom : zooms) {
      for (auto [pan_x, pan_y] : pans) {
        SCOPED_TRACE(testing::Message() << largeur << "x" << hauteur << " zoom " << zoom << " pan " << pan_x
                                        << "," << pan_y);
        placer(zoom, pan_x, pan_y);
        render();
        const Etat& e = *g_etat;
        const SDL_Rect& d = e.m_rect_destination;
        const int cellules_x = std::min(e.m_rect_source.w, largeur);
        const int cellules_y = std::min(e.m_rect_source.h, hauteur);
        const bool exact = (d.w % cellules_x == 0 || cellules_x % d.w == 0) &&
                           (d.h % cellules_y == 0 || cellules_y % d.h == 0);
        int differents = 0;
        for (int y = 0; y < cible_->h; ++y) {
          for (int x = 0; x < cible_->w; ++x) {
            Uint8 r, g, b;
            pixel(x, y, r, g, b);
            const bool dedans = x >= d.x && x < d.x + d.w && y >= d.y && y < d.y + d.h;
            if (!dedans) {
              differents += r != 0 || g != 150 || b != 0;
              continue;
            }
            const int c = int((x - d.x + 0.5) * cellules_x / d.w);
            const int l = int((y - d.y + 0.5) * cellules_y / d.h);
            Uint8 ar, ag, ab;
            couleurCellule(c, l, ar, ag, ab);
            if (exact) {
              differents += r != ar || g != ag || b != ab;
            } else {
              // only small photos here: the low bits tell the column and row
              differents += b < 0x80 || std::abs(r - ar) > 1 || std::abs(g - ag) > 1;
            }
          }
        }
        EXPECT_EQ(0, differents);
      }
    }
  }
}

TEST_F(RenduTest, MissingPhotoWaitsForANumberWhileRunning) {
  preparer(40, 30);
  Etat& e = *g_etat;
  const std::string ligne = "Erreur de chargement de la photo : m_pTexture_prairie n'existe pas\n";
  e.m_en_marche = true;

  console_.entree("42\nabc 7\n-5\n");
  render();
  EXPECT_EQ(42, e.m_reponse_console);
  render();  // a word: ignored with the rest of its line
  EXPECT_EQ(42, e.m_reponse_console);
  render();  // the next frame waits again
  EXPECT_EQ(-5, e.m_reponse_console);
  render();  // end of input: nothing blocks, every frame still reports
  render();
  EXPECT_EQ(-5, e.m_reponse_console);
  std::string attendu;
  for (int i = 0; i < 5; ++i) attendu += ligne;
  EXPECT_EQ(attendu, console_.lu());

  // after the close request nobody answers: the line, no read
  console_.entree("9\n");
  e.m_en_marche = false;
  render();
  EXPECT_EQ(-5, e.m_reponse_console);
  EXPECT_EQ(ligne, console_.lu());
  long long reste = 0;
  EXPECT_TRUE(std::cin >> reste);
  EXPECT_EQ(9, reste);

  // a number beyond int32 keeps the nearest bound
  e.m_en_marche = true;
  console_.entree("99999999999\n");
  render();
  EXPECT_EQ(2147483647, e.m_reponse_console);
  console_.lu();

  // the background is drawn all the same
  Uint8 r, g, b;
  pixel(1, 1, r, g, b);
  EXPECT_EQ(150, g);
}

TEST_F(RenduTest, PendingCloseRequestSkipsThePause) {
  ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
  preparer(4, 4);
  g_etat->m_en_marche = true;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(1, SDL_PushEvent(&quit));
  console_.entree("5\n");
  render();
  EXPECT_EQ(0, g_etat->m_reponse_console);
  EXPECT_EQ(1, SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT));  // left for the event step
  SDL_DestroyRenderer(g_etat->m_rendu);
  g_etat->m_rendu = nullptr;
  SDL_Quit();
}
