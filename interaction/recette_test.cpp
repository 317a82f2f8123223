#include "interaction/recette.h"

#include <gtest/gtest.h>

#include "etat/etat.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "tests/etat_fixture.h"

namespace {

// A 40 x 30 photo of three colour bands (red, a close red, blue) drawn at
// zoom 1 by a software renderer, so window and photo pixels agree.
class RecetteTest : public PhotoColonnesTest {
 protected:
  void SetUp() override {
    PhotoColonnesTest::SetUp();
    poserPhoto(
        [](int c) {
          const Uint8 rouge = c < 15 ? 200 : c < 25 ? 185 : 20;
          return SDL_Color{rouge, 10, static_cast<Uint8>(c < 25 ? 10 : 200), 255};
        },
        5);
  }
};

}  // namespace

// Zone, two colour clicks with other tolerances, an add and a remove drag,
// an advance and one more click: replaying each photo's recipe gives the
// live bits, count and centre, and the records' state follows.
TEST_F(RecetteTest, ReplayGivesTheLiveSelection) {
  Etat& e = *g_etat;
  glisser(&Etat::m_choix_zone, 2, 3, 35, 25);
  EXPECT_TRUE(e.m_recette.zone);
  EXPECT_FALSE(e.m_histoire_selection.changee);
  cliquer(5, 5);  // the red band only: the close red is 15 away
  EXPECT_TRUE(e.m_histoire_selection.couleur);
  EXPECT_EQ(200, e.m_histoire_selection.rouge);
  e.m_tolerance_rouge = 20;
  cliquer(30, 10);  // blue, now with a wider red tolerance
  glisser(&Etat::m_ajout_souris, 16, 4, 18, 6);
  glisser(&Etat::m_retrait_souris, 3, 3, 6, 25);
  EXPECT_EQ(4u, e.m_recette.passes.size());
  EXPECT_TRUE(e.m_histoire_selection.changee);

  const std::vector<bool> bits = e.is_select;
  const int32_t nombre = e.m_nombre_selectionnes;
  const double cx = e.m_centre_x, cy = e.m_centre_y;
  ASSERT_TRUE(rejouerRecette(e.m_recette));
  calculerCentre();
  EXPECT_EQ(bits, e.is_select);
  EXPECT_EQ(nombre, e.m_nombre_selectionnes);
  EXPECT_EQ(cx, e.m_centre_x);
  EXPECT_EQ(cy, e.m_centre_y);

  // The next photo starts from these bits; a click on the close red adds it.
  noterPhotoSuivante();
  EXPECT_FALSE(e.m_histoire_selection.changee);
  EXPECT_TRUE(e.m_recette.passes.empty());
  cliquer(20, 20);
  const std::vector<bool> bits2 = e.is_select;
  const int32_t nombre2 = e.m_nombre_selectionnes;
  ASSERT_TRUE(rejouerRecette(e.m_recette));
  EXPECT_EQ(bits2, e.is_select);
  EXPECT_EQ(nombre2, e.m_nombre_selectionnes);

  // A click that adds nothing changes the selection's history but not the
  // colour of the last pass that changed it.
  cliquer(20, 20);
  EXPECT_EQ(185, e.m_histoire_selection.rouge);
  const Uint8 avant = e.m_histoire_selection.rouge;
  cliquer(21, 20);
  EXPECT_EQ(avant, e.m_histoire_selection.rouge);

  // Without a photo surface the colour pass cannot be replayed.
  e.pTempSurface_prairie = nullptr;
  EXPECT_FALSE(rejouerRecette(e.m_recette));
}
