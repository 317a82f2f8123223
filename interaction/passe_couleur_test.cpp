#include "interaction/passe_couleur.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "etat/etat.h"
#include "interaction/selection.h"
#include "tests/etat_fixture.h"

namespace {

SDL_Surface* creerPhoto(int w, int h, Uint32 format) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format);
  if (s != nullptr && s->pixels != nullptr) std::memset(s->pixels, 0, static_cast<size_t>(s->pitch) * h);
  return s;
}

void peindre(SDL_Surface* s, int c, int r, Uint8 rouge, Uint8 vert, Uint8 bleu) {
  SDL_Rect p{c, r, 1, 1};
  SDL_FillRect(s, &p, SDL_MapRGB(s->format, rouge, vert, bleu));
}

class PasseCouleurTest : public EtatTest {
 protected:
  // A photo shown at zoom 1 with no offset, so window points are photo pixels.
  void montrer(SDL_Surface* s) {
    photo_ = s;
    Etat& e = *g_etat;
    e.pTempSurface_prairie = s;
    e.m_largeur_photo = s->w;
    e.m_hauteur_photo = s->h;
    e.m_zoom = 1.0;
    e.m_max_pixels = 1000000;
  }
  void tolerances(int32_t r, int32_t g, int32_t b) {
    g_etat->m_tolerance_rouge = r;
    g_etat->m_tolerance_vert = g;
    g_etat->m_tolerance_bleu = b;
  }
  void TearDown() override {
    SDL_FreeSurface(photo_);
    EtatTest::TearDown();
  }
  SDL_Surface* photo_ = nullptr;
};

TEST_F(PasseCouleurTest, ColourClickHonoursEachToleranceBound) {
  montrer(creerPhoto(4, 1, SDL_PIXELFORMAT_RGB24));
  peindre(photo_, 0, 0, 100, 100, 100);
  peindre(photo_, 1, 0, 100, 100, 100);
  peindre(photo_, 2, 0, 120, 100, 100);
  peindre(photo_, 3, 0, 0, 255, 0);
  ASSERT_TRUE(definirZone(0, 0, 3, 0));
  struct Cas {
    int32_t tolerance;
    std::vector<bool> attendu;
  };
  for (const Cas& c : {Cas{0, {true, true, false, false}}, Cas{20, {true, true, true, false}},
                       Cas{255, {true, true, true, true}}, Cas{-1, {false, false, false, false}}}) {
    SCOPED_TRACE(c.tolerance);
    g_etat->is_select.assign(4, false);
    tolerances(c.tolerance, c.tolerance, c.tolerance);
    ajouterCouleursSimilaires(0, 0);
    EXPECT_EQ(c.attendu, g_etat->is_select);
  }
  EXPECT_EQ(0, photo_->locked);
}

TEST_F(PasseCouleurTest, TwoClicksSelectTheUnion) {
  montrer(creerPhoto(4, 2, SDL_PIXELFORMAT_ARGB8888));
  peindre(photo_, 0, 0, 200, 0, 0);
  peindre(photo_, 2, 1, 0, 0, 200);
  peindre(photo_, 3, 0, 9, 9, 9);
  ASSERT_TRUE(definirZone(0, 0, 2, 1));
  console_.lu();
  ajouterCouleursSimilaires(0, 0);
  EXPECT_EQ("Fin lecture couleur\ncentre: x= 0.5 y= 0.5\n", console_.lu());
  ajouterCouleursSimilaires(2, 1);
  EXPECT_EQ("Fin lecture couleur\ncentre: x= 1.5 y= 1\n", console_.lu());
  // A click outside the zone only gives the colour; one found nowhere keeps both classes.
  ajouterCouleursSimilaires(3, 0);
  EXPECT_EQ(2, g_etat->m_nombre_selectionnes);
  EXPECT_EQ(9, g_etat->m_rouge_reference);
}

TEST_F(PasseCouleurTest, TwentyFourBitPixelsFollowTheFormat) {
  // The same three bytes mean red 10 in RGB24 and blue 10 in BGR24.
  for (Uint32 format : {SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_BGR24}) {
    SDL_Surface* s = creerPhoto(2, 2, format);
    Uint8* p = static_cast<Uint8*>(s->pixels) + s->pitch + 3;
    p[0] = 10, p[1] = 20, p[2] = 30;
    Uint8 r, g, b;
    SDL_GetRGB(lirePixel(s, 1, 1), s->format, &r, &g, &b);
    EXPECT_EQ(p, g_etat->m_adresse_pixel);
    EXPECT_EQ(format == SDL_PIXELFORMAT_RGB24 ? 10 : 30, r);
    EXPECT_EQ(20, g);
    EXPECT_EQ(0u, lirePixel(s, 2, 0));
    SDL_FreeSurface(s);
  }
}

TEST_F(PasseCouleurTest, PackedPixelsAreReadByTheirBits) {
  // One row of 9 pixels: the ninth lies in the second byte, and the row is
  // only 4 bytes long, so a byte per pixel would read past the photo.
  struct Cas {
    Uint32 format;
    Uint8 octets[2];
    Uint32 indices[9];
  };
  const Cas cas[] = {
      {SDL_PIXELFORMAT_INDEX1MSB, {0xA1, 0x80}, {1, 0, 1, 0, 0, 0, 0, 1, 1}},
      {SDL_PIXELFORMAT_INDEX1LSB, {0xA1, 0x01}, {1, 0, 0, 0, 0, 1, 0, 1, 1}},
      {SDL_PIXELFORMAT_INDEX4MSB, {0x3C, 0x01}, {3, 12, 0, 1, 0, 0, 0, 0, 0}},
      {SDL_PIXELFORMAT_INDEX4LSB, {0x3C, 0x01}, {12, 3, 1, 0, 0, 0, 0, 0, 0}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(SDL_GetPixelFormatName(c.format));
    SDL_Surface* s = creerPhoto(9, 1, c.format);
    ASSERT_NE(nullptr, s);
    std::memcpy(s->pixels, c.octets, 2);
    SDL_Palette* palette = s->format->palette;
    for (int i = 0; i < palette->ncolors; ++i) palette->colors[i] = {Uint8(i * 10), 0, 0, 255};
    for (int col = 0; col < 9; ++col) EXPECT_EQ(c.indices[col], lirePixel(s, col, 0)) << "column " << col;

    // the colour click on column 8 takes every pixel of its index
    montrer(s);
    tolerances(0, 0, 0);
    ASSERT_TRUE(definirZone(0, 0, 8, 0));
    ajouterCouleursSimilaires(8, 0);
    for (int col = 0; col < 9; ++col) EXPECT_EQ(c.indices[col] == c.indices[8], bool(g_etat->is_select[col])) << "column " << col;
    SDL_FreeSurface(photo_);
    photo_ = nullptr;
  }
}

TEST_F(PasseCouleurTest, ClicksAndZonesOffTinyPhotosStayOnThePhoto) {
  struct Cas {
    int w, h, wx, wy, c, r;
  };
  // Right of or below: W - 2, then onto the photo when that is outside.
  for (Cas cas : {Cas{3, 3, 50, 50, 1, 1}, Cas{2, 2, 50, -4, 0, 0}, Cas{1, 1, 50, 50, 0, 0}, Cas{1, 2, -7, 9, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << cas.w << "x" << cas.h);
    SDL_Surface* s = creerPhoto(cas.w, cas.h, SDL_PIXELFORMAT_RGB888);
    peindre(s, cas.c, cas.r, 1, 2, 3);
    montrer(s);
    ajouterCouleursSimilaires(cas.wx, cas.wy);
    EXPECT_EQ(cas.c, g_etat->m_x_clic_photo);
    EXPECT_EQ(cas.r, g_etat->m_y_clic_photo);
    EXPECT_EQ(3, g_etat->m_bleu_reference);
    EXPECT_EQ(0, g_etat->m_nombre_selectionnes);  // no zone yet: nothing to select
    SDL_FreeSurface(s);
  }
  // A zone kept from a larger photo: its entries off this one are not counted.
  montrer(creerPhoto(2, 2, SDL_PIXELFORMAT_RGB24));
  Etat& e = *g_etat;
  ASSERT_TRUE(definirZone(-1, 1, 3, 3));
  e.is_select.assign(e.is_select.size(), true);
  console_.lu();
  ajouterCouleursSimilaires(0, 0);
  EXPECT_EQ("Fin lecture couleur\ncentre: x= 1 y= 1.5\n", console_.lu());
  // The clamp alone, under a view and with photo fields that differ from the
  // surface: the fields clamp first, then the surface.
  struct Clic {
    int wx, wy;
    double zoom, dx, dy;
    int largeur, hauteur, w, h, c, r;
  };
  for (Clic k : {Clic{7, 9, 2.0, 3.0, -1.0, 10, 10, 10, 10, 5, 4}, Clic{-1, 2, 1.0, 0.0, -3.0, 10, 10, 10, 10, 0, 0},
                 Clic{50, 50, 1.0, 0.0, 0.0, 100, 100, 4, 4, 3, 3}, Clic{5, 5, 1.0, 0.0, 0.0, 3, 3, 10, 10, 1, 1},
                 Clic{5, 5, 1.0, 0.0, 0.0, 0, 0, 0, 0, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << k.wx << "," << k.wy << " on " << k.w << "x" << k.h);
    const PixelClic p = pixelClic(k.wx, k.wy, k.zoom, k.dx, k.dy, k.largeur, k.hauteur, k.w, k.h);
    EXPECT_EQ(k.c, p.colonne);
    EXPECT_EQ(k.r, p.ligne);
  }
  // An empty photo: nothing to read, nothing counted.
  SDL_Surface* vide = creerPhoto(0, 0, SDL_PIXELFORMAT_RGB24);
  e.pTempSurface_prairie = vide;
  e.m_largeur_photo = e.m_hauteur_photo = 0;
  ajouterCouleursSimilaires(5, 5);
  EXPECT_EQ(0, e.m_nombre_selectionnes);
  EXPECT_FALSE(e.m_afficher_centre);
  SDL_FreeSurface(vide);
}

TEST_F(PasseCouleurTest, ClickWithoutPhotoPausesAndChangesNothing) {
  Etat& e = *g_etat;
  e.m_max_pixels = 100;
  ASSERT_TRUE(definirZone(0, 0, 1, 1));
  e.is_select[3] = true;
  e.m_nombre_selectionnes = 1;
  console_.lu();
  console_.entree("42\n");
  ajouterCouleursSimilaires(0, 0);
  EXPECT_EQ(" mode i : pTempSurface_prairie n'existe pas\n", console_.lu());
  EXPECT_EQ(42, e.m_reponse_console);
  EXPECT_EQ(1, e.m_nombre_selectionnes);
  EXPECT_TRUE(e.is_select[3]);
  console_.entree("");  // end of input: the pause returns at once
  ajouterCouleursSimilaires(0, 0);
  EXPECT_EQ(" mode i : pTempSurface_prairie n'existe pas\n", console_.lu());
}

// The colour click as the plain per-pixel rule states it.
struct Attendu {
  std::vector<bool> bits;
  int32_t nombre = 0;
  double x = 0.0, y = 0.0;
};

Uint32 valeurSimple(SDL_Surface* s, int c, int r) {
  const Uint8* p = static_cast<const Uint8*>(s->pixels) + r * s->pitch + c * s->format->BytesPerPixel;
  switch (s->format->BytesPerPixel) {
    case 1: return p[0];
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3: return SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16 : p[0] << 16 | p[1] << 8 | p[2];
    default: return *reinterpret_cast<const Uint32*>(p);
  }
}

Attendu clicSimple(const Etat& e, SDL_Surface* s, int c, int r, const std::vector<bool>& avant) {
  Uint8 rr, rg, rb;
  SDL_GetRGB(valeurSimple(s, c, r), s->format, &rr, &rg, &rb);
  Attendu a;
  a.bits = avant;
  for (size_t k = 0; k < a.bits.size(); ++k) {
    const int x = e.m_liste_x[k], y = e.m_liste_y[k];
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) continue;
    Uint8 r8, g8, b8;
    SDL_GetRGB(valeurSimple(s, x, y), s->format, &r8, &g8, &b8);
    if (std::abs(r8 - rr) <= e.m_tolerance_rouge && std::abs(g8 - rg) <= e.m_tolerance_vert &&
        std::abs(b8 - rb) <= e.m_tolerance_bleu)
      a.bits[k] = true;
    if (a.bits[k]) {
      a.x += x + 0.5;
      a.nombre += 1;
      a.y += y + 0.5;
    }
  }
  if (a.nombre > 0) {
    a.x /= a.nombre;
    a.y /= a.nombre;
  }
  return a;
}

TEST_F(PasseCouleurTest, FastColourClickMatchesThePlainRuleOnEveryFormat) {
  std::mt19937 hasard(12345);
  auto tirer = [&hasard](int bas, int haut) { return std::uniform_int_distribution<int>(bas, haut)(hasard); };
  const Uint32 formats[] = {SDL_PIXELFORMAT_INDEX8,   SDL_PIXELFORMAT_RGB332,   SDL_PIXELFORMAT_RGB565,
                            SDL_PIXELFORMAT_ARGB4444, SDL_PIXELFORMAT_RGB24,    SDL_PIXELFORMAT_BGR24,
                            SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_ABGR8888, SDL_PIXELFORMAT_RGBA8888,
                            SDL_PIXELFORMAT_RGB888,   SDL_PIXELFORMAT_ARGB2101010};
  Etat& e = *g_etat;
  e.m_zoom = 1.0;
  e.m_max_pixels = 2000000;
  for (Uint32 format : formats) {
    for (int essai = 0; essai < 24; ++essai) {
      // A few large photos take the 16-bit whole-value table.
      const bool grand = essai < 2;
      const bool minuscule = essai >= 2 && essai < 5;  // 1x1, 2x2 and 3x3
      const int w = grand ? 300 : minuscule ? essai - 1 : tirer(1, 40);
      const int h = grand ? 250 : minuscule ? essai - 1 : tirer(1, 30);
      SCOPED_TRACE(testing::Message() << SDL_GetPixelFormatName(format) << " " << w << "x" << h << " #" << essai);
      SDL_Surface* s = creerPhoto(w, h, format);
      ASSERT_NE(nullptr, s);
      if (s->format->palette != nullptr) {
        for (int i = 0; i < s->format->palette->ncolors; ++i)
          s->format->palette->colors[i] = {Uint8(tirer(0, 3) * 80), Uint8(tirer(0, 3) * 80), Uint8(tirer(0, 255)), 255};
      }
      // Few distinct byte values, so that tolerances find matches.
      Uint8* octets = static_cast<Uint8*>(s->pixels);
      for (int i = 0; i < s->pitch * h; ++i) octets[i] = Uint8(tirer(0, 4) * 63 + tirer(0, 1));
      e.pTempSurface_prairie = s;
      e.m_largeur_photo = w;
      e.m_hauteur_photo = h;
      tolerances(tirer(-2, 70), tirer(0, 70), essai == 5 ? 255 : tirer(0, 90));
      const int x0 = grand ? 0 : tirer(-3, w + 2), y0 = grand ? 0 : tirer(-3, h + 2);
      ASSERT_TRUE(definirZone(x0, y0, grand ? w - 1 : tirer(x0, w + 3), grand ? h - 1 : tirer(y0, h + 3)));
      for (size_t k = 0; k < e.is_select.size(); ++k) e.is_select[k] = tirer(0, 5) == 0;
      if (essai % 5 == 4) {
        // Lists that are no longer the rectangle: the entry-by-entry pass.
        std::reverse(e.m_liste_x.begin(), e.m_liste_x.end());
        std::reverse(e.m_liste_y.begin(), e.m_liste_y.end());
      }
      const std::vector<bool> avant = e.is_select;
      ajouterCouleursSimilaires(tirer(-5, w + 5), tirer(-5, h + 5));
      const Attendu a = clicSimple(e, s, e.m_x_clic_photo, e.m_y_clic_photo, avant);
      EXPECT_EQ(a.bits, e.is_select);
      EXPECT_EQ(a.nombre, e.m_nombre_selectionnes);
      EXPECT_EQ(a.x, e.m_centre_x);
      EXPECT_EQ(a.y, e.m_centre_y);
      EXPECT_EQ(0, s->locked);

      // Then a drag over a random rectangle, against the same plain rule.
      const int mx0 = tirer(-3, w), my0 = tirer(-3, h), mx1 = tirer(mx0, w + 3), my1 = tirer(my0, h + 3);
      const bool ajout = tirer(0, 1) == 1;
      std::vector<bool> bits = e.is_select;
      double sx = 0.0;
      int32_t n = 0;
      for (size_t k = 0; k < bits.size(); ++k) {
        const int x = e.m_liste_x[k], y = e.m_liste_y[k];
        if (mx0 <= x && x <= mx1 && my0 <= y && y <= my1) bits[k] = ajout;
        if (bits[k]) sx += x + 0.5, ++n;
      }
      modifierRectangle(mx0, my0, mx1, my1, ajout);
      EXPECT_EQ(bits, e.is_select);
      EXPECT_EQ(n, e.m_nombre_selectionnes);
      EXPECT_EQ(n > 0 ? sx / n : 0.0, e.m_centre_x);
      SDL_FreeSurface(s);
      e.pTempSurface_prairie = nullptr;
      console_.lu();
    }
  }
}

}  // namespace
