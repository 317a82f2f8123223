#include "display/photo.h"

#include <algorithm>

#include "etat/etat.h"

namespace {

// The 32-bit format without alpha that keeps a 24-bit photo's bytes in
// their order, the padding byte after them.
Uint32 memeOrdreSur32Bits(Uint32 format) {
  const bool petit = SDL_BYTEORDER == SDL_LIL_ENDIAN;
  if (format == SDL_PIXELFORMAT_RGB24) return petit ? SDL_PIXELFORMAT_XBGR8888 : SDL_PIXELFORMAT_RGBX8888;
  if (format == SDL_PIXELFORMAT_BGR24) return petit ? SDL_PIXELFORMAT_XRGB8888 : SDL_PIXELFORMAT_BGRX8888;
  return SDL_PIXELFORMAT_UNKNOWN;
}

// The texture format the renderer would pick for this photo: its own format
// when the renderer takes it as it is, else the first plain format that has
// alpha exactly when the photo has. A renderer that uploads to a graphics
// library takes a 24-bit photo in its own byte order: OpenGL then copies
// the pixels as they are, where the other order is swizzled on the way (a
// third of the time on a 6000 x 4000 photo with Mesa). It draws the same
// pixels; the software renderer keeps the format it blits from.
Uint32 formatTexture(const FormatsTexture& formats, const SDL_Surface* photo) {
  if (formats.nombre == 0) return SDL_PIXELFORMAT_UNKNOWN;
  if (offert(formats, photo->format->format)) return photo->format->format;
  const Uint32 meme_ordre = memeOrdreSur32Bits(photo->format->format);
  if (!formats.logiciel && meme_ordre != SDL_PIXELFORMAT_UNKNOWN && offert(formats, meme_ordre)) return meme_ordre;
  bool alpha = photo->format->Amask != 0;
  for (Uint32 i = 0; i < formats.nombre; ++i) {
    Uint32 f = formats.formats[i];
    if (!SDL_ISPIXELFORMAT_FOURCC(f) && (SDL_ISPIXELFORMAT_ALPHA(f) != SDL_FALSE) == alpha) return f;
  }
  return formats.formats[0];
}

// Palettes and colour keys need SDL's own conversion; photos have neither.
bool remplissableEnPlace(const SDL_Surface* photo) {
  Uint32 f = photo->format->format;
  return !SDL_ISPIXELFORMAT_INDEXED(f) && !SDL_ISPIXELFORMAT_FOURCC(f) && !SDL_HasColorKey(const_cast<SDL_Surface*>(photo)) &&
         !SDL_MUSTLOCK(photo);
}

// Copies the photo's pixels into the texture, converting once on the way
// unless they come already converted.
bool remplir(SDL_Texture* texture, Uint32 format, SDL_Surface* photo, const SDL_Surface* prets) {
  if (format == photo->format->format) return SDL_UpdateTexture(texture, nullptr, photo->pixels, photo->pitch) == 0;
  if (prets != nullptr && prets->format->format == format && prets->w == photo->w && prets->h == photo->h)
    return SDL_UpdateTexture(texture, nullptr, prets->pixels, prets->pitch) == 0;
  void* pixels = nullptr;
  int pas = 0;
  if (SDL_LockTexture(texture, nullptr, &pixels, &pas) != 0) return false;
  int r = SDL_ConvertPixels(photo->w, photo->h, photo->format->format, photo->pixels, photo->pitch, format, pixels, pas);
  SDL_UnlockTexture(texture);
  return r == 0;
}

// Same look as a texture SDL makes from the surface: the photo's blending
// and modulation.
void reglerCommeLaPhoto(SDL_Texture* texture, SDL_Surface* photo) {
  Uint8 r = 255, v = 255, b = 255, a = 255;
  SDL_BlendMode melange = SDL_BLENDMODE_NONE;
  SDL_GetSurfaceColorMod(photo, &r, &v, &b);
  SDL_GetSurfaceAlphaMod(photo, &a);
  SDL_GetSurfaceBlendMode(photo, &melange);
  SDL_SetTextureColorMod(texture, r, v, b);
  SDL_SetTextureAlphaMod(texture, a);
  SDL_SetTextureBlendMode(texture, melange);
}

// The texture put aside when it fits the photo; any other is destroyed.
SDL_Texture* reprendreTextureLibre(Uint32 format, int largeur, int hauteur) {
  Etat& e = *g_etat;
  SDL_Texture* libre = e.m_texture_photo_libre;
  e.m_texture_photo_libre = nullptr;
  if (libre == nullptr) return nullptr;
  Uint32 f = 0;
  int acces = 0, l = 0, h = 0;
  if (SDL_QueryTexture(libre, &f, &acces, &l, &h) == 0 && f == format && l == largeur && h == hauteur) return libre;
  SDL_DestroyTexture(libre);
  return nullptr;
}

}  // namespace

bool offert(const FormatsTexture& formats, Uint32 format) {
  return std::find(formats.formats, formats.formats + formats.nombre, format) != formats.formats + formats.nombre;
}

FormatsTexture formatsTexture(SDL_Renderer* rendu) {
  FormatsTexture formats;
  SDL_RendererInfo infos;
  if (rendu == nullptr || SDL_GetRendererInfo(rendu, &infos) != 0) return formats;
  formats.nombre = std::min<Uint32>(infos.num_texture_formats, 16);
  formats.logiciel = (infos.flags & SDL_RENDERER_SOFTWARE) != 0;
  for (Uint32 i = 0; i < formats.nombre; ++i) formats.formats[i] = infos.texture_formats[i];
  return formats;
}

SDL_Surface* pixelsPourTexture(const FormatsTexture& formats, SDL_Surface* photo, std::vector<SDL_Surface*>& reserve) {
  if (photo == nullptr || !remplissableEnPlace(photo)) return nullptr;
  const Uint32 format = formatTexture(formats, photo);
  if (format == SDL_PIXELFORMAT_UNKNOWN || format == photo->format->format) return nullptr;
  SDL_Surface* prets = nullptr;
  auto repris = std::find_if(reserve.begin(), reserve.end(), [&](const SDL_Surface* s) {
    return s->w == photo->w && s->h == photo->h && s->format->format == format;
  });
  if (repris != reserve.end()) {
    prets = *repris;
    reserve.erase(repris);
  } else {
    prets = SDL_CreateRGBSurfaceWithFormat(0, photo->w, photo->h, 0, format);
  }
  if (prets == nullptr) return nullptr;
  // the very call the main thread would make into the locked texture
  if (SDL_ConvertPixels(photo->w, photo->h, photo->format->format, photo->pixels, photo->pitch, format, prets->pixels,
                        prets->pitch) != 0) {
    SDL_FreeSurface(prets);
    return nullptr;
  }
  return prets;
}

void creerTexturePhoto(const SDL_Surface* pixels_prets) {
  Etat& e = *g_etat;
  ++e.m_generation_photo;  // the same texture may come back with other pixels
  if (e.m_pTexture_prairie != nullptr) libererTexturePhoto();
  SDL_Surface* photo = e.pTempSurface_prairie;
  if (photo == nullptr || e.m_rendu == nullptr) return;

  Uint32 format =
      remplissableEnPlace(photo) ? formatTexture(formatsTexture(e.m_rendu), photo) : Uint32{SDL_PIXELFORMAT_UNKNOWN};
  if (format != SDL_PIXELFORMAT_UNKNOWN) {
    SDL_Texture* texture = reprendreTextureLibre(format, photo->w, photo->h);
    if (texture == nullptr)
      texture = SDL_CreateTexture(e.m_rendu, format, SDL_TEXTUREACCESS_STREAMING, photo->w, photo->h);
    if (texture != nullptr && remplir(texture, format, photo, pixels_prets)) {
      reglerCommeLaPhoto(texture, photo);
      e.m_pTexture_prairie = texture;
      return;
    }
    if (texture != nullptr) SDL_DestroyTexture(texture);
  }
  e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, photo);
}

void libererTexturePhoto() {
  Etat& e = *g_etat;
  SDL_Texture* texture = e.m_pTexture_prairie;
  e.m_pTexture_prairie = nullptr;
  if (texture == nullptr) return;
  // Only a texture that can be filled in place is worth keeping, and one is enough.
  int acces = 0;
  if (SDL_QueryTexture(texture, nullptr, &acces, nullptr, nullptr) != 0 || acces != SDL_TEXTUREACCESS_STREAMING) {
    SDL_DestroyTexture(texture);
    return;
  }
  if (e.m_texture_photo_libre != nullptr) SDL_DestroyTexture(e.m_texture_photo_libre);
  e.m_texture_photo_libre = texture;
}

void libererTexturePhotoLibre() {
  Etat& e = *g_etat;
  if (e.m_texture_photo_libre != nullptr && e.m_rendu != nullptr) SDL_DestroyTexture(e.m_texture_photo_libre);
  e.m_texture_photo_libre = nullptr;
}
