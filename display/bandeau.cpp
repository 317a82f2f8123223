#include "display/bandeau.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iostream>

#include "etat/etat.h"
#include "display/fenetre.h"

const char* const kPoliceBandeau = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

namespace {

constexpr int kTaillePolice = 13;
constexpr int kMarge = 6;       // between the window edge and a band
constexpr int kRetrait = 4;     // between a band's edge and its text
constexpr Uint8 kOpaciteFond = 170;  // the band darkens the photo, never hides it
// Below this many columns for a key's text, a help line is cut, not folded.
constexpr size_t kColonnesPliage = 12;

// One line of text as the font draws it (ARGB8888), made again only when
// the text changes. Kept on the CPU: it outlives a renderer.
struct LigneTexte {
  std::string texte;
  bool faite = false;  // tried for this text, even when it gave no glyphs
  SDL_Surface* surface = nullptr;
};

// A band (the strip, the help) with its lines composed over its background
// into one texture, made again only when a line or the band's size changes:
// a frame then costs one blended copy per band.
struct Bande {
  std::vector<LigneTexte> lignes;
  size_t nombre = 0;  // lines in use, from the first of `lignes`
  SDL_Rect boite{};   // in the window
  bool faite = false;
  SDL_Texture* texture = nullptr;
  int largeur_texture = 0, hauteur_texture = 0;
  uint64_t version = 0;  // bumped at each composition of `texture`
  bool montree = false;  // laid out with a texture in this frame
};

}  // namespace

struct Bandeau {
  bool police_cherchee = false;
  bool ttf_initialise = false;
  TTF_Font* police = nullptr;
  int largeur_caractere = 0, hauteur_ligne = 0;
  SourceBandeau source;
  // The band textures belong to this renderer: another one means they went
  // with the old one, or are not ours to free.
  SDL_Renderer* rendu = nullptr;
  Bande bande, aide;
  uint64_t faites = 0;
  // The frame's background and photo with the bands over them, in a target
  // texture of the output's size, as `cle` (the photo's view, the bands'
  // versions and boxes) says it was drawn; empty `cle` when not drawn. A
  // size it could not be made at is not tried again.
  SDL_Texture* dessous = nullptr;
  int largeur_dessous = 0, hauteur_dessous = 0;
  int largeur_refusee = -1, hauteur_refusee = -1;
  std::vector<int64_t> cle;
  // The key of the last frame: the texture is drawn again only for a key
  // that held since then, so that a pan or a count that changes at every
  // frame does not draw the photo twice a frame.
  std::vector<int64_t> cle_vue;
  uint64_t dessous_faits = 0;
  // Set by the event watch when the renderer lost what its targets held.
  std::atomic<bool> cibles_perdues{false};
  // The last place asked for, by the counters it was asked for.
  bool place_valide = false;
  CompteursSerie compteurs;
  PlaceSerie place;
  // The help's lines as last laid out, for this many columns and lines;
  // colonnes -1 when the source changed since.
  int aide_colonnes = -1, aide_place = -1;
  std::vector<std::string> aide_textes;
};

namespace {

// Byte length of the first n code points (continuation bytes skipped).
size_t octetsDebut(const std::string& texte, size_t n) {
  size_t i = 0;
  for (size_t vus = 0; i < texte.size(); ++i) {
    if ((static_cast<unsigned char>(texte[i]) & 0xC0) == 0x80) continue;
    if (vus == n) break;
    ++vus;
  }
  return i;
}

size_t nombreCaracteres(const std::string& texte) {
  size_t n = 0;
  for (char c : texte) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// The text's first characters before "...", at most `colonnes` in all.
std::string couperFin(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return texte.substr(0, octetsDebut(texte, colonnes - 3)) + "...";
}

std::string nombreOuInconnu(int64_t n) { return n < 0 ? "?" : std::to_string(n); }

std::string reel(double x, const char* format) {
  char texte[64];
  std::snprintf(texte, sizeof texte, format, x);
  return texte;
}

const char* sousMode(const Etat& e) {
  if (e.m_choix_zone) return "zone";
  if (e.m_ajout_souris) return "ajout";
  if (e.m_ajout_couleurs) return "couleur";
  if (e.m_retrait_souris) return "retrait";
  return "?";
}

// The band textures go (destroyed when still ours); the line surfaces stay.
void oublierTextures(Bandeau& b, bool detruire) {
  for (Bande* bande : {&b.bande, &b.aide}) {
    if (detruire && bande->texture != nullptr) SDL_DestroyTexture(bande->texture);
    bande->texture = nullptr;
    bande->faite = false;
    bande->montree = false;
  }
  if (detruire && b.dessous != nullptr) SDL_DestroyTexture(b.dessous);
  b.dessous = nullptr;
  b.largeur_refusee = b.hauteur_refusee = -1;
  b.cle.clear();
  b.cle_vue.clear();
}

// A renderer may lose its target textures' pixels (a device reset): the
// bands' texture is then drawn again. Watched, not polled: the event step
// takes the event before the frame.
int guetterCibles(void* bandeau, SDL_Event* evenement) {
  if (evenement->type == SDL_RENDER_TARGETS_RESET || evenement->type == SDL_RENDER_DEVICE_RESET)
    static_cast<Bandeau*>(bandeau)->cibles_perdues = true;
  return 0;
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

void copierBande(SDL_Renderer* rendu, const Bande& bande) {
  if (bande.texture != nullptr) SDL_RenderCopy(rendu, bande.texture, nullptr, &bande.boite);
}

// The bands' texture at the output's size, made when missing or of another
// size; false when the renderer cannot draw into one.
bool textureDessous(Bandeau& b, int largeur, int hauteur) {
  if (b.dessous != nullptr && b.largeur_dessous == largeur && b.hauteur_dessous == hauteur) return true;
  if (b.largeur_refusee == largeur && b.hauteur_refusee == hauteur) return false;
  if (b.dessous != nullptr) SDL_DestroyTexture(b.dessous);
  b.dessous = nullptr;
  b.cle.clear();
  if (SDL_RenderTargetSupported(b.rendu) == SDL_TRUE) {
    b.dessous = SDL_CreateTexture(b.rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, largeur, hauteur);
  }
  if (b.dessous == nullptr) {
    b.largeur_refusee = largeur;
    b.hauteur_refusee = hauteur;
    return false;
  }
  SDL_SetTextureBlendMode(b.dessous, SDL_BLENDMODE_NONE);
  b.largeur_dessous = largeur;
  b.hauteur_dessous = hauteur;
  return true;
}

// What the bands' texture must have been drawn from to be copied as it is.
std::vector<int64_t> cleDessous(const Bandeau& b, const DessousBandeau& dessous) {
  std::vector<int64_t> cle = dessous.vue;
  for (const Bande* bande : {&b.bande, &b.aide}) {
    const SDL_Rect& r = bande->boite;
    cle.insert(cle.end(), {int64_t(bande->montree), int64_t(bande->version), r.x, r.y, r.w, r.h});
  }
  return cle;
}

// tete then texte folded at blanks into lines of at most `colonnes`, the
// later ones indented under texte; cut instead when too little is left.
void plier(const std::string& tete, const std::string& texte, size_t colonnes, std::vector<std::string>& lignes) {
  const size_t retrait = nombreCaracteres(tete);
  if (retrait + kColonnesPliage > colonnes) {
    lignes.push_back(couperFin(tete + texte, colonnes));
    return;
  }
  const size_t largeur = colonnes - retrait;
  std::string courante;
  size_t debut = 0;
  while (debut <= texte.size()) {
    size_t fin = texte.find(' ', debut);
    if (fin == std::string::npos) fin = texte.size();
    std::string mot = texte.substr(debut, fin - debut);
    debut = fin + 1;
    const size_t n = nombreCaracteres(courante);
    if (!courante.empty() && n + 1 + nombreCaracteres(mot) > largeur) {
      lignes.push_back(tete + courante);
      courante.clear();
    }
    courante += (courante.empty() ? "" : " ") + couperFin(mot, largeur);
  }
  lignes.push_back(tete + courante);
}

// The help's lines: a title, then each key padded to the longest name.
std::vector<std::string> textesAide(const SourceBandeau& source, size_t colonnes) {
  size_t largeur_touche = 0;
  for (const auto& a : source.aide) largeur_touche = std::max(largeur_touche, nombreCaracteres(a.first));
  std::vector<std::string> textes{couperFin("Touches (H : cacher)", colonnes)};
  const std::string blanc(largeur_touche + 2, ' ');
  for (const auto& a : source.aide) {
    std::vector<std::string> pli;
    plier(blanc, a.second, colonnes, pli);
    // the key's name in the first line's margin
    const std::string touche = a.first + std::string(largeur_touche + 2 - nombreCaracteres(a.first), ' ');
    if (pli[0].compare(0, blanc.size(), blanc) == 0) pli[0] = touche + pli[0].substr(blanc.size());
    else pli[0] = couperFin(touche + a.second, colonnes);
    textes.insert(textes.end(), pli.begin(), pli.end());
  }
  return textes;
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

std::string couperDebut(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return "..." + texte.substr(octetsDebut(texte, n - (colonnes - 3)));
}

std::vector<std::string> textesBandeau(const PlaceSerie& place, size_t colonnes) {
  const Etat& e = *g_etat;
  const std::string rang = "  " + nombreOuInconnu(place.rang) + "/" + nombreOuInconnu(place.longueur);
  const size_t place_nom = colonnes > rang.size() ? colonnes - rang.size() : 0;
  std::vector<std::string> champs;
  champs.push_back(std::string(e.m_mode_couleurs_voisines ? "couleurs voisines" : "cliquer-glisser") + " / " +
                   sousMode(e));
  champs.push_back("tol " + std::to_string(e.m_tolerance_rouge) + " " + std::to_string(e.m_tolerance_vert) + " " +
                   std::to_string(e.m_tolerance_bleu));
  champs.push_back("sel " + std::to_string(e.m_nombre_selectionnes));
  champs.push_back("centre " + reel(e.m_centre_x, "%.1f") + " " + reel(e.m_centre_y, "%.1f"));
  champs.push_back("zoom " + reel(e.m_zoom, "%g"));
  if (e.m_suivi_en_cours) champs.push_back("suivi");

  // the fields on as few lines as the width allows, never one split
  std::vector<std::string> lignes{couperFin(couperDebut(e.nom_photo_complet, place_nom) + rang, colonnes)};
  std::string courante;
  for (const std::string& champ : champs) {
    if (!courante.empty() && nombreCaracteres(courante) + 3 + nombreCaracteres(champ) > colonnes) {
      lignes.push_back(courante);
      courante.clear();
    }
    courante += (courante.empty() ? "" : " | ") + couperFin(champ, colonnes);
  }
  lignes.push_back(courante);
  return lignes;
}

void basculerBandeau(const SourceBandeau& source, const char* chemin_police) {
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
      SDL_AddEventWatch(guetterCibles, &b);
    } else {
      std::cout << "Police introuvable : " << chemin_police << std::endl;
      if (b.police != nullptr) TTF_CloseFont(b.police);
      b.police = nullptr;
    }
  }
  if (b.police == nullptr) return;
  b.source = source;
  b.aide_colonnes = -1;  // the help is laid out again from this source
  e.m_bandeau_affiche = !e.m_bandeau_affiche;
}

namespace {

// The strip's state when H shows it, null otherwise.
Bandeau* bandeauMontre() {
  const Etat& e = *g_etat;
  return e.m_bandeau_affiche && e.m_bandeau != nullptr && e.m_bandeau->police != nullptr ? e.m_bandeau : nullptr;
}

// Lays both bands out for an output of largeur x hauteur, each `montree`
// when it has a texture to show.
void disposer(Bandeau& b, int largeur, int hauteur) {
  const int interieur = largeur - 2 * kMarge;
  if (interieur <= 0 || hauteur <= 0) return;
  const size_t colonnes = size_t(interieur / b.largeur_caractere);

  const std::vector<std::string> textes_bande = textesBandeau(placeCourante(b), colonnes);
  bool changees = b.bande.nombre != textes_bande.size();
  b.bande.nombre = textes_bande.size();
  for (size_t i = 0; i < textes_bande.size(); ++i) changees = ligne(b, b.bande, i, textes_bande[i]) || changees;
  const int hauteur_bande = int(textes_bande.size()) * b.hauteur_ligne + 2 * kRetrait;
  const int y_bande = hauteur - hauteur_bande;
  composerBande(b, b.bande, changees, SDL_Rect{0, y_bande, largeur, hauteur_bande}, kMarge, interieur);
  b.bande.montree = b.bande.texture != nullptr;

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

bool copierAvecBandes(const DessousBandeau& dessous) {
  Etat& e = *g_etat;
  if (bandeauMontre() == nullptr) return false;
  Bandeau& b = *e.m_bandeau;
  SDL_Renderer* rendu = e.m_rendu;
  if (b.rendu != rendu || !(b.bande.montree || b.aide.montree)) return false;
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  if (!textureDessous(b, largeur, hauteur)) return false;
  if (b.cibles_perdues.exchange(false)) b.cle.clear();
  std::vector<int64_t> cle = cleDessous(b, dessous);
  if (cle != b.cle) {
    const bool tenue = cle == b.cle_vue;
    b.cle_vue = cle;
    if (!tenue) return false;
    b.cle.clear();
    if (SDL_SetRenderTarget(rendu, b.dessous) != 0) return false;
    dessous.dessiner();
    for (const Bande* bande : {&b.bande, &b.aide})
      if (bande->montree) copierBande(rendu, *bande);
    if (SDL_SetRenderTarget(rendu, nullptr) != 0) return false;
    b.cle = std::move(cle);
    ++b.dessous_faits;
  }
  return SDL_RenderCopy(rendu, b.dessous, nullptr, nullptr) == 0;
}

void dessinerBandeau() {
  Etat& e = *g_etat;
  if (bandeauMontre() == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  if (b.rendu != e.m_rendu) return;
  for (const Bande* bande : {&b.bande, &b.aide})
    if (bande->montree) copierBande(e.m_rendu, *bande);
}

void libererBandeau() {
  Etat& e = *g_etat;
  e.m_bandeau_affiche = false;
  if (e.m_bandeau == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  oublierTextures(b, b.rendu == e.m_rendu && b.rendu != nullptr);
  oublierLignes(b);
  if (b.police != nullptr) {
    SDL_DelEventWatch(guetterCibles, &b);
    TTF_CloseFont(b.police);
  }
  if (b.ttf_initialise) TTF_Quit();
  delete e.m_bandeau;
  e.m_bandeau = nullptr;
}

uint64_t dessousBandeauFaits() { return g_etat->m_bandeau == nullptr ? 0 : g_etat->m_bandeau->dessous_faits; }

uint64_t texturesBandeauFaites() { return g_etat->m_bandeau == nullptr ? 0 : g_etat->m_bandeau->faites; }
