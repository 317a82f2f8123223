#include "parcours/reprise.h"

#include <iostream>
#include <locale>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "etat/etat.h"
#include "calibration/reecriture_calibree.h"
#include "output/detail.h"
#include "output/image_parcours.h"
#include "output/concordance.h"
#include "output/resultats.h"
#include "parcours/chargement.h"
#include "parcours/selection_photo.h"
#include "series/compteurs.h"
#include "series/nom_photo.h"

namespace {

const char kCopieDetail[] = "donnees/resu_detail.csv.bak";

double valeurDe(const std::string& texte) {
  std::istringstream flux(texte);
  flux.imbue(std::locale::classic());
  double v = 0.0;
  flux >> v;
  return v;
}

// The souvenir of a resumed row: what the row tells. Its bits are not in the
// file: a step back to it brings the zone, count and centre, nothing selected.
Souvenir souvenirDe(const LigneDetail& l, const std::string& brut, const CompteursSerie& compteurs) {
  const Etat& e = *g_etat;
  Souvenir s;
  s.photo = l.photo;
  s.compteurs = compteurs;
  s.largeur_photo = e.m_largeur_photo;
  s.hauteur_photo = e.m_hauteur_photo;
  SelectionPhoto& m = s.selection;
  m.zone = true;
  m.zone_x0 = l.zone_x0;
  m.zone_y0 = l.zone_y0;
  m.zone_x1 = l.zone_x1;
  m.zone_y1 = l.zone_y1;
  const int64_t dx = int64_t{l.zone_x1} - l.zone_x0, dy = int64_t{l.zone_y1} - l.zone_y0;
  m.bits.taille = dx >= 0 && dy >= 0 ? static_cast<uint64_t>((dx + 1) * (dy + 1)) : 0;
  m.bits.perdus = true;
  m.nombre = static_cast<int32_t>(l.pixels);
  s.ecrit = l.ecrit;
  if (l.ecrit) {
    s.texte_x = l.x;
    s.texte_y = l.y;
    m.centre_x = valeurDe(l.x);
    m.centre_y = valeurDe(l.y);
  }
  s.ligne_detail = brut;
  s.saute = l.origine == "saute";
  s.absente = l.origine == "absente";  // passed as a photo passed with N is
  m.ecart_type_x = l.ecart_type_x;
  m.ecart_type_y = l.ecart_type_y;
  m.histoire.changee = !l.repete;
  m.histoire.proposee = l.origine == "propose";
  // who pressed RETURN is not in the file: a proposal counts as the run's, so
  // a proposal's spread is compared with a record made by hand
  m.histoire.par_le_suivi = m.histoire.proposee;
  m.histoire.couleur = l.couleur;
  m.histoire.rouge = static_cast<Uint8>(l.rouge);
  m.histoire.vert = static_cast<Uint8>(l.vert);
  m.histoire.bleu = static_cast<Uint8>(l.bleu);
  if (l.couleur) {
    // the one colour pass a row tells of, for a proposal to start from
    PasseSelection p;
    p.rouge = m.histoire.rouge;
    p.vert = m.histoire.vert;
    p.bleu = m.histoire.bleu;
    p.tolerance_rouge = l.tol_rouge;
    p.tolerance_vert = l.tol_vert;
    p.tolerance_bleu = l.tol_bleu;
    m.passes.push_back(p);
  }
  return s;
}


void refuser(const std::string& raison) { std::cout << "Reprise impossible : " << raison << std::endl; }

}  // namespace

void reprendreSerie() {
  Etat& e = *g_etat;
  if (e.m_historique.avance_faite) {
    refuser("la serie a deja avance");
    return;
  }
  std::vector<LigneDetail> lignes;
  std::vector<std::string> bruts;
  std::string raison;
  if (!lireFichierDetail(kCopieDetail, lignes, bruts, raison)) {
    refuser(raison);
    return;
  }
  // The rows must be this series' photos in order, named as the advances
  // would name them.
  CompteursSerie c = compteursSerie();
  std::string attendu = e.nom_photo_complet;
  std::vector<CompteursSerie> avant;
  Increment increment = Increment::DansLaSerie;
  for (size_t i = 0; i < lignes.size(); ++i) {
    if (lignes[i].photo != attendu) {
      refuser("ligne " + std::to_string(i + 1) + " : " + lignes[i].photo + " au lieu de " + attendu);
      return;
    }
    avant.push_back(c);
    increment = incrementerCompteurs(c);
    if (increment == Increment::SchemaInconnu) {
      refuser("schema de noms inconnu");
      return;
    }
    attendu = increment == Increment::DansLaSerie ? nomPhotoPour(c) : cheminImageFin();
  }

  // The four files replaced whole and together: a kill leaves each empty or
  // complete, and a failure leaves them all as they were.
  std::vector<Souvenir> souvenirs;
  for (size_t i = 0; i < lignes.size(); ++i) souvenirs.push_back(souvenirDe(lignes[i], bruts[i], avant[i]));
  if (!remplacerEnsemble(souvenirs, raison)) {
    refuser(raison);
    return;
  }
  for (Souvenir& s : souvenirs) e.m_historique.ajouter(std::move(s));
  e.m_historique.avance_faite = true;
  // the calibrated files, like the four, in place before the line that says the resume is done
  reprendreFichiersCalibres();

  std::cout << "Reprise de " << lignes.size() << " photos" << std::endl;
  libererPhotoSansTraces();
  remettreCompteurs(c);
  e.nom_photo_complet = attendu;
  std::cout << "nom_photo_complet " << e.nom_photo_complet << std::endl;  // trailing blank is part of the line
  if (increment == Increment::DansLaSerie) {
    chargerPhotoCourante();
  } else {
    chargerImageFin();
  }
  // the last row's zone, nothing selected yet: I and a click measure on
  SelectionPhoto zone = e.m_historique.souvenirs.back().selection;
  zone.nombre = 0;
  zone.centre_x = zone.centre_y = 0.0;
  zone.histoire.changee = false;
  zone.choix_zone = true;
  zone.ajout_souris = zone.ajout_couleurs = zone.retrait_souris = false;
  zone.passes.clear();  // the row's colour pass stays in the history, for a proposal
  restaurerSelection(zone, {});
  redessinerImageParcours();
}
