#include "parcours/navigation.h"

#include <SDL.h>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "etat/etat.h"
#include "parcours/chargement.h"
#include "parcours/enregistrement.h"
#include "parcours/selection_photo.h"
#include "series/compteurs.h"

int64_t nombrePhotosDuRun() { return static_cast<int64_t>(g_etat->m_historique.souvenirs.size()) + 1; }

int64_t indicePhotoMontree() {
  const Historique& h = g_etat->m_historique;
  return h.affichee >= 0 ? h.affichee : static_cast<int64_t>(h.souvenirs.size());
}

bool surPhotoPassee() { return g_etat->m_historique.affichee >= 0; }

bool entreeTenue() {
  const Uint8* clavier = g_etat->m_etat_clavier;
  return clavier != nullptr && clavier[SDL_SCANCODE_RETURN] != 0;
}

bool navigationRefusee(const char* quoi) {
  const Etat& e = *g_etat;
  const char* raison = nullptr;
  if (entreeTenue()) raison = "touche Entree enfoncee";
  if (e.m_suivi_en_cours) raison = "suivi en cours";
  if (raison == nullptr) return false;
  std::cout << quoi << " impossible : " << raison << std::endl;
  return true;
}

void attendreRelacheEntree() {
  Etat& e = *g_etat;
  if (!entreeTenue() || e.m_vue_suivante_bloquee) return;
  e.m_vue_suivante_bloquee = true;
  e.m_historique.entree_a_relacher = true;
}

void montrerSuivanteApresEntree() {
  Etat& e = *g_etat;
  montrerPhoto(indicePhotoMontree() + 1);
  e.m_vue_suivante_bloquee = true;
  e.m_historique.entree_a_relacher = true;
}

void montrerPhoto(int64_t indice) {
  Etat& e = *g_etat;
  Historique& h = e.m_historique;
  const std::vector<Souvenir>& souvenirs = h.souvenirs;
  const int64_t n = static_cast<int64_t>(souvenirs.size());
  if (h.affichee < 0) {
    // the last photo as left, its selection unrecorded yet
    h.derniere = souvenirAvantAvance();
    h.derniere_zone_montree = e.m_afficher_zone;
    h.derniere_selection_montree = e.m_afficher_selection;
    h.derniere_centre_montre = e.m_afficher_centre;
  }
  const std::string ligne = "Photo " + std::to_string(indice + 1) + "/" + std::to_string(n + 1) + " : ";
  const Souvenir& s = indice < n ? souvenirs[static_cast<size_t>(indice)] : h.derniere;
  if (indice == n && s.photo == cheminImageFin()) {
    // a finished run: the closing picture, as the RETURN past the end shows it
    libererPhotoSansTraces();
    remettreCompteurs(s.compteurs);
    e.nom_photo_complet = s.photo;
    std::cout << ligne << e.nom_photo_complet << std::endl;
    chargerImageFin();
  } else {
    montrerPhotoDuRun(s, ligne);
  }
  std::vector<bool> depart;
  if (s.selection.depart_herite && indice > 0) depart = decompacter(souvenirs[static_cast<size_t>(indice - 1)].selection.bits);
  restaurerSelection(s.selection, depart);
  h.entree_a_relacher = false;
  if (indice < n) {
    h.affichee = indice;
    // RETURN replaces this record only after a change made here
    e.m_histoire_selection.changee = false;
    return;
  }
  h.affichee = -1;
  e.m_afficher_zone = h.derniere_zone_montree;
  e.m_afficher_selection = h.derniere_selection_montree;
  e.m_afficher_centre = h.derniere_centre_montre;
  h.derniere = Souvenir();
}

namespace {

void aucunePrecedente() { std::cout << "Pas de photo precedente" << std::endl; }
void aucuneSuivante() { std::cout << "Pas de photo suivante mesuree" << std::endl; }

}  // namespace

void photoPrecedente() {
  if (navigationRefusee("Navigation")) return;
  const int64_t i = indicePhotoMontree();
  if (i == 0) return aucunePrecedente();
  montrerPhoto(i - 1);
}

void photoSuivante() {
  if (navigationRefusee("Navigation")) return;
  const int64_t i = indicePhotoMontree();
  if (i + 1 >= nombrePhotosDuRun()) return aucuneSuivante();
  montrerPhoto(i + 1);
}

void premierePhoto() {
  if (navigationRefusee("Navigation")) return;
  if (indicePhotoMontree() == 0) return aucunePrecedente();
  montrerPhoto(0);
}

void dernierePhoto() {
  if (navigationRefusee("Navigation")) return;
  if (!surPhotoPassee()) return aucuneSuivante();
  montrerPhoto(nombrePhotosDuRun() - 1);
}

void etapeNavigation() {
  Etat& e = *g_etat;
  Historique& h = e.m_historique;
  if (!h.entree_a_relacher || entreeTenue()) return;
  h.entree_a_relacher = false;
  e.m_vue_suivante_bloquee = false;
}
