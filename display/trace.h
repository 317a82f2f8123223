// The trace of the centres (key T): the recorded centres of the run as small
// crosses joined in order, drawn over the photo at the current pan and zoom.
// The last ten are brighter; a step far longer than the usual one is red, so
// a wrong record stands out at a glance.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "etat/caches.h"

constexpr size_t kCentresVifs = 10;   // the last centres drawn bright
constexpr int32_t kDemiCroixTrajet = 3;  // half arm of a cross, window pixels
// Visible steps drawn at most per frame; past it one dim step in n is left
// out (a window holding that many is a scribble anyway).
constexpr size_t kEtapesMax = 65536;

// Red steps: longer than 3 x the median step length and than 2 photo pixels.
// A centre that is not a finite number breaks the path: no step to or from it.
std::vector<uint8_t> etapesRouges(const std::vector<double>& x, const std::vector<double>& y);
// The median of step lengths, the mean of the two middle ones for an even
// count; 0 with none. The red steps and the automatic run's doubts both
// measure a step against it.
double medianePas(std::vector<double> pas);

// The trajectory mapped by window = photo x zoom - offset into a window of
// largeur x hauteur: steps clipped to the window before any conversion to
// int (far points cannot overflow), crosses only for visible centres, at most
// one dim cross per 2 x 2 window cell and no point repeated within a
// polyline. Empty for an unusable zoom.
TraceFenetre traceFenetre(const TrajetPhoto& trajet, double zoom, double decalage_x, double decalage_y,
                          int32_t largeur, int32_t hauteur);
// The same into trace, whose memory serves again: a pan redoes it every frame.
void traceFenetre(const TrajetPhoto& trajet, double zoom, double decalage_x, double decalage_y, int32_t largeur,
                  int32_t hauteur, TraceFenetre& trace);

// T: shows or hides the trajectory; one console line.
void basculerTrace();
// Draws it when shown (render calls it last but the strip); the trace is
// made again only when the history or the view changes.
void dessinerTrace();
// Destroys the trace's layer texture, before the renderer goes.
void libererTrace();
