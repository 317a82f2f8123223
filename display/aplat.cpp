#include "display/aplat.h"

#include <iostream>

#include "etat/etat.h"

void creerAplat(const Aplat& aplat, int32_t largeur, int32_t hauteur, int32_t rouge, int32_t vert, int32_t bleu,
                int32_t alpha) {
  Etat& e = *g_etat;
  aplat.surface = SDL_CreateRGBSurface(0, largeur, hauteur, 32, 0, 0, 0, 0);
  aplat.surface_existe = 1;
  if (aplat.surface == nullptr) {
    std::cout << SDL_GetError() << std::flush;
    return;  // nothing to fill and nothing to make a texture from
  }
  SDL_FillRect(aplat.surface, nullptr,
               SDL_MapRGBA(aplat.surface->format, Uint8(rouge & 0xFF), Uint8(vert & 0xFF), Uint8(bleu & 0xFF), 255));
  aplat.texture = SDL_CreateTextureFromSurface(e.m_rendu, aplat.surface);
  aplat.texture_existe = 1;
  if (aplat.texture == nullptr) {
    std::cout << SDL_GetError() << std::flush;
    return;
  }
  SDL_SetTextureBlendMode(aplat.texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(aplat.texture, Uint8(alpha & 0xFF));
}
