#include "app/touche_bandeau.h"

#include "app/etat.h"
#include "tests/etat_fixture.h"

// The place in the series walks the counters as RETURN does, from the first
// photo: scheme 3 (1 3 5 7 9), scheme 1 over its carry; -1 where the walk
// cannot tell: off the series, the closing picture, a zero or backward step,
// longer than the bound, an unknown scheme.
TEST_F(EtatTest, BandeauPlacesThePhotoByStepping) {
  Etat& e = *g_etat;
  e.m_mode_nom = 3;
  e.m_numero_debut = 1;
  e.m_numero_fin = 9;
  struct Cas { int32_t pas, numero; int64_t plafond, rang, longueur; };
  for (Cas c : {Cas{2, 1, kPlafondSerie, 1, 5}, Cas{2, 7, kPlafondSerie, 4, 5}, Cas{2, 11, kPlafondSerie, -1, 5},
                Cas{2, 4, kPlafondSerie, -1, 5}, Cas{2, 3, 3, 2, -1}, Cas{0, 1, kPlafondSerie, 1, -1},
                Cas{-1, 1, kPlafondSerie, 1, -1}, Cas{-1, 0, kPlafondSerie, 2, -1}}) {
    SCOPED_TRACE(testing::Message() << c.pas << " " << c.numero);
    e.m_pas_numero = c.pas;
    const PlaceSerie p = placeDansLaSerie(CompteursSerie{0, 0, c.numero, 0}, c.plafond);
    EXPECT_EQ(c.rang, p.rang);
    EXPECT_EQ(c.longueur, p.longueur);
  }
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
