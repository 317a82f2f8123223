// A JPEG's EXIF time read through libexif, and a file without tags.
#include "calibration/temps.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/etat_fixture.h"

namespace {

void etiquette(ExifData* d, ExifTag tag, const char* texte) {
  ExifEntry* e = exif_entry_new();
  exif_content_add_entry(d->ifd[EXIF_IFD_EXIF], e);
  e->tag = tag;
  e->format = EXIF_FORMAT_ASCII;
  e->components = std::strlen(texte) + 1;
  e->size = static_cast<unsigned int>(e->components);
  e->data = static_cast<unsigned char*>(std::malloc(e->size));
  std::memcpy(e->data, texte, e->size);
  exif_entry_unref(e);
}

// A JPEG written by SDL_image with an APP1 segment of EXIF tags after its start marker.
void jpegDate(const std::string& chemin, const char* date, const char* fraction, const char* decalage) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 24, SDL_PIXELFORMAT_RGB24);
  ASSERT_EQ(0, IMG_SaveJPG(s, chemin.c_str(), 90));
  SDL_FreeSurface(s);
  ExifData* d = exif_data_new();
  exif_data_set_byte_order(d, EXIF_BYTE_ORDER_INTEL);
  etiquette(d, EXIF_TAG_DATE_TIME_ORIGINAL, date);
  if (*fraction) etiquette(d, EXIF_TAG_SUB_SEC_TIME_ORIGINAL, fraction);
  if (*decalage) etiquette(d, EXIF_TAG_OFFSET_TIME_ORIGINAL, decalage);
  unsigned char* octets = nullptr;
  unsigned int taille = 0;
  exif_data_save_data(d, &octets, &taille);
  exif_data_unref(d);
  const std::string jpeg = lireFichier(chemin);
  std::string segment = "\xFF\xE1";
  segment += char((taille + 2) >> 8);
  segment += char((taille + 2) & 0xFF);
  segment.append(reinterpret_cast<const char*>(octets), taille);
  std::free(octets);
  ecrireFichier(chemin, jpeg.substr(0, 2) + segment + jpeg.substr(2));
}

TEST(TempsExif, DateFractionAndOffsetAreRead) {
  const std::string dossier = dossierTemporaire();
  jpegDate(dossier + "/a.jpg", "2025:06:01 12:00:00", "5", "+02:00");
  jpegDate(dossier + "/b.jpg", "2025:06:01 10:00:01", "", "");
  const TempsPhoto a = tempsExif(dossier + "/a.jpg"), b = tempsExif(dossier + "/b.jpg");
  ASSERT_TRUE(a.lu);
  ASSERT_TRUE(b.lu);
  EXPECT_DOUBLE_EQ(0.5, ecartSecondes(a, b));
  ecrireFichier(dossier + "/c.png", "pas une photo");
  EXPECT_FALSE(tempsExif(dossier + "/c.png").lu);
  EXPECT_FALSE(tempsExif(dossier + "/absente.jpg").lu);
}

}  // namespace
