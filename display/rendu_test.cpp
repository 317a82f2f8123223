#include "display/rendu.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "etat/etat.h"
#include "display/fenetre.h"
#include "display/photo.h"
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

// Below zoom 1 the frame copies a reduced photo made once; the image is the
// one the plain copy of the placement rectangles gives: the same pixels when
// the photo lies inside the window, at most one window pixel off where the
// window edge cuts it. A new photo in the same texture is not missed.
TEST_F(RenduTest, ReducedPhotoDrawsWhatThePlainCopyDraws) {
  preparer(320, 240);
  Etat& e = *g_etat;
  e.m_afficher_croix_fenetre = false;
  SDL_Surface* attendu = SDL_CreateRGBSurfaceWithFormat(0, 320, 240, 32, SDL_PIXELFORMAT_RGB888);
  SDL_Renderer* rendu_attendu = SDL_CreateSoftwareRenderer(attendu);
  ASSERT_NE(nullptr, rendu_attendu);

  // The plain copy of the placement rectangles, and the frame's pixels compared with it.
  auto comparer = [&](SDL_Surface* photo, bool exact) {
    SDL_Texture* texture = SDL_CreateTextureFromSurface(rendu_attendu, photo);
    SDL_SetRenderDrawColor(rendu_attendu, 0, 150, 0, 255);
    SDL_RenderClear(rendu_attendu);
    SDL_RenderCopy(rendu_attendu, texture, &e.m_rect_source, &e.m_rect_destination);
    SDL_RenderPresent(rendu_attendu);
    SDL_DestroyTexture(texture);
    auto lire = [](SDL_Surface* s, int x, int y) {
      return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch)[x] & 0xFFFFFF;
    };
    int loin = 0, differents = 0;
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x < 320; ++x) {
        const Uint32 vu = lire(cible_, x, y);
        if (vu == lire(attendu, x, y)) continue;
        ++differents;
        bool voisin = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            voisin = voisin || (x + dx >= 0 && x + dx < 320 && y + dy >= 0 && y + dy < 240 &&
                                lire(attendu, x + dx, y + dy) == vu);
        loin += !voisin;
      }
    }
    if (exact) {
      EXPECT_EQ(0, differents);
    }
    EXPECT_EQ(0, loin);
  };

  chargerPhoto(1003, 777);
  const std::pair<double, double> pans[] = {{0, 0}, {-900, 13}, {700, -500}, {3, 2000}};
  for (double zoom : {0.125, 0.25, 0.5}) {
    for (auto [pan_x, pan_y] : pans) {
      SCOPED_TRACE(testing::Message() << "zoom " << zoom << " pan " << pan_x << "," << pan_y);
      placer(zoom, pan_x, pan_y);
      render();
      const SDL_Rect& d = e.m_rect_destination;
      EXPECT_NE(nullptr, e.m_photo_reduite.texture);
      comparer(photo_, d.x >= 0 && d.y >= 0 && d.x + d.w <= 320 && d.y + d.h <= 240);
    }
  }

  // another photo of the same size, filled into the same texture
  placer(0.25, 0, 0);
  render();
  SDL_Texture* avant = e.m_pTexture_prairie;
  SDL_Surface* autre = SDL_CreateRGBSurfaceWithFormat(0, 1003, 777, 32, SDL_PIXELFORMAT_RGB888);
  SDL_FillRect(autre, nullptr, SDL_MapRGB(autre->format, 200, 30, 30));
  e.m_pTexture_prairie = nullptr;  // the first one was not made by creerTexturePhoto: not ours to keep
  SDL_DestroyTexture(avant);
  e.pTempSurface_prairie = autre;
  creerTexturePhoto();
  render();
  comparer(autre, true);
  libererTexturePhoto();
  creerTexturePhoto();  // the texture put aside comes back
  render();
  comparer(autre, true);
  e.pTempSurface_prairie = nullptr;
  SDL_FreeSurface(autre);

  // zoom 1 and above copy the photo itself
  placer(1.0, 0, 0);
  render();
  EXPECT_EQ(nullptr, e.m_photo_reduite.texture);
  SDL_DestroyRenderer(rendu_attendu);
  SDL_FreeSurface(attendu);
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
  render();  // end of input: said once, nothing blocks, the frames go on
  render();
  render();
  EXPECT_EQ(-5, e.m_reponse_console);
  std::string attendu;
  for (int i = 0; i < 4; ++i) attendu += ligne;
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
