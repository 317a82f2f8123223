#include "calibration/reecriture_calibree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

class ReecritureCalibreeTest : public EtatTest {
 protected:
  std::string dossier_ = dossierTemporaire();
  DossierTravail travail_{dossier_};
};

}  // namespace

// Each calibrated file that cannot be written (a folder in its place) is
// named once with its reason, with or without a calibration, and its return
// once; a rewrite without fault prints nothing.
TEST_F(ReecritureCalibreeTest, FailedWritesAreNamedOnceAndTheirReturnOnce) {
  reecrireFichiersCalibres();
  EXPECT_EQ("", console_.lu());
  EXPECT_NE("", lireFichier(kFichierCalibre));

  ASSERT_EQ(0, ::unlink(kFichierCalibre));
  ASSERT_EQ(0, ::mkdir(kFichierCalibre, 0755));
  reecrireFichiersCalibres();
  reecrireFichiersCalibres();
  EXPECT_EQ("Pb pour ecrire le fichier calibre donnees/resu_calibre.csv : pas un fichier ordinaire\n", console_.lu());

  g_etat->m_calibration.en_vigueur = true;
  ASSERT_EQ(0, ::unlink(kFichierMouvement));
  ASSERT_EQ(0, ::mkdir(kFichierMouvement, 0755));
  reecrireFichiersCalibres();
  EXPECT_EQ("Pb pour ecrire l'image du mouvement donnees/mouvement.svg : pas un fichier ordinaire\n", console_.lu());

  ASSERT_EQ(0, ::rmdir(kFichierCalibre));
  ASSERT_EQ(0, ::rmdir(kFichierMouvement));
  reecrireFichiersCalibres();
  reecrireFichiersCalibres();
  EXPECT_EQ(
      "Fichier calibre donnees/resu_calibre.csv de nouveau a jour\n"
      "Image du mouvement donnees/mouvement.svg de nouveau a jour\n",
      console_.lu());
  EXPECT_NE("", lireFichier(kFichierCalibre));
}
