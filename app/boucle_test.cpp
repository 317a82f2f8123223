#include "app/boucle.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

#include "etat/etat.h"
#include "app/touches.h"
#include "display/bandeau.h"
#include "display/marqueur_pixel.h"
#include "tracking/suivi.h"
#include "tests/etat_fixture.h"

namespace {

int g_dix_septieme = 0, g_autres = 0;
void actionDixSeptieme() { ++g_dix_septieme; }
void actionAutre() { ++g_autres; }

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
  void pousserTouche(Uint32 type, SDL_Scancode code, Uint8 repetition = 0) {
    SDL_Event ev{};
    ev.type = type;
    ev.key.keysym.scancode = code;
    ev.key.repeat = repetition;
    ASSERT_EQ(1, SDL_PushEvent(&ev));
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

// Presses reach the keys and the run through the frame alone: a release and a
// new press between two frames count twice and act once, the seventeenth key
// of a table acts, a renderer's reset is noted for the strip, and a press
// during the run stops it; a button press still queued counts from its
// queueing, and the SPACE press that stops the run does not start it again,
// even released before the next frame.
TEST_F(BoucleTest, PressesReachTheKeysAndTheRunThroughTheFrame) {
  Etat& e = *g_etat;
  g_dix_septieme = g_autres = 0;
  // F13 to STOP: keys neither the sixteen nor the program's added keys read
  std::vector<ToucheAjoutee> table;
  for (int i = 0; i < 17; ++i) {
    table.push_back({SDL_Scancode(SDL_SCANCODE_F13 + i), SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "F",
                     "f", i == 16 ? actionDixSeptieme : actionAutre});
  }
  const SDL_Scancode dix_septieme = table.back().code;
  pousserTouche(SDL_KEYDOWN, dix_septieme);
  pousserTouche(SDL_KEYDOWN, dix_septieme, 1);  // the key's own repeat is no press
  pousserTouche(SDL_KEYUP, dix_septieme);
  pousserTouche(SDL_KEYDOWN, dix_septieme);
  pousser(SDL_RENDER_TARGETS_RESET);  // for the strip, which draws its texture again
  handleEvents();
  EXPECT_EQ(2u, e.m_entrees.appuis[dix_septieme]);
  EXPECT_EQ(0, enAttente(SDL_KEYDOWN));
  EXPECT_TRUE(e.m_cibles_perdues);
  sectionTouchesAjoutees(table, 1000);
  sectionTouchesAjoutees(table, 1050);
  EXPECT_EQ(1, g_dix_septieme);
  EXPECT_EQ(0, g_autres);

  // the run, a photo measured behind it
  e.m_historique.souvenirs.emplace_back();
  e.m_historique.souvenirs.back().ecrit = true;
  basculerSuivi();
  pousserTouche(SDL_KEYDOWN, SDL_SCANCODE_F1);
  handleEvents();
  basculerSuivi();
  pousser(SDL_MOUSEBUTTONDOWN, 2);  // the frame acts on one, the other waits
  handleEvents();
  EXPECT_EQ(1, enAttente(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ(
      "Suivi demarre\nSuivi arrete : touche appuyee\n"
      "Suivi demarre\nSuivi arrete : bouton de la souris\n",
      console_.lu());
  basculerSuivi();  // the waiting press came before: the run goes on to the proposal
  handleEvents();
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ("Suivi demarre\nSuivi impossible : pas de photo chargee\nSuivi arrete : proposition impossible\n",
            console_.lu());

  // SPACE taken by the added keys' section, then by the run's step (as the
  // event step counts a press its poll pumps), released at once both times
  basculerSuivi();
  pousserTouche(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
  handleEvents();
  handleEvents();
  basculerSuivi();
  ++e.m_entrees.appuis[SDL_SCANCODE_SPACE], ++e.m_entrees.appuis_touches;
  etapeSuivi();
  handleEvents();
  handleEvents();
  EXPECT_EQ(
      "Suivi demarre\nSuivi arrete : touche espace\n"
      "Suivi demarre\nSuivi arrete : touche espace\n",
      console_.lu());
  EXPECT_FALSE(e.m_suivi_en_cours);
}

// Each wheel event zooms one step about its pointer, its direction as the
// system flips it; a zero notch does nothing; the wheel does not end the poll,
// so the press queued behind it is still this frame's.
TEST_F(BoucleTest, WheelZoomsOneStepPerEventInTheSamePoll) {
  Etat& e = *g_etat;
  SDL_Surface* ecran = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_RGB888);
  e.m_rendu = SDL_CreateSoftwareRenderer(ecran);
  const double table[9] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};
  std::copy(table, table + 9, e.m_table_zoom);
  e.m_indice_zoom = 3;
  e.m_indice_zoom_max = 8;
  e.m_largeur_photo = e.m_hauteur_photo = 100;
  for (auto [y, sens] : {std::pair{1, SDL_MOUSEWHEEL_NORMAL}, std::pair{1, SDL_MOUSEWHEEL_FLIPPED},
                         std::pair{0, SDL_MOUSEWHEEL_NORMAL}, std::pair{-3, SDL_MOUSEWHEEL_NORMAL}}) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEWHEEL;
    ev.wheel.y = y;
    ev.wheel.direction = Uint32(sens);
    ev.wheel.mouseX = 30;
    ev.wheel.mouseY = 40;
    ASSERT_EQ(1, SDL_PushEvent(&ev));
  }
  pousser(SDL_MOUSEBUTTONDOWN);
  handleEvents();
  EXPECT_EQ("Molette : zoom 2\nMolette : zoom 1\nMolette : zoom 0.5\n", console_.lu());
  EXPECT_EQ(2, e.m_indice_zoom);
  EXPECT_EQ(0, enAttente(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ(1u, e.m_entrees.boutons_pris);
  libererMarqueurPixel();
  // the zoom steps made the zone overlay again, as every zoom step does
  if (e.m_fog_existe != 0) SDL_FreeSurface(e.Fog);
  e.Fog = nullptr;
  e.m_fog_existe = 0;
  SDL_DestroyRenderer(e.m_rendu);  // the overlay's texture goes with it
  e.m_rendu = nullptr;
  e.gFog = nullptr;
  e.m_gfog_existe = 0;
  SDL_FreeSurface(ecran);
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
