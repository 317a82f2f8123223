#include "tracking/proposition.h"

#include <iostream>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/placement.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "interaction/tache.h"
#include "output/detail.h"
#include "series/compteurs.h"

namespace {

// The growths of the zone on one photo at most.
constexpr int kCroissancesMax = 2;

void impossible(const char* raison) { std::cout << "Suivi impossible : " << raison << std::endl; }

// The colour passes over the zone in place, then the patch at or nearest
// photo pixel (x, y) kept, each recorded in the recipe as it runs; the count
// and sums are those of the patch kept.
TachesZone passer(const std::vector<PasseSelection>& passes, int32_t x, int32_t y) {
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
  const TachesZone taches = garderTache(x, y);
  PasseSelection tache;
  tache.type = TypePasse::Tache;
  tache.x0 = tache.x1 = x;
  tache.y0 = tache.y1 = y;
  e.m_recette.passes.push_back(tache);
  if (taches.taches > 1) recompterSelection();
  ++e.m_version_selection;
  return taches;
}

// A zone as a zone drag makes it: the size test, the lists, the line, a new
// recipe; the operator's zone size stays as it was. False when refused (the
// previous zone stays).
bool construire(const ZoneSuivi& z) {
  Etat& e = *g_etat;
  if (!definirZone(z.x0, z.y0, z.x1, z.y1)) return false;
  ++e.m_version_selection;
  HistoireSelection& h = e.m_histoire_selection;
  const HistoireSelection avant = h;
  noterZone();
  h.largeur_zone = avant.largeur_zone;
  h.hauteur_zone = avant.hauteur_zone;
  h.zone_tracee = avant.zone_tracee;
  e.m_nombre_selectionnes = 0;
  e.m_centre_x = e.m_centre_y = 0.0;
  return true;
}

ZoneSuivi zoneDuRecord() {
  const Etat& e = *g_etat;
  return {e.m_zone_x0, e.m_zone_y0, e.m_zone_x1, e.m_zone_y1};
}

uint8_t bordsDeLaZone() {
  const Etat& e = *g_etat;
  return bordsTouches(e.is_select, e.m_zone_dx + 1, e.m_zone_dy + 1);
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

IssueProposition proposerSelection(std::string* raison_doute) {
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
  const std::vector<RecordSuivi> estimation(ref.records.begin() + static_cast<std::ptrdiff_t>(ref.debut_estimation),
                                            ref.records.end());
  const PointSuivi predit = centrePredit(estimation, ref.photo);
  HistoireSelection& h = e.m_histoire_selection;
  // a zone drawn on this photo is the operator's newest size; the size the
  // proposal starts from is carried on, whatever its zone grows to
  const bool tracee = h.zone_tracee && h.largeur_zone > 0 && h.hauteur_zone > 0;
  const int32_t largeur_zone = tracee ? h.largeur_zone : ref.largeur_zone;
  const int32_t hauteur_zone = tracee ? h.hauteur_zone : ref.hauteur_zone;
  ZoneSuivi zone = zoneCentree(largeur_zone, hauteur_zone, predit, largeur, hauteur);
  if (!construire(zone)) {
    impossible("zone refusee");
    return IssueProposition::Impossible;
  }
  h.largeur_zone = largeur_zone;
  h.hauteur_zone = hauteur_zone;
  // the pixel of the predicted centre, which the patch pass keeps in the recipe
  const int32_t px = plancher(predit.x), py = plancher(predit.y);
  TachesZone taches = passer(ref.passes, px, py);
  uint8_t bords = bordsDeLaZone();
  bool limitee = false;
  for (int n = 0; n < kCroissancesMax && (bords & cotesInterieurs(zone, largeur, hauteur)) != 0 &&
                  e.m_nombre_selectionnes > 0;
       ++n) {
    // an object faster than predicted: a zone half as large again around
    // what was found, on this photo only
    const double k = e.m_nombre_selectionnes;
    const ZoneSuivi grande =
        zoneAgrandie(zone, {e.m_centre_x / k, e.m_centre_y / k}, largeur, hauteur, e.m_max_pixels, limitee);
    if (memeZone(grande, zone) || !construire(grande)) break;
    zone = zoneDuRecord();
    taches = passer(ref.passes, px, py);
    bords = bordsDeLaZone();
  }
  calculerCentre();
  montrer();
  h.changee = true;
  h.proposee = true;

  ConstatSuivi constat;
  constat.nombre = e.m_nombre_selectionnes;
  constat.nombre_reference = ref.nombre;
  const uint8_t interieurs = cotesInterieurs(zone, largeur, hauteur);
  constat.bord = (bords & interieurs) != 0;
  constat.zone_maximale = limitee;
  constat.bord_photo = (bords & ~interieurs) != 0;
  constat.autre_tache = taches.seconde;
  constat.deux_objets_admis = ref.deux_objets_admis;
  h.deux_objets = deuxObjets(constat);
  if (constat.nombre > 0) {
    const EcartsTypes ecarts = ecartsTypes(e.m_liste_x, e.m_liste_y, e.is_select);
    constat.ecart_x = ecarts.x;
    constat.ecart_y = ecarts.y;
  }
  constat.ecarts_reference = ref.ecarts_connus;
  constat.ecart_x_reference = ref.ecart_x;
  constat.ecart_y_reference = ref.ecart_y;
  constat.centre = {e.m_centre_x, e.m_centre_y};
  constat.photo = ref.photo;
  constat.records = ref.records;
  const std::string raison = raisonDoute(constat);
  if (raison_doute != nullptr) *raison_doute = raison;
  if (raison.empty()) return IssueProposition::Sure;
  h.doute = true;
  std::cout << "Suivi douteux : " << raison << std::endl;
  return objetCache(constat) ? IssueProposition::Cachee : IssueProposition::Douteuse;
}
