#pragma once
// Makes m_pTexture_prairie from pTempSurface_prairie (null surface: null
// texture). Used by the first load and by every next photo. A texture put
// aside by libererTexturePhoto is filled again in place when the photo has
// its size, which spares two photo-sized allocations per photo.
void creerTexturePhoto();
// Takes m_pTexture_prairie out of use and clears the handle; the texture is
// kept for the next photo or destroyed, never left behind.
void libererTexturePhoto();
