// The keys added beyond the sixteen of the keyboard section: one table of
// (key, trigger, action, help text), tested after the sixteen in every frame.
// The help panel is made from the same table, so it cannot drift from what
// the keys do.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

enum class Declenchement {
  UneFoisParAppui,  // acts at the first frame of a press; a held key acts once
  Repetition,       // acts at once, then every 200 ms while held (no wait)
};

struct ToucheAjoutee {
  SDL_Scancode code;
  SDL_Scancode autre;  // a second key with the same action, or SDL_SCANCODE_UNKNOWN
  Declenchement declenchement;
  const char* nom;   // as the help panel shows it
  const char* aide;  // what it does, French without accents
  void (*action)();
};

// The added keys in the order they are tested.
const std::vector<ToucheAjoutee>& touchesAjoutees();

// One help line: the key's name and what it does; the sixteen first, then the
// added keys.
struct LigneAide {
  std::string touche;
  std::string effet;
};
std::vector<LigneAide> lignesAide();

// Runs after the sixteen keys and the next-photo step: reads m_etat_clavier
// (already sampled) and the presses the event step counted in m_entrees, and
// acts on each added key by its trigger. maintenant is the time in
// milliseconds (SDL_GetTicks64 in the program).
void sectionTouchesAjoutees(uint64_t maintenant);
// The same over another table (tests bring their own).
void sectionTouchesAjoutees(const std::vector<ToucheAjoutee>& table, uint64_t maintenant);

// SPACE: starts or stops the automatic run; a run started gets the strip's
// font, for the strip to show it.
void toucheSuivi();

// H: hands the strip its help lines, from this table, and shows or hides it.
void toucheBandeau();
