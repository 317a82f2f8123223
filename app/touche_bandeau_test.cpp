#include "app/touche_bandeau.h"

#include "app/etat.h"
#include "tests/etat_fixture.h"

class ToucheBandeauTest : public EtatTest {};

// The place in the series walks the counters as RETURN does, from the first
// photo: scheme 3, scheme 1 over its carry; "?" where the walk cannot tell.
TEST_F(ToucheBandeauTest, PlacesThePhotoByStepping) {
  Etat& e = *g_etat;
  e.m_mode_nom = 3;
  e.m_numero_debut = 1;
  e.m_pas_numero = 2;
  e.m_numero_fin = 9;  // 1 3 5 7 9
  auto place = [](int32_t numero) { return placeDansLaSerie(CompteursSerie{0, 0, numero, 0}); };
  EXPECT_EQ(1, place(1).rang);
  EXPECT_EQ(4, place(7).rang);
  EXPECT_EQ(5, place(7).longueur);
  EXPECT_EQ(-1, place(11).rang);  // the closing picture
  EXPECT_EQ(-1, place(4).rang);
  EXPECT_EQ(-1, placeDansLaSerie(CompteursSerie{0, 0, 3, 0}, 3).longueur) << "longer than the bound";
  e.m_pas_numero = 0;
  EXPECT_EQ(1, place(1).rang);
  EXPECT_EQ(-1, place(1).longueur);
  e.m_pas_numero = -1;
  EXPECT_EQ(-1, place(1).longueur);
  EXPECT_EQ(2, place(0).rang);

  e.m_mode_nom = 1;
  e.m_debut_partie_haute = 1;
  e.m_debut_partie_basse = 995;
  e.m_pas_partie_basse = 5;
  e.m_fin_partie_haute = 2;
  e.m_fin_partie_basse = 5;  // (1, 995) (2, 0) (2, 5)
  const PlaceSerie p = placeDansLaSerie(CompteursSerie{2, 0, 1, 0});  // the number kept from above
  EXPECT_EQ(2, p.rang);
  EXPECT_EQ(3, p.longueur);

  e.m_mode_nom = 0;
  EXPECT_EQ(-1, placeDansLaSerie(CompteursSerie{}).longueur);
}
