#include "output/reecriture.h"

#include "output/detail.h"
#include "output/resultats.h"

ContenusRun contenusDe(const std::vector<Souvenir>& souvenirs) {
  ContenusRun c;
  c.detail = enteteDetail();
  for (const Souvenir& s : souvenirs) {
    c.detail += s.ligne_detail;
    if (!s.ecrit) continue;
    const TextesRecord textes = textesRecord(s.texte_x, s.texte_y);
    c.point += textes.point;
    c.x += textes.x;
    c.y += textes.y;
  }
  return c;
}

namespace {

bool remplacerOuSignaler(FichierResultat& fichier, const std::string& contenu) {
  if (!fichier.ouvert()) return false;
  if (fichier.remplacer(contenu)) return true;
  fichier.signalerEcriture();
  return false;
}

}  // namespace

FichiersReecrits reecrireFichiers(std::vector<Souvenir>& souvenirs) {
  const ContenusRun c = contenusDe(souvenirs);
  FichiersReecrits faits;
  faits.point = remplacerOuSignaler(fichierPoint(), c.point);
  faits.x = remplacerOuSignaler(fichierX(), c.x);
  faits.y = remplacerOuSignaler(fichierY(), c.y);
  faits.detail = remplacerOuSignaler(fichierDetail(), c.detail);
  for (Souvenir& s : souvenirs) {
    const TextesRecord textes = textesRecord(s.texte_x, s.texte_y);
    if (faits.detail) s.octets_detail = s.ligne_detail.size();
    if (faits.point) s.octets_point = s.ecrit ? textes.point.size() : 0;
    if (faits.x) s.octets_x = s.ecrit ? textes.x.size() : 0;
    if (faits.y) s.octets_y = s.ecrit ? textes.y.size() : 0;
  }
  return faits;
}
