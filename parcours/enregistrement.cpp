#include "parcours/enregistrement.h"

#include <iostream>
#include <utility>

#include "etat/etat.h"
#include "interaction/recette.h"
#include "output/detail.h"
#include "output/detail_souvenir.h"
#include "output/image_parcours.h"
#include "output/resultats.h"
#include "series/compteurs.h"

Souvenir souvenirAvantAvance() {
  const Etat& e = *g_etat;
  Souvenir s;
  s.photo = e.nom_photo_complet;
  s.compteurs = compteursSerie();
  s.largeur_photo = e.m_largeur_photo;
  s.hauteur_photo = e.m_hauteur_photo;
  s.choix_zone = e.m_choix_zone;
  s.ajout_souris = e.m_ajout_souris;
  s.ajout_couleurs = e.m_ajout_couleurs;
  s.retrait_souris = e.m_retrait_souris;
  s.zone = !e.is_select.empty();  // the lists exist once a zone was accepted
  s.zone_x0 = e.m_zone_x0;
  s.zone_y0 = e.m_zone_y0;
  s.zone_x1 = e.m_zone_x1;
  s.zone_y1 = e.m_zone_y1;
  s.bits = compacter(e.is_select);
  s.nombre = e.m_nombre_selectionnes;
  s.centre_x = e.m_centre_x;
  s.centre_y = e.m_centre_y;
  s.rouge_reference = e.m_rouge_reference;
  s.vert_reference = e.m_vert_reference;
  s.bleu_reference = e.m_bleu_reference;
  s.passes = e.m_recette.passes;
  s.depart_herite = !e.m_recette.depart.empty();
  s.histoire = e.m_histoire_selection;
  return s;
}

void enregistrerAvance(Souvenir s, const RecordEcrit& ecrit) {
  Etat& e = *g_etat;
  s.ecrit = ecrit.tente;
  if (ecrit.tente) {
    s.texte_x = texteResultat(e.m_centre_x);
    s.texte_y = texteResultat(e.m_centre_y);
    s.octets_point = ecrit.point ? s.texte_x.size() + s.texte_y.size() + 3 : 0;
    s.octets_x = ecrit.x ? s.texte_x.size() + 1 : 0;
    s.octets_y = ecrit.y ? s.texte_y.size() + 1 : 0;
  }
  const std::string ligne = texteDetailDe(s, static_cast<int64_t>(e.m_historique.souvenirs.size()) + 1);
  FichierResultat& detail = fichierDetail();
  if (detail.ouvert()) {
    if (detail.ajouter(ligne)) {
      s.octets_detail = ligne.size();
    } else {
      detail.signalerEcriture();
    }
  }
  e.m_historique.ajouter(std::move(s));
  e.m_historique.avance_faite = true;
  noterPhotoSuivante();
  redessinerImageParcours();
}
