#pragma once

#include <SDL.h>

#include <vector>

// Makes m_pTexture_prairie from pTempSurface_prairie (null surface: null
// texture). Used by the first load and by every next photo. A texture put
// aside by libererTexturePhoto is filled again in place when the photo has
// its size, which spares two photo-sized allocations per photo. Pixels
// already converted by pixelsPourTexture for this photo are copied in as
// they are.
void creerTexturePhoto(const SDL_Surface* pixels_prets = nullptr);
// Takes m_pTexture_prairie out of use and clears the handle; the texture is
// kept for the next photo or destroyed, never left behind.
void libererTexturePhoto();
// Destroys the texture kept aside for the next photo, before the renderer goes.
void libererTexturePhotoLibre();

// The texture formats of a renderer, read once on the main thread.
struct FormatsTexture {
  Uint32 formats[16] = {};
  Uint32 nombre = 0;
  bool logiciel = false;  // SDL's software renderer
};
FormatsTexture formatsTexture(SDL_Renderer* rendu);
// Whether the renderer takes textures of this format.
bool offert(const FormatsTexture& formats, Uint32 format);
// Off the main thread: the photo's pixels converted as creerTexturePhoto
// would convert them into its texture; null when the texture takes the
// photo's own pixels or SDL makes the texture itself. A surface of reserve
// of the very size and format is filled and taken out of it rather than a
// new one made.
SDL_Surface* pixelsPourTexture(const FormatsTexture& formats, SDL_Surface* photo, std::vector<SDL_Surface*>& reserve);
