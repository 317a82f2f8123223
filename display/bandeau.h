// Key H: a status strip along the bottom of the window and a panel of every
// key, drawn over the seven layers. Off until the first H: the font is opened
// then, so a run without H loads no font and prints nothing more.
#pragma once

#include <SDL_rect.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "series/compteurs.h"

// What the key's action hands over: the help lines (key, what it does).
struct SourceBandeau {
  std::vector<std::pair<std::string, std::string>> aide;
};

// The font of the strip and the help.
extern const char* const kPoliceBandeau;

// H: shows or hides the strip and the help. At the first call opens the font
// at chemin_police; when it cannot, prints "Police introuvable : " and the
// path once, and every later call does nothing.
void basculerBandeau(const SourceBandeau& source, const char* chemin_police = kPoliceBandeau);

// Lays the strip and the help out for this frame when shown: their texts,
// places and textures. Gives the boxes of the bands shown; none when hidden.
std::vector<SDL_Rect> disposerBandeau();

// What the frame draws beneath the bands (its background and photo), for
// the bands to darken: `dessiner` draws it over the whole output, and `vue`
// changes whenever what it draws does.
struct DessousBandeau {
  std::function<void()> dessiner;
  std::vector<int64_t> vue;
};

// With the bands laid out, copies the frame's background and photo with the
// bands over them, kept in a texture made again only when the photo's view
// or a band changes and then holds for a frame: a frame then copies its
// pixels once, blending none. False when it does not (the bands hidden, a
// renderer without render targets, the view changing): the frame then draws
// the photo itself and dessinerBandeau blends the bands over it. Either way
// the frame draws its marks outside the bands only, so that the text stays
// readable.
bool copierAvecBandes(const DessousBandeau& dessous);

// Blends the bands laid out over the frame; called last before the present,
// and only when copierAvecBandes did not bring them.
void dessinerBandeau();

// Frees the font, the line surfaces and the band textures (tests, and a
// renderer about to go).
void libererBandeau();

// The lines of the strip from the record and the place in the series, each
// at most `colonnes` characters: the photo's name (its end kept) with its
// rank and length, then the modes, tolerances, count, centre, zoom and the
// automatic run, on as few lines as they fit.
std::vector<std::string> textesBandeau(const PlaceSerie& place, size_t colonnes);

// The text's last characters (UTF-8 code points) behind "...", at most
// `colonnes` in all; the text itself when it fits.
std::string couperDebut(const std::string& texte, size_t colonnes);

// Tests only: how many times a band's texture was composed (made or
// updated) since the font was opened.
uint64_t texturesBandeauFaites();

// Tests only: how many times the bands' texture (background, photo and
// bands) was drawn since the font was opened.
uint64_t dessousBandeauFaits();
