#include "output/enregistrement.h"

#include <iostream>
#include <utility>

#include "app/etat.h"
#include "output/detail.h"
#include "output/resultats.h"
#include "output/trajectoire_svg.h"

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

std::string texteDetailDe(const Souvenir& s, int64_t rang) {
  const Etat& e = *g_etat;
  LigneDetail l;
  l.rang = rang;
  l.photo = s.photo;
  l.ecrit = s.ecrit;
  if (s.ecrit) {
    l.x = s.texte_x;
    l.y = s.texte_y;
  }
  l.pixels = s.nombre;
  l.repete = !s.histoire.changee;
  l.zone_x0 = s.zone_x0;
  l.zone_y0 = s.zone_y0;
  l.zone_x1 = s.zone_x1;
  l.zone_y1 = s.zone_y1;
  l.couleur = s.histoire.couleur;
  l.rouge = s.histoire.rouge;
  l.vert = s.histoire.vert;
  l.bleu = s.histoire.bleu;
  l.tol_rouge = e.m_tolerance_rouge;
  l.tol_vert = e.m_tolerance_vert;
  l.tol_bleu = e.m_tolerance_bleu;
  if (s.nombre > 0) {
    // the spread of what is selected now, the bits the centre came from
    const EcartsTypes ecarts = ecartsTypes(e.m_liste_x, e.m_liste_y, e.is_select);
    l.ecart_type_x = ecarts.x;
    l.ecart_type_y = ecarts.y;
  }
  l.origine = s.nombre <= 0 ? "aucun" : s.histoire.proposee ? "propose" : "manuel";
  return texteLigneDetail(l);
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
  redessinerTrajectoire();
}

void redessinerTrajectoire() {
  const Etat& e = *g_etat;
  std::vector<PointTrajet> points;
  int32_t largeur = e.m_largeur_photo, hauteur = e.m_hauteur_photo;
  const std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  for (size_t i = 0; i < souvenirs.size(); ++i) {
    if (!souvenirs[i].ecrit) continue;
    points.push_back({static_cast<int64_t>(i) + 1, souvenirs[i].centre_x, souvenirs[i].centre_y});
    largeur = souvenirs[i].largeur_photo;
    hauteur = souvenirs[i].hauteur_photo;
  }
  // the picture is an aid: a failure to write it costs no measurement
  ecrireTrajectoireSvg("donnees/trajectoire.svg", texteTrajectoireSvg(points, largeur, hauteur));
}
