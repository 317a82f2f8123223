#include "display/dessous_bandeau.h"

#include <SDL.h>

#include <utility>

#include "etat/etat.h"
#include "display/bandeau_etat.h"
#include "display/fenetre.h"

namespace {

// The underlay's texture at the output's size, made when missing or of
// another size; false when the renderer cannot draw into one.
bool preparerTexture(TextureDessous& d, SDL_Renderer* rendu, int largeur, int hauteur) {
  if (d.texture != nullptr && d.largeur == largeur && d.hauteur == hauteur) return true;
  if (d.largeur_refusee == largeur && d.hauteur_refusee == hauteur) return false;
  if (d.texture != nullptr) SDL_DestroyTexture(d.texture);
  d.texture = nullptr;
  d.cle.clear();
  if (SDL_RenderTargetSupported(rendu) == SDL_TRUE) {
    d.texture = SDL_CreateTexture(rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, largeur, hauteur);
  }
  if (d.texture == nullptr) {
    d.largeur_refusee = largeur;
    d.hauteur_refusee = hauteur;
    return false;
  }
  SDL_SetTextureBlendMode(d.texture, SDL_BLENDMODE_NONE);
  d.largeur = largeur;
  d.hauteur = hauteur;
  return true;
}

// What the underlay's texture must have been drawn from to be copied as it is.
std::vector<int64_t> cleDessous(const Bandeau& b, const DessousBandeau& dessous) {
  std::vector<int64_t> cle = dessous.vue;
  for (const Bande* bande : {&b.bande, &b.aide}) {
    const SDL_Rect& r = bande->boite;
    cle.insert(cle.end(), {int64_t(bande->montree), int64_t(bande->version), r.x, r.y, r.w, r.h});
  }
  return cle;
}

}  // namespace

void oublierDessous(TextureDessous& d, bool detruire) {
  if (detruire && d.texture != nullptr) SDL_DestroyTexture(d.texture);
  d.texture = nullptr;
  d.largeur_refusee = d.hauteur_refusee = -1;
  d.cle.clear();
  d.cle_vue.clear();
}

bool copierAvecBandes(const DessousBandeau& dessous) {
  Etat& e = *g_etat;
  Bandeau* montre = bandeauMontre();
  if (montre == nullptr) return false;
  Bandeau& b = *montre;
  TextureDessous& d = b.dessous;
  SDL_Renderer* rendu = e.m_rendu;
  if (b.rendu != rendu || !(b.bande.montree || b.aide.montree)) return false;
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  if (!preparerTexture(d, rendu, largeur, hauteur)) return false;
  // a renderer may lose its target textures' pixels (a device reset)
  if (e.m_cibles_perdues) {
    e.m_cibles_perdues = false;
    d.cle.clear();
  }
  std::vector<int64_t> cle = cleDessous(b, dessous);
  if (cle != d.cle) {
    const bool tenue = cle == d.cle_vue;
    d.cle_vue = cle;
    if (!tenue) return false;
    d.cle.clear();
    if (SDL_SetRenderTarget(rendu, d.texture) != 0) return false;
    dessous.dessiner();
    copierBandes(b, rendu);
    if (SDL_SetRenderTarget(rendu, nullptr) != 0) return false;
    d.cle = std::move(cle);
    ++d.faits;
  }
  return SDL_RenderCopy(rendu, d.texture, nullptr, nullptr) == 0;
}

uint64_t dessousBandeauFaits() { return g_etat->m_bandeau == nullptr ? 0 : g_etat->m_bandeau->dessous.faits; }
