#include "interaction/reglage.h"

#include <gtest/gtest.h>

#include "etat/etat.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "tests/etat_fixture.h"

namespace {

// A 40 x 30 photo whose red grows by 2 a column, drawn at zoom 1 by a
// software renderer: every tolerance step adds or removes whole columns.
class ReglageTest : public PhotoColonnesTest {
 protected:
  void SetUp() override {
    PhotoColonnesTest::SetUp();
    poserPhoto([](int c) { return SDL_Color{static_cast<Uint8>(100 + 2 * c), 50, 50, 255}; }, 4);
  }
};

}  // namespace

// A zone, a colour click, a remove drag: each retune, clamped at 0 too,
// gives what the same recipe made with the new tolerances gives, drag
// included, prints the tolerances and the centre, and marks the selection
// changed. At a bound, with no colour pass, no photo surface or a refused
// zone's cross shown, only the tolerances change.
TEST_F(ReglageTest, RetuneEqualsTheClickMadeWithTheNewTolerances) {
  Etat& e = *g_etat;
  EXPECT_EQ(0, toleranceReglee(1, -2));
  EXPECT_EQ(255, toleranceReglee(254, 2));
  EXPECT_EQ(255, toleranceReglee(900, 2));
  EXPECT_EQ(0, toleranceReglee(-40, 2));
  glisser(&Etat::m_choix_zone, 1, 1, 38, 28);
  glisser(&Etat::m_ajout_souris, 5, 5, 9, 9);
  console_.lu();
  EXPECT_FALSE(reglerTolerances(kPasReglage));  // no colour pass
  EXPECT_EQ("Tolerances : 6 6 6\n", console_.lu());
  EXPECT_EQ(25, e.m_nombre_selectionnes);

  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 5;
  glisser(&Etat::m_choix_zone, 1, 1, 38, 28);
  glisser(&Etat::m_ajout_couleurs, 20, 10, 20, 10);  // red 140, tolerance 5: columns 18..22
  glisser(&Etat::m_retrait_souris, 1, 1, 38, 3);
  EXPECT_EQ(5 * 25, e.m_nombre_selectionnes);
  for (int32_t pas : {2, 2, -2, -2, -2, -2, -2}) {
    const int32_t t = toleranceReglee(e.m_tolerance_rouge, pas);
    e.m_histoire_selection.changee = false;
    console_.lu();
    ASSERT_TRUE(reglerTolerances(pas));
    const std::string lignes = console_.lu(), n = std::to_string(t);
    EXPECT_EQ(0u, lignes.find("Tolerances : " + n + " " + n + " " + n + "\n")) << lignes;
    EXPECT_NE(std::string::npos, lignes.find("centre: x= ")) << lignes;
    EXPECT_TRUE(e.m_histoire_selection.changee);
    const std::vector<bool> bits = e.is_select;
    const int32_t nombre = e.m_nombre_selectionnes;
    const double cx = e.m_centre_x, cy = e.m_centre_y;
    // the same recipe, the click made with these tolerances from the start
    Recette fraiche = e.m_recette;
    for (PasseSelection& p : fraiche.passes) {
      if (p.type == TypePasse::Couleur) p.tolerance_rouge = p.tolerance_vert = p.tolerance_bleu = t;
    }
    ASSERT_TRUE(rejouerRecette(fraiche));
    calculerCentre();
    EXPECT_EQ(bits, e.is_select);
    EXPECT_EQ(cx, e.m_centre_x);
    EXPECT_EQ(cy, e.m_centre_y);
    EXPECT_EQ((t / 2 * 2 + 1) * 25, nombre) << "tolerance " << t;  // rows 4..28
  }
  EXPECT_DOUBLE_EQ(20.5, e.m_centre_x);  // pixel centres
  const std::vector<bool> bits = e.is_select;
  console_.lu();
  EXPECT_FALSE(reglerTolerances(-kPasReglage));  // at the bound
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 255;
  EXPECT_FALSE(reglerTolerances(kPasReglage));
  EXPECT_EQ("Tolerances : 0 0 0\nTolerances : 255 255 255\n", console_.lu());
  e.m_afficher_croix_appui = true;  // a refused zone's cross
  e.m_afficher_zone = false;
  EXPECT_FALSE(reglerTolerances(-kPasReglage));
  e.m_afficher_croix_appui = false;
  e.pTempSurface_prairie = nullptr;
  EXPECT_FALSE(reglerTolerances(-kPasReglage));
  EXPECT_EQ(251, e.m_tolerance_vert);
  EXPECT_EQ(bits, e.is_select);
}
