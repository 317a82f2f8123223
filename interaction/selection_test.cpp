#include "interaction/selection.h"

#include <vector>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

class SelectionTest : public EtatTest {};

TEST_F(SelectionTest, ZoneListsAreRowMajorAndLeaveTheCentreAlone) {
  Etat& e = *g_etat;
  e.m_max_pixels = 100;
  e.m_nombre_selectionnes = 3;
  e.m_afficher_centre = true;
  ASSERT_TRUE(definirZone(2, 3, 4, 4));
  EXPECT_EQ((std::vector<int32_t>{2, 3, 4, 2, 3, 4}), e.m_liste_x);
  EXPECT_EQ((std::vector<int32_t>{3, 3, 3, 4, 4, 4}), e.m_liste_y);
  EXPECT_EQ(std::vector<bool>(6, false), e.is_select);
  EXPECT_EQ(1, e.m_zone_dy);
  EXPECT_EQ("Taille de is_select : 6\n", console_.lu());
  EXPECT_EQ(3, e.m_nombre_selectionnes);
  EXPECT_TRUE(e.m_afficher_centre);
}

TEST_F(SelectionTest, RefusedZoneKeepsThePreviousOne) {
  Etat& e = *g_etat;
  e.m_max_pixels = 10000;
  EXPECT_FALSE(definirZone(0, 0, 100, 101));  // before any zone: the empty start stays
  EXPECT_EQ("Selection > 10000 pixels (voir le fichier de donnees).\n", console_.lu());
  EXPECT_EQ(0, e.m_zone_x1);
  EXPECT_TRUE(e.m_liste_x.empty());

  ASSERT_TRUE(definirZone(5, 6, 105, 106));
  EXPECT_EQ(10201u, e.is_select.size());
  e.is_select[7] = true;
  EXPECT_FALSE(definirZone(0, 0, 100, 101));
  EXPECT_EQ(5, e.m_zone_x0);
  EXPECT_EQ(106, e.m_zone_y1);
  EXPECT_EQ(100, e.m_zone_dy);
  EXPECT_TRUE(e.is_select[7]);

  // One row is never refused; sides whose 32-bit product wraps are.
  e.m_max_pixels = 0;
  EXPECT_TRUE(definirZone(0, 0, 4999, 0));
  e.m_max_pixels = 2147483647;
  EXPECT_FALSE(definirZone(0, 0, 65536, 65536));
  EXPECT_FALSE(definirZone(0, 0, 50000, 50000));
  EXPECT_EQ(4999, e.m_zone_dx);
}

TEST_F(SelectionTest, CentreOfOneAndTwoPixels) {
  Etat& e = *g_etat;
  e.m_max_pixels = 1000;
  e.m_zoom = 2.0;
  e.m_decalage_x = 3.0;
  e.m_decalage_y = -1.0;
  e.m_taille_pixel = 5;
  ASSERT_TRUE(definirZone(5, 15, 20, 30));
  console_.lu();
  modifierRectangle(10, 20, 10, 20, true);
  EXPECT_EQ("centre: x= 10.5 y= 20.5\n", console_.lu());
  // 10.5 * 2 - 3 = 18, 20.5 * 2 + 1 = 42
  EXPECT_EQ(8, e.m_croix_horizontale.x);
  EXPECT_EQ(42, e.m_croix_horizontale.y);
  EXPECT_EQ(32, e.m_croix_verticale.y);
  EXPECT_EQ(3, e.m_rect_source_pixel.w);
  modifierRectangle(11, 20, 11, 20, true);
  EXPECT_EQ("centre: x= 11 y= 20.5\n", console_.lu());
  EXPECT_EQ(2, e.m_nombre_selectionnes);

  // Default stream format: six significant digits, exponent from a million.
  e.m_nombre_selectionnes = 3;
  e.m_centre_x = 31.0;
  e.m_centre_y = 9.0e6;
  calculerCentre();
  EXPECT_EQ("centre: x= 10.3333 y= 3e+06\n", console_.lu());
}

TEST_F(SelectionTest, DragsRecountTheWholeZone) {
  Etat& e = *g_etat;
  modifierRectangle(0, 0, 0, 0, true);  // before any zone: nothing to touch
  EXPECT_EQ(0, e.m_nombre_selectionnes);
  e.m_max_pixels = 1000;
  ASSERT_TRUE(definirZone(0, 0, 9, 9));
  modifierRectangle(2, 2, 5, 5, true);
  modifierRectangle(0, 0, 3, 3, true);  // overlapping pixels count once
  EXPECT_EQ(16 + 16 - 4, e.m_nombre_selectionnes);
  console_.lu();
  modifierRectangle(-50, -50, 50, 50, false);
  EXPECT_EQ("", console_.lu());
  EXPECT_EQ(0, e.m_nombre_selectionnes);
  EXPECT_FALSE(e.m_afficher_centre);
  EXPECT_TRUE(e.m_afficher_selection);
  EXPECT_EQ(std::vector<bool>(100, false), e.is_select);
}

}  // namespace
