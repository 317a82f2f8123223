#include "app/boucle.h"

#include <SDL.h>

#include "etat/etat.h"
#include "display/bandeau.h"
#include "tests/etat_fixture.h"

namespace {

class BoucleTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    g_etat->m_en_marche = true;
    g_etat->m_zoom = 1.0;
  }
  void TearDown() override {
    SDL_Quit();
    EtatTest::TearDown();
  }
  void pousser(Uint32 type, int n = 1) {
    for (int i = 0; i < n; ++i) {
      SDL_Event ev{};
      ev.type = type;
      if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
        ev.button.button = SDL_BUTTON_LEFT;
        ev.button.x = 12;
        ev.button.y = 34;
      }
      ASSERT_EQ(1, SDL_PushEvent(&ev));
    }
  }
  int enAttente(Uint32 type) { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type); }
};

}  // namespace

// A drag's motion never uses up a frame: each frame takes the next press,
// release or close request, draining what the program ignores before it.
TEST_F(BoucleTest, IgnoredEventsAreDrainedOneActionPerFrame) {
  pousser(SDL_MOUSEMOTION, 60);
  pousser(SDL_MOUSEBUTTONDOWN);
  pousser(SDL_MOUSEMOTION, 40);
  pousser(SDL_KEYDOWN);
  pousser(SDL_MOUSEBUTTONUP);
  pousser(SDL_MOUSEMOTION, 5);
  pousser(SDL_QUIT);

  handleEvents();
  EXPECT_NE(nullptr, g_etat->m_etat_clavier);
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ(1, enAttente(SDL_MOUSEBUTTONUP));
  EXPECT_EQ(40, enAttente(SDL_MOUSEMOTION) - 5);
  handleEvents();  // the release, after its motion
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONUP));
  EXPECT_EQ(0, enAttente(SDL_KEYDOWN));
  EXPECT_EQ(1, enAttente(SDL_QUIT));
  EXPECT_TRUE(g_etat->m_en_marche);
  handleEvents();
  EXPECT_FALSE(g_etat->m_en_marche);
  EXPECT_EQ(0, enAttente(SDL_MOUSEMOTION));
  handleEvents();  // an empty queue: nothing happens
  EXPECT_FALSE(g_etat->m_en_marche);
}

TEST_F(BoucleTest, ButtonsWithoutValidZoomAreIgnored) {
  g_etat->m_zoom = 0.0;
  pousser(SDL_MOUSEBUTTONDOWN);
  pousser(SDL_MOUSEBUTTONUP);
  pousser(SDL_QUIT);
  handleEvents();
  EXPECT_FALSE(g_etat->m_en_marche);
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONUP));
}

TEST_F(BoucleTest, CleanReleasesByTheFlagsAndQuits) {
  Etat& e = *g_etat;
  SDL_Window* fenetre = SDL_CreateWindow("Trelune", 100, 20, 64, 48, 0);
  ASSERT_NE(nullptr, fenetre);
  e.m_fenetre = fenetre;
  e.m_rendu = SDL_CreateRenderer(fenetre, -1, 0);
  ASSERT_NE(nullptr, e.m_rendu);
  e.Fog = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_RGBA8888);
  e.m_fog_existe = 1;
  e.gFog = SDL_CreateTextureFromSurface(e.m_rendu, e.Fog);
  e.m_gfog_existe = 1;
  e.m_surface_pixel = SDL_CreateRGBSurfaceWithFormat(0, 3, 3, 32, SDL_PIXELFORMAT_RGBA8888);
  e.m_surface_pixel_existe = 1;
  e.m_texture_pixel = nullptr;  // creation attempted and failed: the flag is set all the same
  e.m_texture_pixel_existe = 1;
  e.pTempSurface_prairie = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 24, SDL_PIXELFORMAT_RGB24);
  e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, e.pTempSurface_prairie);

  // the layers added beyond the fixed fields
  auto texture = [&e]() {
    return SDL_CreateTexture(e.m_rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 4, 4);
  };
  e.m_cache_trace.calque = texture();
  e.m_cache_marqueurs.masque = texture();
  e.m_cache_marqueurs.aplat = texture();
  e.m_photo_reduite.texture = texture();
  e.m_cache_trace.rendu = e.m_cache_marqueurs.rendu_masque = e.m_cache_marqueurs.rendu_aplat =
      e.m_photo_reduite.rendu = e.m_rendu;
  e.m_texture_photo_libre = texture();
  basculerBandeau(SourceBandeau{});
  ASSERT_NE(nullptr, e.m_bandeau);
  console_.lu();  // the font's absence, where it is missing

  clean();
  EXPECT_EQ("cleaning game\napres delete[]\n", console_.lu());
  EXPECT_EQ(nullptr, e.m_rendu);
  EXPECT_EQ(nullptr, e.m_fenetre);
  EXPECT_EQ(nullptr, e.Fog);
  EXPECT_EQ(0, e.m_fog_existe);
  EXPECT_EQ(nullptr, e.m_bandeau);
  for (SDL_Texture* t : {e.m_cache_trace.calque, e.m_cache_marqueurs.masque, e.m_cache_marqueurs.aplat,
                         e.m_photo_reduite.texture, e.m_texture_photo_libre}) {
    EXPECT_EQ(nullptr, t);
  }
  EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO));
}
