#include "interaction/passe_couleur.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <vector>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "interaction/selection.h"
#include "interaction/sommes_selection.h"
#include "platform/console.h"

namespace {

// A pixel's value from its bytes. 16- and 32-bit pixels are native words; a
// 24-bit pixel is stored in the machine's byte order too, which the format's
// masks assume.
inline Uint32 valeurPixel(const Uint8* p, int octets) {
  switch (octets) {
    case 1:
      return *p;
    case 2: {
      Uint16 v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    case 3:
      if (SDL_BYTEORDER == SDL_LIL_ENDIAN) return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
      return Uint32(p[0]) << 16 | Uint32(p[1]) << 8 | Uint32(p[2]);
    case 4: {
      Uint32 v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    default:
      return 0;
  }
}

// 1-, 2- and 4-bit palette photos: SDL counts one byte per pixel, yet several
// pixels share a byte, so a pixel is its bits within the byte of its column.
inline bool pixelsPaquets(const SDL_PixelFormat* f) { return f->BitsPerPixel < 8; }

Uint32 indexPaquet(const SDL_PixelFormat* f, const Uint8* ligne, int32_t colonne, const Uint8*& adresse) {
  const int bits = f->BitsPerPixel > 0 ? f->BitsPerPixel : 1;
  const int par_octet = 8 / bits;
  adresse = ligne + colonne / par_octet;
  const int rang = colonne % par_octet;
  const int decalage = SDL_PIXELORDER(f->format) == SDL_BITMAPORDER_4321 ? rang * bits : 8 - bits - rang * bits;
  return (*adresse >> decalage) & ((1u << bits) - 1);
}

inline bool dansTolerance(int courant, int reference, int32_t tolerance) {
  return std::abs(courant - reference) <= tolerance;
}

bool couleurAcceptee(const Etat& e, Uint8 r, Uint8 g, Uint8 b) {
  return dansTolerance(r, e.m_rouge_reference, e.m_tolerance_rouge) &&
         dansTolerance(g, e.m_vert_reference, e.m_tolerance_vert) &&
         dansTolerance(b, e.m_bleu_reference, e.m_tolerance_bleu);
}

// The part of the zone that lies on the surface, in photo pixels.
struct Bornes {
  int32_t c0, c1, l0, l1;
  bool vide() const { return c0 > c1 || l0 > l1; }
};

Bornes zoneSurSurface(const Etat& e, const SDL_Surface* s) {
  return {std::max(e.m_zone_x0, 0), std::min(e.m_zone_x1, s->w - 1), std::max(e.m_zone_y0, 0),
          std::min(e.m_zone_y1, s->h - 1)};
}

// One row of the colour pass over the rectangle: test each pixel, add it to
// the selection when it passes, and count what is selected.
template <int Octets, typename Test>
void passeLigne(const Uint8* p, int32_t c0, int32_t c1, std::vector<bool>::iterator bit, Test test, int64_t& nombre,
                int64_t& colonnes) {
  int64_t n = 0;
  int64_t somme = 0;
  for (int32_t c = c0; c <= c1; ++c, p += Octets, ++bit) {
    if (test(p)) *bit = true;
    const int64_t choisi = *bit;
    n += choisi;
    somme += choisi * c;
  }
  nombre += n;
  colonnes += somme;
}

template <int Octets, typename Test>
Sommes passeRectangle(Etat& e, const SDL_Surface* s, Test test) {
  Sommes total;
  const Bornes b = zoneSurSurface(e, s);
  if (b.vide()) return total;
  const size_t largeur = static_cast<size_t>(e.m_zone_dx) + 1;
  const Uint8* pixels = static_cast<const Uint8*>(s->pixels);
  for (int32_t l = b.l0; l <= b.l1; ++l) {
    const size_t k = static_cast<size_t>(l - e.m_zone_y0) * largeur + static_cast<size_t>(b.c0 - e.m_zone_x0);
    const Uint8* ligne = pixels + static_cast<size_t>(l) * s->pitch + static_cast<size_t>(b.c0) * Octets;
    int64_t n = 0;
    passeLigne<Octets>(ligne, b.c0, b.c1, e.is_select.begin() + k, test, n, total.colonnes);
    total.nombre += n;
    total.lignes += n * l;
  }
  return total;
}

// Acceptance of each byte value at each byte position of a pixel, for formats
// whose red, green and blue are whole bytes: a pixel passes when all its bytes
// pass. Bytes SDL_GetRGB ignores (alpha, padding) pass whatever their value.
struct TablesOctets {
  Uint8 t[4][256];
};

bool preparerTablesOctets(const Etat& e, const SDL_PixelFormat* f, TablesOctets& tables) {
  const int octets = f->BytesPerPixel;
  if (f->palette != nullptr || (octets != 3 && octets != 4)) return false;
  std::memset(tables.t, 1, sizeof tables.t);
  struct Canal {
    Uint32 masque;
    int decalage;
    int reference;
    int32_t tolerance;
  };
  const Canal canaux[3] = {{f->Rmask, f->Rshift, e.m_rouge_reference, e.m_tolerance_rouge},
                           {f->Gmask, f->Gshift, e.m_vert_reference, e.m_tolerance_vert},
                           {f->Bmask, f->Bshift, e.m_bleu_reference, e.m_tolerance_bleu}};
  for (int numero = 0; numero < 3; ++numero) {
    const Canal& canal = canaux[numero];
    if (canal.decalage % 8 != 0 || canal.decalage / 8 >= octets || canal.masque != (0xFFu << canal.decalage))
      return false;
    const int octet = canal.decalage / 8;
    const int position = SDL_BYTEORDER == SDL_LIL_ENDIAN ? octet : octets - 1 - octet;
    for (int v = 0; v < 256; ++v) {
      Uint8 rgb[3];
      SDL_GetRGB(Uint32(v) << canal.decalage, f, &rgb[0], &rgb[1], &rgb[2]);
      tables.t[position][v] &= dansTolerance(rgb[numero], canal.reference, canal.tolerance) ? 1 : 0;
    }
  }
  return true;
}

// Acceptance of every value of a 1- or 2-byte pixel, through SDL_GetRGB itself.
std::vector<Uint8> tableValeurs(const Etat& e, const SDL_PixelFormat* f, size_t taille) {
  std::vector<Uint8> table(taille);
  for (size_t v = 0; v < taille; ++v) {
    Uint8 r, g, b;
    SDL_GetRGB(static_cast<Uint32>(v), f, &r, &g, &b);
    table[v] = couleurAcceptee(e, r, g, b) ? 1 : 0;
  }
  return table;
}

// The colour pass over a zone whose lists are the rectangle, with the test
// suited to the pixel layout.
Sommes passeCouleurRectangle(Etat& e, SDL_Surface* s) {
  const SDL_PixelFormat* f = s->format;
  const auto generique = [&e, f](const Uint8* p) {
    Uint8 r, g, b;
    SDL_GetRGB(valeurPixel(p, f->BytesPerPixel), f, &r, &g, &b);
    return couleurAcceptee(e, r, g, b);
  };
  switch (f->BytesPerPixel) {
    case 1: {
      const std::vector<Uint8> table = tableValeurs(e, f, 256);
      const Uint8* t = table.data();
      return passeRectangle<1>(e, s, [t](const Uint8* p) { return t[p[0]] != 0; });
    }
    case 2: {
      // The whole table costs 65536 colour conversions: worth it on large zones only.
      if (e.is_select.size() < 65536) return passeRectangle<2>(e, s, generique);
      const std::vector<Uint8> table = tableValeurs(e, f, 65536);
      const Uint8* t = table.data();
      return passeRectangle<2>(e, s, [t](const Uint8* p) {
        Uint16 v;
        std::memcpy(&v, p, sizeof v);
        return t[v] != 0;
      });
    }
    case 3: {
      TablesOctets tables;
      if (!preparerTablesOctets(e, f, tables)) return passeRectangle<3>(e, s, generique);
      const auto& t = tables.t;
      return passeRectangle<3>(e, s, [&t](const Uint8* p) { return (t[0][p[0]] & t[1][p[1]] & t[2][p[2]]) != 0; });
    }
    case 4: {
      TablesOctets tables;
      if (!preparerTablesOctets(e, f, tables)) return passeRectangle<4>(e, s, generique);
      const auto& t = tables.t;
      return passeRectangle<4>(
          e, s, [&t](const Uint8* p) { return (t[0][p[0]] & t[1][p[1]] & t[2][p[2]] & t[3][p[3]]) != 0; });
    }
    default:
      return passeRectangle<1>(e, s, generique);
  }
}

// The colour pass entry by entry, for lists that are not the zone rectangle.
Sommes passeCouleurListes(Etat& e, SDL_Surface* s) {
  Sommes total;
  const size_t n = entreesSures(e);
  for (size_t k = 0; k < n; ++k) {
    const int32_t c = e.m_liste_x[k];
    const int32_t l = e.m_liste_y[k];
    if (c < 0 || l < 0 || c >= s->w || l >= s->h) continue;
    SDL_GetRGB(lirePixel(s, c, l), e.m_format_photo, &e.m_rouge_courant, &e.m_vert_courant, &e.m_bleu_courant);
    if (couleurAcceptee(e, e.m_rouge_courant, e.m_vert_courant, e.m_bleu_courant)) e.is_select[k] = true;
    if (e.is_select[k]) {
      ++total.nombre;
      total.colonnes += c;
      total.lignes += l;
    }
  }
  return total;
}

// Leaves the last zone pixel read in m_adresse_pixel and the current colour,
// as a pixel-by-pixel pass would.
void noterDernierPixel(Etat& e, SDL_Surface* s) {
  const size_t n = entreesSures(e);
  for (size_t k = n; k-- > 0;) {
    const int32_t c = e.m_liste_x[k];
    const int32_t l = e.m_liste_y[k];
    if (c < 0 || l < 0 || c >= s->w || l >= s->h) continue;
    SDL_GetRGB(lirePixel(s, c, l), e.m_format_photo, &e.m_rouge_courant, &e.m_vert_courant, &e.m_bleu_courant);
    return;
  }
}

int32_t borne(int32_t v, int32_t bas, int32_t haut) { return std::max(bas, std::min(v, haut)); }

}  // namespace

PixelClic pixelClic(int32_t wx, int32_t wy, double zoom, double dx, double dy, int32_t largeur_photo,
                    int32_t hauteur_photo, int32_t largeur_surface, int32_t hauteur_surface) {
  int32_t c = plancher((wx + dx) / zoom);
  int32_t r = plancher((wy + dy) / zoom);
  if (c < 0) c = 0;
  if (r < 0) r = 0;
  if (c >= largeur_photo) c = largeur_photo - 2;
  if (r >= hauteur_photo) r = hauteur_photo - 2;
  // W - 2 leaves a photo 1 pixel wide, and any clamp an empty one: keep the
  // click on the surface.
  return {borne(c, 0, largeur_surface - 1), borne(r, 0, hauteur_surface - 1)};
}

Uint32 lirePixel(SDL_Surface* surface, int32_t colonne, int32_t ligne) {
  if (surface == nullptr || surface->format == nullptr) return 0;
  Etat& e = *g_etat;
  e.m_octets_par_pixel = surface->format->BytesPerPixel;
  if (surface->pixels == nullptr || colonne < 0 || ligne < 0 || colonne >= surface->w || ligne >= surface->h) return 0;
  if (pixelsPaquets(surface->format)) {
    const Uint8* ligne_octets = static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(ligne) * surface->pitch;
    return indexPaquet(surface->format, ligne_octets, colonne, e.m_adresse_pixel);
  }
  const Uint8* adresse = static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(ligne) * surface->pitch +
                         static_cast<size_t>(colonne) * e.m_octets_par_pixel;
  e.m_adresse_pixel = adresse;
  return valeurPixel(adresse, e.m_octets_par_pixel);
}

void ajouterCouleursSimilaires(int32_t wx, int32_t wy) {
  Etat& e = *g_etat;
  if (e.pTempSurface_prairie == nullptr) {
    std::cout << " mode i : pTempSurface_prairie n'existe pas" << std::endl;  // leading blank is part of the line
    long long reponse = 0;
    if (lireEntierConsole(reponse) == Lecture::Nombre) {
      e.m_reponse_console = static_cast<int32_t>(std::max<long long>(
          std::numeric_limits<int32_t>::min(), std::min<long long>(reponse, std::numeric_limits<int32_t>::max())));
    }
    return;  // nothing to read: the selection and the centre stay
  }
  SDL_Surface* s = e.pTempSurface_prairie;
  e.m_surface_lue = s;
  e.m_format_photo = s->format;
  if (SDL_LockSurface(s) != 0) return;

  const PixelClic clic = pixelClic(wx, wy, e.m_zoom, e.m_decalage_x, e.m_decalage_y, e.m_largeur_photo,
                                   e.m_hauteur_photo, s->w, s->h);
  const int32_t c = clic.colonne, r = clic.ligne;
  e.m_x_clic_photo = c;
  e.m_y_clic_photo = r;
  if (c < s->w && r < s->h) {
    SDL_GetRGB(lirePixel(s, c, r), e.m_format_photo, &e.m_rouge_reference, &e.m_vert_reference, &e.m_bleu_reference);
  }
  std::cout << "Fin lecture couleur" << std::endl;

  const bool rectangle = listesRectangle(e) && !pixelsPaquets(s->format);
  const Sommes sommes = rectangle ? passeCouleurRectangle(e, s) : passeCouleurListes(e, s);
  noterDernierPixel(e, s);
  SDL_UnlockSurface(s);
  publierSommes(e, sommes);
  calculerCentre();
}

bool passeCouleurDe(Uint8 rouge, Uint8 vert, Uint8 bleu, int32_t tolerance_rouge, int32_t tolerance_vert,
                    int32_t tolerance_bleu) {
  Etat& e = *g_etat;
  SDL_Surface* s = e.pTempSurface_prairie;
  if (s == nullptr) return false;
  e.m_surface_lue = s;
  e.m_format_photo = s->format;
  if (SDL_LockSurface(s) != 0) return false;
  e.m_rouge_reference = rouge;
  e.m_vert_reference = vert;
  e.m_bleu_reference = bleu;
  // the passes read the tolerances in force: lend them the pass's own
  const int32_t tolerances[3] = {e.m_tolerance_rouge, e.m_tolerance_vert, e.m_tolerance_bleu};
  e.m_tolerance_rouge = tolerance_rouge;
  e.m_tolerance_vert = tolerance_vert;
  e.m_tolerance_bleu = tolerance_bleu;
  const bool rectangle = listesRectangle(e) && !pixelsPaquets(s->format);
  const Sommes sommes = rectangle ? passeCouleurRectangle(e, s) : passeCouleurListes(e, s);
  e.m_tolerance_rouge = tolerances[0];
  e.m_tolerance_vert = tolerances[1];
  e.m_tolerance_bleu = tolerances[2];
  noterDernierPixel(e, s);
  SDL_UnlockSurface(s);
  publierSommes(e, sommes);
  return true;
}
