#include "display/partie_visible.h"

#include <algorithm>

namespace {

// Floor and ceiling of n / d for d > 0, n of any sign.
int64_t divBas(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
int64_t divHaut(int64_t n, int64_t d) { return -divBas(-n, d); }

Troncon troncon(int64_t sp, int64_t st, int64_t dp, int64_t dt) {
  return {int32_t(sp), int32_t(st), int32_t(dp), int32_t(dt)};
}

}  // namespace

std::vector<Troncon> partieVisible(int32_t source_pos, int32_t source_taille, int32_t destination_pos,
                                   int32_t destination_taille, int32_t taille_photo, int32_t taille_fenetre) {
  std::vector<Troncon> pieces;
  // what the renderer would draw: the source clipped to the photo, stretched
  // over the whole destination
  const int64_t a = std::max<int64_t>(source_pos, 0);
  const int64_t b = std::min<int64_t>(int64_t(source_pos) + source_taille, taille_photo);
  const int64_t d = destination_pos;
  const int64_t dt = destination_taille;
  const int64_t cellules = b - a;
  if (cellules <= 0 || dt <= 0) return pieces;

  const int64_t x0 = std::max<int64_t>(d, 0);
  const int64_t x1 = std::min<int64_t>(d + dt, taille_fenetre);
  if (x1 <= x0) return pieces;
  if (x0 == d && x1 == d + dt) {
    pieces.push_back(troncon(a, cellules, d, dt));
    return pieces;
  }

  if (dt % cellules != 0) {
    // reduced or uneven scale: window pixels [x0, x1) and the cells under them
    const int64_t c0 = std::max(a, a + divBas((x0 - d) * cellules, dt));
    const int64_t c1 = std::min(b, a + divHaut((x1 - d) * cellules, dt));
    pieces.push_back(troncon(c0, c1 - c0, x0, x1 - x0));
    return pieces;
  }

  // m window pixels per cell: cell c covers [d + (c - a) * m, d + (c - a + 1) * m)
  const int64_t m = dt / cellules;
  int64_t c0 = a + (x0 - d) / m;
  int64_t c1 = a + divHaut(x1 - d, m);
  auto debut = [&](int64_t c) { return d + (c - a) * m; };

  if (c1 - c0 == 1) {  // one cell wider than the window
    pieces.push_back(troncon(c0, 1, x0, x1 - x0));
    return pieces;
  }
  Troncon droite;
  bool coupe_a_droite = false;
  if (debut(c0) < x0) {
    pieces.push_back(troncon(c0, 1, x0, debut(c0 + 1) - x0));
    ++c0;
  }
  if (debut(c1) > x1) {
    droite = troncon(c1 - 1, 1, debut(c1 - 1), x1 - debut(c1 - 1));
    coupe_a_droite = true;
    --c1;
  }
  const int64_t par_piece = m > 1 ? std::max<int64_t>(1, kTronconMax / m) : c1 - c0;
  for (int64_t c = c0; c < c1; c += par_piece) {
    const int64_t n = std::min(par_piece, c1 - c);
    pieces.push_back(troncon(c, n, debut(c), n * m));
  }
  if (coupe_a_droite) pieces.push_back(droite);
  return pieces;
}

std::vector<SDL_Rect> horsDe(const SDL_Rect& tout, const std::vector<SDL_Rect>& trous) {
  std::vector<SDL_Rect> parts{tout};
  for (const SDL_Rect& trou : trous) {
    std::vector<SDL_Rect> restes;
    for (const SDL_Rect& r : parts) {
      SDL_Rect commun;
      if (SDL_IntersectRect(&r, &trou, &commun) != SDL_TRUE) {
        restes.push_back(r);
        continue;
      }
      // above, left, right, below the common part: whole rows where they can be
      const SDL_Rect bouts[4] = {{r.x, r.y, r.w, commun.y - r.y},
                                 {r.x, commun.y, commun.x - r.x, commun.h},
                                 {commun.x + commun.w, commun.y, r.x + r.w - commun.x - commun.w, commun.h},
                                 {r.x, commun.y + commun.h, r.w, r.y + r.h - commun.y - commun.h}};
      for (const SDL_Rect& bout : bouts)
        if (bout.w > 0 && bout.h > 0) restes.push_back(bout);
    }
    parts.swap(restes);
  }
  std::sort(parts.begin(), parts.end(),
            [](const SDL_Rect& a, const SDL_Rect& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return parts;
}
