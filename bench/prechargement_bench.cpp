// Next photo read ahead: from the frame of the RETURN to the first frame of
// the new photo (the whole step: release, photo taken from the worker,
// texture, first frame), against a bare IMG_Load of the same file, for
// 6000 x 4000 JPEG and PNG photos. Before each step the operator spends 1.5
// decode times on the photo, as the worker needs one. The renderer is SDL's
// default one; run under SDL_VIDEODRIVER=dummy for the software one, under
// xvfb-run -a for the display's.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "bench/grande_photo.h"
#include "display/photo.h"
#include "parcours/prechargement_photos.h"
#include "parcours/vue_suivante.h"

namespace {

double maintenant() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}


// Scheme 3 with a step of 0: every advance loads the same photo again, and
// the worker reads it ahead each time.
void preparerSerie(const std::string& dossier, const std::string& suffixe) {
  Etat& e = *g_etat;
  e.m_dossier_photos = dossier;
  e.m_mode_nom = 3;
  e.m_prefixe_numero = "P";
  e.m_suffixe_numero = suffixe;
  e.m_numero = 1;
  e.m_pas_numero = 0;
  e.m_numero_fin = 1;
  e.nom_photo_complet = dossier + "/P1" + suffixe;
  e.m_zoom = 0.125;
  SDL_FreeSurface(e.pTempSurface_prairie);
  e.pTempSurface_prairie = IMG_Load(e.nom_photo_complet.c_str());
  creerTexturePhoto();
  e.m_largeur_photo = 6000;
  e.m_hauteur_photo = 4000;
  e.m_rect_source = {0, 0, 48000, 32000};
  e.m_rect_destination = {225, 150, 750, 500};
}

// Returns the ratio step / IMG_Load (medians over the rounds).
double mesurer(const std::string& dossier, const char* type, const std::string& suffixe, int tours,
               const std::string& rendu) {
  preparerSerie(dossier, suffixe);
  const std::string chemin = g_etat->nom_photo_complet;
  std::vector<double> charges, pas;
  for (int tour = -1; tour < tours; ++tour) {  // one round to warm up
    double t0 = maintenant();
    SDL_Surface* s = IMG_Load(chemin.c_str());
    benchmark::DoNotOptimize(s);
    const double charge = maintenant() - t0;
    SDL_FreeSurface(s);

    // the photo is shown: the frame loop asks for the next one, the operator works
    demanderPhotosSuivantes();
    SDL_Delay(static_cast<Uint32>(1.5 * (charges.empty() ? charge : mediane(charges))) + 20);

    std::ostringstream muet;
    std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
    t0 = maintenant();
    vueSuivante();
    premiereImage();
    const double avance = maintenant() - t0;
    std::cout.rdbuf(console);
    if (tour < 0) continue;
    charges.push_back(charge);
    pas.push_back(avance);
    if (std::getenv("TRELUNE_BENCH_DETAIL") != nullptr) std::printf("  round %d: %.1f %.1f\n", tour, charge, avance);
  }
  const double ratio = mediane(pas) / mediane(charges);
  std::printf("%s: IMG_Load median %7.1f ms, step with the read ahead %7.1f ms, ratio %.2f\n", type, mediane(charges),
              mediane(pas), ratio);
  std::printf("resume\tnext photo read ahead, 6000x4000 %s (%s)\t%.1f ms\tIMG_Load %.1f ms\t%.2f\t<= 0.3\n", type,
              rendu.c_str(), mediane(pas), mediane(charges), ratio);
  return ratio;
}

}  // namespace

int main(int argc, char** argv) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::printf("SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  char modele[] = "/tmp/trelune_bench_XXXXXX";
  const char* dossier = mkdtemp(modele);
  if (dossier == nullptr) return 1;
  const std::string jpeg = std::string(dossier) + "/P1.jpg", png = std::string(dossier) + "/P1.png";
  if (!fabriquerPhoto(jpeg, true) || !fabriquerPhoto(png, false)) {
    std::printf("cannot write the photos in %s: %s\n", dossier, SDL_GetError());
    return 1;
  }

  creerEtat();
  Etat& e = *g_etat;
  e.m_en_marche = true;
  e.m_largeur_fenetre = 1200;
  e.m_hauteur_fenetre = 800;
  e.m_fenetre = SDL_CreateWindow("Trelune", 100, 20, e.m_largeur_fenetre, e.m_hauteur_fenetre, 0);
  e.m_rendu = e.m_fenetre != nullptr ? SDL_CreateRenderer(e.m_fenetre, -1, 0) : nullptr;
  if (e.m_rendu == nullptr) {
    std::printf("no renderer: %s\n", SDL_GetError());
    return 1;
  }
  SDL_RendererInfo infos;
  SDL_GetRendererInfo(e.m_rendu, &infos);
  std::printf("video driver %s, renderer %s\n", SDL_GetCurrentVideoDriver(), infos.name);
  const std::string rendu = std::string(infos.name) == "software" ? "software" : std::string("default: ") + infos.name;

  int tours = argc > 1 ? std::atoi(argv[1]) : 9;
  if (tours < 1) tours = 9;
  mesurer(dossier, "JPEG", ".jpg", tours, rendu);
  mesurer(dossier, "PNG", ".png", tours, rendu);

  arreterPrechargement();
  std::remove(jpeg.c_str());
  std::remove(png.c_str());
  std::remove(dossier);
  SDL_FreeSurface(e.pTempSurface_prairie);
  SDL_DestroyRenderer(e.m_rendu);
  SDL_DestroyWindow(e.m_fenetre);
  SDL_Quit();
  return 0;
}
