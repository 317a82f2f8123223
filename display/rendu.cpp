#include "display/rendu.h"

#include <SDL.h>

#include <algorithm>
#include <iostream>
#include <limits>

#include "app/etat.h"
#include "display/calques.h"
#include "display/partie_visible.h"
#include "platform/console.h"

namespace {

void couleur(SDL_Renderer* rendu, int32_t r, int32_t g, int32_t b, int32_t a) {
  // only the low 8 bits of each colour field reach the renderer
  SDL_SetRenderDrawColor(rendu, Uint8(r & 0xFF), Uint8(g & 0xFF), Uint8(b & 0xFF), Uint8(a & 0xFF));
}

void croix(SDL_Renderer* rendu, const SDL_Rect& h, const SDL_Rect& v) {
  SDL_RenderDrawRect(rendu, &h);
  SDL_RenderDrawRect(rendu, &v);
}

// Copies the visible part of the photo only: the same image as a copy of
// m_rect_source onto m_rect_destination, at a cost bounded by the window.
void dessinerPhoto(Etat& e) {
  int largeur_photo = 0, hauteur_photo = 0;
  if (SDL_QueryTexture(e.m_pTexture_prairie, nullptr, nullptr, &largeur_photo, &hauteur_photo) != 0) return;
  int largeur = 0, hauteur = 0;
  if (SDL_GetRendererOutputSize(e.m_rendu, &largeur, &hauteur) != 0) {
    largeur = e.m_largeur_fenetre;
    hauteur = e.m_hauteur_fenetre;
  }
  const SDL_Rect& s = e.m_rect_source;
  const SDL_Rect& d = e.m_rect_destination;
  const std::vector<Troncon> colonnes = partieVisible(s.x, s.w, d.x, d.w, largeur_photo, largeur);
  const std::vector<Troncon> lignes = partieVisible(s.y, s.h, d.y, d.h, hauteur_photo, hauteur);
  for (const Troncon& l : lignes) {
    for (const Troncon& c : colonnes) {
      SDL_Rect source{c.source_pos, l.source_pos, c.source_taille, l.source_taille};
      SDL_Rect destination{c.destination_pos, l.destination_pos, c.destination_taille, l.destination_taille};
      SDL_RenderCopyEx(e.m_rendu, e.m_pTexture_prairie, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
    }
  }
}

// A close request not yet taken by the event step (the window closed, or the
// program told to stop while the frame was drawn).
bool fermetureEnAttente() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
}

// No photo: report it and, while the run goes on, wait for the operator's
// number. After the close request nobody is there to answer.
void attendreReponse(Etat& e) {
  std::cout << "Erreur de chargement de la photo : m_pTexture_prairie n'existe pas" << std::endl;
  if (!e.m_en_marche || fermetureEnAttente()) return;
  long long reponse = 0;
  if (lireEntierConsole(reponse) == Lecture::Nombre) {
    e.m_reponse_console = int32_t(std::clamp<long long>(reponse, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
  }
}

}  // namespace

void render() {
  Etat& e = *g_etat;
  SDL_Renderer* rendu = e.m_rendu;
  couleur(rendu, e.m_rouge_fond, e.m_vert_fond, e.m_bleu_fond, e.m_alpha_fond);
  SDL_RenderClear(rendu);

  if (e.m_pTexture_prairie != nullptr) {
    dessinerPhoto(e);
  } else {
    attendreReponse(e);
  }

  if (e.m_afficher_croix_appui) {
    couleur(rendu, 0, 255, 0, 255);
    croix(rendu, e.m_croix_appui_h, e.m_croix_appui_v);
  }
  if (e.m_afficher_zone) {
    couleur(rendu, 0, 255, 0, 255);
    dessinerZone();
  }
  if (e.m_afficher_selection) dessinerMarqueurs();
  if (e.m_afficher_centre) {
    couleur(rendu, 0, 255, 0, 255);
    croix(rendu, e.m_croix_horizontale, e.m_croix_verticale);
  }
  if (e.m_afficher_croix_fenetre) {
    couleur(rendu, 0, 0, 255, 255);
    croix(rendu, e.m_croix_fenetre_h, e.m_croix_fenetre_v);
  }
  SDL_RenderPresent(rendu);
}
