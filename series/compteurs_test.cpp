#include "series/compteurs.h"

#include <climits>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

TEST(CompteursSerie, CountersStepWithTheirCarries) {
  struct Cas { const char* nom; PositionSerie obtenu; int64_t majeur, mineur; };
  for (Cas c : {
           Cas{"schema 1 sans retenue", incrementerSchema1(4, 10, 10), 4, 20},
           Cas{"schema 1 (4,995)+10", incrementerSchema1(4, 995, 10), 5, 5},
           Cas{"schema 1 999 reste", incrementerSchema1(4, 989, 10), 4, 999},
           Cas{"schema 1 une seule retenue", incrementerSchema1(0, 990, 1500), 1, 1490},
           Cas{"schema 2 retenue avant le pas", incrementerSchema2(5, 9, 1, 1, 10), 7, 0},
           Cas{"schema 2 sans retenue", incrementerSchema2(5, 3, 1, 1, 10), 6, 4},
           Cas{"schema 2 une seule retenue", incrementerSchema2(5, 8, 0, 25, 10), 6, 23},
           Cas{"schema 3", incrementerSchema3(9, 1), 10, 0},
           Cas{"schema 3 depasse int32", incrementerSchema3(INT32_MAX - 1, 5), int64_t{INT32_MAX} + 4, 0},
           Cas{"schema 1 depasse int32", incrementerSchema1(INT32_MAX, 999, INT32_MAX),
               int64_t{INT32_MAX} + 1, int64_t{INT32_MAX} - 1},
       }) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(c.majeur, c.obtenu.majeur);
    EXPECT_EQ(c.mineur, c.obtenu.mineur);
  }
  EXPECT_EQ(INT32_MAX, saturer(int64_t{INT32_MAX} + 4));
  EXPECT_EQ(INT32_MIN, saturer(int64_t{INT32_MIN} - 1));
  EXPECT_EQ(-7, saturer(-7));
}

TEST(CompteursSerie, EndTestComparesPairsInOrder) {
  struct Cas { PositionSerie position; bool dedans; };
  PositionSerie fin{10, 5};
  for (Cas c : {Cas{{10, 5}, true}, Cas{{10, 6}, false}, Cas{{9, 999}, true}, Cas{{11, 0}, false},
                Cas{{10, -3}, true}}) {
    SCOPED_TRACE(testing::Message() << c.position.majeur << "," << c.position.mineur);
    EXPECT_EQ(c.dedans, dansLaSerie(c.position, fin));
  }
}

// The place in the series walks the counters as RETURN does, from the first
// photo: scheme 3 (1 3 5 7 9), scheme 1 over its carry; -1 where the walk
// cannot tell: off the series, the closing picture, a zero or backward step,
// longer than the bound, an unknown scheme.
TEST_F(EtatTest, PlaceInTheSeriesIsFoundByStepping) {
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
