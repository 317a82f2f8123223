#include "interaction/tache.h"

#include <limits>
#include <numeric>

#include "etat/etat.h"
#include "interaction/sommes_selection.h"

namespace {

// Union-find root with path halving.
uint32_t racine(std::vector<uint32_t>& parent, uint32_t i) {
  while (parent[i] != i) {
    parent[i] = parent[parent[i]];
    i = parent[i];
  }
  return i;
}

void unir(std::vector<uint32_t>& parent, uint32_t a, uint32_t b) {
  a = racine(parent, a);
  b = racine(parent, b);
  // the smaller index stays the root: a patch is named by its first pixel
  if (a < b) parent[b] = a;
  else if (b < a) parent[a] = b;
}

}  // namespace

TachesZone garderTacheProche(std::vector<bool>& bits, int32_t largeur, int32_t hauteur, int64_t x, int64_t y) {
  TachesZone t;
  if (largeur <= 0 || hauteur <= 0) return t;
  const size_t w = static_cast<size_t>(largeur), h = static_cast<size_t>(hauteur);
  if (bits.size() < w * h || w * h > std::numeric_limits<uint32_t>::max()) return t;
  const size_t n = w * h;
  std::vector<uint32_t> parent(n);
  std::iota(parent.begin(), parent.end(), 0u);
  // one scan, joining each selected pixel to its selected neighbours already
  // seen: left, and the three above
  for (size_t i = 0; i < h; ++i) {
    for (size_t j = 0; j < w; ++j) {
      const size_t k = i * w + j;
      if (!bits[k]) continue;
      if (j > 0 && bits[k - 1]) unir(parent, uint32_t(k), uint32_t(k - 1));
      if (i == 0) continue;
      const size_t haut = k - w;
      if (j > 0 && bits[haut - 1]) unir(parent, uint32_t(k), uint32_t(haut - 1));
      if (bits[haut]) unir(parent, uint32_t(k), uint32_t(haut));
      if (j + 1 < w && bits[haut + 1]) unir(parent, uint32_t(k), uint32_t(haut + 1));
    }
  }
  // Every link points to a smaller index (a root is its patch's first
  // pixel), so one scan in order gives each pixel its patch's number, kept in
  // place of its link: 4 bytes a zone pixel in all.
  std::vector<int64_t> taille, distance;
  for (size_t k = 0; k < n; ++k) {
    if (!bits[k]) continue;
    uint32_t numero = 0;
    if (parent[k] == k) {
      numero = uint32_t(taille.size());
      taille.push_back(0);
      distance.push_back(std::numeric_limits<int64_t>::max());
    } else {
      numero = parent[parent[k]];  // an earlier pixel: already its number
    }
    parent[k] = numero;
    ++taille[numero];
    const int64_t dx = int64_t(k % w) - x, dy = int64_t(k / w) - y;
    const int64_t d = dx * dx + dy * dy;  // zone sides fit int32: no overflow
    if (d < distance[numero]) distance[numero] = d;
  }
  t.taches = int64_t(taille.size());
  if (t.taches == 0) return t;
  size_t gardee = 0;
  for (size_t p = 1; p < taille.size(); ++p) {
    if (distance[p] < distance[gardee] || (distance[p] == distance[gardee] && taille[p] > taille[gardee])) gardee = p;
  }
  t.gardee = taille[gardee];
  for (size_t p = 0; p < taille.size(); ++p)
    if (p != gardee && taille[p] > t.seconde) t.seconde = taille[p];
  if (t.taches > 1) {
    for (size_t k = 0; k < n; ++k)
      if (bits[k] && parent[k] != gardee) bits[k] = false;
  }
  return t;
}

TachesZone garderTache(int32_t x, int32_t y) {
  Etat& e = *g_etat;
  // the patches are those of the zone rectangle: lists built otherwise (a
  // bug) are left alone
  if (!listesRectangle(e)) return TachesZone{};
  return garderTacheProche(e.is_select, e.m_zone_dx + 1, e.m_zone_dy + 1, int64_t{x} - e.m_zone_x0,
                           int64_t{y} - e.m_zone_y0);
}
