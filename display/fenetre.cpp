#include "display/fenetre.h"

#include <SDL.h>
#include <SDL_image.h>

#include <iostream>

#include "etat/etat.h"
#include "display/marqueur_pixel.h"
#include "display/photo.h"
#include "display/placement.h"

namespace {
// Timer, audio, video, joystick, haptic, game controller and events; no sensor.
constexpr Uint32 kSousSystemes = SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK |
                                 SDL_INIT_HAPTIC | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS;
static_assert(kSousSystemes == 0x7231, "the seven subsystems the program starts");
}  // namespace

bool init() {
  Etat& e = *g_etat;
  if (SDL_Init(kSousSystemes) != 0) {
    std::cout << "SDL init fail" << std::endl;
    return false;
  }
  std::cout << "SDL init success" << std::endl;

  e.m_fenetre = SDL_CreateWindow("Trelune", 100, 20, e.m_largeur_fenetre, e.m_hauteur_fenetre, 0);
  if (e.m_fenetre == nullptr) {
    std::cout << "window init fail" << std::endl;
    return false;
  }
  std::cout << "window creation success" << std::endl;

  e.m_rendu = SDL_CreateRenderer(e.m_fenetre, -1, 0);
  if (e.m_rendu == nullptr) {
    std::cout << "renderer init fail" << std::endl;
    return false;
  }
  std::cout << "renderer creation success" << std::endl;

  e.pTempSurface_prairie = IMG_Load(e.nom_photo_complet.c_str());
  if (e.pTempSurface_prairie == nullptr) {
    std::cout << "Erreur de chargement de la photo : " << SDL_GetError() << std::endl;
  }
  // printed after a failed load too: the run goes on without a photo
  std::cout << "Image chargee" << std::endl;

  creerTexturePhoto();
  // a null texture leaves the size untouched: 0 by 0 from the start state
  SDL_QueryTexture(e.m_pTexture_prairie, nullptr, nullptr, &e.m_largeur_photo, &e.m_hauteur_photo);
  std::cout << "larg photo = " << e.m_largeur_photo << " haut photo = " << e.m_hauteur_photo << std::endl;

  placerPhoto();
  // the selected pixels show from the first colour pass, before any zoom step
  marqueurPourLeZoom();
  std::cout << "photo : x_source = " << e.m_rect_source.x << " larg = " << e.m_rect_source.w
            << " y = " << e.m_rect_source.y << " haut = " << e.m_rect_source.h << std::endl;
  std::cout << "init success" << std::endl;

  e.m_en_marche = true;
  e.m_mode_couleurs_voisines = true;
  e.m_choix_zone = true;
  return true;
}

void placerPhoto() {
  // the pan is not read: the photo comes back to the centre, the pan fields stay
  placerAvecTranslation(0.0, 0.0);
}

void tailleSortie(const Etat& e, int& largeur, int& hauteur) {
  if (SDL_GetRendererOutputSize(e.m_rendu, &largeur, &hauteur) != 0) {
    largeur = e.m_largeur_fenetre;
    hauteur = e.m_hauteur_fenetre;
  }
}
