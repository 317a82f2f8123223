#include "display/bandeau.h"

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/etat.h"
#include "display/rendu.h"
#include "tests/etat_fixture.h"

namespace {

SourceBandeau source() {
  SourceBandeau s;
  s.aide = {{"P / L", "zoom avant / arriere"}, {"Retour arriere", "revenir a la photo precedente"}, {"H", "bandeau"}};
  s.mesurer = [](const CompteursSerie& c) { return PlaceSerie{c.numero, 12}; };
  return s;
}

// Frames drawn by render() on a software renderer over a uniform light photo.
class BandeauTest : public EtatTest {
 protected:
  void preparer(int largeur, int hauteur) {
    liberer();
    cible_ = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(nullptr, cible_);
    Etat& e = *g_etat;
    e.m_rendu = SDL_CreateSoftwareRenderer(cible_);
    ASSERT_NE(nullptr, e.m_rendu);
    SDL_Surface* photo = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(nullptr, photo);
    SDL_FillRect(photo, nullptr, SDL_MapRGB(photo->format, 230, 220, 200));
    e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, photo);
    SDL_FreeSurface(photo);
    e.m_rect_source = e.m_rect_destination = {0, 0, largeur, hauteur};
    e.m_largeur_fenetre = largeur;
    e.m_hauteur_fenetre = hauteur;
    e.m_afficher_croix_fenetre = false;
  }
  std::vector<Uint32> image() {
    render();
    std::vector<Uint32> pixels(size_t(cible_->w) * size_t(cible_->h));
    for (int y = 0; y < cible_->h; ++y) {
      std::memcpy(&pixels[size_t(y) * size_t(cible_->w)], static_cast<Uint8*>(cible_->pixels) + y * cible_->pitch,
                  size_t(cible_->w) * 4);
    }
    return pixels;
  }
  void liberer() {
    Etat& e = *g_etat;
    libererBandeau();
    if (e.m_rendu != nullptr) SDL_DestroyRenderer(e.m_rendu);  // the photo texture with it
    e.m_rendu = nullptr;
    e.m_pTexture_prairie = nullptr;
    SDL_FreeSurface(cible_);
    cible_ = nullptr;
  }
  void TearDown() override {
    liberer();
    EtatTest::TearDown();
  }
  SDL_Surface* cible_ = nullptr;
};

}  // namespace

// The strip names the photo with its place, the modes, the tolerances, the
// count, the centre, the zoom and the automatic run; a long name keeps its
// end behind a mark, cut between characters.
TEST_F(BandeauTest, StripTextsShowTheRecordAndCutLongNamesFromTheFront) {
  Etat& e = *g_etat;
  e.nom_photo_complet = "photos/img_002.png";
  e.m_mode_couleurs_voisines = false;
  e.m_choix_zone = false;
  e.m_retrait_souris = true;
  e.m_tolerance_rouge = 10;
  e.m_tolerance_vert = 20;
  e.m_tolerance_bleu = 255;
  e.m_nombre_selectionnes = 42;
  e.m_centre_x = 12.34;
  e.m_centre_y = 45.66;
  e.m_zoom = 0.5;
  e.m_suivi_en_cours = true;
  std::vector<std::string> t = textesBandeau(PlaceSerie{2, -1}, 200);
  ASSERT_EQ(2u, t.size()) << "one line of fields when they fit";
  EXPECT_EQ("photos/img_002.png  2/?", t[0]);
  EXPECT_EQ("cliquer-glisser / retrait | tol 10 20 255 | sel 42 | centre 12.3 45.7 | zoom 0.5 | suivi", t[1]);

  e.m_mode_couleurs_voisines = true;
  e.m_retrait_souris = false;
  e.m_ajout_couleurs = true;
  e.m_suivi_en_cours = false;
  e.nom_photo_complet = std::string(100, 'd') + "/img_002.png";
  t = textesBandeau(PlaceSerie{-1, 10}, 30);
  EXPECT_EQ((std::vector<std::string>{"...ddddddddd/img_002.png  ?/10", "couleurs voisines / couleur",
                                      "tol 10 20 255 | sel 42", "centre 12.3 45.7 | zoom 0.5"}),
            t);

  EXPECT_EQ("...\xC3\xA9\xC3\xA9z", couperDebut("abcd\xC3\xA9\xC3\xA9z", 6));
  EXPECT_EQ("a\xC3\xA9", couperDebut("a\xC3\xA9", 2));
  EXPECT_EQ("..", couperDebut("abcdef", 2));
}

// A missing or unreadable font: one line at the first H, and H then does
// nothing, not even the line again.
TEST_F(BandeauTest, MissingOrUnreadableFontIsReportedOnceAndHDoesNothing) {
  preparer(80, 60);
  const std::vector<Uint32> avant = image();
  const std::string dossier = dossierTemporaire();
  ecrireFichier(dossier + "/faux.ttf", "pas une police");
  for (const std::string& chemin : {dossier + "/absente.ttf", dossier + "/faux.ttf", dossier}) {
    SCOPED_TRACE(chemin);
    basculerBandeau(source(), chemin.c_str());
    basculerBandeau(source(), chemin.c_str());
    EXPECT_EQ("Police introuvable : " + chemin + "\n", console_.lu());
    EXPECT_FALSE(g_etat->m_bandeau_affiche);
    EXPECT_EQ(avant, image());
    libererBandeau();
  }
}

// H draws the strip at the bottom and the help at the top over the photo,
// makes a line's texture only when its text changes, and a second H gives
// back the frame pixel for pixel; a window too small for either draws what
// fits and nothing more.
TEST_F(BandeauTest, StripAndHelpDrawOverThePhotoAndGoAwayWithoutTrace) {
  preparer(400, 300);
  Etat& e = *g_etat;
  e.nom_photo_complet = "photos/img_003.png";
  e.m_numero = 3;
  const std::vector<Uint32> sans = image();
  basculerBandeau(source());
  ASSERT_EQ("", console_.lu());
  ASSERT_TRUE(e.m_bandeau_affiche);
  const std::vector<Uint32> avec = image();
  const uint64_t faites = texturesBandeauFaites();
  EXPECT_EQ(2u, faites);  // the strip and the help

  auto changes = [&](const std::vector<Uint32>& a, const std::vector<Uint32>& b, int y0, int y1, int x0, int x1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += a[size_t(y) * 400 + size_t(x)] != b[size_t(y) * 400 + size_t(x)];
    return n;
  };
  EXPECT_EQ(400 * 50, changes(sans, avec, 250, 300, 0, 400)) << "the strip darkens the whole bottom";
  EXPECT_GT(changes(sans, avec, 6, 80, 6, 200), 4000) << "the help panel";
  EXPECT_EQ(0, changes(sans, avec, 100, 240, 0, 400)) << "nothing between them";
  // over a light photo the band is darker, the text lighter than the band
  Uint8 r, g, b;
  SDL_GetRGB(avec[size_t(298) * 400 + 399], cible_->format, &r, &g, &b);
  EXPECT_LT(r, 120);

  image();
  EXPECT_EQ(faites, texturesBandeauFaites());
  e.m_tolerance_vert = 7;
  image();
  EXPECT_EQ(faites + 1, texturesBandeauFaites()) << "only the strip";

  basculerBandeau(source());
  e.m_tolerance_vert = 0;
  EXPECT_EQ(sans, image());

  for (auto [w, h] : {std::pair{90, 70}, std::pair{12, 30}, std::pair{1, 1}}) {
    SCOPED_TRACE(w);
    preparer(w, h);
    const std::vector<Uint32> petite_sans = image();
    basculerBandeau(source());
    const std::vector<Uint32> petite = image();
    basculerBandeau(source());
    EXPECT_EQ(petite_sans, image());
    (void)petite;
  }
}
