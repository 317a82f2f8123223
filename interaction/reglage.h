// Keys "=" and "-": the three colour tolerances raised or lowered together,
// and the photo's last colour pass made again at once with them, so a held
// key grows or shrinks the selection frame by frame.
#pragma once

#include <cstdint>
#include <vector>

#include "interaction/recette.h"

constexpr int32_t kPasReglage = 2;

// A tolerance moved by pas and kept within 0..255 (a value out of range from
// the parameter file comes back inside).
int32_t toleranceReglee(int32_t tolerance, int32_t pas);
// Rank of the last colour pass of a recipe, -1 when there is none.
int64_t derniereCouleur(const std::vector<PasseSelection>& passes);

// Moves the tolerances in force by pas and prints "Tolerances : r v b". When
// one of them moved and the current photo's recipe has a colour pass, that
// pass takes the new tolerances and the recipe is replayed from it: the
// selection is what it would be had the pass been made with them, the centre
// line is printed as a click prints it and the change is recorded as a
// selection change. True when the selection was made again. Nothing is
// replayed without a photo surface or while a refused zone's press cross
// shows.
bool reglerTolerances(int32_t pas);
void releverTolerances();  // "=" and keypad +
void baisserTolerances();  // "-" and keypad -
