// The selection passes over photos of every pixel format and any size from
// 1 x 1 to 64 x 64: the input picks the format, the pixels, the view, the
// limits and tolerances, then a run of zones, colour clicks, add and remove
// drags, mouse presses and releases in every sub-mode, keys, pans, zooms,
// photo changes and frames drawn on a software renderer. After each step the
// selection must hold together: three lists of one length that is the zone's
// or nothing; after each pass a count within them and a centre inside the
// zone; and a colour click must select exactly what the plain per-pixel rule
// selects. TRELUNE_FUZZ_TRACE=1 shows each step, for a seed written by hand.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/calques.h"
#include "display/marqueur_pixel.h"
#include "fuzz/entree_selection.h"
#include "interaction/clavier.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "interaction/vue.h"

namespace {

constexpr double kTableZoom[9] = {0.125, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0};

// The photo the next steps read, the record's photo fields matching it.
void montrer(Etat& e, const Photo& photo) {
  e.pTempSurface_prairie = photo.s;
  e.m_largeur_photo = photo.s->w;
  e.m_hauteur_photo = photo.s->h;
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

// Count and sums of column + 0.5 and row + 0.5 over the selected entries;
// with a surface, only over those on it.
struct Comptage {
  int64_t nombre = 0;
  double sx = 0.0, sy = 0.0;
};
Comptage compter(const SDL_Surface* s) {
  const Etat& e = *g_etat;
  Comptage t;
  for (size_t k = 0; k < e.is_select.size(); ++k) {
    const int32_t c = e.m_liste_x[k], l = e.m_liste_y[k];
    if (s != nullptr && (c < 0 || l < 0 || c >= s->w || l >= s->h)) continue;
    if (!e.is_select[k]) continue;
    ++t.nombre;
    t.sx += c + 0.5;
    t.sy += l + 0.5;
  }
  return t;
}

// After a pass that ends in calculerCentre: the count, the centre and its
// line, against compter(s).
void verifierCentre(const std::string& ou, const std::string& console, const SDL_Surface* s) {
  const Etat& e = *g_etat;
  const auto [nombre, sx, sy] = compter(s);
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

// The colour click at a point of the input, against the plain rule.
void clicCouleur(const Photo& photo, Octets& o, std::ostringstream& console) {
  Etat& e = *g_etat;
  const int32_t wx = o.point(), wy = o.point();
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
  // the clicked pixel: the program's clamp, on the surface, and the pixel
  // under the click whenever that lies on both the photo and the surface
  const PixelClic clic = pixelClic(wx, wy, e.m_zoom, e.m_decalage_x, e.m_decalage_y, e.m_largeur_photo,
                                   e.m_hauteur_photo, s->w, s->h);
  const int32_t c = clic.colonne, r = clic.ligne;
  if (e.m_x_clic_photo != c || e.m_y_clic_photo != r) echec("click pixel off the clamp");
  if (c < 0 || r < 0 || c >= s->w || r >= s->h) echec("click pixel off the surface");
  const int32_t sous_c = plancher((wx + e.m_decalage_x) / e.m_zoom);
  const int32_t sous_r = plancher((wy + e.m_decalage_y) / e.m_zoom);
  if (sous_c >= 0 && sous_r >= 0 && sous_c < std::min(e.m_largeur_photo, s->w) &&
      sous_r < std::min(e.m_hauteur_photo, s->h) && (c != sous_c || r != sous_r))
    echec("click pixel not the one under the click");
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
  verifierCentre("colour click", sortie, s);
}

// An add or remove drag over photo bounds from the input, against the plain rule.
void modification(Octets& o, bool ajout, std::ostringstream& console) {
  Etat& e = *g_etat;
  const int32_t x0 = o.point(), y0 = o.point(), x1 = o.point(), y1 = o.point();
  std::vector<bool> attendu = e.is_select;
  for (size_t k = 0; k < attendu.size(); ++k) {
    if (x0 <= e.m_liste_x[k] && e.m_liste_x[k] <= x1 && y0 <= e.m_liste_y[k] && e.m_liste_y[k] <= y1)
      attendu[k] = ajout;
  }
  console.str("");
  modifierRectangle(x0, y0, x1, y1, ajout);
  if (e.is_select != attendu) echec("drag selection off the plain rule");
  verifierCentre(ajout ? "add drag" : "remove drag", console.str(), nullptr);
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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  remplacerActionsClavier({deplacerVue, changerZoom, [](uint32_t) {}});  // no 200 ms waits
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

  std::vector<Photo> photos{creerPhoto(o)};  // the last one is shown, or none
  montrer(e, photos.back());
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
  std::string texte(o.u8() % 12, ' ');
  for (char& ch : texte) ch = static_cast<char>(o.u8());
  clavier.str(texte);  // what the console reads, for the tolerance keys and the pause

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
      case 3:
        clicCouleur(photos.back(), o, console);
        break;
      case 4:
        modification(o, op & 0x80, console);
        break;
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
      case 10:  // the next photo keeps the zone and the selection
        if (o.u8() % 8 == 0) {
          e.pTempSurface_prairie = nullptr;
        } else {
          photos.push_back(creerPhoto(o));
          montrer(e, photos.back());
        }
        break;
      case 11:  // a frame's zone and marker layers
        if (e.m_rendu != nullptr) {
          if (e.m_afficher_zone) dessinerZone();
          if (e.m_afficher_selection) dessinerMarqueurs();
        }
        break;
      case 12: {  // a count from the lists alone
        recompterSelection();
        const Comptage t = compter(nullptr);
        if (e.m_nombre_selectionnes != t.nombre || e.m_centre_x != t.sx || e.m_centre_y != t.sy)
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
