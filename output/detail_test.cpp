#include "output/detail.h"

#include <cmath>
#include <cstdio>
#include <sys/stat.h>

#include "tests/etat_fixture.h"

namespace {

LigneDetail mesuree(int64_t rang, const std::string& photo) {
  LigneDetail l;
  l.rang = rang;
  l.photo = photo;
  l.ecrit = true;
  l.x = "12.5000000000";
  l.y = "-7.2500000000";
  l.pixels = 4;
  l.zone_x0 = -3, l.zone_x1 = 40, l.zone_y1 = 2147483647;
  l.couleur = true;
  l.rouge = 255, l.bleu = 9;
  l.tol_rouge = 10, l.tol_vert = 20, l.tol_bleu = 30;
  l.ecart_type_x = 0.5, l.ecart_type_y = std::sqrt(2.0);
  l.origine = "manuel";
  return l;
}

LigneDetail vide(int64_t rang, const std::string& photo) {
  LigneDetail l;
  l.rang = rang;
  l.photo = photo;
  l.repete = true;
  l.tol_rouge = l.tol_vert = l.tol_bleu = 5;
  l.origine = "aucun";
  return l;
}

// What Python's json.dumps prints for a list of rows of ASCII fields.
std::string json(const std::vector<std::vector<std::string>>& lignes) {
  std::string t = "[";
  for (size_t i = 0; i < lignes.size(); ++i) {
    t += i ? ", [" : "[";
    for (size_t j = 0; j < lignes[i].size(); ++j) {
      t += j ? ", \"" : "\"";
      for (char c : lignes[i][j]) t += c == '"' ? "\\\"" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
      t += "\"";
    }
    t += "]";
  }
  return t + "]\n";
}

// Runs a command; its standard output and exit code.
std::string sortieDe(const std::string& commande, int& code) {
  std::string sortie;
  FILE* f = popen(commande.c_str(), "r");
  if (f == nullptr) return code = -1, sortie;
  char tampon[4096];
  for (size_t n; (n = fread(tampon, 1, sizeof tampon, f)) > 0;) sortie.append(tampon, n);
  code = pclose(f);
  return sortie;
}

const std::string kScript = std::string(TRELUNE_SOURCE_DIR) + "/tests/outils/lire_detail.py";

}  // namespace

TEST(Detail, RowsHaveEveryColumnInOrderAndQuoteOnlyWhatNeedsIt) {
  EXPECT_EQ("rang;photo;ecrit;x;y;pixels;repete;zone_x0;zone_y0;zone_x1;zone_y1;rouge;vert;bleu;tol_rouge;tol_vert;"
            "tol_bleu;ecart_type_x;ecart_type_y;origine\r\n",
            enteteDetail());
  EXPECT_EQ("1;photos/img_001.png;1;12.5000000000;-7.2500000000;4;0;-3;0;40;2147483647;255;0;9;10;20;30;"
            "0.5000000000;1.4142135624;manuel\r\n",
            texteLigneDetail(mesuree(1, "photos/img_001.png")));
  // Nothing measured: x, y, colour and deviations stay empty, whatever they hold.
  LigneDetail l = vide(2, "a;b \"c\"\r\nd");
  l.x = "1.0000000000";
  l.ecart_type_x = 3;
  EXPECT_EQ("2;\"a;b \"\"c\"\"\r\nd\";0;;;0;1;0;0;0;0;;;;5;5;5;;;aucun\r\n", texteLigneDetail(l));
}

TEST_F(EtatTest, DetailRowsReadBackByteForByteHereAndInPython) {
  const std::string dossier = dossierTemporaire(), chemin = dossier + "/resu_detail.csv";
  std::vector<LigneDetail> ecrites = {mesuree(1, "p/1.png"), vide(2, "p/un;deux \"trois\"\r\nquatre.png"),
                                      mesuree(3, "p/3.png")};
  ecrites[2].couleur = false;
  ecrites[2].origine = "propose";
  {
    FichierResultat f(chemin, enteteDetail());
    for (const LigneDetail& l : ecrites) ASSERT_TRUE(f.ajouter(texteLigneDetail(l)));
  }
  std::vector<LigneDetail> lues;
  std::vector<std::string> bruts;
  std::string raison;
  ASSERT_TRUE(lireFichierDetail(chemin, lues, bruts, raison)) << raison;
  ASSERT_EQ(3u, lues.size());
  std::string tout = enteteDetail();
  for (size_t i = 0; i < lues.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(texteLigneDetail(ecrites[i]), bruts[i]);
    EXPECT_EQ(bruts[i], texteLigneDetail(lues[i]));  // every field read back
    tout += bruts[i];
  }
  EXPECT_EQ(lireFichier(chemin), tout);

  int code = 0;
  std::string sortie = sortieDe("python3 " + kScript + " " + chemin, code);
  EXPECT_EQ(0, code);
  std::vector<std::vector<std::string>> attendu = {
      {"rang", "photo", "ecrit", "x", "y", "pixels", "repete", "zone_x0", "zone_y0", "zone_x1", "zone_y1", "rouge",
       "vert", "bleu", "tol_rouge", "tol_vert", "tol_bleu", "ecart_type_x", "ecart_type_y", "origine"},
      {"1", "p/1.png", "1", "12.5000000000", "-7.2500000000", "4", "0", "-3", "0", "40", "2147483647", "255", "0",
       "9", "10", "20", "30", "0.5000000000", "1.4142135624", "manuel"},
      {"2", "p/un;deux \"trois\"\r\nquatre.png", "0", "", "", "0", "1", "0", "0", "0", "0", "", "", "", "5", "5",
       "5", "", "", "aucun"},
      {"3", "p/3.png", "1", "12.5000000000", "-7.2500000000", "4", "0", "-3", "0", "40", "2147483647", "", "", "",
       "10", "20", "30", "0.5000000000", "1.4142135624", "propose"}};
  EXPECT_EQ(json(attendu), sortie);

  // The check against the result files the end-to-end runs rely on.
  FichierResultat point(dossier + "/resu_point.txt"), x(dossier + "/resu_point_orbelan_x.txt"),
      y(dossier + "/resu_point_orbelan_y.txt");
  const TextesRecord record = textesRecord("12.5000000000", "-7.2500000000");
  const auto ecrireTextesDans = [&record](FichierResultat& p, FichierResultat& fx, FichierResultat& fy) {
    EXPECT_TRUE(p.ajouter(record.point) && fx.ajouter(record.x) && fy.ajouter(record.y));
  };
  ecrireTextesDans(point, x, y);
  sortieDe("python3 " + kScript + " " + chemin + " " + dossier + " 2>/dev/null", code);
  EXPECT_NE(0, code);  // row 3 is missing from them
  ecrireTextesDans(point, x, y);
  sortieDe("python3 " + kScript + " " + chemin + " " + dossier, code);
  EXPECT_EQ(0, code);
}

TEST(Detail, DamagedFilesAreRefusedWithTheirReason) {
  const std::string e = enteteDetail();
  const std::string r1 = texteLigneDetail(mesuree(1, "a.png")), r2 = texteLigneDetail(vide(2, "b.png"));
  const auto remplace = [](std::string t, const std::string& de, const std::string& par) {
    return t.replace(t.find(de), de.size(), par);
  };
  struct Cas { std::string contenu, raison; };
  for (const Cas& c : std::vector<Cas>{
           {"", "fichier vide"},
           {e, "aucune photo dans le fichier"},
           {e.substr(0, 10), "derniere ligne incomplete"},
           {"rang;photo\r\n" + r1, "ligne 1 illisible"},
           {e + r1 + r2.substr(0, r2.size() - 1), "derniere ligne incomplete"},
           {e + r1 + r2.substr(0, 6), "derniere ligne incomplete"},
           {e + r1 + "2;\"b.png;0" , "derniere ligne incomplete"},  // a quote left open
           {e + r2, "ligne 2 illisible"},                             // rang 2 first
           {e + r1 + r1, "ligne 3 illisible"},                        // rang 1 twice
           {e + remplace(r1, "\r\n", "\n"), "ligne 2 illisible"},
           {e + remplace(r1, ";1;12.5", ";2;12.5"), "ligne 2 illisible"},
           {e + remplace(r1, ";1;12.5000000000;", ";0;12.5000000000;"), "ligne 2 illisible"},  // x without ecrit
           {e + remplace(r1, "12.5000000000", "12.5"), "ligne 2 illisible"},
           {e + remplace(r1, ";255;0;9;", ";256;0;9;"), "ligne 2 illisible"},
           {e + remplace(r1, ";255;0;9;", ";255;;9;"), "ligne 2 illisible"},
           {e + remplace(r1, ";40;", ";040;"), "ligne 2 illisible"},
           {e + remplace(r1, ";40;", ";2147483648;"), "ligne 2 illisible"},
           {e + remplace(r1, "manuel", "aucun"), "ligne 2 illisible"},
           {e + remplace(r2, "aucun", "manuel"), "ligne 2 illisible"},
           {e + remplace(r1, "manuel", "absente"), "ligne 2 illisible"},  // a missing photo recorded
           {e + remplace(r1, "0.5000000000;", ";"), "ligne 2 illisible"},            // deviation missing
           {e + remplace(r1, "a.png", "\"a.png\""), "ligne 2 illisible"},           // not as written
           {e + remplace(r1, "a.png", "a\"png"), "ligne 2 illisible"},
           {e + remplace(r1, ";manuel", ";manuel;"), "ligne 2 illisible"},          // 21 fields
           {e + r1 + "\r\n", "ligne 3 illisible"},
       }) {
    SCOPED_TRACE(c.contenu);
    std::vector<LigneDetail> lignes(1);
    std::vector<std::string> bruts(1);
    std::string raison;
    EXPECT_FALSE(lireDetail(c.contenu, lignes, bruts, raison));
    EXPECT_EQ(c.raison, raison);
    EXPECT_TRUE(lignes.empty() && bruts.empty());
  }
  // A row spanning two lines of the file counts both.
  std::vector<LigneDetail> lignes;
  std::vector<std::string> bruts;
  std::string raison;
  // a photo the automatic run could not load, passed: read as written
  const std::string absente = remplace(texteLigneDetail(vide(1, "b.png")), "aucun", "absente");
  ASSERT_TRUE(lireDetail(e + absente, lignes, bruts, raison)) << raison;
  EXPECT_EQ("absente", lignes.at(0).origine);
  EXPECT_FALSE(lireDetail(e + texteLigneDetail(vide(1, "x\r\ny")) + r1, lignes, bruts, raison));
  EXPECT_EQ("ligne 4 illisible", raison);

  const std::string dossier = dossierTemporaire();
  EXPECT_FALSE(lireFichierDetail(dossier + "/d.csv.bak", lignes, bruts, raison));
  EXPECT_EQ("fichier " + dossier + "/d.csv.bak absent", raison);
  ASSERT_EQ(0, mkdir((dossier + "/d.csv.bak").c_str(), 0755));
  EXPECT_FALSE(lireFichierDetail(dossier + "/d.csv.bak", lignes, bruts, raison));
  EXPECT_EQ("fichier " + dossier + "/d.csv.bak illisible", raison);
}

TEST(Detail, DeviationsAreExactForFarAndManyPixels) {
  struct Cas { std::vector<int32_t> xs, ys; std::vector<bool> bits; int64_t n; double sx, sy; };
  const int32_t loin = 2147483600;
  for (const Cas& c : std::vector<Cas>{
           {{}, {}, {}, 0, 0, 0},
           {{5, 6}, {7, 8}, {false, false}, 0, 0, 0},
           {{5}, {-9}, {true}, 1, 0, 0},
           {{0, 1, 2, 3}, {4, 4, 4, 4}, {true, true, true, true}, 4, std::sqrt(1.25), 0},
           {{0, 1, 99, 2, 3}, {0, 0, 99, 0, 2}, {true, true, false, true, true}, 4, std::sqrt(1.25), std::sqrt(0.75)},
           // Far from the origin, where sums of squares in doubles lose every digit.
           {{loin, loin + 1}, {-loin, -loin - 2}, {true, true}, 2, 0.5, 1},
       }) {
    SCOPED_TRACE(c.n);
    EcartsTypes e = ecartsTypes(c.xs, c.ys, c.bits);
    EXPECT_EQ(c.n, e.nombre);
    EXPECT_DOUBLE_EQ(c.sx, e.x);
    EXPECT_DOUBLE_EQ(c.sy, e.y);
  }
  // A million pixels 0 .. 999999 far to the right: variance (n^2 - 1) / 12.
  const int32_t n = 1000000;
  std::vector<int32_t> xs(n), ys(n, -loin);
  for (int32_t i = 0; i < n; ++i) xs[i] = loin - n + i;
  EcartsTypes e = ecartsTypes(xs, ys, std::vector<bool>(n, true));
  EXPECT_EQ(n, e.nombre);
  EXPECT_EQ("288675.1345946685", texteResultat(e.x));
  EXPECT_EQ(0.0, e.y);
}

TEST_F(EtatTest, DetailStreamStartsWithItsHeader) {
  ASSERT_TRUE(fichierDetail().ouvert());
  EXPECT_EQ("donnees/resu_detail.csv", fichierDetail().chemin());
  signalerFichierDetail();
  EXPECT_EQ("", console_.lu());
  // Read from a stream of its own: every test process empties the scratch
  // folder's detail file when it starts, so that one may be caught empty.
  const std::string chemin = dossierTemporaire() + "/resu_detail.csv";
  {
    FichierResultat propre(chemin, enteteDetail());
    ASSERT_TRUE(propre.ouvert());
  }
  EXPECT_EQ(enteteDetail(), lireFichier(chemin));
}
