#include "parcours/prechargement_photos.h"

#include <SDL_image.h>

#include <vector>

#include "etat/etat.h"
#include "display/photo.h"
#include "series/compteurs.h"
#include "series/prechargement.h"

namespace {

// How long the end of the program waits for a read still running.
constexpr int64_t kAttenteArretMs = 500;
// A worker left in a read at the end, kept within reach until the process goes.
Prechargeur* g_abandonne = nullptr;

// The worker's reads go through the image library's format set-up, which
// is not guarded: done here once, on the main thread, before any read runs
// beside another. The error text of the moment is kept as it was.
void preparerBibliothequeImages() {
  const std::string erreur = SDL_GetError();
  IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP);
  SDL_SetError("%s", erreur.c_str());
}

}  // namespace

void demanderPhotosSuivantes() {
  Etat& e = *g_etat;
  if (!e.m_en_marche) return;
  std::vector<std::string> chemins;
  CompteursSerie c = compteursSerie();
  const std::string suivant = cheminApres(c);
  if (!suivant.empty()) {
    chemins.push_back(suivant);
    // the automatic run takes a photo per frame: keep one more in hand
    if (e.m_suivi_en_cours && incrementerCompteurs(c) != Increment::SchemaInconnu) {
      const std::string apres = cheminApres(c);
      if (!apres.empty() && apres != suivant) chemins.push_back(apres);
    }
  }
  if (e.m_prechargeur == nullptr) {
    if (chemins.empty()) return;
    preparerBibliothequeImages();
    const FormatsTexture formats = formatsTexture(e.m_rendu);  // the renderer outlives every read
    e.m_prechargeur = Possede<Prechargeur>(
        new Prechargeur([formats](SDL_Surface* s, std::vector<SDL_Surface*>& reserve) {
          return pixelsPourTexture(formats, s, reserve);
        }),
        [](Prechargeur* p) { delete p; });
  }
  e.m_prechargeur->demander(chemins);
}

SDL_Surface* lirePhoto(const std::string& chemin, SDL_Surface*& pixels_prets) {
  pixels_prets = nullptr;
  Prechargeur* prechargeur = g_etat->m_prechargeur.get();
  PhotoLue lue;
  if (prechargeur == nullptr || !prechargeur->prendre(chemin, lue)) return IMG_Load(chemin.c_str());
  if (lue.surface == nullptr) SDL_SetError("%s", lue.erreur.c_str());
  pixels_prets = lue.pixels;
  return lue.surface;
}

void rendrePixelsPrets(SDL_Surface* pixels) {
  Prechargeur* prechargeur = g_etat->m_prechargeur.get();
  if (prechargeur != nullptr) {
    prechargeur->rendre(pixels);
  } else {
    SDL_FreeSurface(pixels);
  }
}

void libererSurfacePhoto(SDL_Surface* photo) {
  Prechargeur* prechargeur = g_etat->m_prechargeur.get();
  if (prechargeur != nullptr) {
    prechargeur->libererPlusTard(photo);
  } else {
    SDL_FreeSurface(photo);
  }
}

void arreterPrechargement() {
  Possede<Prechargeur>& prechargeur = g_etat->m_prechargeur;
  // A read blocked for good must not keep a closed window's program alive:
  // its worker is left behind, and the object it uses with it.
  if (prechargeur != nullptr && !prechargeur->arreter(kAttenteArretMs)) g_abandonne = prechargeur.release();
  prechargeur.reset();
}
