#include "display/bandeau.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <iostream>

#include "etat/etat.h"
#include "display/bandeau_etat.h"
#include "display/fenetre.h"

const char* const kPoliceBandeau = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

namespace {

constexpr int kTaillePolice = 13;
constexpr int kMarge = 6;       // between the window edge and a band
constexpr int kRetrait = 4;     // between a band's edge and its text
constexpr Uint8 kOpaciteFond = 170;  // the band darkens the photo, never hides it

// The band textures and the underlay go (destroyed when still ours); the
// line surfaces stay.
void oublierTextures(Bandeau& b, bool detruire) {
  for (Bande* bande : {&b.bande, &b.aide}) {
    if (detruire && bande->texture != nullptr) SDL_DestroyTexture(bande->texture);
    bande->texture = nullptr;
    bande->faite = false;
    bande->montree = false;
  }
  oublierDessous(b.dessous, detruire);
}

void oublierLignes(Bandeau& b) {
  for (Bande* bande : {&b.bande, &b.aide}) {
    for (LigneTexte& l : bande->lignes) SDL_FreeSurface(l.surface);
    bande->lignes.clear();
    bande->nombre = 0;
  }
}

// Line `indice` of the band drawn in white, made again only when its text
// changed; true when it was. No surface for an empty text or when the font
// cannot draw it (nothing drawn then).
bool ligne(Bandeau& b, Bande& bande, size_t indice, const std::string& texte) {
  if (bande.lignes.size() <= indice) bande.lignes.resize(indice + 1);
  LigneTexte& l = bande.lignes[indice];
  if (l.faite && l.texte == texte) return false;
  SDL_FreeSurface(l.surface);
  l = LigneTexte{};
  l.texte = texte;
  l.faite = true;
  if (texte.empty()) return true;
  SDL_Surface* surface = TTF_RenderUTF8_Blended(b.police, texte.c_str(), SDL_Color{255, 255, 255, 255});
  if (surface != nullptr && surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
    SDL_Surface* convertie = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    surface = convertie;
  }
  l.surface = surface;
  return true;
}

int largeurLigne(const LigneTexte& l) { return l.surface == nullptr ? 0 : l.surface->w; }

// Lays line `source` over the band's pixels at (x, y), cut at largeur_max
// pixels: "text over band" colour and alpha, so that one blended copy gives
// what the band then the line gave.
void composerLigne(SDL_Surface* cible, const SDL_Surface* source, int x, int y, int largeur_max) {
  const int x1 = std::min({cible->w, x + largeur_max, x + source->w});
  const int y1 = std::min(cible->h, y + source->h);
  for (int ligne_y = std::max(0, y); ligne_y < y1; ++ligne_y) {
    const Uint32* s = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) +
                                                      (ligne_y - y) * source->pitch);
    Uint32* d = reinterpret_cast<Uint32*>(static_cast<Uint8*>(cible->pixels) + ligne_y * cible->pitch);
    for (int colonne = std::max(0, x); colonne < x1; ++colonne) {
      const Uint32 haut = s[colonne - x];
      const float t = float(haut >> 24) / 255.0f;
      if (t <= 0.0f) continue;
      const Uint32 bas = d[colonne];
      const float a = float(bas >> 24) / 255.0f;
      // over, on premultiplied values, then back to straight colour
      const float alpha = t + a * (1.0f - t);
      Uint32 pixel = Uint32(alpha * 255.0f + 0.5f) << 24;
      for (int decalage : {16, 8, 0}) {
        const float c = (float((haut >> decalage) & 0xFF) * t + float((bas >> decalage) & 0xFF) * a * (1.0f - t)) /
                        alpha;
        pixel |= Uint32(std::min(255.0f, c + 0.5f)) << decalage;
      }
      d[colonne] = pixel;
    }
  }
}

// The band's texture for its `nombre` first lines, each from (x_texte,
// kRetrait) one line height apart and cut at largeur_texte; made again only
// when a line changed or the box's size did; none when it cannot be made.
void composerBande(Bandeau& b, Bande& bande, bool lignes_changees, const SDL_Rect& boite, int x_texte,
                   int largeur_texte) {
  // a band that only moved (the window's height changed) keeps its texture
  const bool meme_taille = boite.w == bande.boite.w && boite.h == bande.boite.h;
  bande.boite = boite;
  if (bande.faite && !lignes_changees && meme_taille) return;
  bande.faite = true;
  if (boite.w <= 0 || boite.h <= 0) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, boite.w, boite.h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 0, 0, 0, kOpaciteFond));
  for (size_t i = 0; i < bande.nombre; ++i) {
    if (bande.lignes[i].surface == nullptr || largeur_texte <= 0) continue;
    composerLigne(surface, bande.lignes[i].surface, x_texte, kRetrait + int(i) * b.hauteur_ligne, largeur_texte);
  }
  // a texture of the right size is only updated
  if (bande.texture != nullptr && (bande.largeur_texture != boite.w || bande.hauteur_texture != boite.h)) {
    SDL_DestroyTexture(bande.texture);
    bande.texture = nullptr;
  }
  if (bande.texture == nullptr) {
    bande.texture = SDL_CreateTexture(b.rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, boite.w, boite.h);
    if (bande.texture != nullptr) SDL_SetTextureBlendMode(bande.texture, SDL_BLENDMODE_BLEND);
    bande.largeur_texture = boite.w;
    bande.hauteur_texture = boite.h;
  }
  if (bande.texture != nullptr && SDL_UpdateTexture(bande.texture, nullptr, surface->pixels, surface->pitch) == 0) {
    ++b.faites;
    ++bande.version;
  }
  SDL_FreeSurface(surface);
}

PlaceSerie placeCourante(Bandeau& b) {
  const CompteursSerie c = compteursSerie();
  if (!b.place_valide || !memesCompteurs(c, b.compteurs)) {
    b.place = placeDansLaSerie(c);
    b.compteurs = c;
    b.place_valide = true;
  }
  return b.place;
}

}  // namespace

Bandeau* bandeauMontre() {
  const Etat& e = *g_etat;
  const bool montre = e.m_bandeau_affiche || bandeauDuSuivi();
  return montre && e.m_bandeau != nullptr && e.m_bandeau->police != nullptr ? e.m_bandeau : nullptr;
}

void copierBandes(const Bandeau& b, SDL_Renderer* rendu) {
  for (const Bande* bande : {&b.bande, &b.aide})
    if (bande->montree && bande->texture != nullptr) SDL_RenderCopy(rendu, bande->texture, nullptr, &bande->boite);
}

namespace {

// The font, at the first call only; "Police introuvable : " when it cannot
// be opened.
Bandeau& ouvrirPolice(const char* chemin_police) {
  Etat& e = *g_etat;
  if (e.m_bandeau == nullptr) e.m_bandeau = new Bandeau;
  Bandeau& b = *e.m_bandeau;
  if (!b.police_cherchee) {
    b.police_cherchee = true;
    b.ttf_initialise = TTF_Init() == 0;
    if (b.ttf_initialise) b.police = TTF_OpenFont(chemin_police, kTaillePolice);
    int avance = 0;
    if (b.police != nullptr && TTF_GlyphMetrics(b.police, 'M', nullptr, nullptr, nullptr, nullptr, &avance) == 0 &&
        avance > 0) {
      b.largeur_caractere = avance;
      b.hauteur_ligne = TTF_FontLineSkip(b.police);
    } else {
      std::cout << "Police introuvable : " << chemin_police << std::endl;
      if (b.police != nullptr) TTF_CloseFont(b.police);
      b.police = nullptr;
    }
  }
  return b;
}

}  // namespace

void preparerBandeauSuivi(const char* chemin_police) { ouvrirPolice(chemin_police); }

void basculerBandeau(const SourceBandeau& source, const char* chemin_police) {
  Etat& e = *g_etat;
  Bandeau& b = ouvrirPolice(chemin_police);
  if (b.police == nullptr) return;
  b.source = source;
  b.aide_colonnes = -1;  // the help is laid out again from this source
  e.m_bandeau_affiche = !e.m_bandeau_affiche;
}

namespace {

// Lays both bands out for an output of largeur x hauteur, each `montree`
// when it has a texture to show.
void disposer(Bandeau& b, int largeur, int hauteur) {
  const int interieur = largeur - 2 * kMarge;
  if (interieur <= 0 || hauteur <= 0) return;
  const size_t colonnes = size_t(interieur / b.largeur_caractere);

  const std::vector<std::string> textes_bande = textesBandeau(valeursBandeau(placeCourante(b)), colonnes);
  bool changees = b.bande.nombre != textes_bande.size();
  b.bande.nombre = textes_bande.size();
  for (size_t i = 0; i < textes_bande.size(); ++i) changees = ligne(b, b.bande, i, textes_bande[i]) || changees;
  const int hauteur_bande = int(textes_bande.size()) * b.hauteur_ligne + 2 * kRetrait;
  const int y_bande = hauteur - hauteur_bande;
  composerBande(b, b.bande, changees, SDL_Rect{0, y_bande, largeur, hauteur_bande}, kMarge, interieur);
  b.bande.montree = b.bande.texture != nullptr;
  if (!g_etat->m_bandeau_affiche) return;  // the automatic run's strip, without the help

  // The help above the strip, as many lines as fit, the last one "..." when
  // some are left out; none over the strip. Laid out again only when the
  // room for it changes.
  const int colonnes_aide = std::max(0, interieur - 2 * kRetrait) / b.largeur_caractere;
  const int place_lignes = (y_bande - 2 * kMarge - 2 * kRetrait) / b.hauteur_ligne;
  if (b.aide_colonnes != colonnes_aide || b.aide_place != place_lignes) {
    b.aide_colonnes = colonnes_aide;
    b.aide_place = place_lignes;
    b.aide_textes = textesAide(b.source, size_t(colonnes_aide));
    const int n = std::min(int(b.aide_textes.size()), place_lignes);
    if (n < int(b.aide_textes.size()) && n > 0) b.aide_textes[size_t(n - 1)] = couperFin("...", size_t(colonnes_aide));
    b.aide_textes.resize(size_t(std::max(0, n)));
  }
  const std::vector<std::string>& aide = b.aide_textes;
  if (aide.empty() || colonnes_aide <= 0) return;
  changees = b.aide.nombre != aide.size();
  b.aide.nombre = aide.size();
  int largeur_aide = 0;
  for (size_t i = 0; i < aide.size(); ++i) {
    changees = ligne(b, b.aide, i, aide[i]) || changees;
    largeur_aide = std::max(largeur_aide, largeurLigne(b.aide.lignes[i]));
  }
  largeur_aide = std::min(largeur_aide, interieur - 2 * kRetrait);
  const SDL_Rect boite{kMarge, kMarge, largeur_aide + 2 * kRetrait, int(aide.size()) * b.hauteur_ligne + 2 * kRetrait};
  composerBande(b, b.aide, changees, boite, kRetrait, largeur_aide);
  b.aide.montree = b.aide.texture != nullptr;
}

}  // namespace

std::vector<SDL_Rect> disposerBandeau() {
  Etat& e = *g_etat;
  std::vector<SDL_Rect> boites;
  if (bandeauMontre() == nullptr) return boites;
  Bandeau& b = *e.m_bandeau;
  if (b.rendu != e.m_rendu) {
    oublierTextures(b, false);
    b.rendu = e.m_rendu;
  }
  b.bande.montree = b.aide.montree = false;
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  disposer(b, largeur, hauteur);
  for (const Bande* bande : {&b.bande, &b.aide})
    if (bande->montree) boites.push_back(bande->boite);
  return boites;
}

void dessinerBandeau() {
  Etat& e = *g_etat;
  if (bandeauMontre() == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  if (b.rendu != e.m_rendu) return;
  copierBandes(b, e.m_rendu);
}

void libererBandeau() {
  Etat& e = *g_etat;
  e.m_bandeau_affiche = false;
  if (e.m_bandeau == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  oublierTextures(b, b.rendu == e.m_rendu && b.rendu != nullptr);
  oublierLignes(b);
  if (b.police != nullptr) TTF_CloseFont(b.police);
  if (b.ttf_initialise) TTF_Quit();
  delete e.m_bandeau;
  e.m_bandeau = nullptr;
}

uint64_t texturesBandeauFaites() { return g_etat->m_bandeau == nullptr ? 0 : g_etat->m_bandeau->faites; }
