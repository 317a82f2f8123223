#include "display/photo.h"

#include <cstring>
#include <random>

#include "tests/etat_fixture.h"

namespace {

SDL_Surface* photoAleatoire(int largeur, int hauteur, Uint32 format, unsigned graine) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 0, format);
  std::mt19937 hasard(graine);
  auto* octets = static_cast<Uint8*>(s->pixels);
  for (int i = 0; i < s->pitch * s->h; ++i) octets[i] = static_cast<Uint8>(hasard());
  if (s->format->palette != nullptr) {
    for (int i = 0; i < s->format->palette->ncolors; ++i)
      s->format->palette->colors[i] = {Uint8(hasard()), Uint8(hasard()), Uint8(hasard()), 255};
  }
  return s;
}

class PhotoTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    cible_ = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_ARGB8888);
    g_etat->m_rendu = SDL_CreateSoftwareRenderer(cible_);
  }
  void TearDown() override {
    SDL_FreeSurface(g_etat->pTempSurface_prairie);
    SDL_DestroyRenderer(g_etat->m_rendu);  // takes the photo textures with it
    SDL_FreeSurface(cible_);
    EtatTest::TearDown();
  }
  // What the window shows of a texture drawn 1:1 over the background.
  std::string dessiner(SDL_Texture* texture) {
    SDL_Renderer* r = g_etat->m_rendu;
    SDL_SetRenderDrawColor(r, 0, 150, 0, 255);
    SDL_RenderClear(r);
    SDL_RenderCopy(r, texture, nullptr, nullptr);
    std::string pixels(static_cast<size_t>(cible_->pitch * cible_->h), '\0');
    SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), cible_->pitch);
    return pixels;
  }
  // The photo as a texture SDL makes itself would show it.
  std::string dessinerReference(SDL_Surface* photo) {
    SDL_Texture* t = SDL_CreateTextureFromSurface(g_etat->m_rendu, photo);
    std::string pixels = dessiner(t);
    SDL_DestroyTexture(t);
    return pixels;
  }
  void prendrePhoto(SDL_Surface* photo) {
    SDL_FreeSurface(g_etat->pTempSurface_prairie);
    g_etat->pTempSurface_prairie = photo;
  }
  SDL_Surface* cible_ = nullptr;
};

void taille(SDL_Texture* t, int& l, int& h) {
  l = h = -1;
  SDL_QueryTexture(t, nullptr, nullptr, &l, &h);
}

}  // namespace

TEST_F(PhotoTest, TextureShowsThePhotoLikeSdlsOwn) {
  struct Cas { const char* nom; Uint32 format; };
  for (Cas c : {Cas{"rgb24 (jpeg)", SDL_PIXELFORMAT_RGB24}, Cas{"rgba32 (png)", SDL_PIXELFORMAT_RGBA32},
                Cas{"argb8888", SDL_PIXELFORMAT_ARGB8888}, Cas{"palette", SDL_PIXELFORMAT_INDEX8}}) {
    SCOPED_TRACE(c.nom);
    SDL_Surface* photo = photoAleatoire(64, 48, c.format, 7);
    std::string attendu = dessinerReference(photo);
    prendrePhoto(photo);
    creerTexturePhoto();
    ASSERT_NE(nullptr, g_etat->m_pTexture_prairie);
    int l, h;
    taille(g_etat->m_pTexture_prairie, l, h);
    EXPECT_EQ(64, l);
    EXPECT_EQ(48, h);
    EXPECT_TRUE(attendu == dessiner(g_etat->m_pTexture_prairie));
    libererTexturePhoto();
    EXPECT_EQ(nullptr, g_etat->m_pTexture_prairie);
  }
}

TEST_F(PhotoTest, SameSizeRefillsTheTextureAndAnotherSizeReplacesIt) {
  prendrePhoto(photoAleatoire(64, 48, SDL_PIXELFORMAT_RGB24, 1));
  creerTexturePhoto();
  SDL_Texture* premiere = g_etat->m_pTexture_prairie;

  libererTexturePhoto();
  SDL_Surface* deuxieme = photoAleatoire(64, 48, SDL_PIXELFORMAT_RGB24, 2);
  std::string attendu = dessinerReference(deuxieme);
  prendrePhoto(deuxieme);
  creerTexturePhoto();
  EXPECT_EQ(premiere, g_etat->m_pTexture_prairie);
  EXPECT_TRUE(attendu == dessiner(g_etat->m_pTexture_prairie));  // nothing of the first photo left

  libererTexturePhoto();
  prendrePhoto(photoAleatoire(30, 20, SDL_PIXELFORMAT_RGB24, 3));
  creerTexturePhoto();
  int l, h;
  taille(g_etat->m_pTexture_prairie, l, h);
  EXPECT_EQ(30, l);
  EXPECT_EQ(20, h);

  // A failed load: no texture, and the one put aside is still there for later.
  libererTexturePhoto();
  prendrePhoto(nullptr);
  creerTexturePhoto();
  EXPECT_EQ(nullptr, g_etat->m_pTexture_prairie);
}

// Pixels converted off the main thread fill the texture exactly as the
// conversion into the locked texture does, whatever the photo's format, also
// when they are converted into a surface given back from an earlier photo.
TEST_F(PhotoTest, PixelsConvertedAheadDrawTheSame) {
  const FormatsTexture formats = formatsTexture(g_etat->m_rendu);
  ASSERT_GT(formats.nombre, 0u);
  struct Cas { const char* nom; Uint32 format; bool converti; };
  for (Cas c : {Cas{"rgb24 (jpeg)", SDL_PIXELFORMAT_RGB24, true}, Cas{"rgba32 (png)", SDL_PIXELFORMAT_RGBA32, false},
                Cas{"argb8888", SDL_PIXELFORMAT_ARGB8888, false}, Cas{"palette", SDL_PIXELFORMAT_INDEX8, false}}) {
    SCOPED_TRACE(c.nom);
    SDL_Surface* photo = photoAleatoire(64, 48, c.format, 9);
    prendrePhoto(photo);
    creerTexturePhoto();
    const std::string attendu = dessiner(g_etat->m_pTexture_prairie);
    libererTexturePhoto();
    std::vector<SDL_Surface*> reserve;
    SDL_Surface* prets = pixelsPourTexture(formats, photo, reserve);
    EXPECT_EQ(c.converti, prets != nullptr);
    creerTexturePhoto(prets);
    EXPECT_TRUE(attendu == dessiner(g_etat->m_pTexture_prairie));
    libererTexturePhoto();
    if (prets != nullptr) {
      // given back with other pixels, beside one of another size: only the
      // one of the photo's size is taken, and every pixel is written again
      SDL_Surface* autre = SDL_CreateRGBSurfaceWithFormat(0, 48, 64, 0, prets->format->format);
      std::memset(prets->pixels, 0xA5, static_cast<size_t>(prets->pitch) * prets->h);
      reserve = {autre, prets};
      EXPECT_EQ(prets, pixelsPourTexture(formats, photo, reserve));
      EXPECT_EQ(std::vector<SDL_Surface*>{autre}, reserve);
      creerTexturePhoto(prets);
      EXPECT_TRUE(attendu == dessiner(g_etat->m_pTexture_prairie));
      libererTexturePhoto();
      SDL_FreeSurface(autre);
    }
    SDL_FreeSurface(prets);
  }
}
