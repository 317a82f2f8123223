#include "tracking/proposition.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>
#include <utility>

#include "etat/etat.h"
#include "display/placement.h"
#include "display/trace.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "series/compteurs.h"

namespace {

// One axis of a zone of side `cote` starting at `debut`, kept inside [0, taille).
void borner(int64_t debut, int64_t cote, int32_t taille, int32_t& bas, int32_t& haut) {
  if (cote >= taille) {
    bas = 0;
    haut = taille - 1;
    return;
  }
  debut = std::clamp<int64_t>(debut, 0, int64_t{taille} - cote);
  bas = static_cast<int32_t>(debut);
  haut = static_cast<int32_t>(debut + cote - 1);
}

int64_t cote(int32_t bas, int32_t haut) { return std::max<int64_t>(int64_t{haut} - bas + 1, 1); }

int64_t arrondiPas(double v) { return std::isfinite(v) ? std::llround(std::clamp(v, -1e9, 1e9)) : 0; }

std::vector<PasseSelection> passesCouleur(const std::vector<PasseSelection>& passes) {
  std::vector<PasseSelection> couleur;
  for (const PasseSelection& p : passes)
    if (p.type == TypePasse::Couleur) couleur.push_back(p);
  return couleur;
}

std::string nombreTexte(double v, int decimales) {
  std::ostringstream flux;
  flux.imbue(std::locale::classic());
  flux << std::fixed << std::setprecision(decimales) << v;
  return flux.str();
}

void impossible(const char* raison) { std::cout << "Suivi impossible : " << raison << std::endl; }

// The colour passes over the zone in place, recorded in the recipe as they
// run; the count and sums are left as the last pass leaves them.
void passer(const std::vector<PasseSelection>& passes) {
  Etat& e = *g_etat;
  HistoireSelection& h = e.m_histoire_selection;
  h.couleur = false;
  int32_t avant = 0;
  for (const PasseSelection& p : passes) {
    if (!passeCouleurDe(p.rouge, p.vert, p.bleu, p.tolerance_rouge, p.tolerance_vert, p.tolerance_bleu)) break;
    e.m_recette.passes.push_back(p);
    if (e.m_nombre_selectionnes > avant) {
      h.couleur = true;
      h.rouge = p.rouge;
      h.vert = p.vert;
      h.bleu = p.bleu;
    }
    avant = e.m_nombre_selectionnes;
  }
  ++e.m_version_selection;
}

// A zone as a zone drag makes it: the size test, the lists, the line, a new
// recipe. False when refused (the previous zone stays).
bool construire(const ZoneSuivi& z) {
  Etat& e = *g_etat;
  if (!definirZone(z.x0, z.y0, z.x1, z.y1)) return false;
  ++e.m_version_selection;
  noterZone();
  e.m_nombre_selectionnes = 0;
  e.m_centre_x = e.m_centre_y = 0.0;
  return true;
}

bool bordDeLaZone() {
  const Etat& e = *g_etat;
  return toucheLeBord(e.is_select, e.m_zone_dx + 1, e.m_zone_dy + 1);
}

// Zone, markers and cross shown as after a zone drag and a colour click.
void montrer() {
  Etat& e = *g_etat;
  e.m_afficher_croix_appui = false;
  e.m_afficher_zone = true;
  if (zoomValide()) {
    placerZone();
    if (e.m_rect_zone.w > 0 && e.m_rect_zone.h > 0 && e.m_rendu != nullptr) construireFog();
  }
  // the colour sub-mode, as after I, with RETURN free to record
  e.m_choix_zone = false;
  e.m_ajout_souris = false;
  e.m_retrait_souris = false;
  e.m_ajout_couleurs = true;
  e.m_vue_suivante_bloquee = false;
}

}  // namespace

ReferenceSuivi referenceDe(const Historique& historique) {
  ReferenceSuivi r;
  const std::vector<Souvenir>& s = historique.souvenirs;
  // on a past photo, only the photos before it in the run
  const size_t fin = historique.affichee >= 0 ? std::min(size_t(historique.affichee), s.size()) : s.size();
  size_t dernier = fin;
  for (size_t i = 0; i < fin; ++i) {
    if (!s[i].ecrit) continue;
    r.centres.push_back({s[i].selection.centre_x, s[i].selection.centre_y});
    dernier = i;
  }
  if (dernier == fin) return r;
  r.trouvee = true;
  const SelectionPhoto& mesuree = s[dernier].selection;
  r.zone = {mesuree.zone_x0, mesuree.zone_y0, mesuree.zone_x1, mesuree.zone_y1};
  r.nombre = mesuree.nombre;
  for (size_t i = dernier + 1; i-- > 0 && r.passes.empty();) r.passes = passesCouleur(s[i].selection.passes);
  return r;
}

PointSuivi centrePredit(const std::vector<PointSuivi>& centres) {
  if (centres.empty()) return {};
  const PointSuivi& d = centres.back();
  if (centres.size() < 2) return d;
  const PointSuivi& a = centres[centres.size() - 2];
  return {d.x + (d.x - a.x), d.y + (d.y - a.y)};
}

ZoneSuivi zoneDeplacee(const ZoneSuivi& zone, PointSuivi dernier, PointSuivi predit, int32_t largeur,
                       int32_t hauteur) {
  ZoneSuivi z;
  borner(zone.x0 + arrondiPas(predit.x - dernier.x), cote(zone.x0, zone.x1), largeur, z.x0, z.x1);
  borner(zone.y0 + arrondiPas(predit.y - dernier.y), cote(zone.y0, zone.y1), hauteur, z.y0, z.y1);
  return z;
}

ZoneSuivi zoneAgrandie(const ZoneSuivi& zone, PointSuivi centre, int32_t largeur, int32_t hauteur) {
  const int64_t w = cote(zone.x0, zone.x1), h = cote(zone.y0, zone.y1);
  const int64_t w2 = w + w / 2, h2 = h + h / 2;
  ZoneSuivi z;
  borner(arrondiPas(centre.x - w2 / 2.0), w2, largeur, z.x0, z.x1);
  borner(arrondiPas(centre.y - h2 / 2.0), h2, hauteur, z.y0, z.y1);
  return z;
}

bool toucheLeBord(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur) {
  if (largeur <= 0 || hauteur <= 0) return false;
  const size_t w = static_cast<size_t>(largeur), h = static_cast<size_t>(hauteur);
  if (bits.size() < w * h) return false;
  for (size_t j = 0; j < w; ++j)
    if (bits[j] || bits[(h - 1) * w + j]) return true;
  for (size_t i = 0; i < h; ++i)
    if (bits[i * w] || bits[i * w + w - 1]) return true;
  return false;
}

double pasMedian(const std::vector<PointSuivi>& centres) {
  std::vector<double> pas;
  for (size_t i = 1; i < centres.size(); ++i)
    pas.push_back(std::hypot(centres[i].x - centres[i - 1].x, centres[i].y - centres[i - 1].y));
  return medianePas(std::move(pas));
}

std::string raisonDoute(const ConstatSuivi& c) {
  if (c.nombre <= 0) return "rien de selectionne dans la zone";
  const double rapport = c.nombre_reference > 0 ? double(c.nombre) / double(c.nombre_reference) : 1.0;
  if (rapport < 0.5 || rapport > 2.0)
    return std::to_string(c.nombre) + " pixels selectionnes au lieu de " + std::to_string(c.nombre_reference) +
           " sur la derniere photo mesuree";
  if (c.bord) return "selection sur le bord de la zone";
  if (c.centres.size() >= 4) {
    const PointSuivi& d = c.centres.back();
    const double pas = std::hypot(c.centre.x - d.x, c.centre.y - d.y);
    const double median = pasMedian(c.centres);
    if (pas > 3.0 * median + 2.0)
      return "pas de " + nombreTexte(pas, 1) + " pixels, plus de 3 fois le pas median (" + nombreTexte(median, 1) +
             ") + 2";
  }
  return std::string();
}

IssueProposition proposerSelection() {
  Etat& e = *g_etat;
  const ReferenceSuivi ref = referenceDe(e.m_historique);
  if (!ref.trouvee) {
    impossible("aucune photo mesuree");
    return IssueProposition::Impossible;
  }
  if (e.pTempSurface_prairie == nullptr) {
    impossible("pas de photo chargee");
    return IssueProposition::Impossible;
  }
  if (e.nom_photo_complet == cheminImageFin()) {
    impossible("image de fin de serie");
    return IssueProposition::Impossible;
  }
  if (ref.passes.empty()) {
    impossible("aucune passe de couleur sur la derniere photo mesuree");
    return IssueProposition::Impossible;
  }
  const int32_t largeur = e.pTempSurface_prairie->w, hauteur = e.pTempSurface_prairie->h;
  const PointSuivi dernier = ref.centres.back();
  const ZoneSuivi zone = zoneDeplacee(ref.zone, dernier, centrePredit(ref.centres), largeur, hauteur);
  if (!construire(zone)) {
    impossible("zone refusee");
    return IssueProposition::Impossible;
  }
  passer(ref.passes);
  bool bord = bordDeLaZone();
  if (bord && e.m_nombre_selectionnes > 0) {
    // an object faster than predicted: once, a zone half as large again
    // around what was found
    const double n = e.m_nombre_selectionnes;
    const ZoneSuivi grande = zoneAgrandie(zone, {e.m_centre_x / n, e.m_centre_y / n}, largeur, hauteur);
    if (construire(grande)) {
      passer(ref.passes);
      bord = bordDeLaZone();
    }
  }
  calculerCentre();
  montrer();
  HistoireSelection& h = e.m_histoire_selection;
  h.changee = true;
  h.proposee = true;

  ConstatSuivi constat;
  constat.nombre = e.m_nombre_selectionnes;
  constat.nombre_reference = ref.nombre;
  constat.bord = bord;
  constat.centre = {e.m_centre_x, e.m_centre_y};
  constat.centres = ref.centres;
  const std::string raison = raisonDoute(constat);
  if (raison.empty()) return IssueProposition::Sure;
  std::cout << "Suivi douteux : " << raison << std::endl;
  return IssueProposition::Douteuse;
}
