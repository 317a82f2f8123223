// The selection passes over photos of every pixel format and any size from
// 1 x 1 to 64 x 64: the input picks the format, the pixels, the view, the
// limits and tolerances, then a run of zones, colour clicks, add and remove
// drags, mouse presses and releases in every sub-mode, keys, pans, zooms,
// photo changes and frames drawn on a software renderer. After each step the
// selection must hold together: three lists of one length that is the zone's
// or nothing; after each pass a count within them and a centre inside the
// zone; and a colour click must select exactly what the plain per-pixel rule
// selects.
//
// The input is read front to back, a byte at a time (0 once it runs out), so
// a seed can be written by hand (TRELUNE_FUZZ_TRACE=1 shows each step).
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/calques.h"
#include "interaction/clavier.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "interaction/vue.h"

namespace {

[[noreturn]] void echec(const std::string& raison) {
  std::fprintf(stderr, "fuzz_selection: %s\n", raison.c_str());
  std::abort();
}

class Octets {
 public:
  Octets(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool vide() const { return n_ == 0; }
  uint8_t u8() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
  }
  int8_t s8() { return static_cast<int8_t>(u8()); }
  uint16_t u16() { return static_cast<uint16_t>(u8() | u8() << 8); }
  int32_t s32() { return static_cast<int32_t>(uint32_t(u16()) | uint32_t(u16()) << 16); }
  // Mostly a window or photo point near the photo, sometimes anything.
  int32_t point() {
    const uint8_t genre = u8();
    if (genre % 16 == 0) return s32();
    return static_cast<int32_t>(genre) - 64 + s8();
  }

 private:
  const uint8_t* p_;
  size_t n_;
};

const Uint32 kFormats[] = {
    SDL_PIXELFORMAT_INDEX1LSB, SDL_PIXELFORMAT_INDEX1MSB, SDL_PIXELFORMAT_INDEX4LSB, SDL_PIXELFORMAT_INDEX4MSB,
    SDL_PIXELFORMAT_INDEX8,    SDL_PIXELFORMAT_RGB332,    SDL_PIXELFORMAT_RGB444,    SDL_PIXELFORMAT_BGR444,
    SDL_PIXELFORMAT_RGB555,    SDL_PIXELFORMAT_BGR555,    SDL_PIXELFORMAT_ARGB4444,  SDL_PIXELFORMAT_RGBA4444,
    SDL_PIXELFORMAT_ABGR4444,  SDL_PIXELFORMAT_BGRA4444,  SDL_PIXELFORMAT_ARGB1555,  SDL_PIXELFORMAT_RGBA5551,
    SDL_PIXELFORMAT_ABGR1555,  SDL_PIXELFORMAT_BGRA5551,  SDL_PIXELFORMAT_RGB565,    SDL_PIXELFORMAT_BGR565,
    SDL_PIXELFORMAT_RGB24,     SDL_PIXELFORMAT_BGR24,     SDL_PIXELFORMAT_RGB888,    SDL_PIXELFORMAT_RGBX8888,
    SDL_PIXELFORMAT_BGR888,    SDL_PIXELFORMAT_BGRX8888,  SDL_PIXELFORMAT_ARGB8888,  SDL_PIXELFORMAT_RGBA8888,
    SDL_PIXELFORMAT_ABGR8888,  SDL_PIXELFORMAT_BGRA8888,  SDL_PIXELFORMAT_ARGB2101010,
};
constexpr int kNombreFormats = sizeof kFormats / sizeof kFormats[0];
constexpr double kTableZoom[9] = {0.125, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0};

// A photo and what is known of it: the colour each painted pixel must read
// as (SDL's own fill writes it, so this does not go through the reader).
struct Photo {
  SDL_Surface* s = nullptr;
  std::vector<int> connue;  // per pixel: -1 unknown, else 0xRRGGBB
};

Photo creerPhoto(Octets& o) {
  Photo photo;
  const Uint32 format = kFormats[o.u8() % kNombreFormats];
  const int w = 1 + o.u8() % 64;
  const int h = 1 + o.u8() % 64;
  photo.s = SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format);
  if (photo.s == nullptr) echec(std::string("surface: ") + SDL_GetError());
  SDL_Surface* s = photo.s;
  // the pixel bytes, padding included, repeat a pattern from the input
  std::vector<uint8_t> motif(1 + o.u8() % 32);
  for (uint8_t& b : motif) b = o.u8();
  uint8_t* pixels = static_cast<uint8_t*>(s->pixels);
  const size_t taille = static_cast<size_t>(s->pitch) * s->h;
  for (size_t i = 0; i < taille; ++i) pixels[i] = motif[i % motif.size()];
  if (SDL_Palette* palette = s->format->palette) {
    for (int i = 0; i < palette->ncolors; ++i) {
      palette->colors[i] = {motif[(3 * i) % motif.size()], motif[(3 * i + 1) % motif.size()],
                            motif[(3 * i + 2) % motif.size()], 255};
    }
  }
  photo.connue.assign(static_cast<size_t>(w) * h, -1);
  // uniform patches, like the tracked object on its background
  for (int n = o.u8() % 4; n > 0; --n) {
    SDL_Rect r{o.u8() % w, o.u8() % h, 1 + o.u8() % w, 1 + o.u8() % h};
    const Uint8 rouge = o.u8(), vert = o.u8(), bleu = o.u8();
    const Uint32 valeur = SDL_MapRGB(s->format, rouge, vert, bleu);
    if (s->format->BitsPerPixel < 8 || SDL_FillRect(s, &r, valeur) != 0) continue;
    Uint8 lu[3];
    SDL_GetRGB(valeur, s->format, &lu[0], &lu[1], &lu[2]);
    for (int l = r.y; l < std::min(h, r.y + r.h); ++l) {
      for (int c = r.x; c < std::min(w, r.x + r.w); ++c) photo.connue[size_t(l) * w + c] = lu[0] << 16 | lu[1] << 8 | lu[2];
    }
  }
  return photo;
}

// The plain rule for one pixel's colour: the value by the format's layout,
// a packed index taken from its bits, then SDL_GetRGB.
int couleurReference(const SDL_Surface* s, int c, int l) {
  const SDL_PixelFormat* f = s->format;
  const uint8_t* ligne = static_cast<const uint8_t*>(s->pixels) + size_t(l) * s->pitch;
  Uint32 v = 0;
  if (f->BitsPerPixel < 8) {
    const int bits = f->BitsPerPixel;
    const int par_octet = 8 / bits;
    const uint8_t octet = ligne[c / par_octet];
    const int rang = c % par_octet;
    const bool poids_faible_d_abord = SDL_PIXELORDER(f->format) == SDL_BITMAPORDER_4321;
    const int decalage = poids_faible_d_abord ? rang * bits : 8 - bits - rang * bits;
    v = (octet >> decalage) & ((1u << bits) - 1);
  } else {
    const uint8_t* p = ligne + size_t(c) * f->BytesPerPixel;
    switch (f->BytesPerPixel) {
      case 1: v = p[0]; break;
      case 2: v = Uint32(p[0]) | Uint32(p[1]) << 8; break;
      case 3: v = Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16; break;
      case 4: v = Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16 | Uint32(p[3]) << 24; break;
      default: break;
    }
    if (SDL_BYTEORDER == SDL_BIG_ENDIAN) {  // the bytes above were little-endian
      if (f->BytesPerPixel == 2) v = SDL_Swap16(Uint16(v));
      if (f->BytesPerPixel == 3) v = SDL_Swap32(v) >> 8;
      if (f->BytesPerPixel == 4) v = SDL_Swap32(v);
    }
  }
  Uint8 r, g, b;
  SDL_GetRGB(v, f, &r, &g, &b);
  return r << 16 | g << 8 | b;
}

bool acceptee(const Etat& e, int couleur, int reference) {
  const int32_t tolerances[3] = {e.m_tolerance_rouge, e.m_tolerance_vert, e.m_tolerance_bleu};
  for (int k = 0; k < 3; ++k) {
    const int a = (couleur >> (16 - 8 * k)) & 0xFF, b = (reference >> (16 - 8 * k)) & 0xFF;
    if (!(std::abs(a - b) <= tolerances[k])) return false;
  }
  return true;
}

// What must hold after any step.
void verifierSelection(const std::string& ou) {
  const Etat& e = *g_etat;
  const size_t n = e.is_select.size();
  if (e.m_liste_x.size() != n || e.m_liste_y.size() != n) echec(ou + ": lists of different lengths");
  if (n > 0) {
    if (e.m_zone_dx != int64_t(e.m_zone_x1) - e.m_zone_x0 || e.m_zone_dy != int64_t(e.m_zone_y1) - e.m_zone_y0)
      echec(ou + ": differences off the corners");
    if (e.m_zone_dx < 0 || e.m_zone_dy < 0 || n != (size_t(e.m_zone_dx) + 1) * (size_t(e.m_zone_dy) + 1))
      echec(ou + ": lists off the zone");
    const size_t largeur = size_t(e.m_zone_dx) + 1;
    for (size_t k = 0; k < n; ++k) {
      if (e.m_liste_x[k] != e.m_zone_x0 + int64_t(k % largeur) || e.m_liste_y[k] != e.m_zone_y0 + int64_t(k / largeur))
        echec(ou + ": entry " + std::to_string(k) + " is not its zone pixel");
    }
  }
  // The count is the last pass's (a new zone keeps it for the result files),
  // so only the passes check it against the entries.
  if (e.m_nombre_selectionnes < 0) echec(ou + ": negative count");
  if (e.m_choix_zone + e.m_ajout_souris + e.m_ajout_couleurs + e.m_retrait_souris != 1)
    echec(ou + ": not exactly one sub-mode");
}

// After a pass that ends in calculerCentre: the count, the centre and its line.
void verifierCentre(const std::string& ou, const std::string& console, int64_t nombre, double sx, double sy) {
  const Etat& e = *g_etat;
  if (e.m_nombre_selectionnes != nombre)
    echec(ou + ": count " + std::to_string(e.m_nombre_selectionnes) + " instead of " + std::to_string(nombre));
  const bool ligne = console.find("centre: x= ") != std::string::npos;
  if (nombre == 0) {
    if (e.m_afficher_centre || ligne) echec(ou + ": a centre for an empty selection");
    return;
  }
  if (!e.m_afficher_centre || !ligne) echec(ou + ": no centre for a selection");
  if (e.m_centre_x != sx / double(nombre) || e.m_centre_y != sy / double(nombre)) echec(ou + ": centre off the mean");
  if (e.m_centre_x < e.m_zone_x0 + 0.5 || e.m_centre_x > e.m_zone_x1 + 0.5 || e.m_centre_y < e.m_zone_y0 + 0.5 ||
      e.m_centre_y > e.m_zone_y1 + 0.5)
    echec(ou + ": centre outside the zone");
}

// Count and sums of column + 0.5 and row + 0.5 over the selected entries;
// with a surface, only over those on it.
void compter(const SDL_Surface* s, int64_t& nombre, double& sx, double& sy) {
  const Etat& e = *g_etat;
  nombre = 0;
  sx = sy = 0.0;
  for (size_t k = 0; k < e.is_select.size(); ++k) {
    const int32_t c = e.m_liste_x[k], l = e.m_liste_y[k];
    if (s != nullptr && (c < 0 || l < 0 || c >= s->w || l >= s->h)) continue;
    if (!e.is_select[k]) continue;
    ++nombre;
    sx += c + 0.5;
    sy += l + 0.5;
  }
}

// The colour click against the plain rule.
void clicCouleur(const Photo& photo, int32_t wx, int32_t wy, std::ostringstream& console) {
  Etat& e = *g_etat;
  const std::vector<bool> avant = e.is_select;
  const int32_t nombre_avant = e.m_nombre_selectionnes;
  const double cx_avant = e.m_centre_x, cy_avant = e.m_centre_y;
  console.str("");
  ajouterCouleursSimilaires(wx, wy);
  const std::string sortie = console.str();
  SDL_Surface* s = e.pTempSurface_prairie;
  if (s == nullptr) {
    if (sortie.compare(0, 44, " mode i : pTempSurface_prairie n'existe pas\n") != 0 ||
        sortie.find("Fin lecture couleur") != std::string::npos)
      echec("click without a photo: " + sortie);
    if (e.is_select != avant || e.m_nombre_selectionnes != nombre_avant || e.m_centre_x != cx_avant ||
        e.m_centre_y != cy_avant)
      echec("click without a photo changed the selection");
    return;
  }
  // the clicked pixel, by the clamps of the rule, then kept on the surface
  int32_t c = plancher((wx + e.m_decalage_x) / e.m_zoom);
  int32_t r = plancher((wy + e.m_decalage_y) / e.m_zoom);
  if (c < 0) c = 0;
  if (r < 0) r = 0;
  if (c >= e.m_largeur_photo) c = e.m_largeur_photo - 2;
  if (r >= e.m_hauteur_photo) r = e.m_hauteur_photo - 2;
  c = std::clamp(c, 0, s->w - 1);
  r = std::clamp(r, 0, s->h - 1);
  if (e.m_x_clic_photo != c || e.m_y_clic_photo != r) echec("click pixel off the rule");
  const int reference = couleurReference(s, c, r);
  const int lue = e.m_rouge_reference << 16 | e.m_vert_reference << 8 | e.m_bleu_reference;
  if (lue != reference) echec("reference colour off the plain reading");
  const int connue = photo.connue[size_t(r) * s->w + c];
  if (s == photo.s && connue >= 0 && lue != connue) echec("reference colour off the painted colour");
  if (sortie.find("Fin lecture couleur\n") == std::string::npos) echec("no end of colour reading");

  std::vector<bool> attendu = avant;
  for (size_t k = 0; k < attendu.size(); ++k) {
    const int32_t x = e.m_liste_x[k], y = e.m_liste_y[k];
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) continue;
    if (acceptee(e, couleurReference(s, x, y), reference)) attendu[k] = true;
  }
  if (e.is_select != attendu) echec("colour click selection off the plain rule");
  if (!e.m_afficher_selection) echec("marker layer hidden after a colour click");
  int64_t nombre;
  double sx, sy;
  compter(s, nombre, sx, sy);
  verifierCentre("colour click", sortie, nombre, sx, sy);
}

// An add or remove drag over photo bounds, against the plain rule.
void modification(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout, std::ostringstream& console) {
  Etat& e = *g_etat;
  std::vector<bool> attendu = e.is_select;
  for (size_t k = 0; k < attendu.size(); ++k) {
    if (x0 <= e.m_liste_x[k] && e.m_liste_x[k] <= x1 && y0 <= e.m_liste_y[k] && e.m_liste_y[k] <= y1)
      attendu[k] = ajout;
  }
  console.str("");
  modifierRectangle(x0, y0, x1, y1, ajout);
  if (e.is_select != attendu) echec("drag selection off the plain rule");
  int64_t nombre;
  double sx, sy;
  compter(nullptr, nombre, sx, sy);
  verifierCentre(ajout ? "add drag" : "remove drag", console.str(), nombre, sx, sy);
}

void zone(int32_t x0, int32_t y0, int32_t x1, int32_t y1, std::ostringstream& console) {
  Etat& e = *g_etat;
  const int32_t avant[4] = {e.m_zone_x0, e.m_zone_y0, e.m_zone_x1, e.m_zone_y1};
  const size_t entrees = e.is_select.size();
  console.str("");
  const bool accepte = definirZone(x0, y0, x1, y1);
  const bool refuse = (int64_t(x1) - x0) * (int64_t(y1) - y0) > e.m_max_pixels;
  if (accepte == refuse) echec("zone acceptance off the limit");
  if (!accepte) {
    const int32_t apres[4] = {e.m_zone_x0, e.m_zone_y0, e.m_zone_x1, e.m_zone_y1};
    if (!std::equal(avant, avant + 4, apres) || e.is_select.size() != entrees) echec("refused zone changed the zone");
    return;
  }
  if (e.m_zone_x0 != x0 || e.m_zone_y0 != y0 || e.m_zone_x1 != x1 || e.m_zone_y1 != y1) echec("zone corners");
  if (std::find(e.is_select.begin(), e.is_select.end(), true) != e.is_select.end())
    echec("new zone with selected entries");
  if (console.str() != "Taille de is_select : " + std::to_string(e.is_select.size()) + "\n")
    echec("zone line: " + console.str());
}

// A press then a release through the mouse handlers.
void souris(Octets& o, std::ostringstream& console) {
  Etat& e = *g_etat;
  const uint8_t boutons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_LEFT, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  const uint8_t bouton = boutons[o.u8() % 5];
  const int32_t xa = o.point(), ya = o.point(), x = o.point(), y = o.point();
  const bool zone_avant = e.m_choix_zone;
  const std::vector<bool> avant = e.is_select;
  console.str("");
  appuiSouris(bouton, xa, ya);
  const bool presse = e.m_mode_couleurs_voisines && bouton == SDL_BUTTON_LEFT;
  if (!presse && e.is_select != avant) echec("an ignored press changed the selection");
  if (e.m_ajout_couleurs) return;  // a press in the colour sub-mode is the colour click
  if (presse && (e.m_x_appui != xa || e.m_y_appui != ya || !e.m_afficher_croix_appui)) echec("press point");
  console.str("");
  relacheSouris(bouton, x, y);
  if (!presse || !zone_avant) return;
  const std::string sortie = console.str();
  if (sortie.find("Taille de is_select : ") == std::string::npos) return;  // refused, or no photo
  if (!e.m_afficher_zone || e.m_afficher_croix_appui) echec("accepted zone not shown");
  if (e.m_zone_x0 > e.m_zone_x1 || e.m_zone_y0 > e.m_zone_y1 || e.m_zone_x0 < 0 || e.m_zone_y0 < 0 ||
      e.m_zone_x1 >= e.m_largeur_photo || e.m_zone_y1 >= e.m_hauteur_photo)
    echec("mouse zone outside the photo");
}

// One frame of keys: each of the sixteen down or up by the input's bits.
void touches(Octets& o, std::ostringstream& console) {
  Etat& e = *g_etat;
  static Uint8 etat[SDL_NUM_SCANCODES];
  std::memset(etat, 0, sizeof etat);
  const SDL_Scancode codes[16] = {SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT, SDL_SCANCODE_DOWN, SDL_SCANCODE_UP,
                                  SDL_SCANCODE_P,     SDL_SCANCODE_L,    SDL_SCANCODE_X,    SDL_SCANCODE_W,
                                  SDL_SCANCODE_R,     SDL_SCANCODE_G,    SDL_SCANCODE_B,    SDL_SCANCODE_S,
                                  SDL_SCANCODE_E,     SDL_SCANCODE_D,    SDL_SCANCODE_I,    SDL_SCANCODE_RETURN};
  const uint16_t bas = o.u16();
  for (int k = 0; k < 16; ++k) etat[codes[k]] = (bas >> k) & 1;
  e.m_etat_clavier = etat;
  console.str("");
  sectionClavier();
  e.m_etat_clavier = nullptr;
  const int32_t* tolerances[3] = {&e.m_tolerance_rouge, &e.m_tolerance_vert, &e.m_tolerance_bleu};
  for (int k = 0; k < 3; ++k) {
    if (etat[codes[8 + k]] && (*tolerances[k] < 0 || *tolerances[k] > 255)) echec("typed tolerance not clamped");
  }
}

void sansAttente(uint32_t) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  remplacerActionsClavier({deplacerVue, changerZoom, sansAttente});  // no 200 ms waits
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  Octets o(donnees, taille);
  creerEtat();
  Etat& e = *g_etat;
  std::ostringstream console;
  std::istringstream clavier;
  std::streambuf* ancien_cout = std::cout.rdbuf(console.rdbuf());
  std::streambuf* ancien_cin = std::cin.rdbuf(clavier.rdbuf());
  std::cin.clear();

  std::vector<Photo> photos;
  photos.push_back(creerPhoto(o));
  Photo* photo = &photos.back();
  e.pTempSurface_prairie = photo->s;
  e.m_largeur_photo = photo->s->w;
  e.m_hauteur_photo = photo->s->h;
  if (o.u8() % 8 == 0) {  // photo fields that disagree with the surface
    e.m_largeur_photo = o.u8() % 80;
    e.m_hauteur_photo = o.u8() % 80;
  }
  std::copy(kTableZoom, kTableZoom + 9, e.m_table_zoom);
  e.m_indice_zoom = o.u8() % 9;
  e.m_indice_zoom_max = 8;
  e.m_zoom = kTableZoom[e.m_indice_zoom];
  e.m_taille_pixel = taillePixel(e.m_zoom);  // as the zoom keys leave it
  e.m_decalage_x = o.s8() * 0.5;
  e.m_decalage_y = o.s8() * 0.5;
  const uint8_t vue = o.u8();
  if (vue % 16 == 0) {
    const double etranges[] = {0.0, -1.0, std::nan(""), INFINITY, 1e-300, 1e300, 0.3, 3.7};
    e.m_zoom = etranges[o.u8() % 8];
  } else if (vue % 16 == 1) {
    e.m_decalage_x = o.s32() * 1e3;
    e.m_decalage_y = o.s32() * 1e-3;
  }
  const uint8_t limite = o.u8();
  e.m_max_pixels = limite % 4 == 0 ? -1 - o.u8() : limite % 4 == 1 ? o.u8() * 10 : limite % 4 == 2 ? o.u16() : 1000000;
  int32_t* tolerances[3] = {&e.m_tolerance_rouge, &e.m_tolerance_vert, &e.m_tolerance_bleu};
  for (int32_t* t : tolerances) {
    const uint8_t genre = o.u8();
    *t = genre % 8 == 0 ? o.s32() : genre % 8 == 1 ? 255 : o.s8();
  }
  e.m_largeur_fenetre = o.u8() % 129;
  e.m_hauteur_fenetre = o.u8() % 129;
  e.m_pas_deplacement = o.s8();
  // the frames are drawn on a software renderer over a window-sized surface
  SDL_Surface* cible = nullptr;
  if (o.u8() % 4 != 0) {
    cible = SDL_CreateRGBSurfaceWithFormat(0, std::max(1, e.m_largeur_fenetre), std::max(1, e.m_hauteur_fenetre), 32,
                                           SDL_PIXELFORMAT_ARGB8888);
    e.m_rendu = cible != nullptr ? SDL_CreateSoftwareRenderer(cible) : nullptr;
    if (e.m_rendu == nullptr) echec(std::string("renderer: ") + SDL_GetError());
  }
  construireMarqueurPixel();
  {
    std::string texte(o.u8() % 12, ' ');
    for (char& ch : texte) ch = static_cast<char>(o.u8());
    clavier.str(texte);  // what the console reads, for the tolerance keys and the pause
  }

  const bool trace = std::getenv("TRELUNE_FUZZ_TRACE") != nullptr;
  for (int pas = 0; pas < 32 && !o.vide(); ++pas) {
    const uint8_t op = o.u8();
    switch (op % 13) {
      case 0:
      case 1: {  // a zone by its photo corners, usually in order
        int32_t x0 = o.point(), y0 = o.point(), x1 = o.point(), y1 = o.point();
        if (op & 0x80) {
          x0 = (x0 % 100 + 100) % 100;
          y0 = (y0 % 100 + 100) % 100;
          // sometimes a zone of over 65536 entries, as large photos give
          const int cote = op & 0x40 ? 300 : 100;
          x1 = x0 + o.u16() % cote;
          y1 = y0 + o.u16() % cote;
        } else if (std::abs(int64_t(x1) - x0) > 200 || std::abs(int64_t(y1) - y0) > 200) {
          // corners come from the photo: no zone wider than it
          x1 = static_cast<int32_t>(std::clamp<int64_t>(int64_t(x0) + o.s8(), INT32_MIN, INT32_MAX));
          y1 = static_cast<int32_t>(std::clamp<int64_t>(int64_t(y0) + o.s8(), INT32_MIN, INT32_MAX));
        }
        zone(x0, y0, x1, y1, console);
        break;
      }
      case 2:
      case 3: {
        const int32_t wx = o.point(), wy = o.point();
        clicCouleur(*photo, wx, wy, console);
        break;
      }
      case 4: {
        const int32_t x0 = o.point(), y0 = o.point(), x1 = o.point(), y1 = o.point();
        modification(x0, y0, x1, y1, op & 0x80, console);
        break;
      }
      case 5:
      case 6:
        souris(o, console);
        break;
      case 7:
        touches(o, console);
        break;
      case 8: {  // a sub-mode and method chosen directly
        bool Etat::*modes[4] = {&Etat::m_choix_zone, &Etat::m_ajout_souris, &Etat::m_ajout_couleurs,
                                &Etat::m_retrait_souris};
        for (auto m : modes) e.*m = false;
        e.*modes[o.u8() % 4] = true;
        e.m_mode_couleurs_voisines = o.u8() % 8 != 0;
        break;
      }
      case 9: {  // the view: a pan or a zoom step
        const uint8_t v = o.u8();
        console.str("");
        if (v % 2 == 0) changerZoom(v % 4 == 0 ? 1 : -1);
        else deplacerVue(static_cast<Direction>((v >> 1) % 4));
        break;
      }
      case 10: {  // the next photo keeps the zone and the selection
        const uint8_t v = o.u8();
        if (v % 8 == 0) {
          e.pTempSurface_prairie = nullptr;
        } else {
          photos.push_back(creerPhoto(o));
          photo = &photos.back();
          e.pTempSurface_prairie = photo->s;
          e.m_largeur_photo = photo->s->w;
          e.m_hauteur_photo = photo->s->h;
        }
        break;
      }
      case 11:  // a frame's zone and marker layers
        if (e.m_rendu != nullptr) {
          if (e.m_afficher_zone) dessinerZone();
          if (e.m_afficher_selection) dessinerMarqueurs();
        }
        break;
      case 12: {  // a count from the lists alone
        recompterSelection();
        int64_t nombre;
        double sx, sy;
        compter(nullptr, nombre, sx, sy);
        if (e.m_nombre_selectionnes != nombre || e.m_centre_x != sx || e.m_centre_y != sy)
          echec("recount off the lists");
        break;
      }
    }
    if (trace) {  // to check what a hand-written seed does
      std::fprintf(stderr, "step %d, operation %d: zone %d,%d..%d,%d, %zu entries, count %d\n%s", pas, op % 13,
                   e.m_zone_x0, e.m_zone_y0, e.m_zone_x1, e.m_zone_y1, e.is_select.size(), e.m_nombre_selectionnes,
                   console.str().c_str());
      console.str("");
    }
    verifierSelection("step " + std::to_string(pas) + " (operation " + std::to_string(op % 13) + ")");
  }

  libererFog();
  libererMarqueurPixel();
  if (e.m_rendu != nullptr) SDL_DestroyRenderer(e.m_rendu);  // with every texture made on it
  e.m_rendu = nullptr;
  SDL_FreeSurface(cible);
  for (Photo& p : photos) SDL_FreeSurface(p.s);
  std::cout.rdbuf(ancien_cout);
  std::cin.rdbuf(ancien_cin);
  std::cin.clear();
  detruireEtat();
  return 0;
}
