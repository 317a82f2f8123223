#include "display/photo.h"

#include "app/etat.h"

void creerTexturePhoto() {  // placeholder: a plain texture per photo
  Etat& e = *g_etat;
  e.m_pTexture_prairie = e.pTempSurface_prairie != nullptr
                             ? SDL_CreateTextureFromSurface(e.m_rendu, e.pTempSurface_prairie)
                             : nullptr;
}
