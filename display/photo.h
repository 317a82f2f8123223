#pragma once
// Makes m_pTexture_prairie from pTempSurface_prairie (null surface: null
// texture). Used by the first load and by every next photo.
void creerTexturePhoto();
