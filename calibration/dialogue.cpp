#include "calibration/dialogue.h"

#include <SDL.h>

#include <cmath>
#include <iostream>
#include <sstream>

#include "etat/etat.h"
#include "calibration/fichier_calibration.h"
#include "calibration/geometrie.h"
#include "calibration/reecriture_calibree.h"
#include "calibration/traits.h"

namespace {

void refuser(const std::string& raison) {
  std::cout << "Calibration impossible : " << raison << std::endl;
  g_etat->m_calibration.attente = AttenteCalibration::Aucune;
  g_etat->m_calibration.clics.clear();
}

void attendre(AttenteCalibration attente, const char* ligne) {
  EtatCalibration& c = g_etat->m_calibration;
  c.attente = attente;
  c.clics.clear();
  std::cout << ligne << std::endl;
}

// One answer from the console: the next line that is not blank (a number
// typed for a tolerance leaves its line end behind). False at the input's end.
bool repondre(const char* question, std::string& reponse) {
  std::cout << question << std::endl;
  if (!std::cin.good()) return false;
  std::cin >> std::ws;
  if (!std::getline(std::cin, reponse)) return false;
  while (!reponse.empty() && (reponse.back() == '\r' || reponse.back() == ' ' || reponse.back() == '\t'))
    reponse.pop_back();
  return true;
}

bool demanderLongueur(const char* question, double& valeur) {
  std::string texte, raison;
  if (!repondre(question, texte)) {
    refuser("console fermee");
    return false;
  }
  if (!longueurTapee(texte, valeur, raison)) {
    refuser(raison);
    return false;
  }
  return true;
}

bool demanderUnite(std::string& unite) {
  std::string texte;
  if (!repondre("Unite ? ", texte)) {  // trailing blank is part of the line
    refuser("console fermee");
    return false;
  }
  std::istringstream flux(texte);
  std::string mot, reste;
  flux >> mot >> reste;
  if (mot.empty() || !reste.empty()) {
    refuser("unite en un mot attendue : " + texte);
    return false;
  }
  unite = mot;
  return true;
}

// The calibration changed: its file, its drawing and the calibrated files.
void appliquer(const Calibration& nouvelle) {
  EtatCalibration& c = g_etat->m_calibration;
  c.valeurs = nouvelle;
  c.en_vigueur = true;
  c.attente = AttenteCalibration::Aucune;
  c.clics.clear();
  ecrireCalibration();
  construireTraits();
  reecrireFichiersCalibres();
}

void finirEchelle() {
  const EtatCalibration& c = g_etat->m_calibration;
  const PointPhoto a = c.clics[0], b = c.clics[1];
  const double pixels = std::hypot(b.x - a.x, b.y - a.y);
  if (pixels <= 0.0) {
    refuser("les deux extremites sont sur le meme pixel");
    return;
  }
  double longueur = 0.0;
  std::string unite;
  if (!demanderLongueur("Longueur ? ", longueur) || !demanderUnite(unite)) return;
  Calibration n = c.valeurs;
  n.echelle = true;
  n.echelle_sans_bouts = false;
  n.bouts[0] = a;
  n.bouts[1] = b;
  n.longueur = longueur;
  n.unite = unite;
  n.plan = false;  // the scale, not the plane, maps positions from now on
  std::cout << "Echelle : " << longueur / pixels << " " << unite << " par pixel" << std::endl;
  appliquer(n);
}

void finirOrigine() {
  const EtatCalibration& c = g_etat->m_calibration;
  Calibration n = c.valeurs;
  n.origine = true;
  n.point_origine = c.clics[0];
  Repere r;
  std::string raison;
  if (!construireRepere(n, r, raison)) {
    refuser(raison);
    return;
  }
  std::cout << "Origine : " << n.point_origine.x << " " << n.point_origine.y << std::endl;
  appliquer(n);
}

void finirPlan() {
  const EtatCalibration& c = g_etat->m_calibration;
  PointPhoto coins[4] = {c.clics[0], c.clics[1], c.clics[2], c.clics[3]};
  std::string raison;
  if (!quadrilatereValide(coins, raison)) {
    refuser(raison);
    return;
  }
  double largeur = 0.0, hauteur = 0.0;
  std::string unite;
  if (!demanderLongueur("Largeur ? ", largeur) || !demanderLongueur("Hauteur ? ", hauteur) || !demanderUnite(unite))
    return;
  Calibration n = c.valeurs;
  n.plan = true;
  for (int i = 0; i < 4; ++i) n.coins[i] = coins[i];
  n.largeur_plan = largeur;
  n.hauteur_plan = hauteur;
  n.unite = unite;
  Repere r;
  if (!construireRepere(n, r, raison)) {
    refuser(raison);
    return;
  }
  std::cout << "Plan : " << largeur << " x " << hauteur << " " << unite << std::endl;
  appliquer(n);
}

}  // namespace

bool pointDuClic(int32_t wx, int32_t wy, double zoom, double dx, double dy, int32_t largeur, int32_t hauteur,
                 double& x, double& y) {
  if (!(zoom > 0.0) || !std::isfinite(zoom)) return false;
  const double c = std::floor((wx + dx) / zoom), l = std::floor((wy + dy) / zoom);
  if (!(c >= 0 && l >= 0 && c < largeur && l < hauteur)) return false;
  x = c + 0.5;
  y = l + 0.5;
  return true;
}

bool longueurTapee(const std::string& texte, double& valeur, std::string& raison) {
  double v = 0.0;
  if (!lireDecimal(texte, v)) {
    raison = "longueur illisible : " + texte;
    return false;
  }
  if (v == 0.0) {
    raison = "longueur nulle";
    return false;
  }
  if (v < 0.0) {
    raison = "longueur negative";
    return false;
  }
  valeur = v;
  return true;
}

void toucheEchelle() {
  attendre(AttenteCalibration::Echelle, "Calibration : cliquez les deux extremites d'une longueur connue");
}

void toucheOrigine() { attendre(AttenteCalibration::Origine, "Calibration : cliquez l'origine des axes"); }

void touchePlan() {
  attendre(AttenteCalibration::Plan,
           "Calibration : cliquez les quatre coins d'un rectangle du plan de l'objet, dans l'ordre du tour");
}

bool appuiCalibration(uint8_t bouton, int32_t x, int32_t y) {
  Etat& e = *g_etat;
  EtatCalibration& c = e.m_calibration;
  if (c.attente == AttenteCalibration::Aucune || bouton != SDL_BUTTON_LEFT) return false;
  c.relache_a_prendre = true;
  PointPhoto p;
  if (e.pTempSurface_prairie == nullptr ||
      !pointDuClic(x, y, e.m_zoom, e.m_decalage_x, e.m_decalage_y, e.m_largeur_photo, e.m_hauteur_photo, p.x, p.y)) {
    std::cout << "Calibration : clic hors de la photo" << std::endl;
    return true;
  }
  c.clics.push_back(p);
  std::cout << "Calibration : point " << c.clics.size() << " : " << p.x << " " << p.y << std::endl;
  const size_t attendus = c.attente == AttenteCalibration::Echelle ? 2 : c.attente == AttenteCalibration::Plan ? 4 : 1;
  if (c.clics.size() < attendus) return true;
  switch (c.attente) {
    case AttenteCalibration::Echelle: finirEchelle(); break;
    case AttenteCalibration::Origine: finirOrigine(); break;
    case AttenteCalibration::Plan: finirPlan(); break;
    case AttenteCalibration::Aucune: break;
  }
  return true;
}

bool relacheCalibration(uint8_t bouton) {
  EtatCalibration& c = g_etat->m_calibration;
  if (!c.relache_a_prendre || bouton != SDL_BUTTON_LEFT) return false;
  c.relache_a_prendre = false;
  return true;
}
