#include "output/resultats.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/etat_fixture.h"

TEST(Resultats, NumberFormatIsFixedWithTenDecimals) {
  struct Cas { double valeur; const char* attendu; };
  for (Cas c : {Cas{12.5, "12.5000000000"}, Cas{300, "300.0000000000"}, Cas{7.25, "7.2500000000"},
                Cas{-3.125, "-3.1250000000"}, Cas{-0.5, "-0.5000000000"}, Cas{0, "0.0000000000"},
                Cas{1234567.0, "1234567.0000000000"}, Cas{1.0 / 3.0, "0.3333333333"}}) {
    SCOPED_TRACE(c.attendu);
    EXPECT_EQ(c.attendu, texteResultat(c.valeur));
  }
}

class ResultatsTest : public EtatTest {
 protected:
  // One record appended to each of the three files, as RETURN appends it.
  static void ecrire(FichierResultat& point, FichierResultat& x, FichierResultat& y, double cx, double cy) {
    const TextesRecord t = textesRecord(texteResultat(cx), texteResultat(cy));
    EXPECT_TRUE(point.ajouter(t.point) && x.ajouter(t.x) && y.ajouter(t.y));
  }
  std::string dossier_ = dossierTemporaire();
};

TEST_F(ResultatsTest, ThreeMeasurementsGiveExactBytes) {
  FichierResultat point(dossier_ + "/p.txt"), x(dossier_ + "/x.txt"), y(dossier_ + "/y.txt");
  ASSERT_TRUE(point.ouvert() && x.ouvert() && y.ouvert());
  ecrire(point, x, y, 12.5, 7.25);
  ecrire(point, x, y, -1.5, 300);
  ecrire(point, x, y, -1.5, 300);  // no new centre: the same one again
  EXPECT_EQ(
      "12.5000000000;7.2500000000\r\n-1.5000000000;300.0000000000\r\n-1.5000000000;300.0000000000\r\n",
      lireFichier(dossier_ + "/p.txt"));
  EXPECT_EQ("12.5000000000;-1.5000000000;-1.5000000000;", lireFichier(dossier_ + "/x.txt"));
  EXPECT_EQ("7.2500000000;300.0000000000;300.0000000000;", lireFichier(dossier_ + "/y.txt"));
  EXPECT_EQ("", console_.lu());
}

TEST_F(ResultatsTest, StartKeepsOneCopyOfTheLastNonEmptyRun) {
  std::string chemin = dossier_ + "/p.txt";
  ecrireFichier(chemin, "1.0000000000;2.0000000000\r\n");
  { FichierResultat f(chemin); EXPECT_TRUE(f.ouvert()); }
  EXPECT_EQ("", lireFichier(chemin));
  EXPECT_EQ("1.0000000000;2.0000000000\r\n", lireFichier(chemin + ".bak"));

  // A second start by mistake finds an empty file: the copy must survive it.
  { FichierResultat f(chemin); }
  EXPECT_EQ("1.0000000000;2.0000000000\r\n", lireFichier(chemin + ".bak"));

  // One generation: a newer non-empty run replaces the copy.
  {
    FichierResultat f(chemin);
    ASSERT_TRUE(f.ajouter("3;"));
  }
  { FichierResultat f(chemin); }
  EXPECT_EQ("3;", lireFichier(chemin + ".bak"));

  // No earlier run: no copy is made.
  { FichierResultat f(dossier_ + "/neuf.txt"); }
  struct stat infos;
  EXPECT_NE(0, stat((dossier_ + "/neuf.txt.bak").c_str(), &infos));
}

TEST_F(ResultatsTest, ResultsAreNotEmptiedWhenTheirCopyFails) {
  std::string chemin = dossier_ + "/p.txt";
  ecrireFichier(chemin, "precieux");
  ASSERT_EQ(0, mkdir((chemin + ".bak").c_str(), 0755));
  ecrireFichier(chemin + ".bak/occupe", "x");  // a folder that rename cannot replace
  FichierResultat f(chemin);
  EXPECT_FALSE(f.ouvert());
  EXPECT_EQ("precieux", lireFichier(chemin));
}

TEST_F(ResultatsTest, UnopenableFileIsReportedAndTheOthersStillWritten) {
  std::string bloque = dossier_ + "/p.txt";
  ASSERT_EQ(0, mkdir(bloque.c_str(), 0755));  // as root, modes are ignored: a folder blocks any user
  FichierResultat point(bloque), x(dossier_ + "/x.txt"), y(dossier_ + "/sans/dossier/y.txt");
  EXPECT_FALSE(point.ouvert());
  EXPECT_TRUE(x.ouvert());
  EXPECT_FALSE(y.ouvert());

  point.signalerOuverture();
  x.signalerOuverture();
  y.signalerOuverture();
  EXPECT_EQ("Pb pour ouvrir le fichier " + bloque + "\nPb pour ouvrir le fichier " + dossier_ +
                "/sans/dossier/y.txt\n",
            console_.lu());

  EXPECT_FALSE(point.ajouter("1;"));
  EXPECT_EQ(0, point.erreur());  // not a system error: the file is not open
  EXPECT_TRUE(x.ajouter("1;"));
  EXPECT_EQ("1;", lireFichier(dossier_ + "/x.txt"));
}

TEST_F(ResultatsTest, FailuresKeepTheirReason) {
  FichierResultat plein("/dev/full"), dossier(dossier_);
  ASSERT_TRUE(plein.ouvert());
  EXPECT_FALSE(plein.ajouter("1;"));
  EXPECT_EQ("disque plein", raisonErreur(plein.erreur()));
  EXPECT_FALSE(plein.remplacer("x"));
  EXPECT_EQ("pas un fichier ordinaire", raisonErreur(plein.erreur()));
  EXPECT_FALSE(dossier.ouvert());
  EXPECT_EQ("pas un fichier ordinaire", raisonErreur(dossier.erreur()));
}

namespace {

// Names in a folder other than "." and "..".
std::vector<std::string> entrees(const std::string& dossier) {
  std::vector<std::string> noms;
  DIR* d = opendir(dossier.c_str());
  for (dirent* e = d ? readdir(d) : nullptr; e != nullptr; e = readdir(d))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") noms.push_back(e->d_name);
  if (d) closedir(d);
  std::sort(noms.begin(), noms.end());
  return noms;
}

}  // namespace

TEST_F(ResultatsTest, HeaderOnlyFileNeverReplacesTheCopy) {
  const std::string chemin = dossier_ + "/d.csv", entete = "a;b\r\n";
  {
    FichierResultat f(chemin, entete);
    ASSERT_TRUE(f.ouvert());
    EXPECT_EQ(entete, lireFichier(chemin));
    ASSERT_TRUE(f.ajouter("1;2\r\n"));
  }
  { FichierResultat f(chemin, entete); }
  EXPECT_EQ(entete + "1;2\r\n", lireFichier(chemin + ".bak"));
  EXPECT_EQ(entete, lireFichier(chemin));
  // An idle start, then one killed before its header was whole: the copy stays.
  { FichierResultat f(chemin, entete); }
  ecrireFichier(chemin, "a;");
  { FichierResultat f(chemin, entete); }
  EXPECT_EQ(entete + "1;2\r\n", lireFichier(chemin + ".bak"));
  // Anything else is a run of its own and is kept.
  ecrireFichier(chemin, "x");
  { FichierResultat f(chemin, entete); }
  EXPECT_EQ("x", lireFichier(chemin + ".bak"));
  // A header the disk refuses: no file to write rows into.
  FichierResultat plein("/dev/full", entete);
  EXPECT_FALSE(plein.ouvert());
}

TEST_F(ResultatsTest, TakingBackCutsOnlyTheLastRecordWhole) {
  const std::string chemin = dossier_ + "/p.txt";
  FichierResultat f(chemin);
  ASSERT_TRUE(f.ajouter("a;") && f.ajouter("bb;"));
  EXPECT_EQ(5, f.taille());
  EXPECT_FALSE(f.retirer(6));
  EXPECT_FALSE(f.retirerFin("x;"));  // not the last record: nothing cut
  EXPECT_EQ("a;bb;", lireFichier(chemin));
  EXPECT_TRUE(f.retirer(3));
  EXPECT_TRUE(f.retirerFin("a;"));
  EXPECT_TRUE(f.ajouter("c;"));  // written where the cut began, no hole before it
  EXPECT_EQ("c;", lireFichier(chemin));

}

TEST_F(ResultatsTest, ReplacingSwapsTheWholeContentAndLaterRecordsFollowIt) {
  const std::string chemin = dossier_ + "/d.csv";
  FichierResultat f(chemin, "h\r\n");
  ASSERT_TRUE(f.ajouter("vieux\r\n"));
  ASSERT_EQ(0, chmod(chemin.c_str(), 0640));
  ASSERT_TRUE(f.remplacer("h\r\nneuf\r\n"));
  ASSERT_TRUE(f.ajouter("suite\r\n"));
  EXPECT_TRUE(f.retirerFin("suite\r\n"));  // the new file can be read back too
  ASSERT_TRUE(f.ajouter("fin\r\n"));
  EXPECT_EQ("h\r\nneuf\r\nfin\r\n", lireFichier(chemin));
  struct stat infos;
  ASSERT_EQ(0, stat(chemin.c_str(), &infos));
  EXPECT_EQ(0640u, infos.st_mode & 0777);

  ASSERT_TRUE(ecrireParRenommage(dossier_ + "/t.svg", "<a/>"));
  ASSERT_TRUE(ecrireParRenommage(dossier_ + "/t.svg", "<b/>"));
  EXPECT_EQ("<b/>", lireFichier(dossier_ + "/t.svg"));
  EXPECT_EQ((std::vector<std::string>{"d.csv", "t.svg"}), entrees(dossier_));  // no temporary left

  // A device is never turned into a file; a lost folder fails without harm.
  FichierResultat plein("/dev/full");
  EXPECT_FALSE(plein.remplacer("x"));
  ASSERT_EQ(0, stat("/dev/full", &infos));
  EXPECT_TRUE(S_ISCHR(infos.st_mode));
  ASSERT_EQ(0, std::system(("rm -rf " + dossier_).c_str()));
  EXPECT_FALSE(f.remplacer("h\r\n"));
  EXPECT_FALSE(ecrireParRenommage(dossier_ + "/t.svg", "<c/>"));
}
