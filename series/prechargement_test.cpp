#include "series/prechargement.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "tests/etat_fixture.h"

namespace {

void ecrirePhoto(const std::string& chemin, int largeur, int hauteur, Uint8 gris) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  std::memset(s->pixels, gris, static_cast<size_t>(s->pitch) * s->h);
  ASSERT_EQ(0, IMG_SavePNG(s, chemin.c_str()));
  SDL_FreeSurface(s);
}

bool memesPixels(SDL_Surface* a, SDL_Surface* b) {
  if (a->w != b->w || a->h != b->h || a->format->format != b->format->format) return false;
  for (int y = 0; y < a->h; ++y)
    if (std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                    static_cast<size_t>(a->w) * a->format->BytesPerPixel) != 0)
      return false;
  return true;
}

// A preparation that converts to ARGB8888 and keeps an extra reference on
// every surface it sees, so the test can tell each one was freed exactly
// once; a read can be held inside it until the test lets it go.
struct Espion {
  std::mutex m;
  std::condition_variable cv;
  std::vector<SDL_Surface*> vues;
  int lues = 0;
  bool retenir = false;
  bool en_cours = false;

  LectureAvance::Preparation preparation() {
    return [this](SDL_Surface* s, std::vector<SDL_Surface*>&) {
      SDL_Surface* p = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
      std::unique_lock<std::mutex> verrou(m);
      ++s->refcount;
      ++p->refcount;
      vues.push_back(s);
      vues.push_back(p);
      en_cours = true;
      cv.notify_all();
      cv.wait(verrou, [this] { return !retenir; });
      ++lues;
      cv.notify_all();
      return p;
    };
  }
  void attendreLues(int n) {
    std::unique_lock<std::mutex> verrou(m);
    cv.wait(verrou, [&] { return lues >= n; });
  }
  // After the worker is joined: each surface seen is held by this spy alone.
  void verifierLiberees() {
    for (SDL_Surface* s : vues) {
      EXPECT_EQ(1, s->refcount);
      SDL_FreeSurface(s);
    }
    vues.clear();
  }
};

}  // namespace

TEST(LectureAvanceTest, ReadAheadIsUsedOnlyWhileItsFileIsUnchanged) {
  const std::string d = dossierTemporaire();
  const std::string a = d + "/a.png", b = d + "/b.png", c = d + "/c.png", absente = d + "/absente.png";
  ecrirePhoto(a, 4, 3, 10);
  ecrirePhoto(b, 4, 3, 20);
  ecrirePhoto(c, 4, 3, 30);
  Espion espion;
  {
    LectureAvance lecture(espion.preparation());
    PhotoLue lue;
    EXPECT_FALSE(lecture.prendre(a, lue));  // never asked

    // the read ahead gives what IMG_Load gives, with its prepared pixels
    lecture.demander({a});
    ASSERT_TRUE(lecture.prendre(a, lue));
    SDL_Surface* directe = IMG_Load(a.c_str());
    EXPECT_TRUE(memesPixels(directe, lue.surface));
    ASSERT_NE(nullptr, lue.pixels);
    EXPECT_EQ(SDL_PIXELFORMAT_ARGB8888, lue.pixels->format->format);
    SDL_FreeSurface(directe);
    libererPhotoLue(lue);
    EXPECT_FALSE(lecture.prendre(a, lue));  // taken once

    // replaced after its read (another size), deleted after its read: both
    // must be read again by the caller
    lecture.demander({a});
    espion.attendreLues(2);
    ecrirePhoto(a + ".neuve", 5, 3, 11);
    ASSERT_EQ(0, std::rename((a + ".neuve").c_str(), a.c_str()));
    EXPECT_FALSE(lecture.prendre(a, lue));
    lecture.demander({b});
    espion.attendreLues(3);
    ASSERT_EQ(0, std::remove(b.c_str()));
    EXPECT_FALSE(lecture.prendre(b, lue));

    // a missing file gives the very error text IMG_Load gives
    lecture.demander({absente});
    ASSERT_TRUE(lecture.prendre(absente, lue));
    EXPECT_EQ(nullptr, lue.surface);
    EXPECT_EQ(nullptr, IMG_Load(absente.c_str()));
    EXPECT_EQ(std::string(SDL_GetError()), lue.erreur);

    // a read running when the photo is wanted is waited for, not made twice
    {
      std::lock_guard<std::mutex> verrou(espion.m);
      espion.retenir = true;
      espion.en_cours = false;
    }
    lecture.demander({c});
    {
      std::unique_lock<std::mutex> verrou(espion.m);
      espion.cv.wait(verrou, [&] { return espion.en_cours; });
    }
    std::thread lacher([&] {
      std::lock_guard<std::mutex> verrou(espion.m);
      espion.retenir = false;
      espion.cv.notify_all();
    });
    ASSERT_TRUE(lecture.prendre(c, lue));
    lacher.join();
    EXPECT_EQ(4, espion.lues);
    libererPhotoLue(lue);

    // reads no longer wanted, and those left at the stop, are freed
    lecture.demander({a, c});
    espion.attendreLues(6);
    lecture.demander({c});
    lecture.demander({b, a});
  }  // the destructor stops and joins
  espion.verifierLiberees();
}
