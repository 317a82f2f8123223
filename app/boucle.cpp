#include "app/boucle.h"

#include <SDL.h>

#include <iostream>

#include "etat/etat.h"
#include "app/touches.h"
#include "calibration/dialogue.h"
#include "display/bandeau.h"
#include "display/calques.h"
#include "display/photo.h"
#include "display/placement.h"
#include "display/rendu.h"
#include "display/trace.h"
#include "interaction/clavier.h"
#include "interaction/souris.h"
#include "interaction/vue.h"
#include "parcours/prechargement_photos.h"
#include "parcours/navigation.h"
#include "parcours/vue_suivante.h"
#include "tracking/suivi.h"

namespace {

// Bound on the ignored events drained in one frame, so a flood of motion can
// never hold the frame loop.
constexpr int kIgnoresMax = 1000;

void compterAppui(Entrees& s, const SDL_KeyboardEvent& touche) {
  if (touche.repeat != 0) return;
  const SDL_Scancode code = touche.keysym.scancode;
  if (code < 0 || code >= SDL_NUM_SCANCODES) return;
  ++s.appuis[code];
  ++s.appuis_touches;
}

// Takes the key presses and the renderer's reset notices out of the queue
// (the event step acts on neither, so taking them early changes nothing it
// does) and counts the button presses still queued. The keyboard state and
// the counts then agree: both hold every event pumped so far.
void prendreEntrees(Etat& e) {
  SDL_Event lus[64];
  int n = 0;
  while ((n = SDL_PeepEvents(lus, 64, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN)) > 0) {
    for (int i = 0; i < n; ++i) compterAppui(e.m_entrees, lus[i].key);
  }
  while (SDL_PeepEvents(lus, 64, SDL_GETEVENT, SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET) > 0) {
    e.m_cibles_perdues = true;
  }
  n = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN);
  e.m_entrees.boutons_en_attente = n > 0 ? uint32_t(n) : 0;
}

// One zoom step per wheel notch about the pointer; it does not end the poll,
// so the button events the step takes stay the same.
void tournerMolette(const SDL_MouseWheelEvent& molette) {
  const int32_t y = molette.direction == SDL_MOUSEWHEEL_FLIPPED ? -molette.y : molette.y;
  if (y == 0) return;
  zoomerMolette(y > 0 ? +1 : -1, molette.mouseX, molette.mouseY);
}

// Takes the next event the program acts on: the close request, a button press
// or release. Ignored events before it are drained in the same poll, so a
// drag's motion events never delay the release or the close request; the key
// and button presses and the reset notices among them are counted as they go,
// and each wheel event zooms as it goes.
void etapeEvenements() {
  Etat& e = *g_etat;
  SDL_Event ev;
  for (int ignores = 0; ignores < kIgnoresMax && SDL_PollEvent(&ev) != 0; ++ignores) {
    switch (ev.type) {
      case SDL_QUIT:
        e.m_en_marche = false;
        return;
      case SDL_MOUSEBUTTONDOWN:
        ++e.m_entrees.boutons_pris;
        if (appuiCalibration(ev.button.button, ev.button.x, ev.button.y)) return;  // keys C, O, Q
        // no valid zoom: no window point maps to a photo pixel
        if (!zoomValide()) break;
        appuiSouris(ev.button.button, ev.button.x, ev.button.y);
        return;
      case SDL_MOUSEBUTTONUP:
        if (relacheCalibration(ev.button.button)) return;
        if (!zoomValide()) break;
        relacheSouris(ev.button.button, ev.button.x, ev.button.y);
        return;
      case SDL_KEYDOWN:
        compterAppui(e.m_entrees, ev.key);
        break;
      case SDL_MOUSEWHEEL:
        tournerMolette(ev.wheel);
        break;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET:
        e.m_cibles_perdues = true;
        break;
      default:
        break;
    }
  }
}

}  // namespace

void handleEvents() {
  Etat& e = *g_etat;
  e.m_etat_clavier = SDL_GetKeyboardState(nullptr);
  prendreEntrees(e);
  etapeNavigation();  // RETURN released after it showed a past photo's next one
  if (sectionClavier() && !vueSuivante()) return;
  sectionTouchesAjoutees(SDL_GetTicks64());
  etapeEvenements();
  prendreEntrees(e);  // the presses the event step's poll pumped, for the run
  etapeSuivi();  // after the events: a press or the close stops the run first
}

void clean() {
  Etat& e = *g_etat;
  arreterPrechargement();  // a read still running ends before SDL goes
  std::cout << "cleaning game" << std::endl;
  std::cout << "apres delete[]" << std::endl;
  // the flags, not the pointers, say what was created since the last release
  if (e.m_fog_existe != 0) SDL_FreeSurface(e.Fog);
  if (e.m_gfog_existe != 0) SDL_DestroyTexture(e.gFog);
  if (e.pTempSurface_prairie != nullptr) SDL_FreeSurface(e.pTempSurface_prairie);
  if (e.m_surface_pixel_existe != 0) SDL_FreeSurface(e.m_surface_pixel);
  if (e.m_texture_pixel_existe != 0) SDL_DestroyTexture(e.m_texture_pixel);
  e.Fog = nullptr;
  e.gFog = nullptr;
  e.pTempSurface_prairie = nullptr;
  e.m_surface_pixel = nullptr;
  e.m_texture_pixel = nullptr;
  e.m_fog_existe = e.m_gfog_existe = e.m_surface_pixel_existe = e.m_texture_pixel_existe = 0;
  // the layers added beyond the fixed fields: the strip's font and surfaces
  // outlive the renderer, and every texture goes before it
  libererBandeau();
  libererTrace();
  libererMarqueurs();
  libererPhotoReduite();
  libererTexturePhotoLibre();
  // the renderer belongs to the window: it goes first, and the photo texture
  // with it
  if (e.m_rendu != nullptr) SDL_DestroyRenderer(e.m_rendu);
  if (e.m_fenetre != nullptr) SDL_DestroyWindow(e.m_fenetre);
  e.m_rendu = nullptr;
  e.m_pTexture_prairie = nullptr;
  e.m_fenetre = nullptr;
  SDL_Quit();
}
