#include "parcours/retour.h"

#include <SDL.h>

#include <iostream>

#include "etat/etat.h"
#include "display/placement.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "output/detail.h"
#include "output/image_parcours.h"
#include "parcours/enregistrement.h"
#include "output/resultats.h"
#include "parcours/chargement.h"
#include "series/compteurs.h"

namespace {

void retirerOuSignaler(FichierResultat& fichier, size_t octets) {
  if (octets == 0 || !fichier.ouvert()) return;
  if (!fichier.retirer(octets)) fichier.signalerEcriture();
}

// Each file loses what the advance appended to it, in one cut: a kill leaves
// it with or without that line. A resume makes the result files again from
// the detail rows, so the files need not be cut together.
void retirerEcritures(const Souvenir& s) {
  retirerOuSignaler(fichierDetail(), s.octets_detail);
  retirerOuSignaler(fichierPoint(), s.octets_point);
  retirerOuSignaler(fichierX(), s.octets_x);
  retirerOuSignaler(fichierY(), s.octets_y);
}

}  // namespace

void restaurerSelection(const Souvenir& s, const std::vector<bool>& depart) {
  Etat& e = *g_etat;
  if (s.zone) {
    construireZone(s.zone_x0, s.zone_y0, s.zone_x1, s.zone_y1);
    std::vector<bool> bits = decompacter(s.bits);
    if (bits.size() == e.is_select.size()) e.is_select = std::move(bits);
  } else {
    e.m_zone_x0 = e.m_zone_y0 = e.m_zone_x1 = e.m_zone_y1 = 0;
    e.m_zone_dx = e.m_zone_dy = 0;
    e.m_liste_x.clear();
    e.m_liste_y.clear();
    e.is_select.clear();
  }
  ++e.m_version_selection;
  e.m_nombre_selectionnes = s.nombre;
  e.m_centre_x = s.centre_x;
  e.m_centre_y = s.centre_y;
  e.m_rouge_reference = s.rouge_reference;
  e.m_vert_reference = s.vert_reference;
  e.m_bleu_reference = s.bleu_reference;

  e.m_recette.zone = s.zone;
  e.m_recette.x0 = s.zone_x0;
  e.m_recette.y0 = s.zone_y0;
  e.m_recette.x1 = s.zone_x1;
  e.m_recette.y1 = s.zone_y1;
  e.m_recette.depart = depart;
  e.m_recette.passes = s.passes;
  e.m_histoire_selection = s.histoire;

  e.m_choix_zone = s.choix_zone;
  e.m_ajout_souris = s.ajout_souris;
  e.m_ajout_couleurs = s.ajout_couleurs;
  e.m_retrait_souris = s.retrait_souris;
  e.m_vue_suivante_bloquee = false;

  // shown as after the live operations, for the view of the moment
  e.m_afficher_croix_appui = false;
  e.m_afficher_zone = s.zone;
  if (s.zone && zoomValide()) {
    placerZone();
    if (e.m_rect_zone.w > 0 && e.m_rect_zone.h > 0) construireFog();
  }
  e.m_afficher_selection = s.zone;
  e.m_afficher_centre = s.nombre > 0;
  if (zoomValide()) placerCroixCentre();
  const int32_t m = e.m_taille_pixel >= 3 ? e.m_taille_pixel - 2 : e.m_taille_pixel;
  e.m_rect_source_pixel = {0, 0, m, m};
}

void reculerPhoto() {
  Etat& e = *g_etat;
  // RETURN still down would record the photo again in the next frame
  if (e.m_etat_clavier != nullptr && e.m_etat_clavier[SDL_SCANCODE_RETURN]) {
    std::cout << "Retour impossible : touche Entree enfoncee" << std::endl;
    return;
  }
  std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  if (souvenirs.empty()) {
    std::cout << "Pas de photo precedente" << std::endl;
    return;
  }
  std::cout << "Retour a la photo precedente" << std::endl;
  const bool depuis_fin = e.nom_photo_complet == cheminImageFin();
  Souvenir s = e.m_historique.retirer();
  retirerEcritures(s);

  libererPhotoSansTraces();
  remettreCompteurs(s.compteurs);
  e.nom_photo_complet = s.photo;
  std::cout << "nom_photo_complet " << e.nom_photo_complet << std::endl;  // trailing blank is part of the line
  if (depuis_fin) {
    // the closing picture had zoom 0.25 and its own size: back to the zoom of
    // the zoom index and the photo's own placement
    if (e.m_indice_zoom >= 0 && e.m_indice_zoom < 9 && e.m_table_zoom[e.m_indice_zoom] > 0.0)
      e.m_zoom = e.m_table_zoom[e.m_indice_zoom];
  }
  const bool replacer = depuis_fin || s.largeur_photo != e.m_largeur_photo || s.hauteur_photo != e.m_hauteur_photo;
  e.m_largeur_photo = s.largeur_photo;
  e.m_hauteur_photo = s.hauteur_photo;
  if (replacer) placerAvecTranslation(e.m_translation_x, e.m_translation_y);
  chargerPhotoCourante();

  std::vector<bool> depart;
  if (s.depart_herite && !souvenirs.empty()) depart = decompacter(souvenirs.back().bits);
  restaurerSelection(s, depart);
  redessinerImageParcours();
}
