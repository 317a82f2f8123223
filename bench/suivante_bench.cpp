// Next-photo latency on a 6000 x 4000 JPEG: the whole RETURN step (release,
// load, texture, first frame) against a bare IMG_Load of the same file in the
// same run, in rounds that take one of each (medians compared). The renderer is SDL's default one; SDL_RENDER_DRIVER=software
// picks the software one. Needs a display (xvfb-run -a) or
// SDL_VIDEODRIVER=dummy.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <time.h>

#include <algorithm>
#include <vector>
#include <random>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "bench/grande_photo.h"
#include "display/photo.h"
#include "parcours/vue_suivante.h"

namespace {

std::string g_photo;

struct Temps {
  double reel_ms;
  double cpu_ms;
};

double maintenant(clockid_t horloge) {
  timespec t;
  clock_gettime(horloge, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

template <class F>
Temps mesurer(F&& f) {
  double r = maintenant(CLOCK_MONOTONIC), c = maintenant(CLOCK_PROCESS_CPUTIME_ID);
  f();
  return {maintenant(CLOCK_MONOTONIC) - r, maintenant(CLOCK_PROCESS_CPUTIME_ID) - c};
}

void chargementSeul() {
  SDL_Surface* s = IMG_Load(g_photo.c_str());
  benchmark::DoNotOptimize(s);
  SDL_FreeSurface(s);
}

// The RETURN step as the program runs it: scheme 3 with a step of 0, so every
// advance loads the same photo again.
void vueSuivanteComplete() {
  std::ostringstream muet;
  std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
  vueSuivante();
  premiereImage();
  std::cout.rdbuf(console);
}

// For comparison: a new texture made from every photo.
void textureNeuveParPhoto() {
  Etat& e = *g_etat;
  SDL_FreeSurface(e.pTempSurface_prairie);
  SDL_DestroyTexture(e.m_pTexture_prairie);
  e.pTempSurface_prairie = IMG_Load(g_photo.c_str());
  e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, e.pTempSurface_prairie);
  premiereImage();
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
  g_photo = std::string(dossier) + "/P1.jpg";
  if (!fabriquerPhoto(g_photo, true)) {
    std::printf("cannot write %s: %s\n", g_photo.c_str(), SDL_GetError());
    return 1;
  }

  creerEtat();
  Etat& e = *g_etat;
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

  e.m_dossier_photos = dossier;
  e.m_mode_nom = 3;
  e.m_prefixe_numero = "P";
  e.m_suffixe_numero = ".jpg";
  e.m_numero = 1;
  e.m_pas_numero = 0;
  e.m_numero_fin = 1;
  e.nom_photo_complet = g_photo;
  e.m_zoom = 0.125;
  e.pTempSurface_prairie = IMG_Load(g_photo.c_str());
  creerTexturePhoto();
  e.m_largeur_photo = 6000;
  e.m_hauteur_photo = 4000;
  e.m_rect_source = {0, 0, 48000, 32000};
  e.m_rect_destination = {225, 150, 750, 500};

  // Rounds interleave the three so that a busy machine weighs on all alike;
  // the medians of the rounds are compared.
  int tours = argc > 1 ? std::atoi(argv[1]) : 15;
  if (tours < 1) tours = 15;
  struct Serie {
    const char* nom;
    void (*pas)();
    std::vector<double> reel, cpu;
  };
  std::vector<Serie> series{{"IMG_Load", chargementSeul, {}, {}},
                            {"vueSuivante", vueSuivanteComplete, {}, {}},
                            {"texture_neuve", textureNeuveParPhoto, {}, {}}};
  for (int tour = -2; tour < tours; ++tour) {  // two rounds to warm up
    for (Serie& s : series) {
      // The comparison path leaves a texture of its own kind: give the step
      // back a texture of its kind, outside the measurement.
      if (s.pas == vueSuivanteComplete && g_etat->m_pTexture_prairie != nullptr) {
        SDL_DestroyTexture(g_etat->m_pTexture_prairie);
        g_etat->m_pTexture_prairie = nullptr;
        creerTexturePhoto();
      }
      Temps t = mesurer(s.pas);
      if (tour < 0) continue;
      s.reel.push_back(t.reel_ms);
      s.cpu.push_back(t.cpu_ms);
    }
  }
  if (g_etat->m_pTexture_prairie == nullptr) std::printf("warning: no photo texture at the end\n");
  double base_reel = mediane(series[0].reel), base_cpu = mediane(series[0].cpu);
  for (const Serie& s : series)
    std::printf("%-14s median %7.1f ms real %7.1f ms cpu   ratio %.2f x real, %.2f x cpu\n", s.nom,
                mediane(s.reel), mediane(s.cpu), mediane(s.reel) / base_reel, mediane(s.cpu) / base_cpu);
  // One tab-separated line for bench/lancer.sh's summary: figure, measured,
  // baseline, ratio, target.
  const double pas = mediane(series[1].reel);
  const std::string rendu = std::string(infos.name) == "software" ? "software" : std::string("default: ") + infos.name;
  std::printf("resume\tnext photo, 6000x4000 JPEG (%s)\t%.1f ms\tIMG_Load %.1f ms\t%.2f\t<= 1.5\n", rendu.c_str(),
              pas, base_reel, pas / base_reel);
  std::remove(g_photo.c_str());
  std::remove(dossier);
  SDL_DestroyRenderer(e.m_rendu);
  SDL_DestroyWindow(e.m_fenetre);
  SDL_Quit();
  return 0;
}
