#include "display/dessin_calibration.h"

#include <SDL.h>

#include <cmath>

#include "etat/etat.h"

void dessinerCalibration() {
  const Etat& e = *g_etat;
  if (!e.m_afficher_trace || e.m_rendu == nullptr || e.m_calibration.traits.empty()) return;
  if (!(e.m_zoom > 0.0) || !std::isfinite(e.m_zoom)) return;
  for (const TraitCalibration& t : e.m_calibration.traits) {
    SDL_SetRenderDrawColor(e.m_rendu, t.rouge, t.vert, t.bleu, 255);
    // photo point (x, y) shows at window point (x zoom - offset); floats
    // keep far points from wrapping, SDL clips them to the window
    SDL_RenderDrawLineF(e.m_rendu, float(t.a.x * e.m_zoom - e.m_decalage_x), float(t.a.y * e.m_zoom - e.m_decalage_y),
                        float(t.b.x * e.m_zoom - e.m_decalage_x), float(t.b.y * e.m_zoom - e.m_decalage_y));
  }
}
