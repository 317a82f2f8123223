#include "output/vue_suivante.h"

#include <SDL.h>
#include <SDL_image.h>

#include <iostream>
#include <limits>
#include <string>
#include <utility>

#include "app/etat.h"
#include "display/photo.h"
#include "display/placement.h"
#include "interaction/recette.h"
#include "output/enregistrement.h"
#include "output/photo_avance.h"
#include "output/resultats.h"
#include "series/nom_photo.h"

PositionSerie avancerSchema1(int32_t partie_haute, int32_t partie_basse, int32_t pas) {
  PositionSerie p{partie_haute, int64_t{partie_basse} + pas};
  if (p.mineur > 999) {  // one carry only, whatever the step
    p.mineur -= 1000;
    p.majeur += 1;
  }
  return p;
}

PositionSerie avancerSchema2(int32_t numero, int32_t numero_2, int32_t pas, int32_t pas_2, int32_t modulo_2) {
  PositionSerie p{numero, int64_t{numero_2} + pas_2};
  if (p.mineur >= modulo_2) {  // the carry comes before the number's own step
    p.mineur -= modulo_2;
    p.majeur += 1;
  }
  p.majeur += pas;
  return p;
}

PositionSerie avancerSchema3(int32_t numero, int32_t pas) { return {int64_t{numero} + pas, 0}; }

bool dansLaSerie(PositionSerie position, PositionSerie fin) {
  return position.majeur < fin.majeur || (position.majeur == fin.majeur && position.mineur <= fin.mineur);
}

int32_t saturer(int64_t valeur) {
  if (valeur > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (valeur < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(valeur);
}

namespace {

// Back to choosing a zone, with nothing drawn but the photo and the
// window-centre cross; RETURN waits for a sub-mode key.
void remettreLesModes() {
  Etat& e = *g_etat;
  e.m_ajout_souris = false;
  e.m_ajout_couleurs = false;
  e.m_retrait_souris = false;
  e.m_choix_zone = true;
  e.m_vue_suivante_bloquee = true;
  e.m_afficher_croix_appui = false;
  e.m_afficher_centre = false;
  e.m_afficher_zone = false;
  e.m_afficher_selection = false;
}

// The traces are part of the console output, also when there was nothing to
// release. Fog goes by its flag, gFog by its handle.
void libererPhoto(bool traces = true) {
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

// Past the last photo: the closing picture, centred at zoom 0.25. The pan
// fields and the zoom index stay as they were.
void afficherImageFin() {
  Etat& e = *g_etat;
  std::cout << "Traitement termine" << std::endl;
  e.nom_photo_complet = cheminImageFin();
  std::cout << "nom_photo_complet " << e.nom_photo_complet << std::endl;  // trailing blank is part of the line
  chargerImageFin();
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

void libererPhotoSansTraces() { libererPhoto(false); }

void chargerPhotoCourante() { chargerPhotoSuivante(); }

Avance avancerCompteurs(CompteursSerie& c) {
  const Etat& e = *g_etat;
  // The end test uses the exact 64-bit position, so a step that saturates a
  // counter lands past the last photo instead of wrapping.
  PositionSerie position, fin;
  switch (e.m_mode_nom) {
    case 1:
      position = avancerSchema1(c.partie_haute, c.partie_basse, e.m_pas_partie_basse);
      fin = {e.m_fin_partie_haute, e.m_fin_partie_basse};
      c.partie_haute = saturer(position.majeur);
      c.partie_basse = saturer(position.mineur);
      break;
    case 2:
      position = avancerSchema2(c.numero, c.numero_2, e.m_pas_numero, e.m_pas_numero_2, e.m_modulo_numero_2);
      fin = {e.m_numero_fin, e.m_numero_fin_2};
      c.numero = saturer(position.majeur);
      c.numero_2 = saturer(position.mineur);
      break;
    case 3:
      position = avancerSchema3(c.numero, e.m_pas_numero);
      fin = {e.m_numero_fin, 0};
      c.numero = saturer(position.majeur);
      break;
    default:
      return Avance::SchemaInconnu;
  }
  return dansLaSerie(position, fin) ? Avance::DansLaSerie : Avance::ApresLaFin;
}

std::string cheminImageFin() { return g_etat->m_dossier_photos + "/" + "figure_fin.png"; }

std::string cheminApres(CompteursSerie c) {
  switch (avancerCompteurs(c)) {
    case Avance::DansLaSerie:
      return nomPhotoPour(c);
    case Avance::ApresLaFin:
      return cheminImageFin();
    default:
      return std::string();
  }
}

bool vueSuivante() {
  Etat& e = *g_etat;
  Souvenir souvenir = souvenirAvantAvance();  // before the modes are reset
  std::cout << "Vue suivante" << std::endl;
  remettreLesModes();
  libererPhoto();
  RecordEcrit ecrit;
  if (e.m_nombre_selectionnes > 0) ecrit = ecrireResultats();
  // the detail row is synced, like the record, before the next photo loads
  enregistrerAvance(std::move(souvenir), ecrit);

  CompteursSerie c = compteursSerie();
  const Avance avance = avancerCompteurs(c);
  if (avance == Avance::SchemaInconnu) {
    std::cout << "Ce cas n'est pas prevu : " << e.m_mode_nom << std::endl;
    return false;
  }
  remettreCompteurs(c);
  composerNomPhoto();

  if (avance == Avance::DansLaSerie) {
    chargerPhotoSuivante();
  } else {
    afficherImageFin();
  }
  return true;
}
