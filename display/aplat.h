#pragma once
#include <SDL.h>

#include <cstdint>

// An object pair of one flat colour: the zone overlay and the pixel marker are
// both a filled surface and the blended texture made from it.
struct Aplat {
  SDL_Surface*& surface;
  int32_t& surface_existe;
  SDL_Texture*& texture;
  int32_t& texture_existe;
};

// Makes the surface (largeur x hauteur) filled with the colour and its texture,
// blended with the alpha modulation; colours and alpha are taken as their low
// 8 bits. Each existence flag is set once its creation was tried; a creation
// that fails writes the SDL error text (no line end) and stops there, so a
// missing object is never used.
void creerAplat(const Aplat& aplat, int32_t largeur, int32_t hauteur, int32_t rouge, int32_t vert, int32_t bleu,
                int32_t alpha);
