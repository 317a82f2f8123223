#include "parcours/chargement.h"

#include <SDL.h>

#include <iostream>

#include "display/photo.h"
#include "display/placement.h"
#include "etat/etat.h"
#include "parcours/prechargement_photos.h"
#include "series/compteurs.h"

namespace {

// The traces are part of the console output, also when there was nothing to
// release. Fog goes by its flag, gFog by its handle.
void liberer(bool traces) {
  Etat& e = *g_etat;
  if (e.m_fog_existe != 0) {
    SDL_FreeSurface(e.Fog);
    e.Fog = nullptr;
    e.m_fog_existe = 0;
  } else {
    if (traces) std::cout << "Pas Fog" << std::endl;
  }
  if (traces) std::cout << "apres 1" << std::endl;

  if (e.pTempSurface_prairie != nullptr) {
    libererSurfacePhoto(e.pTempSurface_prairie);
    e.pTempSurface_prairie = nullptr;
    // They pointed into the freed photo.
    e.m_surface_lue = nullptr;
    e.m_format_photo = nullptr;
    e.m_adresse_pixel = nullptr;
  } else {
    if (traces) std::cout << "Pas pTempSurface_prairie" << std::endl;
  }
  if (traces) std::cout << "apres 2" << std::endl;

  if (e.m_pTexture_prairie != nullptr) {
    libererTexturePhoto();
  } else {
    if (traces) std::cout << "Pas m_pTexture_prairie" << std::endl;
  }
  if (traces) std::cout << "apres 3" << std::endl;
  if (traces) std::cout << "apres 4" << std::endl;

  if (e.gFog != nullptr) {
    SDL_DestroyTexture(e.gFog);
    e.gFog = nullptr;
    e.m_gfog_existe = 0;
  } else {
    if (traces) std::cout << "Pas gFog" << std::endl;
  }
  if (traces) std::cout << "apres 6" << std::endl;
  if (traces) std::cout << "Memoire liberee" << std::endl;
}

// Loads nom_photo_complet into the photo surface and its texture.
void chargerPhoto() {
  Etat& e = *g_etat;
  SDL_Surface* pixels_prets = nullptr;  // the texture's pixels, when read ahead
  e.pTempSurface_prairie = lirePhoto(e.nom_photo_complet, pixels_prets);
  if (e.pTempSurface_prairie == nullptr) std::cout << "Erreur de chargement de la photo : " << SDL_GetError() << std::endl;
  std::cout << "Image chargee" << std::endl;
  creerTexturePhoto(pixels_prets);
  rendrePixelsPrets(pixels_prets);
}

// A photo of another size than the one before (or the first one that loads
// after a missing start) takes its own size and is placed again, zoom and pan
// kept: its pixels, centres and reads then stay in its own frame. A failed
// load keeps the old size.
void chargerPhotoSuivante() {
  Etat& e = *g_etat;
  chargerPhoto();
  const SDL_Surface* photo = e.pTempSurface_prairie;
  if (photo == nullptr || (photo->w == e.m_largeur_photo && photo->h == e.m_hauteur_photo)) return;
  e.m_largeur_photo = photo->w;
  e.m_hauteur_photo = photo->h;
  placerAvecTranslation(e.m_translation_x, e.m_translation_y);
}

}  // namespace

void chargerImageFin() {
  Etat& e = *g_etat;
  e.m_zoom = 0.25;
  chargerPhoto();
  if (e.pTempSurface_prairie != nullptr) {
    e.m_largeur_photo = e.pTempSurface_prairie->w;
    e.m_hauteur_photo = e.pTempSurface_prairie->h;
  }
  placerAvecTranslation(0.0, 0.0);
}

void libererPhoto() { liberer(true); }

void libererPhotoSansTraces() { liberer(false); }

void chargerPhotoCourante() { chargerPhotoSuivante(); }

// Past the last photo: the closing picture, centred at zoom 0.25. The pan
// fields and the zoom index stay as they were.
void afficherImageFin() {
  Etat& e = *g_etat;
  std::cout << "Traitement termine" << std::endl;
  e.nom_photo_complet = cheminImageFin();
  std::cout << "nom_photo_complet " << e.nom_photo_complet << std::endl;  // trailing blank is part of the line
  chargerImageFin();
}

void montrerPhotoDuRun(const Souvenir& s, const std::string& ligne) {
  Etat& e = *g_etat;
  const bool depuis_fin = e.nom_photo_complet == cheminImageFin();
  libererPhotoSansTraces();
  remettreCompteurs(s.compteurs);
  e.nom_photo_complet = s.photo;
  std::cout << ligne << e.nom_photo_complet << std::endl;
  if (depuis_fin) {
    // the closing picture had zoom 0.25 and its own size: back to the zoom of
    // the zoom index and the photo's own placement
    if (e.m_indice_zoom >= 0 && e.m_indice_zoom < 9 && e.m_table_zoom[e.m_indice_zoom] > 0.0)
      e.m_zoom = e.m_table_zoom[e.m_indice_zoom];
  }
  const bool replacer = depuis_fin || s.largeur_photo != e.m_largeur_photo || s.hauteur_photo != e.m_hauteur_photo;
  e.m_largeur_photo = s.largeur_photo;
  e.m_hauteur_photo = s.hauteur_photo;
  if (replacer) placerAvecTranslation(e.m_translation_x, e.m_translation_y);
  chargerPhotoCourante();
}
