// What the frame keeps between frames so that drawing it stays cheap: the
// selected-pixel layer, the photo reduced to its size on the screen and the
// trace of the centres. Held by the record; each is written by the one
// display file its comment names.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// What the selected-pixel layer was drawn from, and the merged rectangles it
// gave: redrawing them costs one copy per rectangle instead of one per pixel.
// The key fields are all 8 bytes wide so the key compares bytewise.
struct CleMarqueurs {
  uint64_t version = 0;
  int64_t zone[6] = {0, 0, 0, 0, 0, 0};  // corners, dx, dy
  int64_t tailles[4] = {0, 0, 0, 0};     // lists, is_select, count, m_taille_pixel
  double vue[5] = {0.0, 0.0, 0.0, 0.0, 0.0};  // zoom, offsets, centre sums
  int64_t source[4] = {0, 0, 0, 0};      // m_rect_source_pixel
  int64_t fenetre[4] = {0, 0, 0, 0};     // drawing target size, marker texture size
  int64_t couleur[4] = {0, 0, 0, 0};     // marker colour and alpha
  const void* objets[2] = {nullptr, nullptr};  // renderer, marker texture
};
struct CacheMarqueurs {
  bool valide = false;
  CleMarqueurs cle;
  // Window rectangles of equal marker coverage: rectangle i is copied
  // repetitions[i] times (overlapping markers below zoom 1 blend repeatedly).
  // With a mask, the counts are those left after the mask's one blend.
  std::vector<SDL_Rect> rectangles;
  std::vector<int32_t> repetitions;
  // Coverage table of the window, kept between rebuilds to spare the allocation.
  std::vector<int32_t> comptes;
  // Photo coordinates of the selected entries, with their bounds: a pan or a
  // zoom walks these instead of the whole zone. Made again when the
  // selection part of the key (version, zone, list sizes) changes.
  bool choix_valide = false;
  CleMarqueurs cle_choix;
  std::vector<int32_t> choix_x, choix_y;
  int32_t choix_min[2] = {0, 0}, choix_max[2] = {0, 0};
  // Renderers other than the software one: the marker colour opaque on every
  // covered window pixel and transparent elsewhere, copied once over
  // boite_masque (empty when no mask is in use).
  SDL_Texture* masque = nullptr;
  SDL_Renderer* rendu_masque = nullptr;
  int64_t masque_w = 0, masque_h = 0;
  SDL_Rect boite_masque{0, 0, 0, 0};
  SDL_Texture* aplat = nullptr;  // flat marker colour, at most window-sized
  SDL_Renderer* rendu_aplat = nullptr;
  int64_t aplat_w = 0, aplat_h = 0;
  int64_t couleur_aplat[4] = {0, 0, 0, 0};
};

// The photo reduced to its size on the screen (zooms below 1), and what it
// was made from.
struct CachePhotoReduite {
  SDL_Texture* texture = nullptr;
  SDL_Renderer* rendu = nullptr;
  SDL_Texture* photo = nullptr;
  uint64_t generation = 0;
  SDL_Rect source{0, 0, 0, 0};
  int32_t largeur = 0, hauteur = 0;
};

// How a cross or a step is drawn: dim, bright (the last ten), red (a jump).
enum class Teinte : uint8_t { Ordinaire = 0, Recente = 1, Rouge = 2 };
constexpr int kTeintes = 3;

// The recorded centres, photo pixels, and what each step from centre i - 1 to
// centre i is (rouge[0] stands for no step).
struct TrajetPhoto {
  std::vector<double> x, y;
  std::vector<uint8_t> rouge;
};

// What a frame draws, window pixels, by teinte: polylines (their points end
// to end, debuts[t] the first point of each, each at least two points) and
// cross bars.
struct TraceFenetre {
  std::vector<SDL_Point> points[kTeintes];
  std::vector<uint32_t> debuts[kTeintes];
  std::vector<SDL_Rect> croix[kTeintes];
  size_t etapes() const {  // segments drawn, every teinte
    size_t n = 0;
    for (int t = 0; t < kTeintes; ++t) n += points[t].size() - debuts[t].size();
    return n;
  }
};

// What the cache was built from and what it holds (in the record).
struct CacheTrace {
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
