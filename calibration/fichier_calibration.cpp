#include "calibration/fichier_calibration.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iomanip>
#include <locale>
#include <sstream>

#include "etat/etat.h"
#include "calibration/geometrie.h"
#include "calibration/reecriture_calibree.h"
#include "calibration/traits.h"
#include "output/resultats.h"

namespace {

std::vector<std::string> mots(const std::string& ligne) {
  std::vector<std::string> m;
  std::istringstream flux(ligne);
  std::string mot;
  while (flux >> mot) m.push_back(mot);
  return m;
}

// The file's numbers use "." only: a "," there is a damaged line.
bool nombre(const std::string& texte, double& v) {
  if (texte.find(',') != std::string::npos) return false;
  return lireDecimal(texte, v);
}

bool nombres(const std::vector<std::string>& m, size_t debut, double* v, size_t n) {
  if (m.size() != debut + n) return false;
  for (size_t i = 0; i < n; ++i)
    if (!nombre(m[debut + i], v[i])) return false;
  return true;
}

// One line into c; false when it cannot be read.
bool lireLigne(const std::vector<std::string>& m, Calibration& c) {
  const std::string& cle = m[0];
  double v[10] = {};
  if (cle == "version") return nombres(m, 1, v, 1) && v[0] == 1.0;
  if (cle == "echelle") {
    if (nombres(m, 1, v, 1) && v[0] > 0.0) {
      c.echelle = false;
      c.echelle_sans_bouts = true;
      c.longueur = v[0];
      return true;
    }
    if (!nombres(m, 1, v, 5) || !(v[4] > 0.0) || std::hypot(v[2] - v[0], v[3] - v[1]) <= 0.0) return false;
    c.echelle = true;
    c.echelle_sans_bouts = false;
    c.bouts[0] = {v[0], v[1]};
    c.bouts[1] = {v[2], v[3]};
    c.longueur = v[4];
    return true;
  }
  if (cle == "unite") {
    if (m.size() != 2) return false;
    c.unite = m[1];
    return true;
  }
  if (cle == "origine") {
    if (!nombres(m, 1, v, 2)) return false;
    c.origine = true;
    c.point_origine = {v[0], v[1]};
    return true;
  }
  if (cle == "angle") {
    if (!nombres(m, 1, v, 1)) return false;
    c.angle = v[0];
    return true;
  }
  if (cle == "y_vers_le_bas") {
    if (m.size() == 1) {
      c.y_vers_le_bas = true;
      return true;
    }
    if (m.size() != 2 || (m[1] != "0" && m[1] != "1")) return false;
    c.y_vers_le_bas = m[1] == "1";
    return true;
  }
  if (cle == "plan") {
    if (!nombres(m, 1, v, 10)) return false;
    PointPhoto coins[4];
    for (int i = 0; i < 4; ++i) coins[i] = {v[2 * i], v[2 * i + 1]};
    Homographie h;
    std::string raison;
    if (!homographieDuPlan(coins, v[8], v[9], h, raison)) return false;
    c.plan = true;
    for (int i = 0; i < 4; ++i) c.coins[i] = coins[i];
    c.largeur_plan = v[8];
    c.hauteur_plan = v[9];
    return true;
  }
  if (cle == "intervalle") {
    if (!nombres(m, 1, v, 1) || !(v[0] > 0.0)) return false;
    c.intervalle = true;
    c.secondes = v[0];
    return true;
  }
  return false;
}

std::string texte(double v) {
  std::ostringstream t;
  t.imbue(std::locale::classic());
  t << std::setprecision(15) << v;
  return t.str();
}

}  // namespace

bool lireDecimal(const std::string& texte, double& valeur) {
  std::string t = texte;
  for (char& c : t)
    if (c == ',') c = '.';
  if (t.empty() || t[0] == '+') return false;
  double v = 0.0;
  const char* fin = t.data() + t.size();
  auto [ptr, erreur] = std::from_chars(t.data(), fin, v);
  if (erreur != std::errc() || ptr != fin || !std::isfinite(v)) return false;
  valeur = v;
  return true;
}

LectureCalibration lireTexteCalibration(const std::string& texte) {
  LectureCalibration l;
  std::istringstream flux(texte);
  std::string ligne;
  for (int numero = 1; std::getline(flux, ligne); ++numero) {
    const size_t diese = ligne.find('#');
    if (diese != std::string::npos) ligne.erase(diese);
    const std::vector<std::string> m = mots(ligne);
    if (m.empty()) continue;
    l.vide = false;
    Calibration essai = l.valeurs;
    if (lireLigne(m, essai)) {
      l.valeurs = essai;
    } else {
      l.lignes_illisibles.push_back(numero);
    }
  }
  return l;
}

std::string texteCalibration(const Calibration& c) {
  std::string t = "# Trelune : calibration (un mot-cle par ligne, voir le README)\nversion 1\n";
  if (c.echelle) {
    t += "echelle " + texte(c.bouts[0].x) + " " + texte(c.bouts[0].y) + " " + texte(c.bouts[1].x) + " " +
         texte(c.bouts[1].y) + " " + texte(c.longueur) + "\n";
  } else if (c.echelle_sans_bouts) {
    t += "echelle " + texte(c.longueur) + "\n";
  }
  if (!c.unite.empty()) t += "unite " + c.unite + "\n";
  if (c.origine) t += "origine " + texte(c.point_origine.x) + " " + texte(c.point_origine.y) + "\n";
  if (c.angle != 0.0) t += "angle " + texte(c.angle) + "\n";
  if (c.y_vers_le_bas) t += "y_vers_le_bas\n";
  if (c.plan) {
    t += "plan";
    for (const PointPhoto& p : c.coins) t += " " + texte(p.x) + " " + texte(p.y);
    t += " " + texte(c.largeur_plan) + " " + texte(c.hauteur_plan) + "\n";
  }
  if (c.intervalle) t += "intervalle " + texte(c.secondes) + "\n";
  return t;
}

void lireCalibration() {
  Etat& e = *g_etat;
  std::ifstream f(kFichierCalibration, std::ios::binary);
  if (!f) return;
  std::ostringstream contenu;
  contenu << f.rdbuf();
  const LectureCalibration l = lireTexteCalibration(contenu.str());
  // a file of garbage must not flood the console: the first lines by number
  const size_t montrees = std::min<size_t>(l.lignes_illisibles.size(), 20);
  for (size_t i = 0; i < montrees; ++i)
    std::cout << "Calibration : ligne " << l.lignes_illisibles[i] << " illisible, ignoree" << std::endl;
  if (l.lignes_illisibles.size() > montrees)
    std::cout << "Calibration : " << l.lignes_illisibles.size() - montrees << " autres lignes illisibles, ignorees"
              << std::endl;
  if (l.vide) std::cout << "Calibration : fichier " << kFichierCalibration << " vide" << std::endl;
  e.m_calibration.valeurs = l.valeurs;
  e.m_calibration.en_vigueur = true;
  std::cout << "Calibration lue : " << kFichierCalibration << std::endl;
  construireTraits();
}

void demarrerCalibration() {
  lireCalibration();
  garderCopieCalibree();
  reecrireFichiersCalibres();
}

void ecrireCalibration() {
  if (!ecrireParRenommage(kFichierCalibration, texteCalibration(g_etat->m_calibration.valeurs)))
    signalerEcritureImpossible(kFichierCalibration);
}
