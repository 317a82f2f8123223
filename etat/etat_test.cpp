#include "etat/conversion.h"
#include "etat/etat.h"
#include "tests/etat_fixture.h"

#include <cmath>
#include <limits>

TEST_F(EtatTest, StartsWithConstructionValues) {
  const Etat& e = *g_etat;
  EXPECT_FALSE(e.m_en_marche);
  EXPECT_EQ(0, e.m_largeur_fenetre);
  EXPECT_EQ(0, e.m_hauteur_fenetre);
  EXPECT_EQ(0.0, e.m_zoom);
  EXPECT_EQ(0, e.m_numero);
  EXPECT_EQ(";", e.m_point_virgule);
  EXPECT_EQ("0", e.m_zero);
  EXPECT_TRUE(e.nom_photo_complet.empty());
  EXPECT_TRUE(e.m_mode_couleurs_voisines);
  EXPECT_TRUE(e.m_choix_zone);
  EXPECT_TRUE(e.m_afficher_croix_fenetre);
  EXPECT_EQ(10, e.m_demi_croix);
  EXPECT_EQ(30, e.m_alpha_fog);
  EXPECT_EQ(255, e.m_rouge_fog);
  EXPECT_EQ(255, e.m_bleu_pixel);
  EXPECT_EQ(150, e.m_vert_fond);
  EXPECT_EQ(255, e.m_alpha_fond);
  EXPECT_EQ(nullptr, e.m_rendu);
  EXPECT_TRUE(e.is_select.empty());
}

TEST(Conversion, NeverLeavesInt32) {
  EXPECT_EQ(0, versInt32(std::nan("")));
  EXPECT_EQ(kEntierSur, versInt32(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(-kEntierSur, versInt32(-1e300));
  EXPECT_EQ(-2, plancher(-1.5));
  EXPECT_EQ(1, plancher(1.99));
  EXPECT_EQ(-151, arrondi(-150.5));
  EXPECT_EQ(151, arrondi(150.5));
  EXPECT_EQ(150, arrondi(150.49));
}
