// Writes one PNG test photo: a uniform background and, optionally, a uniform
// disc whose pixels are known exactly: pixel (c, r) belongs to the disc when
// (c + 0.5 - cx)^2 + (r + 0.5 - cy)^2 <= radius^2.
//
//   trelune_photo_disque out.png W H [bg R,G,B] [disc CX,CY,RADIUS R,G,B]
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int usage() {
  std::fprintf(stderr, "usage: trelune_photo_disque out.png W H [bg R,G,B] [disc CX,CY,RADIUS R,G,B]\n");
  return 2;
}

bool couleur(const char* texte, Uint8 rgb[3]) {
  int r, g, b;
  char fin;
  if (std::sscanf(texte, "%d,%d,%d%c", &r, &g, &b, &fin) != 3) return false;
  for (int v : {r, g, b}) {
    if (v < 0 || v > 255) return false;
  }
  rgb[0] = Uint8(r);
  rgb[1] = Uint8(g);
  rgb[2] = Uint8(b);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  const char* sortie = argv[1];
  const int largeur = std::atoi(argv[2]);
  const int hauteur = std::atoi(argv[3]);
  if (largeur <= 0 || hauteur <= 0) return usage();
  Uint8 fond[3] = {128, 128, 128};
  Uint8 disque[3] = {255, 0, 0};
  bool avec_disque = false;
  double cx = 0, cy = 0, rayon = 0;
  for (int i = 4; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "bg" && i + 1 < argc) {
      if (!couleur(argv[++i], fond)) return usage();
    } else if (option == "disc" && i + 2 < argc) {
      char fin;
      if (std::sscanf(argv[++i], "%lf,%lf,%lf%c", &cx, &cy, &rayon, &fin) != 3) return usage();
      if (!couleur(argv[++i], disque)) return usage();
      avec_disque = true;
    } else {
      return usage();
    }
  }

  SDL_Surface* photo = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  if (photo == nullptr) {
    std::fprintf(stderr, "%s\n", SDL_GetError());
    return 1;
  }
  for (int r = 0; r < hauteur; ++r) {
    Uint8* p = static_cast<Uint8*>(photo->pixels) + r * photo->pitch;
    for (int c = 0; c < largeur; ++c, p += 3) {
      const double dx = c + 0.5 - cx, dy = r + 0.5 - cy;
      const Uint8* rgb = avec_disque && dx * dx + dy * dy <= rayon * rayon ? disque : fond;
      p[0] = rgb[0];
      p[1] = rgb[1];
      p[2] = rgb[2];
    }
  }
  const int resultat = IMG_SavePNG(photo, sortie);
  if (resultat != 0) std::fprintf(stderr, "%s\n", SDL_GetError());
  SDL_FreeSurface(photo);
  return resultat == 0 ? 0 : 1;
}
