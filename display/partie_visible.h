// The part of the photo that reaches the window. The placement keeps
// rectangles far larger than the window at high zoom; handing those to the
// renderer makes the software one scale the whole photo into a temporary on
// every frame. These pieces draw the same image from visible cells only.
#pragma once

#include <cstdint>
#include <vector>

#include <SDL_rect.h>

// One piece of one axis: photo cells [source_pos, source_pos + source_taille)
// drawn onto window pixels [destination_pos, destination_pos + destination_taille).
struct Troncon {
  int32_t source_pos = 0;
  int32_t source_taille = 0;
  int32_t destination_pos = 0;
  int32_t destination_taille = 0;
};

// Longest piece, in window pixels, when photo cells are magnified: the
// software renderer steps through the source in 1/65536 of a cell, and over
// this length its drift stays below one cell for every magnification up to 64.
constexpr int32_t kTronconMax = 512;

// Pieces of one axis, left to right (or top to bottom), all inside
// [0, taille_fenetre). The copy is taken as the renderer takes it: the source
// clipped to [0, taille_photo), the destination unchanged. Empty when nothing
// shows. A whole magnification keeps every cell on its own window pixels: a
// cell cut by the window edge becomes a piece of its own, one cell wide.
// Otherwise one piece, the source rounded out to whole cells.
std::vector<Troncon> partieVisible(int32_t source_pos, int32_t source_taille, int32_t destination_pos,
                                   int32_t destination_taille, int32_t taille_photo, int32_t taille_fenetre);

// The rectangle `tout` less the `trous`, as rectangles that do not overlap,
// in rows from the top: the whole of it when no hole meets it.
std::vector<SDL_Rect> horsDe(const SDL_Rect& tout, const std::vector<SDL_Rect>& trous);
