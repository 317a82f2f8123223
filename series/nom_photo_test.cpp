#include "series/nom_photo.h"

#include <limits>

#include "tests/etat_fixture.h"

TEST(NomPhoto, ReadsFixedColumnsEvenFromShortOrOddLines) {
  struct Cas {
    const char* ligne;
    const char* prefixe;
    const char* suffixe;
    int haute, basse;
  };
  for (Cas c : {
           Cas{"ABCDEFGHIJKLMNOPQR.01.005.jpeg premier fichier", "ABCDEFGHIJKLMNOPQR", ".jpeg", 1, 5},
           Cas{"ABCDEFGHIJKLMNOPQR.7..-3..tif", "ABCDEFGHIJKLMNOPQR", ".tif", 7, -3},
           Cas{"ABCDEFGHIJKLMNOPQR. 2.+42.png", "ABCDEFGHIJKLMNOPQR", ".png", 2, 42},
           Cas{"ABCDEFGHIJKLMNOPQR.ab.cde.png", "ABCDEFGHIJKLMNOPQR", ".png", 0, 0},
           Cas{"ABCDEFGHIJKLMNOPQR.12.34", "ABCDEFGHIJKLMNOPQR", "", 12, 34},
           Cas{"ABCDEFGHIJKLMNOPQR.1", "ABCDEFGHIJKLMNOPQR", "", 1, 0},
           Cas{"court", "court", "", 0, 0},
           Cas{"", "", "", 0, 0},
       }) {
    SCOPED_TRACE(c.ligne);
    const NomEnColonnes nom = lireNomEnColonnes(c.ligne);
    EXPECT_EQ(c.prefixe, nom.prefixe);
    EXPECT_EQ(c.suffixe, nom.suffixe);
    EXPECT_EQ(c.haute, nom.partie_haute);
    EXPECT_EQ(c.basse, nom.partie_basse);
  }
}

TEST(NomPhoto, PadsSchemeOnePartsByValue) {
  struct Cas {
    int valeur;
    const char* haute;
    const char* basse;
  };
  for (Cas c : {Cas{7, "07", "007"}, Cas{42, "42", "042"}, Cas{12, "12", "012"},
                Cas{123, "123", "123"}, Cas{1234, "1234", "1234"}, Cas{0, "00", "000"},
                Cas{-3, "0-3", "00-3"}}) {
    SCOPED_TRACE(c.valeur);
    const std::string texte = std::to_string(c.valeur);
    EXPECT_EQ(c.haute, textePartieHaute(c.valeur, texte));
    EXPECT_EQ(c.basse, textePartieBasse(c.valeur, texte));
  }
}

TEST(NomPhoto, PadsNumbersToTheDigitCountWithinTheCap) {
  struct Cas {
    const char* texte;
    int chiffres;
    std::string attendu;
  };
  for (const Cas& c : {Cas{"7", 3, "007"}, Cas{"1234", 3, "1234"}, Cas{"7", 0, "7"},
                       Cas{"7", -5, "7"}, Cas{"-7", 4, "00-7"}, Cas{"12", 2, "12"},
                       Cas{"5", std::numeric_limits<int32_t>::max(), std::string(254, '0') + "5"}}) {
    SCOPED_TRACE(c.chiffres);
    EXPECT_EQ(c.attendu, texteAvecZeros(c.texte, c.chiffres));
  }
  EXPECT_EQ("x", texteAvecZeros("x", 9, ""));  // nothing to pad with: unchanged
}

class NomPhotoEtat : public EtatTest {};

TEST_F(NomPhotoEtat, SchemeOneNameFromTheFirstFileLine) {
  g_etat->m_dossier_photos = "photos";
  g_etat->m_mode_nom = 1;
  analyserPremierNom("ABCDEFGHIJKLMNOPQR.01.005.jpeg premier fichier");
  console_.lu();
  composerNomPhoto();
  EXPECT_EQ("nom_photo_complet photos/ABCDEFGHIJKLMNOPQR.01.005.jpeg\n", console_.lu());
}

TEST_F(NomPhotoEtat, ComposesSchemesTwoAndThree) {
  Etat& e = *g_etat;
  e.m_dossier_photos = "photos";
  e.m_prefixe_numero = "img_";
  e.m_separateur = "_";
  e.m_suffixe_numero = ".png";
  e.m_mode_nom = 2;
  e.m_numero = 12;
  e.m_chiffres_numero = 4;
  e.m_numero_2 = 5;
  e.m_chiffres_numero_2 = 3;
  // leftovers and a failed state in the scratch stream must not leak in
  e.m_flux_texte << "999";
  e.m_flux_texte.setstate(std::ios::failbit);
  composerNomPhoto();
  EXPECT_EQ("photos/img_0012_005.png", e.nom_photo_complet);
  EXPECT_EQ("0012", e.m_texte_numero);
  EXPECT_EQ("005", e.m_texte_numero_2);

  e.m_mode_nom = 3;
  e.m_prefixe_numero = "P";
  e.m_suffixe_numero = ".jpg";
  e.m_numero = 7;
  e.m_chiffres_numero = 3;
  composerNomPhoto();
  EXPECT_EQ("photos/P007.jpg", e.nom_photo_complet);
  EXPECT_EQ("nom_photo_complet photos/img_0012_005.png\nnom_photo_complet photos/P007.jpg\n",
            console_.lu());
}

TEST_F(NomPhotoEtat, UnknownSchemeComposesAndPrintsNothing) {
  g_etat->nom_photo_complet = "avant";
  g_etat->m_mode_nom = 4;
  composerNomPhoto();
  EXPECT_EQ("avant", g_etat->nom_photo_complet);
  EXPECT_EQ("", console_.lu());
}

// The usual pieces are covered by the example parameter file.
TEST_F(NomPhotoEtat, PiecesEndAtTheFirstSemicolon) {
  Etat& e = *g_etat;
  analyserPiece("a;b;c", Piece::Separateur);
  EXPECT_EQ("a", e.m_separateur);
  analyserPiece(";vide", Piece::Prefixe);
  EXPECT_EQ("", e.m_prefixe_numero);
  EXPECT_EQ("indice separateur = 1 separateur = a\nindice prefixe = 0 prefixe = \n", console_.lu());

  e.m_suffixe_numero = ".png";
  analyserPiece("pas de marque", Piece::Suffixe);  // kept, nothing printed
  EXPECT_EQ(".png", e.m_suffixe_numero);
  EXPECT_EQ("", console_.lu());
}
