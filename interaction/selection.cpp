#include "interaction/selection.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <vector>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "interaction/sommes_selection.h"

void publierSommes(Etat& e, const Sommes& s) {
  e.m_nombre_selectionnes = static_cast<int32_t>(std::min<int64_t>(s.nombre, std::numeric_limits<int32_t>::max()));
  e.m_centre_x = static_cast<double>(s.colonnes) + 0.5 * static_cast<double>(s.nombre);
  e.m_centre_y = static_cast<double>(s.lignes) + 0.5 * static_cast<double>(s.nombre);
}

bool listesRectangle(const Etat& e) {
  if (e.m_zone_dx < 0 || e.m_zone_dy < 0) return false;
  const size_t largeur = static_cast<size_t>(e.m_zone_dx) + 1;
  const size_t hauteur = static_cast<size_t>(e.m_zone_dy) + 1;
  const size_t n = largeur * hauteur;
  if (e.m_liste_x.size() != n || e.m_liste_y.size() != n || e.is_select.size() != n) return false;
  for (size_t j = 0; j < largeur; ++j) {
    if (e.m_liste_x[j] != e.m_zone_x0 + static_cast<int64_t>(j)) return false;
  }
  for (size_t i = 0; i < hauteur; ++i) {
    const size_t debut = i * largeur;
    const size_t fin = debut + largeur - 1;
    const int64_t ligne = e.m_zone_y0 + static_cast<int64_t>(i);
    if (e.m_liste_x[debut] != e.m_zone_x0 || e.m_liste_x[fin] != e.m_zone_x1) return false;
    if (e.m_liste_y[debut] != ligne || e.m_liste_y[fin] != ligne) return false;
  }
  return true;
}

size_t entreesSures(const Etat& e) {
  return std::min({e.m_liste_x.size(), e.m_liste_y.size(), e.is_select.size()});
}

void construireZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  Etat& e = *g_etat;
  const int64_t dx = static_cast<int64_t>(x1) - x0;
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  e.m_zone_x0 = x0;
  e.m_zone_y0 = y0;
  e.m_zone_x1 = x1;
  e.m_zone_y1 = y1;
  e.m_zone_dx = static_cast<int32_t>(dx);
  e.m_zone_dy = static_cast<int32_t>(dy);

  // Reverse corners give no entry, as the row and column loops would.
  const size_t largeur = dx >= 0 ? static_cast<size_t>(dx) + 1 : 0;
  const size_t hauteur = dy >= 0 ? static_cast<size_t>(dy) + 1 : 0;
  const size_t n = largeur * hauteur;
  e.m_liste_x.clear();
  e.m_liste_y.clear();
  e.m_liste_x.reserve(n);
  e.m_liste_y.reserve(n);
  if (n > 0) {
    std::vector<int32_t> colonnes(largeur);
    for (size_t j = 0; j < largeur; ++j) colonnes[j] = x0 + static_cast<int32_t>(j);
    for (size_t i = 0; i < hauteur; ++i) {
      e.m_liste_x.insert(e.m_liste_x.end(), colonnes.begin(), colonnes.end());
      e.m_liste_y.insert(e.m_liste_y.end(), largeur, y0 + static_cast<int32_t>(i));
    }
  }
  e.is_select.assign(n, false);
}

bool definirZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  Etat& e = *g_etat;
  const int64_t dx = static_cast<int64_t>(x1) - x0;
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  const bool differencesEntieres = dx >= std::numeric_limits<int32_t>::min() &&
                                   dx <= std::numeric_limits<int32_t>::max() &&
                                   dy >= std::numeric_limits<int32_t>::min() && dy <= std::numeric_limits<int32_t>::max();
  // The 64-bit product: in 32 bits, sides above 46340 wrap and can pass.
  if (!differencesEntieres || dx * dy > e.m_max_pixels) {
    std::cout << "Selection > " << e.m_max_pixels << " pixels (voir le fichier de donnees)." << std::endl;
    return false;  // corners, differences and lists stay those of the previous zone
  }
  construireZone(x0, y0, x1, y1);
  std::cout << "Taille de is_select : " << e.is_select.size() << std::endl;
  return true;
}

void calculerCentre() {
  Etat& e = *g_etat;
  const int32_t n = e.m_nombre_selectionnes;
  if (n >= 1) {
    e.m_afficher_centre = true;
    e.m_centre_x = e.m_centre_x / n;
    e.m_centre_y = e.m_centre_y / n;
    placerCroixCentre();
    std::cout << "centre: x= " << e.m_centre_x << " y= " << e.m_centre_y << std::endl;
  } else {
    e.m_afficher_centre = false;
  }
  const int32_t m = e.m_taille_pixel >= 3 ? e.m_taille_pixel - 2 : e.m_taille_pixel;
  e.m_rect_source_pixel = {0, 0, m, m};
  e.m_afficher_selection = true;
}

void placerCroixCentre() {
  Etat& e = *g_etat;
  const int32_t cx = arrondi(e.m_centre_x * e.m_zoom - e.m_decalage_x);
  const int32_t cy = arrondi(e.m_centre_y * e.m_zoom - e.m_decalage_y);
  const int32_t s = e.m_demi_croix;
  e.m_croix_horizontale = {cx - s, cy, 2 * s, 1};
  e.m_croix_verticale = {cx, cy - s, 1, 2 * s};
}

void recompterSelection() {
  Etat& e = *g_etat;
  Sommes total;
  if (listesRectangle(e)) {
    const size_t largeur = static_cast<size_t>(e.m_zone_dx) + 1;
    auto bit = e.is_select.cbegin();
    // 64-bit rows: a zone may end on the last int32_t row
    for (int64_t l = e.m_zone_y0; l <= e.m_zone_y1; ++l) {
      int64_t n = 0;
      int64_t somme = 0;
      for (size_t j = 0; j < largeur; ++j, ++bit) {
        const int64_t choisi = *bit;
        n += choisi;
        somme += choisi * (e.m_zone_x0 + static_cast<int64_t>(j));
      }
      total.nombre += n;
      total.colonnes += somme;
      total.lignes += n * l;
    }
  } else {
    const size_t n = entreesSures(e);
    for (size_t k = 0; k < n; ++k) {
      if (!e.is_select[k]) continue;
      ++total.nombre;
      total.colonnes += e.m_liste_x[k];
      total.lignes += e.m_liste_y[k];
    }
  }
  publierSommes(e, total);
}

void modifierRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout) {
  Etat& e = *g_etat;
  if (listesRectangle(e)) {
    const int32_t c0 = std::max(x0, e.m_zone_x0), c1 = std::min(x1, e.m_zone_x1);
    const int32_t l0 = std::max(y0, e.m_zone_y0), l1 = std::min(y1, e.m_zone_y1);
    if (c0 <= c1 && l0 <= l1) {
      const size_t largeur = static_cast<size_t>(e.m_zone_dx) + 1;
      for (int64_t l = l0; l <= l1; ++l) {
        const size_t k = static_cast<size_t>(l - e.m_zone_y0) * largeur + static_cast<size_t>(c0 - e.m_zone_x0);
        const auto debut = e.is_select.begin() + k;
        std::fill(debut, debut + (c1 - c0 + 1), ajout);
      }
    }
  } else {
    const size_t n = entreesSures(e);
    for (size_t k = 0; k < n; ++k) {
      const int32_t c = e.m_liste_x[k];
      const int32_t l = e.m_liste_y[k];
      if (x0 <= c && c <= x1 && y0 <= l && l <= y1) e.is_select[k] = ajout;
    }
  }
  recompterSelection();
  calculerCentre();
}
