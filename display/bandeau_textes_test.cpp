#include "display/bandeau_textes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

// The strip names the photo with its place, the modes, the tolerances, the
// count, the centre, the zoom and the automatic run, on as few lines as fit;
// a long name keeps its end behind a mark, cut between characters. The
// first case goes through the record, each of its values apart.
TEST_F(EtatTest, BandeauStripTextsShowTheRecordAndCutLongNamesFromTheFront) {
  Etat& e = *g_etat;
  e.nom_photo_complet = "photos/img_002.png";
  e.m_mode_couleurs_voisines = false;
  e.m_choix_zone = false;
  e.m_retrait_souris = true;
  e.m_tolerance_rouge = 10;
  e.m_tolerance_vert = 20;
  e.m_tolerance_bleu = 255;
  e.m_nombre_selectionnes = 42;
  e.m_histoire_selection.changee = true;  // a centre of this photo: no warning
  e.m_centre_x = 12.34;
  e.m_centre_y = 45.66;
  e.m_zoom = 0.5;
  e.m_suivi_en_cours = true;
  EXPECT_EQ((std::vector<std::string>{"photos/img_002.png  2/?", "cliquer-glisser / retrait | tol 10 20 255 | sel 42 | "
                                                                  "centre 12.3 45.7 | zoom 0.5 | suivi"}),
            textesBandeau(valeursBandeau(PlaceSerie{2, -1}), 200));

  ValeursBandeau v;
  v.nom_photo = std::string(100, 'd') + "/img_002.png";
  v.place = PlaceSerie{-1, 10};
  v.couleurs_voisines = true;
  v.ajout_couleurs = v.retrait_souris = true;  // the first one set names the sub-mode
  v.tolerance_rouge = 10;
  v.tolerance_vert = 20;
  v.tolerance_bleu = 255;
  v.nombre_selectionnes = 42;
  v.centre_x = 12.34;
  v.centre_y = 45.66;
  v.zoom = 0.5;
  EXPECT_EQ((std::vector<std::string>{"...ddddddddd/img_002.png  ?/10", "couleurs voisines / couleur",
                                      "tol 10 20 255 | sel 42", "centre 12.3 45.7 | zoom 0.5"}),
            textesBandeau(v, 30));
  EXPECT_EQ("...\xC3\xA9\xC3\xA9z", couperDebut("abcd\xC3\xA9\xC3\xA9z", 6));
  EXPECT_EQ("a\xC3\xA9", couperDebut("a\xC3\xA9", 2));
  EXPECT_EQ("..", couperDebut("abcdef", 2));
  EXPECT_EQ("ab\xC3\xA9...", couperFin("ab\xC3\xA9\xC3\xA9xyz", 6));
}

// The strip warns when RETURN would record a centre no selection change on
// this photo made (never on the closing picture, never with nothing
// selected), and when RETURN waits for a sub-mode key.
TEST_F(EtatTest, BandeauStripSaysWhatReturnWouldDo) {
  Etat& e = *g_etat;
  e.nom_photo_complet = "img_002.png";
  e.m_nombre_selectionnes = 3;
  const std::string repete = "centre de la photo precedente", bloquee = "Entree bloquee : S, E, D, I ou A";
  auto derniere = [] { return textesBandeau(valeursBandeau(PlaceSerie{2, 5}), 400).back(); };
  EXPECT_NE(std::string::npos, derniere().find(" | " + repete));
  e.m_histoire_selection.changee = true;
  EXPECT_EQ(std::string::npos, derniere().find(repete));
  e.m_histoire_selection.changee = false;
  e.m_nombre_selectionnes = 0;
  EXPECT_EQ(std::string::npos, derniere().find(repete));
  e.m_nombre_selectionnes = 3;
  e.nom_photo_complet = cheminImageFin();
  EXPECT_EQ(std::string::npos, derniere().find(repete));
  EXPECT_EQ(std::string::npos, derniere().find(bloquee));
  e.m_vue_suivante_bloquee = true;
  EXPECT_NE(std::string::npos, derniere().find(" | " + bloquee));
}

// The help pads each key to the longest name, counted in characters, and
// folds its text at blanks under itself; with too little room left for the
// text, a line is cut instead, and a word wider than the room is cut too.
TEST(BandeauTextes, HelpFoldsEachKeyTextUnderItself) {
  SourceBandeau s;
  s.aide = {{"P / L", "zoom avant / arriere"}, {"Entr\xC3\xA9" "e", "revenir a la photo precedente"}, {"H", "b"}};
  EXPECT_EQ((std::vector<std::string>{"Touches (H : cacher)", "P / L   zoom avant / arriere",
                                      "Entr\xC3\xA9" "e  revenir a la photo precedente", "H       b"}),
            textesAide(s, 80));
  EXPECT_EQ((std::vector<std::string>{"Touches (H : cacher)", "P / L   zoom avant /", "        arriere",
                                      "Entr\xC3\xA9" "e  revenir a la", "        photo", "        precedente",
                                      "H       b"}),
            textesAide(s, 20));
  EXPECT_EQ((std::vector<std::string>{"Touche...", "P / L ...", "Entr\xC3\xA9" "e...", "H       b"}),
            textesAide(s, 9));
  s.aide = {{"X", "anticonstitutionnellement"}};
  EXPECT_EQ((std::vector<std::string>{"Touches (H : ca...", "X  anticonstitu..."}), textesAide(s, 18));
}
