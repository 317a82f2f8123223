#include "display/rendu.h"

#include <SDL.h>

#include <algorithm>
#include <iostream>
#include <limits>

#include "etat/etat.h"
#include "display/bandeau.h"
#include "display/calques.h"
#include "display/dessin_calibration.h"
#include "display/dessous_bandeau.h"
#include "display/fenetre.h"
#include "display/partie_visible.h"
#include "display/trace.h"
#include "platform/console.h"

namespace {

void couleur(SDL_Renderer* rendu, int32_t r, int32_t g, int32_t b, int32_t a) {
  // only the low 8 bits of each colour field reach the renderer
  SDL_SetRenderDrawColor(rendu, Uint8(r & 0xFF), Uint8(g & 0xFF), Uint8(b & 0xFF), Uint8(a & 0xFF));
}

void croix(SDL_Renderer* rendu, const SDL_Rect& h, const SDL_Rect& v) {
  SDL_RenderDrawRect(rendu, &h);
  SDL_RenderDrawRect(rendu, &v);
}

// Copies the visible part of a texture only: the same image as a copy of s
// onto d, at a cost bounded by the window.
void copierVisible(const Etat& e, SDL_Texture* texture, const SDL_Rect& s, const SDL_Rect& d) {
  int largeur_texture = 0, hauteur_texture = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &largeur_texture, &hauteur_texture) != 0) return;
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  const std::vector<Troncon> colonnes = partieVisible(s.x, s.w, d.x, d.w, largeur_texture, largeur);
  const std::vector<Troncon> lignes = partieVisible(s.y, s.h, d.y, d.h, hauteur_texture, hauteur);
  for (const Troncon& l : lignes) {
    for (const Troncon& c : colonnes) {
      SDL_Rect source{c.source_pos, l.source_pos, c.source_taille, l.source_taille};
      SDL_Rect destination{c.destination_pos, l.destination_pos, c.destination_taille, l.destination_taille};
      SDL_RenderCopyEx(e.m_rendu, texture, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
    }
  }
}

// A reduced photo larger than this many windows is not kept: the direct copy
// then reads little more than it draws anyway.
constexpr int64_t kReduiteMaxFenetres = 4;

void oublierPhotoReduite(Etat& e) {
  CachePhotoReduite& c = e.m_photo_reduite;
  // a texture of another renderer went, or goes, with it
  if (c.texture != nullptr && c.rendu == e.m_rendu) SDL_DestroyTexture(c.texture);
  c = CachePhotoReduite{};
}

// The photo as the frame copies it below zoom 1 (its source clipped to the
// texture, stretched over the whole destination), made once per photo and
// view size into a texture of the destination's size. Null when the zoom is
// 1 or more, when it would be too large, or when it cannot be made.
SDL_Texture* photoReduite(Etat& e, int largeur_photo, int hauteur_photo) {
  const SDL_Rect& s = e.m_rect_source;
  const SDL_Rect& d = e.m_rect_destination;
  CachePhotoReduite& c = e.m_photo_reduite;
  if (c.rendu != e.m_rendu) c = CachePhotoReduite{};  // another renderer: its textures are not ours to free

  SDL_Rect source{0, 0, largeur_photo, hauteur_photo};
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  const bool utile = e.m_zoom < 1.0 && SDL_IntersectRect(&s, &source, &source) == SDL_TRUE && d.w > 0 &&
                     d.h > 0 && int64_t(d.w) * d.h <= kReduiteMaxFenetres * std::max(1, largeur) * std::max(1, hauteur);
  if (!utile) {
    oublierPhotoReduite(e);
    return nullptr;
  }
  if (c.texture != nullptr && c.photo == e.m_pTexture_prairie && c.generation == e.m_generation_photo &&
      SDL_RectEquals(&c.source, &source) == SDL_TRUE && c.largeur == d.w && c.hauteur == d.h)
    return c.texture;

  oublierPhotoReduite(e);
  SDL_Texture* photo = e.m_pTexture_prairie;
  SDL_Texture* reduite =
      SDL_CreateTexture(e.m_rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, d.w, d.h);
  if (reduite == nullptr) return nullptr;

  // The photo's pixels as they are (no blending, no modulation); the frame
  // applies the photo's own blending and modulation to the reduced copy.
  Uint8 r = 255, v = 255, b = 255, a = 255;
  SDL_BlendMode melange = SDL_BLENDMODE_NONE;
  SDL_GetTextureColorMod(photo, &r, &v, &b);
  SDL_GetTextureAlphaMod(photo, &a);
  SDL_GetTextureBlendMode(photo, &melange);
  SDL_SetTextureColorMod(photo, 255, 255, 255);
  SDL_SetTextureAlphaMod(photo, 255);
  SDL_SetTextureBlendMode(photo, SDL_BLENDMODE_NONE);
  const SDL_Rect entiere{0, 0, d.w, d.h};
  bool fait = SDL_SetRenderTarget(e.m_rendu, reduite) == 0;
  fait = fait && SDL_RenderCopyEx(e.m_rendu, photo, &source, &entiere, 0.0, nullptr, SDL_FLIP_NONE) == 0;
  fait = SDL_SetRenderTarget(e.m_rendu, nullptr) == 0 && fait;
  SDL_SetTextureColorMod(photo, r, v, b);
  SDL_SetTextureAlphaMod(photo, a);
  SDL_SetTextureBlendMode(photo, melange);
  if (!fait) {
    SDL_DestroyTexture(reduite);
    return nullptr;
  }
  SDL_SetTextureColorMod(reduite, r, v, b);
  SDL_SetTextureAlphaMod(reduite, a);
  SDL_SetTextureBlendMode(reduite, melange);
  c.texture = reduite;
  c.rendu = e.m_rendu;
  c.photo = photo;
  c.generation = e.m_generation_photo;
  c.source = source;
  c.largeur = d.w;
  c.hauteur = d.h;
  return reduite;
}

// What a frame copies of the photo: below zoom 1 its reduced copy, 1:1.
struct PhotoACopier {
  SDL_Texture* texture = nullptr;
  SDL_Rect source{}, destination{};
};

// Made once per frame, before anything is drawn: the reduced copy is made on
// a render target of its own, which must not happen while the bands are.
PhotoACopier photoACopier(Etat& e) {
  int largeur_photo = 0, hauteur_photo = 0;
  if (SDL_QueryTexture(e.m_pTexture_prairie, nullptr, nullptr, &largeur_photo, &hauteur_photo) != 0) return {};
  if (SDL_Texture* reduite = photoReduite(e, largeur_photo, hauteur_photo)) {
    const SDL_Rect& d = e.m_rect_destination;
    return {reduite, SDL_Rect{0, 0, d.w, d.h}, d};
  }
  return {e.m_pTexture_prairie, e.m_rect_source, e.m_rect_destination};
}

// The background then the photo, as the frame draws them, into the bands'
// texture for them to darken.
void dessinerDessous(Etat& e, const PhotoACopier& photo) {
  couleur(e.m_rendu, e.m_rouge_fond, e.m_vert_fond, e.m_bleu_fond, e.m_alpha_fond);
  SDL_RenderClear(e.m_rendu);
  if (photo.texture != nullptr) copierVisible(e, photo.texture, photo.source, photo.destination);
}

// The marks over the photo, the trajectory included.
void dessinerMarques(Etat& e) {
  SDL_Renderer* rendu = e.m_rendu;
  if (e.m_afficher_croix_appui) {
    couleur(rendu, 0, 255, 0, 255);
    croix(rendu, e.m_croix_appui_h, e.m_croix_appui_v);
  }
  if (e.m_afficher_zone) {
    couleur(rendu, 0, 255, 0, 255);
    dessinerZone();
  }
  if (e.m_afficher_selection) dessinerMarqueurs();
  if (e.m_afficher_centre) {
    couleur(rendu, 0, 255, 0, 255);
    croix(rendu, e.m_croix_horizontale, e.m_croix_verticale);
  }
  if (e.m_afficher_croix_fenetre) {
    couleur(rendu, 0, 0, 255, 255);
    croix(rendu, e.m_croix_fenetre_h, e.m_croix_fenetre_v);
  }
  dessinerTrace();
  dessinerCalibration();  // with the trace only
}

// Everything dessinerDessous draws depends on: the bands' texture of it is
// made again when one of these changes.
std::vector<int64_t> vueDessous(const Etat& e, const PhotoACopier& photo) {
  std::vector<int64_t> vue{int64_t(reinterpret_cast<uintptr_t>(photo.texture)),
                           int64_t(reinterpret_cast<uintptr_t>(e.m_pTexture_prairie)),
                           int64_t(e.m_generation_photo),
                           e.m_rouge_fond,
                           e.m_vert_fond,
                           e.m_bleu_fond,
                           e.m_alpha_fond};
  for (const SDL_Rect* r : {&photo.source, &photo.destination}) vue.insert(vue.end(), {r->x, r->y, r->w, r->h});
  if (photo.texture != nullptr) {
    Uint8 r = 0, v = 0, b = 0, a = 0;
    SDL_BlendMode melange = SDL_BLENDMODE_NONE;
    SDL_GetTextureColorMod(photo.texture, &r, &v, &b);
    SDL_GetTextureAlphaMod(photo.texture, &a);
    SDL_GetTextureBlendMode(photo.texture, &melange);
    vue.insert(vue.end(), {r, v, b, a, int64_t(melange)});
  }
  return vue;
}

// A close request not yet taken by the event step (the window closed, or the
// program told to stop while the frame was drawn).
bool fermetureEnAttente() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
}

// No photo: report it and, while the run goes on, wait for the operator's
// number. After the close request nobody is there to answer. Once the
// console's input has ended nobody ever will: the line is said once, and the
// frames go on without it.
void attendreReponse(Etat& e) {
  if (e.m_absence_signalee && entreeConsoleFinie()) return;
  e.m_absence_signalee = false;
  std::cout << "Erreur de chargement de la photo : m_pTexture_prairie n'existe pas" << std::endl;
  if (!e.m_en_marche || fermetureEnAttente()) return;
  long long reponse = 0;
  const Lecture lecture = lireEntierConsole(reponse);
  if (lecture == Lecture::Nombre) {
    e.m_reponse_console = int32_t(std::clamp<long long>(reponse, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
  }
  e.m_absence_signalee = lecture == Lecture::Fin && entreeConsoleFinie();
}

}  // namespace

void render() {
  Etat& e = *g_etat;
  SDL_Renderer* rendu = e.m_rendu;
  couleur(rendu, e.m_rouge_fond, e.m_vert_fond, e.m_bleu_fond, e.m_alpha_fond);
  SDL_RenderClear(rendu);

  PhotoACopier photo;
  if (e.m_pTexture_prairie != nullptr) photo = photoACopier(e);
  // With the bands shown, the photo comes with them from their texture when
  // it can, and the marks stay out of them.
  const std::vector<SDL_Rect> bandes = disposerBandeau();
  const bool avec_bandes =
      !bandes.empty() &&
      copierAvecBandes(DessousBandeau{[&]() { dessinerDessous(e, photo); }, vueDessous(e, photo)});
  if (photo.texture != nullptr && !avec_bandes) copierVisible(e, photo.texture, photo.source, photo.destination);
  if (e.m_pTexture_prairie == nullptr) attendreReponse(e);
  else e.m_absence_signalee = false;  // the next missing photo is said again

  if (bandes.empty()) {
    dessinerMarques(e);
  } else {
    int largeur = 0, hauteur = 0;
    tailleSortie(e, largeur, hauteur);
    for (const SDL_Rect& region : horsDe(SDL_Rect{0, 0, largeur, hauteur}, bandes)) {
      SDL_RenderSetClipRect(rendu, &region);
      dessinerMarques(e);
    }
    SDL_RenderSetClipRect(rendu, nullptr);
  }
  if (!avec_bandes) dessinerBandeau();
  SDL_RenderPresent(rendu);
}

void libererPhotoReduite() { oublierPhotoReduite(*g_etat); }
