// Input as the event step takes it from SDL's queue, and what the added keys
// and the automatic run have made of it so far. The counts only grow; they
// may wrap around, as only their differences are read.
#pragma once
#include <SDL.h>

#include <array>
#include <cstdint>

struct Entrees {
  // Non-repeat presses by key, and of every key together, counted as the
  // event step takes SDL_KEYDOWN out of the queue: written by app/boucle.cpp.
  std::array<uint32_t, SDL_NUM_SCANCODES> appuis{};
  uint32_t appuis_touches = 0;
  // Button presses the event step polled, and those still queued when it
  // last looked: together every button press queued so far (app/boucle.cpp).
  uint32_t boutons_pris = 0;
  uint32_t boutons_en_attente = 0;

  // By key: the presses already acted on, the latch (held since it acted)
  // and the time of its last action; a row of the added keys' table keeps
  // its latch and time under its first key. Written by app/touches.cpp, and
  // by the automatic run, which takes the SPACE press that stops it.
  std::array<uint32_t, SDL_NUM_SCANCODES> vus{};
  std::array<bool, SDL_NUM_SCANCODES> tenues{};
  std::array<uint64_t, SDL_NUM_SCANCODES> instants{};

  // The counts when the automatic run started: written by tracking/suivi.cpp.
  uint32_t suivi_espace = 0, suivi_touches = 0, suivi_boutons = 0;
};

inline uint32_t appuisBoutons(const Entrees& s) { return s.boutons_pris + s.boutons_en_attente; }

// A press taken by another reader than the key's own: the added keys'
// section neither sees it as new nor acts on the key held since.
inline void consommerAppuis(Entrees& s, SDL_Scancode code) {
  s.vus[code] = s.appuis[code];
  s.tenues[code] = true;
}
