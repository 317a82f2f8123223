#include "calibration/reecriture_calibree.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "etat/etat.h"
#include "calibration/incertitude.h"
#include "calibration/mouvement_svg.h"
#include "calibration/resu_calibre.h"
#include "calibration/temps.h"
#include "output/resultats.h"

namespace {

double valeur(const std::string& t) {
  double v = 0.0;
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}

double positionDe(const std::string& texte, double centre) { return texte.empty() ? centre : valeur(texte); }

// Record i of the history where it stands, its uncertainty not yet set.
MesurePhoto mesureDe(const Souvenir& s, size_t i) {
  MesurePhoto m;
  m.rang = static_cast<int64_t>(i) + 1;
  m.indice = static_cast<int64_t>(i);
  m.photo = s.photo;
  // the texts the result files hold, so a resumed record, which has only
  // them, gives the same values as the record the run made
  m.x = positionDe(s.texte_x, s.selection.centre_x);
  m.y = positionDe(s.texte_y, s.selection.centre_y);
  return m;
}

// A record's uncertainty in photo pixels: from its bits when the history
// still holds them, else from its detail row's count and spreads.
IncertitudePixels incertitudeDe(const Souvenir& s) {
  const SelectionPhoto& m = s.selection;
  const uint64_t taille = uint64_t(int64_t{m.zone_x1} - m.zone_x0 + 1) * uint64_t(int64_t{m.zone_y1} - m.zone_y0 + 1);
  if (m.zone && !m.bits.perdus && m.bits.taille == taille) {
    return incertitudeSelection(decompacter(m.bits), m.zone_x0, m.zone_y0, m.zone_x1, m.zone_y1);
  }
  const std::vector<std::string> f = champsCsv(s.ligne_detail);
  if (f.size() < 19) return incertitudeCompacte(m.nombre, 0.0, 0.0);
  return incertitudeCompacte(m.nombre, valeur(f[17]), valeur(f[18]));
}

const IncertitudeGardee& incertitudeGardee(EtatCalibration& c, size_t i, const Souvenir& s) {
  if (c.incertitudes.size() <= i) c.incertitudes.resize(i + 1);
  IncertitudeGardee& g = c.incertitudes[i];
  const SelectionPhoto& m = s.selection;
  if (g.photo != s.photo || g.nombre != m.nombre || g.centre_x != m.centre_x || g.centre_y != m.centre_y) {
    const IncertitudePixels u = incertitudeDe(s);
    g = {s.photo, m.nombre, m.centre_x, m.centre_y, u.ux, u.uy};
  }
  return g;
}

}  // namespace

void reecrireFichiersCalibres() {
  Etat& e = *g_etat;
  EtatCalibration& c = e.m_calibration;
  const std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  if (c.incertitudes.size() > souvenirs.size()) c.incertitudes.resize(souvenirs.size());
  std::vector<MesurePhoto> mesures;
  for (size_t i = 0; i < souvenirs.size(); ++i) {
    const Souvenir& s = souvenirs[i];
    if (!s.ecrit) continue;
    MesurePhoto m = mesureDe(s, i);
    const IncertitudeGardee& g = incertitudeGardee(c, i, s);
    m.ux = g.ux;
    m.uy = g.uy;
    auto temps = c.temps.find(s.photo);
    if (temps == c.temps.end()) temps = c.temps.emplace(s.photo, tempsExif(s.photo)).first;
    m.exif = temps->second;
    mesures.push_back(std::move(m));
  }
  const RunCalibre run = calibrerRun(mesures, c.valeurs);
  if (c.en_vigueur && !run.repli_temps.empty() && !c.temps_signales) {
    std::cout << "Temps : " << run.repli_temps << ", "
              << (run.unite_temps == "s" ? "intervalle utilise" : "rang utilise") << std::endl;
    c.temps_signales = true;
  }
  // each failure named whether a calibration is in force or not: a file that
  // stopped following the run must not pass unseen
  nommerEcriture(ecrireParRenommage(kFichierCalibre, texteResuCalibre(run)), kFichierCalibre, c.calibre_en_panne,
                 "le fichier calibre", "Fichier calibre");
  nommerEcriture(ecrireParRenommage(kFichierMouvement, texteMouvement(run)), kFichierMouvement,
                 c.mouvement_en_panne, "l'image du mouvement", "Image du mouvement");
  signalerSynchronisationDossier();
}

void garderCopieCalibree() { garderCopie(kFichierCalibre, enteteResuCalibre()); }

void reprendreFichiersCalibres() {
  Etat& e = *g_etat;
  EtatCalibration& c = e.m_calibration;
  const std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  std::ifstream f(kCopieCalibre, std::ios::binary);
  std::ostringstream texte;
  if (f && texte << f.rdbuf()) {
    std::vector<MesurePhoto> mesures;
    std::vector<size_t> places;
    for (size_t i = 0; i < souvenirs.size(); ++i) {
      if (!souvenirs[i].ecrit) continue;
      mesures.push_back(mesureDe(souvenirs[i], i));
      places.push_back(i);
    }
    const std::vector<bool> trouvees = retrouverIncertitudes(mesures, c.valeurs, lireResuCalibre(texte.str()));
    c.incertitudes.assign(souvenirs.size(), IncertitudeGardee());
    for (size_t k = 0; k < mesures.size(); ++k) {
      if (!trouvees[k]) continue;
      const Souvenir& s = souvenirs[places[k]];
      const SelectionPhoto& m = s.selection;
      c.incertitudes[places[k]] = {s.photo, m.nombre, m.centre_x, m.centre_y, mesures[k].ux, mesures[k].uy};
    }
  }
  reecrireFichiersCalibres();
}
