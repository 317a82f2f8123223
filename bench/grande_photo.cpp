#include "bench/grande_photo.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "etat/etat.h"

bool fabriquerPhoto(const std::string& chemin, bool jpeg) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 6000, 4000, 24, SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) return false;
  std::mt19937 hasard(1);
  for (int y = 0; y < s->h; ++y) {
    Uint8* ligne = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < s->w; ++x) {
      int bruit = static_cast<int>(hasard() % 24);
      ligne[3 * x] = static_cast<Uint8>((x * 255 / s->w + bruit) & 255);
      ligne[3 * x + 1] = static_cast<Uint8>((y * 255 / s->h + bruit) & 255);
      ligne[3 * x + 2] = static_cast<Uint8>(((x + y) / 40 + bruit) & 255);
    }
  }
  bool ok = (jpeg ? IMG_SaveJPG(s, chemin.c_str(), 90) : IMG_SavePNG(s, chemin.c_str())) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// The frame that follows the step; reading one pixel back waits until the
// renderer has really drawn it.
void premiereImage() {
  Etat& e = *g_etat;
  SDL_SetRenderDrawColor(e.m_rendu, 0, 150, 0, 255);
  SDL_RenderClear(e.m_rendu);
  SDL_RenderCopy(e.m_rendu, e.m_pTexture_prairie, &e.m_rect_source, &e.m_rect_destination);
  SDL_RenderPresent(e.m_rendu);
  Uint32 pixel = 0;
  SDL_Rect un{0, 0, 1, 1};
  SDL_RenderReadPixels(e.m_rendu, &un, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
}

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

SDL_Surface* photoAuDisque(int largeur, int hauteur, long rayon) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) return nullptr;
  uint32_t graine = 2463534242u;
  for (int l = 0; l < hauteur; ++l) {
    Uint8* p = static_cast<Uint8*>(s->pixels) + static_cast<size_t>(l) * s->pitch;
    for (int c = 0; c < largeur; ++c, p += 3) {
      graine ^= graine << 13;
      graine ^= graine >> 17;
      graine ^= graine << 5;
      const long dx = c - largeur / 2, dy = l - hauteur / 2;
      const bool disque = dx * dx + dy * dy < rayon * rayon;
      p[0] = disque ? Uint8(200 + (graine & 7)) : Uint8(graine);
      p[1] = disque ? Uint8(180 + ((graine >> 3) & 7)) : Uint8(graine >> 8);
      p[2] = disque ? Uint8(40 + ((graine >> 6) & 7)) : Uint8(graine >> 16);
    }
  }
  return s;
}

SDL_Texture* textureMotif(SDL_Renderer* rendu, int largeur, int hauteur) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_RGB888);
  if (s == nullptr) return nullptr;
  for (int r = 0; r < hauteur; ++r) {
    Uint32* ligne = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + r * s->pitch);
    for (int c = 0; c < largeur; ++c) ligne[c] = Uint32((c * 7) ^ (r * 13)) & 0xFFFFFF;
  }
  SDL_Texture* texture = SDL_CreateTextureFromSurface(rendu, s);
  SDL_FreeSurface(s);
  return texture;
}
