// What the record's opaque Bandeau holds: the font, the bands and the frame's
// underlay. Shared by the bands' compositing (display/bandeau.cpp) and the
// underlay (display/dessous_bandeau.cpp) only.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display/bandeau_textes.h"
#include "etat/compteurs.h"

// One line of text as the font draws it (ARGB8888), made again only when
// the text changes. Kept on the CPU: it outlives a renderer.
struct LigneTexte {
  std::string texte;
  bool faite = false;  // tried for this text, even when it gave no glyphs
  SDL_Surface* surface = nullptr;
};

// A band (the strip, the help) with its lines composed over its background
// into one texture, made again only when a line or the band's size changes:
// a frame then costs one blended copy per band.
struct Bande {
  std::vector<LigneTexte> lignes;
  size_t nombre = 0;  // lines in use, from the first of `lignes`
  SDL_Rect boite{};   // in the window
  bool faite = false;
  SDL_Texture* texture = nullptr;
  int largeur_texture = 0, hauteur_texture = 0;
  uint64_t version = 0;  // bumped at each composition of `texture`
  bool montree = false;  // laid out with a texture in this frame
};

// The frame's background and photo with the bands over them, in a target
// texture of the output's size, as `cle` (the photo's view, the bands'
// versions and boxes) says it was drawn; empty `cle` when not drawn. A size
// it could not be made at is not tried again.
struct TextureDessous {
  SDL_Texture* texture = nullptr;
  int largeur = 0, hauteur = 0;
  int largeur_refusee = -1, hauteur_refusee = -1;
  std::vector<int64_t> cle;
  // The key of the last frame: the texture is drawn again only for a key
  // that held since then, so that a pan or a count that changes at every
  // frame does not draw the photo twice a frame.
  std::vector<int64_t> cle_vue;
  uint64_t faits = 0;
};

struct Bandeau {
  bool police_cherchee = false;
  bool ttf_initialise = false;
  TTF_Font* police = nullptr;
  int largeur_caractere = 0, hauteur_ligne = 0;
  SourceBandeau source;
  // The band textures belong to this renderer: another one means they went
  // with the old one, or are not ours to free.
  SDL_Renderer* rendu = nullptr;
  Bande bande, aide;
  uint64_t faites = 0;
  TextureDessous dessous;
  // The last place asked for, by the counters it was asked for.
  bool place_valide = false;
  CompteursSerie compteurs;
  PlaceSerie place;
  // The help's lines as last laid out, for this many columns and lines;
  // colonnes -1 when the source changed since.
  int aide_colonnes = -1, aide_place = -1;
  std::vector<std::string> aide_textes;
};

// The strip's state when H shows it, null otherwise.
Bandeau* bandeauMontre();

// Copies the bands laid out with a texture onto the render target.
void copierBandes(const Bandeau& b, SDL_Renderer* rendu);

// The underlay's texture goes (destroyed when `detruire`, the renderer
// still ours) and its key with it.
void oublierDessous(TextureDessous& d, bool detruire);
