#include "parcours/selection_photo.h"

#include <utility>

#include "etat/etat.h"
#include "display/placement.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "output/detail.h"

SelectionPhoto selectionDuRecord() {
  const Etat& e = *g_etat;
  SelectionPhoto m;
  m.choix_zone = e.m_choix_zone;
  m.ajout_souris = e.m_ajout_souris;
  m.ajout_couleurs = e.m_ajout_couleurs;
  m.retrait_souris = e.m_retrait_souris;
  m.zone = !e.is_select.empty();  // the lists exist once a zone was accepted
  m.zone_x0 = e.m_zone_x0;
  m.zone_y0 = e.m_zone_y0;
  m.zone_x1 = e.m_zone_x1;
  m.zone_y1 = e.m_zone_y1;
  m.bits = compacter(e.is_select);
  m.nombre = e.m_nombre_selectionnes;
  m.centre_x = e.m_centre_x;
  m.centre_y = e.m_centre_y;
  if (e.m_nombre_selectionnes > 0) {
    // the spread the proposals compare theirs with
    const EcartsTypes ecarts = ecartsTypes(e.m_liste_x, e.m_liste_y, e.is_select);
    m.ecart_type_x = ecarts.x;
    m.ecart_type_y = ecarts.y;
  }
  m.rouge_reference = e.m_rouge_reference;
  m.vert_reference = e.m_vert_reference;
  m.bleu_reference = e.m_bleu_reference;
  m.passes = e.m_recette.passes;
  m.depart_herite = !e.m_recette.depart.empty();
  m.histoire = e.m_histoire_selection;
  return m;
}

void restaurerSelection(const SelectionPhoto& m, const std::vector<bool>& depart) {
  Etat& e = *g_etat;
  if (m.zone) {
    construireZone(m.zone_x0, m.zone_y0, m.zone_x1, m.zone_y1);
    std::vector<bool> bits = decompacter(m.bits);
    if (bits.size() == e.is_select.size()) e.is_select = std::move(bits);
  } else {
    e.m_zone_x0 = e.m_zone_y0 = e.m_zone_x1 = e.m_zone_y1 = 0;
    e.m_zone_dx = e.m_zone_dy = 0;
    e.m_liste_x.clear();
    e.m_liste_y.clear();
    e.is_select.clear();
  }
  ++e.m_version_selection;
  e.m_nombre_selectionnes = m.nombre;
  e.m_centre_x = m.centre_x;
  e.m_centre_y = m.centre_y;
  e.m_rouge_reference = m.rouge_reference;
  e.m_vert_reference = m.vert_reference;
  e.m_bleu_reference = m.bleu_reference;

  e.m_recette.zone = m.zone;
  e.m_recette.x0 = m.zone_x0;
  e.m_recette.y0 = m.zone_y0;
  e.m_recette.x1 = m.zone_x1;
  e.m_recette.y1 = m.zone_y1;
  e.m_recette.depart = depart;
  e.m_recette.passes = m.passes;
  e.m_histoire_selection = m.histoire;
  e.m_histoire_selection.zone_tracee = false;  // shown again, not drawn now

  e.m_choix_zone = m.choix_zone;
  e.m_ajout_souris = m.ajout_souris;
  e.m_ajout_couleurs = m.ajout_couleurs;
  e.m_retrait_souris = m.retrait_souris;
  e.m_vue_suivante_bloquee = false;

  // shown as after the live operations, for the view of the moment
  e.m_afficher_croix_appui = false;
  e.m_afficher_zone = m.zone;
  if (m.zone && zoomValide()) {
    placerZone();
    if (e.m_rect_zone.w > 0 && e.m_rect_zone.h > 0) construireFog();
  }
  e.m_afficher_selection = m.zone;
  e.m_afficher_centre = m.nombre > 0;
  if (zoomValide()) placerCroixCentre();
  const int32_t cote = e.m_taille_pixel >= 3 ? e.m_taille_pixel - 2 : e.m_taille_pixel;
  e.m_rect_source_pixel = {0, 0, cote, cote};
}
