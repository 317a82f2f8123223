// A photo's selection as a recipe: its zone, the bits it started with when
// they were carried over from the photo before, and the ordered list of what
// changed it. Replaying the list on the photo gives the same bits, count and
// centre as the live operations did; the step back, the proposal and the
// tolerance retune all work from it.
#pragma once
#include <SDL_stdinc.h>

#include <cstdint>
#include <vector>

enum class TypePasse : uint8_t { Couleur, Ajout, Retrait };

struct PasseSelection {
  TypePasse type = TypePasse::Couleur;
  // colour pass: the reference colour and the tolerances it was made with
  Uint8 rouge = 0, vert = 0, bleu = 0;
  int32_t tolerance_rouge = 0, tolerance_vert = 0, tolerance_bleu = 0;
  // add or remove drag: its photo bounds, inclusive
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Recette {
  bool zone = false;  // a zone was accepted (the corners mean something)
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<bool> depart;  // bits carried over from the photo before; empty: none set
  std::vector<PasseSelection> passes;
};

// What the records say of the selection beyond the recipe, for the whole run.
struct HistoireSelection {
  bool changee = false;   // changed (click, drag, proposal, retune) since the last advance
  bool proposee = false;  // it is the proposal's, not edited since
  bool couleur = false;   // a colour pass has changed the selection
  Uint8 rouge = 0, vert = 0, bleu = 0;  // that pass's reference colour
};
