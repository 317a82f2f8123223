// The trajectory layer (key T): the recorded centres of the run as small
// crosses joined in order, drawn over the photo at the current pan and zoom.
// The last ten are brighter; a step far longer than the usual one is red, so
// a wrong record stands out at a glance.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// How a cross or a step is drawn: dim, bright (the last ten), red (a jump).
enum class Teinte : uint8_t { Ordinaire = 0, Recente = 1, Rouge = 2 };
constexpr int kTeintes = 3;

constexpr size_t kCentresVifs = 10;   // the last centres drawn bright
constexpr int32_t kDemiCroixTrajet = 3;  // half arm of a cross, window pixels
// Visible steps drawn at most per frame; past it one dim step in n is left
// out (a window holding that many is a scribble anyway).
constexpr size_t kEtapesMax = 65536;

// The recorded centres, photo pixels, and what each step from centre i - 1 to
// centre i is (rouge[0] stands for no step).
struct TrajetPhoto {
  std::vector<double> x, y;
  std::vector<uint8_t> rouge;
};

// Red steps: longer than 3 x the median step length and than 2 photo pixels.
// A centre that is not a finite number breaks the path: no step to or from it.
std::vector<uint8_t> etapesRouges(const std::vector<double>& x, const std::vector<double>& y);
// The median of step lengths, the mean of the two middle ones for an even
// count; 0 with none. The red steps and the automatic run's doubts both
// measure a step against it.
double medianePas(std::vector<double> pas);

// What a frame draws, window pixels, by teinte: polylines (their points end
// to end, debuts[t] the first point of each, each at least two points) and
// cross bars.
struct TraceFenetre {
  std::vector<SDL_Point> points[kTeintes];
  std::vector<uint32_t> debuts[kTeintes];
  std::vector<SDL_Rect> croix[kTeintes];
  size_t etapes() const;  // segments drawn, every teinte
};

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

// What the cache was built from and what it holds (in the record).
struct CacheTrajectoire {
  bool photo_valide = false;
  uint64_t version_historique = 0;
  TrajetPhoto trajet;
  bool fenetre_valide = false;
  double vue[3] = {0.0, 0.0, 0.0};  // zoom, offsets
  int32_t taille[2] = {0, 0};
  TraceFenetre trace;
  // the trace painted once into a window-sized texture of this renderer: a
  // frame then copies it in one call
  SDL_Renderer* rendu = nullptr;
  SDL_Texture* calque = nullptr;
  bool calque_valide = false;
};

// T: shows or hides the trajectory; one console line.
void basculerTrajectoire();
// Draws it when shown (render calls it last but the strip); the trace is
// made again only when the history or the view changes.
void dessinerTrajectoire();
