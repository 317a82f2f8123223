#include "fuzz/entree_selection.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

void echec(const std::string& raison) {
  std::fprintf(stderr, "fuzz_selection: %s\n", raison.c_str());
  std::abort();
}

namespace {

const Uint32 kFormats[] = {
    SDL_PIXELFORMAT_INDEX1LSB, SDL_PIXELFORMAT_INDEX1MSB, SDL_PIXELFORMAT_INDEX4LSB, SDL_PIXELFORMAT_INDEX4MSB,
    SDL_PIXELFORMAT_INDEX8,    SDL_PIXELFORMAT_RGB332,    SDL_PIXELFORMAT_RGB444,    SDL_PIXELFORMAT_BGR444,
    SDL_PIXELFORMAT_RGB555,    SDL_PIXELFORMAT_BGR555,    SDL_PIXELFORMAT_ARGB4444,  SDL_PIXELFORMAT_RGBA4444,
    SDL_PIXELFORMAT_ABGR4444,  SDL_PIXELFORMAT_BGRA4444,  SDL_PIXELFORMAT_ARGB1555,  SDL_PIXELFORMAT_RGBA5551,
    SDL_PIXELFORMAT_ABGR1555,  SDL_PIXELFORMAT_BGRA5551,  SDL_PIXELFORMAT_RGB565,    SDL_PIXELFORMAT_BGR565,
    SDL_PIXELFORMAT_RGB24,     SDL_PIXELFORMAT_BGR24,     SDL_PIXELFORMAT_RGB888,    SDL_PIXELFORMAT_RGBX8888,
    SDL_PIXELFORMAT_BGR888,    SDL_PIXELFORMAT_BGRX8888,  SDL_PIXELFORMAT_ARGB8888,  SDL_PIXELFORMAT_RGBA8888,
    SDL_PIXELFORMAT_ABGR8888,  SDL_PIXELFORMAT_BGRA8888,  SDL_PIXELFORMAT_ARGB2101010,
};
constexpr int kNombreFormats = sizeof kFormats / sizeof kFormats[0];

}  // namespace

Photo creerPhoto(Octets& o) {
  Photo photo;
  const Uint32 format = kFormats[o.u8() % kNombreFormats];
  const int w = 1 + o.u8() % 64;
  const int h = 1 + o.u8() % 64;
  photo.s = SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format);
  if (photo.s == nullptr) echec(std::string("surface: ") + SDL_GetError());
  SDL_Surface* s = photo.s;
  // the pixel bytes, padding included, repeat a pattern from the input
  std::vector<uint8_t> motif(1 + o.u8() % 32);
  for (uint8_t& b : motif) b = o.u8();
  uint8_t* pixels = static_cast<uint8_t*>(s->pixels);
  const size_t taille = static_cast<size_t>(s->pitch) * s->h;
  for (size_t i = 0; i < taille; ++i) pixels[i] = motif[i % motif.size()];
  if (SDL_Palette* palette = s->format->palette) {
    for (int i = 0; i < palette->ncolors; ++i) {
      palette->colors[i] = {motif[(3 * i) % motif.size()], motif[(3 * i + 1) % motif.size()],
                            motif[(3 * i + 2) % motif.size()], 255};
    }
  }
  photo.connue.assign(static_cast<size_t>(w) * h, -1);
  // uniform patches, like the tracked object on its background
  for (int n = o.u8() % 4; n > 0; --n) {
    SDL_Rect r{o.u8() % w, o.u8() % h, 1 + o.u8() % w, 1 + o.u8() % h};
    const Uint8 rouge = o.u8(), vert = o.u8(), bleu = o.u8();
    const Uint32 valeur = SDL_MapRGB(s->format, rouge, vert, bleu);
    if (s->format->BitsPerPixel < 8 || SDL_FillRect(s, &r, valeur) != 0) continue;
    Uint8 lu[3];
    SDL_GetRGB(valeur, s->format, &lu[0], &lu[1], &lu[2]);
    for (int l = r.y; l < std::min(h, r.y + r.h); ++l) {
      for (int c = r.x; c < std::min(w, r.x + r.w); ++c) photo.connue[size_t(l) * w + c] = lu[0] << 16 | lu[1] << 8 | lu[2];
    }
  }
  return photo;
}

int couleurReference(const SDL_Surface* s, int c, int l) {
  const SDL_PixelFormat* f = s->format;
  const uint8_t* ligne = static_cast<const uint8_t*>(s->pixels) + size_t(l) * s->pitch;
  Uint32 v = 0;
  if (f->BitsPerPixel < 8) {
    const int bits = f->BitsPerPixel;
    const int par_octet = 8 / bits;
    const uint8_t octet = ligne[c / par_octet];
    const int rang = c % par_octet;
    const bool poids_faible_d_abord = SDL_PIXELORDER(f->format) == SDL_BITMAPORDER_4321;
    const int decalage = poids_faible_d_abord ? rang * bits : 8 - bits - rang * bits;
    v = (octet >> decalage) & ((1u << bits) - 1);
  } else {
    // the pixel's bytes as a number in the machine's byte order
    const int n = f->BytesPerPixel;
    const uint8_t* p = ligne + size_t(c) * n;
    for (int k = 0; k < n; ++k) v |= Uint32(p[k]) << 8 * (SDL_BYTEORDER == SDL_LIL_ENDIAN ? k : n - 1 - k);
  }
  Uint8 r, g, b;
  SDL_GetRGB(v, f, &r, &g, &b);
  return r << 16 | g << 8 | b;
}
