#include "display/bandeau.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "etat/etat.h"
#include "display/dessous_bandeau.h"
#include "display/rendu.h"
#include "tests/etat_fixture.h"

namespace {

SourceBandeau source() {
  SourceBandeau s;
  s.aide = {{"P / L", "zoom avant / arriere"}, {"Retour arriere", "revenir a la photo precedente"}, {"H", "bandeau"}};
  // a series of twelve photos numbered from 1: photo n is n/12
  Etat& e = *g_etat;
  e.m_mode_nom = 3;
  e.m_numero_debut = 1;
  e.m_pas_numero = 1;
  e.m_numero_fin = 12;
  return s;
}

// A uniform light photo, its channels apart so that a wrong colour shows.
SDL_Surface* photo(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 230, 220, 200));
  return s;
}

// Frames drawn by render() on a software renderer over the photo, read back.
struct Cadre {
  Cadre(int w, int h) : cible(photo(w, h)), rendu(SDL_CreateSoftwareRenderer(cible)) {
    Etat& e = *g_etat;
    e.m_rendu = rendu;
    e.m_pTexture_prairie = SDL_CreateTextureFromSurface(rendu, cible);
    e.m_rect_source = e.m_rect_destination = {0, 0, w, h};
    e.m_largeur_fenetre = w;
    e.m_hauteur_fenetre = h;
    e.m_afficher_croix_fenetre = false;
  }
  ~Cadre() {
    if (g_etat->m_rendu == rendu) libererBandeau();  // before the textures go with the renderer
    SDL_DestroyRenderer(rendu);
    SDL_FreeSurface(cible);
  }
  std::vector<Uint32> image() {
    render();
    const Uint32* p = static_cast<Uint32*>(cible->pixels);  // 32-bit rows: no padding
    return std::vector<Uint32>(p, p + cible->w * cible->h);
  }
  SDL_Surface* cible;
  SDL_Renderer* rendu;
};

}  // namespace

// A missing or unreadable font: one line at the first H, and H then does
// nothing. With the font, H darkens the strip at the bottom and the help at
// the top, the same pixels, within rounding, as the band then each line
// blended in turn; a band is composed again only when its lines change or
// the renderer does, and a second H gives back the frame pixel for pixel,
// also in windows too small for the bands.
TEST_F(EtatTest, BandeauStripAndHelpDrawOverThePhotoAndGoAwayWithoutTrace) {
  Etat& e = *g_etat;
  Cadre cadre(400, 300);
  const std::vector<Uint32> sans = cadre.image();
  const std::string dossier = dossierTemporaire();
  ecrireFichier(dossier + "/faux.ttf", "pas une police");
  for (const std::string& chemin : {dossier + "/absente.ttf", dossier + "/faux.ttf", dossier}) {
    basculerBandeau(source(), chemin.c_str());
    basculerBandeau(source(), chemin.c_str());
    EXPECT_EQ("Police introuvable : " + chemin + "\n", console_.lu());
    EXPECT_EQ(sans, cadre.image());
    libererBandeau();
  }

  e.nom_photo_complet = "photos/img_003.png";
  e.m_numero = 3;
  basculerBandeau(source());
  ASSERT_EQ("", console_.lu());
  const std::vector<Uint32> avec = cadre.image();
  EXPECT_EQ(2u, texturesBandeauFaites());
  int aide = 0, entre = 0;  // rows 0 to 99 hold the help, the strip starts below 240
  for (size_t i = 0; i < 400 * 240; ++i) (i < 400 * 100 ? aide : entre) += sans[i] != avec[i];
  EXPECT_GT(aide, 4000);
  EXPECT_EQ(0, entre);

  // the strip drawn the plain way, its band's colour then each line blended,
  // on the same photo: 6 pixels from the edges, 4 from the band's
  SDL_Surface* attendu = photo(400, 300);
  SDL_Renderer* rendu = SDL_CreateSoftwareRenderer(attendu);
  TTF_Init();
  TTF_Font* police = TTF_OpenFont(kPoliceBandeau, 13);
  int avance = 0;
  TTF_GlyphMetrics(police, 'M', nullptr, nullptr, nullptr, nullptr, &avance);
  const std::vector<std::string> lignes = textesBandeau(valeursBandeau(PlaceSerie{3, 12}), size_t((400 - 12) / avance));
  const int y_bande = 300 - int(lignes.size()) * TTF_FontLineSkip(police) - 8;
  const SDL_Rect bande{0, y_bande, 400, 300 - y_bande};
  SDL_FillRect(attendu, &bande, SDL_MapRGB(attendu->format, 230 * 85 / 255, 220 * 85 / 255, 200 * 85 / 255));
  for (size_t i = 0; i < lignes.size(); ++i) {
    SDL_Surface* s = TTF_RenderUTF8_Blended(police, lignes[i].c_str(), SDL_Color{255, 255, 255, 255});
    const SDL_Rect d{6, y_bande + 4 + int(i) * TTF_FontLineSkip(police), std::min(s->w, 400 - 12), s->h};
    const SDL_Rect partie{0, 0, d.w, d.h};
    SDL_RenderCopy(rendu, SDL_CreateTextureFromSurface(rendu, s), &partie, &d);
    SDL_FreeSurface(s);
  }
  TTF_CloseFont(police);
  TTF_Quit();
  int blancs = 0;
  for (int i = y_bande * 400; i < 400 * 300; ++i) {
    const Uint32 a = avec[size_t(i)], b = static_cast<Uint32*>(attendu->pixels)[i];
    for (int octet : {16, 8, 0}) ASSERT_NEAR(int((a >> octet) & 0xFF), int((b >> octet) & 0xFF), 2) << i;
    blancs += (a & 0xFF) > 250;
  }
  EXPECT_GT(blancs, 20) << "white text";
  SDL_DestroyRenderer(rendu);
  SDL_FreeSurface(attendu);

  cadre.image();
  EXPECT_EQ(2u, texturesBandeauFaites());
  e.m_tolerance_vert = 7;
  cadre.image();
  EXPECT_EQ(3u, texturesBandeauFaites()) << "only the strip";
  basculerBandeau(source());
  EXPECT_EQ(sans, cadre.image());

  for (auto [w, h] : {std::pair{90, 70}, std::pair{12, 30}, std::pair{1, 1}}) {
    SCOPED_TRACE(w);
    Cadre petit(w, h);
    const std::vector<Uint32> petit_sans = petit.image();
    basculerBandeau(source());
    EXPECT_EQ(w == 90, petit.image() != petit_sans) << "what fits, and nothing but the strip here";
    // a strip of its own on this renderer (no room for the help), none after
    // the font is freed with the renderer
    EXPECT_EQ(w == 90 ? 4u : 0u, texturesBandeauFaites());
    basculerBandeau(source());
    EXPECT_EQ(petit_sans, petit.image());
  }
}

// With the bands shown the marks stay out of them, and the photo beneath is
// composed again only when its view or a band's text changes, not at each
// frame nor when a mark does.
TEST_F(EtatTest, BandeauKeepsTheMarksOutOfTheBandsAndComposesOnlyOnChange) {
  Etat& e = *g_etat;
  Cadre cadre(400, 300);
  const std::vector<Uint32> avant = cadre.image();
  basculerBandeau(source());
  const std::vector<Uint32> nu = cadre.image();  // blended, until the view holds for a frame
  EXPECT_EQ(0u, dessousBandeauFaits());
  // the window's cross across the help, the photo between and the strip
  e.m_afficher_croix_fenetre = true;
  e.m_croix_fenetre_h = {0, 150, 400, 1};
  e.m_croix_fenetre_v = {200, 0, 1, 300};
  const std::vector<Uint32> marque = cadre.image();
  const auto bleu = [&](int x, int y) { return (marque[size_t(y * 400 + x)] & 0xFFFFFF) == 0x0000FF; };
  EXPECT_TRUE(bleu(200, 150) && bleu(10, 150) && bleu(200, 120));
  for (int y : {10, 50, 299}) {
    EXPECT_FALSE(bleu(200, y)) << y;
    EXPECT_EQ(nu[size_t(y * 400 + 200)] & 0xFFFFFF, marque[size_t(y * 400 + 200)] & 0xFFFFFF) << y;
  }
  EXPECT_EQ(1u, dessousBandeauFaits());
  cadre.image();
  EXPECT_EQ(1u, dessousBandeauFaits());
  e.m_rect_destination.x += 1;  // a pan: blended, then from the texture, alike
  std::vector<Uint32> melange = cadre.image();
  EXPECT_EQ(1u, dessousBandeauFaits());
  std::vector<Uint32> copie = cadre.image();
  EXPECT_EQ(2u, dessousBandeauFaits());
  for (size_t i = 0; i < copie.size(); ++i) ASSERT_EQ(melange[i] & 0xFFFFFF, copie[i] & 0xFFFFFF) << i;
  e.m_tolerance_bleu = 9;
  cadre.image();
  cadre.image();
  EXPECT_EQ(3u, dessousBandeauFaits());
  // a renderer that lost its targets' pixels, as the event step notes it:
  // drawn again once, the note taken
  e.m_cibles_perdues = true;
  cadre.image();
  EXPECT_EQ(4u, dessousBandeauFaits());
  EXPECT_FALSE(e.m_cibles_perdues);
  cadre.image();
  EXPECT_EQ(4u, dessousBandeauFaits());
  basculerBandeau(source());
  e.m_rect_destination.x -= 1;
  e.m_afficher_croix_fenetre = false;
  EXPECT_EQ(avant, cadre.image()) << "no trace once hidden";
}

// The automatic run's strip, H off: shown while the run goes and after its
// stop, the stop on a line of its own, until the next key; never the help.
// H then shows and hides strip and help as before.
TEST_F(EtatTest, BandeauShowsTheRunAndItsStopUntilTheNextKey) {
  Etat& e = *g_etat;
  Cadre cadre(400, 300);
  source();
  const std::vector<Uint32> sans = cadre.image();
  e.m_suivi_en_cours = true;
  EXPECT_EQ(sans, cadre.image()) << "no font opened yet";
  preparerBandeauSuivi();
  const std::vector<Uint32> pendant = cadre.image();
  int haut = 0, bas = 0;  // rows 0 to 239 hold no strip
  for (size_t i = 0; i < pendant.size(); ++i) (i < 400 * 240 ? haut : bas) += sans[i] != pendant[i];
  EXPECT_EQ(0, haut) << "no help";
  EXPECT_GT(bas, 1000);

  e.m_suivi_en_cours = false;
  e.m_suivi.arret = "proposition douteuse (deux objets de la couleur)";
  e.m_suivi.arret_montre = true;
  e.m_suivi.touches_a_l_arret = e.m_entrees.appuis_touches = 5;
  EXPECT_EQ("Suivi arrete : proposition douteuse (deux objets de la couleur)",
            textesBandeau(valeursBandeau(PlaceSerie{1, 12}), 200).back());
  const std::vector<Uint32> arret = cadre.image();
  EXPECT_NE(pendant, arret);
  EXPECT_NE(sans, arret);
  ++e.m_entrees.appuis_touches;  // a key: the stop goes, with the strip
  EXPECT_EQ(sans, cadre.image());
  EXPECT_EQ(std::string::npos, textesBandeau(valeursBandeau(PlaceSerie{1, 12}), 200).back().find("Suivi arrete"));

  basculerBandeau(source());
  const std::vector<Uint32> h = cadre.image();
  int aide = 0;
  for (size_t i = 0; i < 400 * 100; ++i) aide += sans[i] != h[i];
  EXPECT_GT(aide, 4000);
  basculerBandeau(source());
  EXPECT_EQ(sans, cadre.image());
}
