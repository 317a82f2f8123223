// Key H: a status strip along the bottom of the window and a panel of every
// key, drawn over the seven layers. Off until the first H: the font is opened
// then, so a run without H loads no font and prints nothing more.
#pragma once

#include <SDL_rect.h>

#include <cstdint>
#include <vector>

#include "display/bandeau_textes.h"

// The font of the strip and the help.
extern const char* const kPoliceBandeau;

// H: shows or hides the strip and the help. At the first call opens the font
// at chemin_police; when it cannot, prints "Police introuvable : " and the
// path once, and every later call does nothing.
void basculerBandeau(const SourceBandeau& source, const char* chemin_police = kPoliceBandeau);

// The strip alone for the automatic run (bandeauDuSuivi), when H does not
// show it: opens the font as the first H does, when it was not tried yet.
void preparerBandeauSuivi(const char* chemin_police = kPoliceBandeau);

// Lays the strip and the help out for this frame when shown (the strip
// alone for the automatic run): their texts, places and textures. Gives the
// boxes of the bands shown; none when hidden.
std::vector<SDL_Rect> disposerBandeau();

// Blends the bands laid out over the frame; called last before the present,
// and only when copierAvecBandes (display/dessous_bandeau.h) did not bring
// them.
void dessinerBandeau();

// Frees the font, the line surfaces, the band textures and the underlay's
// (tests, and a renderer about to go).
void libererBandeau();

// Tests only: how many times a band's texture was composed (made or
// updated) since the font was opened.
uint64_t texturesBandeauFaites();
