// A photo's selection as a recipe: its zone, the bits it started with when
// they were carried over from the photo before, and the ordered list of what
// changed it. Replaying the list on the photo gives the same bits, count and
// centre as the live operations did; the step back, the proposal and the
// tolerance retune all work from it.
#pragma once
#include <SDL_stdinc.h>

#include <cstdint>
#include <vector>

// Tache: the selection's 8-connected patch holding photo pixel (x0, y0), or
// else the nearest one, kept alone (interaction/tache.h).
enum class TypePasse : uint8_t { Couleur, Ajout, Retrait, Tache };

struct PasseSelection {
  TypePasse type = TypePasse::Couleur;
  // colour pass: the reference colour and the tolerances it was made with
  Uint8 rouge = 0, vert = 0, bleu = 0;
  int32_t tolerance_rouge = 0, tolerance_vert = 0, tolerance_bleu = 0;
  // add or remove drag: its photo bounds, inclusive; patch: its pixel in (x0, y0)
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
  // The operator's zone size: the last zone drawn, carried from photo to
  // photo (0 until one is), the size a proposal starts from.
  int32_t largeur_zone = 0, hauteur_zone = 0;
  // For this photo only, until the next advance: a zone was drawn on it since
  // it showed; a proposal on it was doubted; that proposal found another
  // patch of the colour at least half the one kept; the automatic run
  // records it.
  bool zone_tracee = false;
  bool doute = false;
  bool deux_objets = false;
  bool par_le_suivi = false;
};
