// Any bytes as donnees/calibration.txt, and as an earlier calibrated file read
// back at a resume: the readers must return; what the calibration file keeps
// must write back to a text read the same, without an unreadable line; and a
// calibration that builds its frame must map a photo point to finite numbers.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calibration/fichier_calibration.h"
#include "calibration/geometrie.h"
#include "calibration/resu_calibre.h"

namespace {

[[noreturn]] void echec(const std::string& raison, const std::string& texte) {
  std::fprintf(stderr, "fuzz_calibration: %s\n--- written ---\n%s\n", raison.c_str(), texte.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(donnees), taille);
  const LectureCalibration lue = lireTexteCalibration(texte);
  const std::string ecrit = texteCalibration(lue.valeurs);
  const LectureCalibration relue = lireTexteCalibration(ecrit);
  if (!relue.lignes_illisibles.empty()) echec("a line of its own text is unreadable", ecrit);
  if (texteCalibration(relue.valeurs) != ecrit) echec("its own text does not read back the same", ecrit);

  Repere repere;
  std::string raison;
  if (construireRepere(lue.valeurs, repere, raison)) {
    const PointPhoto q = versRepere(repere, {640.5, 480.5});
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) echec("a point mapped to a number that is not finite", ecrit);
  }

  // the resume's read back: uncertainties found are numbers a record can carry
  std::vector<MesurePhoto> mesures(2);
  for (size_t i = 0; i < mesures.size(); ++i) {
    mesures[i].rang = int64_t(i) + 1;
    mesures[i].indice = int64_t(i);
    mesures[i].photo = "photos/a.png";
    mesures[i].x = 100.5 + 10.0 * double(i);
    mesures[i].y = 80.5;
  }
  const std::vector<bool> trouvees = retrouverIncertitudes(mesures, lue.valeurs, lireResuCalibre(texte));
  if (trouvees.size() != mesures.size()) echec("not one answer per record", texte);
  for (const MesurePhoto& m : mesures) {
    if (!std::isfinite(m.ux) || !std::isfinite(m.uy) || m.ux < 0 || m.uy < 0)
      echec("an uncertainty read back that is no uncertainty", texte);
  }
  return 0;
}
