// The live operations that record a photo's selection as a recipe
// (etat/recette.h), and its replay.
#pragma once
#include <cstdint>
#include <vector>

#include "etat/recette.h"

// Live operations record into m_recette and m_histoire_selection:
// an accepted zone starts a new recipe with no bits, no longer the proposal's,
// its size the operator's;
void noterZone();
// a colour click (with a photo surface) made with the reference colour and
// tolerances in force; nombre_avant is the selected count before it;
void noterCouleur(int64_t nombre_avant);
// an add or remove drag over those bounds;
void noterRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout);
// the advance: the next photo starts from the bits as they are, zone kept.
void noterPhotoSuivante();

// The selected entries of the zone, counted bit by bit.
int64_t nombreDeBits(const std::vector<bool>& bits);

// Replays a recipe over the zone in place (its lists already built for the
// recipe's corners) and the photo surface: the starting bits, then each pass
// in order; leaves the count and the sums as a pass does (calculerCentre
// follows). False, with the bits as the passes before it left them, when a
// colour pass finds no photo surface.
bool rejouerRecette(const Recette& recette);
