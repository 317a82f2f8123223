#include "series/prechargement.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/etat_fixture.h"

namespace {

void ecrirePhoto(const std::string& chemin, int largeur, int hauteur, Uint8 gris) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  std::memset(s->pixels, gris, static_cast<size_t>(s->pitch) * s->h);
  ASSERT_EQ(0, IMG_SavePNG(s, chemin.c_str()));
  SDL_FreeSurface(s);
}

// The first pixel of a photo, or of its ARGB8888 pixels.
Uint32 premier(const SDL_Surface* s) {
  return s->format->BytesPerPixel == 4 ? *static_cast<Uint32*>(s->pixels) : *static_cast<Uint8*>(s->pixels);
}

// Converts to ARGB8888 into a given-back surface of the photo's size when
// there is one, and keeps an extra reference on every surface it sees, so
// the test can tell each was freed exactly once; a read can be held inside
// it until the test lets it go.
struct Espion {
  std::mutex m;
  std::condition_variable cv;
  std::vector<SDL_Surface*> vues;
  int lues = 0;
  bool retenir = false, en_cours = false;

  Prechargeur::Preparation preparation() {
    return [this](SDL_Surface* s, std::vector<SDL_Surface*>& reserve) {
      std::unique_lock<std::mutex> verrou(m);
      SDL_Surface* p = nullptr;
      for (size_t i = 0; i < reserve.size() && p == nullptr; ++i)
        if (reserve[i]->w == s->w && reserve[i]->h == s->h) p = reserve[i], reserve.erase(reserve.begin() + i);
      if (p == nullptr) {
        vues.push_back(p = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_ARGB8888));
        ++p->refcount;
      }
      SDL_BlitSurface(s, nullptr, p, nullptr);
      ++s->refcount;
      vues.push_back(s);
      en_cours = true;
      cv.notify_all();
      cv.wait(verrou, [this] { return !retenir; });
      ++lues;
      cv.notify_all();
      return p;
    };
  }
  // Until n reads are done, and one is held when held is asked.
  void attendre(int n, bool tenue = false) {
    std::unique_lock<std::mutex> verrou(m);
    cv.wait(verrou, [&] { return lues >= n && (en_cours || !tenue); });
  }
  void regler(bool tenir) {
    std::lock_guard<std::mutex> verrou(m);
    retenir = tenir;
    en_cours = false;
    cv.notify_all();
  }
};

}  // namespace

TEST(PrechargeurTest, ReadAheadIsUsedOnlyWhileItsFileIsUnchanged) {
  const std::string d = dossierTemporaire();
  const std::string a = d + "/a.png", b = d + "/b.png", c = d + "/c.png", absente = d + "/absente.png";
  ecrirePhoto(a, 4, 3, 10);
  ecrirePhoto(b, 4, 3, 20);
  ecrirePhoto(c, 5, 3, 30);
  Espion espion;
  {
    Prechargeur lecture(espion.preparation());
    PhotoLue lue, lue_b;
    EXPECT_FALSE(lecture.prendre(a, lue));  // never asked

    // what IMG_Load gives, with its prepared pixels; taken once
    lecture.demander({a, b});
    ASSERT_TRUE(lecture.prendre(a, lue));
    ASSERT_TRUE(lecture.prendre(b, lue_b));
    EXPECT_EQ(4, lue.surface->w);
    EXPECT_EQ(3, lue.surface->h);
    EXPECT_EQ(10u, premier(lue.surface));
    ASSERT_NE(nullptr, lue.pixels);
    EXPECT_EQ(0xFF0A0A0Au, premier(lue.pixels));
    EXPECT_FALSE(lecture.prendre(a, lue_b));
    libererPhotoLue(lue_b);
    // pixels given back are filled again for a photo of their size only; a
    // photo handed over to be freed is freed on the worker
    SDL_Surface* rendus = lue.pixels;
    lecture.rendre(rendus);
    lecture.libererPlusTard(lue.surface);
    lecture.demander({c, b});
    ASSERT_TRUE(lecture.prendre(c, lue));
    EXPECT_NE(rendus, lue.pixels);
    ASSERT_TRUE(lecture.prendre(b, lue_b));
    EXPECT_EQ(rendus, lue_b.pixels);
    EXPECT_EQ(0xFF141414u, premier(lue_b.pixels));
    libererPhotoLue(lue);
    libererPhotoLue(lue_b);

    // replaced after its read (another size), deleted after its read: both
    // must be read again by the caller
    lecture.demander({a});
    espion.attendre(5);
    ecrirePhoto(a + ".neuve", 5, 3, 11);
    ASSERT_EQ(0, std::rename((a + ".neuve").c_str(), a.c_str()));
    EXPECT_FALSE(lecture.prendre(a, lue));
    lecture.demander({b});
    espion.attendre(6);
    ASSERT_EQ(0, std::remove(b.c_str()));
    EXPECT_FALSE(lecture.prendre(b, lue));

    // a missing file gives the very error text IMG_Load gives
    lecture.demander({absente});
    ASSERT_TRUE(lecture.prendre(absente, lue));
    EXPECT_EQ(nullptr, lue.surface);
    EXPECT_EQ(nullptr, IMG_Load(absente.c_str()));
    EXPECT_EQ(std::string(SDL_GetError()), lue.erreur);

    // a read running when the photo is wanted is waited for, not made twice
    espion.regler(true);
    lecture.demander({c});
    espion.attendre(0, true);
    std::thread lacher([&] { espion.regler(false); });
    ASSERT_TRUE(lecture.prendre(c, lue));
    lacher.join();
    EXPECT_EQ(7, espion.lues);
    lecture.rendre(lue.pixels);
    lecture.libererPlusTard(lue.surface);

    // reads no longer wanted, those left at the stop and the surfaces held
    // are freed
    lecture.demander({a, c});
    espion.attendre(9);
    lecture.demander({c});
    lecture.demander({b, a});
  }  // the destructor stops and joins
  for (SDL_Surface* s : espion.vues) {
    EXPECT_EQ(1, s->refcount);
    SDL_FreeSurface(s);
  }
}
