// Cost of a photo-only frame (background, photo, present) for a 6000 x 4000
// photo at every zoom of the table, against the frame at zoom 1 and against a
// copy of the whole placement rectangles. Also the largest allocation SDL
// makes during a frame. The default renderer is measured when a display is
// there (run under xvfb-run for it).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "bench/grande_photo.h"
#include "display/fenetre.h"
#include "display/rendu.h"

namespace {

constexpr int kLargeurPhoto = 6000, kHauteurPhoto = 4000;
constexpr int kLargeurFenetre = 800, kHauteurFenetre = 600;
const double kZooms[9] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};
// Beyond this the whole copy's temporary would not be reasonable to allocate.
constexpr double kTemporaireMax = 512.0 * 1024 * 1024;

std::atomic<size_t> g_plus_grande{0};
std::atomic<bool> g_suivre{false};

void noter(size_t taille) {
  if (!g_suivre) return;
  size_t vu = g_plus_grande;
  while (taille > vu && !g_plus_grande.compare_exchange_weak(vu, taille)) {
  }
}
void* allouer(size_t n) {
  noter(n);
  return std::malloc(n);
}
void* allouerZero(size_t n, size_t t) {
  noter(n * t);
  return std::calloc(n, t);
}
void* reallouer(void* p, size_t n) {
  noter(n);
  return std::realloc(p, n);
}
void liberer(void* p) { std::free(p); }

struct Banc {
  bool logiciel = true;          // the software renderer scales through a temporary
  SDL_Surface* cible = nullptr;  // software: the window-sized surface
  SDL_Window* fenetre = nullptr;
  SDL_Renderer* rendu = nullptr;
  SDL_Texture* photo = nullptr;
  std::string nom = "software";  // the renderer's own name
};

std::map<std::string, Banc> g_bancs;

bool preparerPhoto(Banc& banc) {
  banc.photo = textureMotif(banc.rendu, kLargeurPhoto, kHauteurPhoto);
  return banc.photo != nullptr;
}

void placer(const Banc& banc, int indice) {
  Etat& e = *g_etat;
  e.m_rendu = banc.rendu;
  e.m_pTexture_prairie = banc.photo;
  e.m_largeur_fenetre = kLargeurFenetre;
  e.m_hauteur_fenetre = kHauteurFenetre;
  e.m_largeur_photo = kLargeurPhoto;
  e.m_hauteur_photo = kHauteurPhoto;
  e.m_afficher_croix_fenetre = false;
  e.m_zoom = kZooms[indice];
  placerPhoto();
}

void frameVisible(benchmark::State& state, const Banc* banc, int indice) {
  placer(*banc, indice);
  render();  // untimed: a GPU driver uploads the texture at its first use
  g_plus_grande = 0;
  for (auto _ : state) {
    g_suivre = true;
    render();
    g_suivre = false;
  }
  state.counters["alloc_max_Kio"] = double(g_plus_grande) / 1024.0;
}

void copieEntiere(benchmark::State& state, const Banc* banc, int indice) {
  placer(*banc, indice);
  const Etat& e = *g_etat;
  render();
  g_plus_grande = 0;
  for (auto _ : state) {
    g_suivre = true;
    SDL_SetRenderDrawColor(banc->rendu, 0, 150, 0, 255);
    SDL_RenderClear(banc->rendu);
    SDL_RenderCopyEx(banc->rendu, banc->photo, &e.m_rect_source, &e.m_rect_destination, 0.0, nullptr,
                     SDL_FLIP_NONE);
    SDL_RenderPresent(banc->rendu);
    g_suivre = false;
  }
  state.counters["alloc_max_Kio"] = double(g_plus_grande) / 1024.0;
}

// Keeps each frame time in milliseconds by benchmark name, for the table.
class Rapport : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      temps[r.run_name.function_name] = r.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(r.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> temps;
};

std::string nom(const char* quoi, const std::string& rendu, int indice) {
  return std::string(quoi) + "/" + rendu + "/zoom_" + std::to_string(indice);
}

void enregistrer(const std::string& rendu) {
  const Banc* banc = &g_bancs[rendu];
  for (int i = 0; i < 9; ++i) {
    benchmark::RegisterBenchmark(nom("visible", rendu, i).c_str(), frameVisible, banc, i)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->UseRealTime();
    const double temporaire = 4.0 * kLargeurPhoto * kZooms[i] * kHauteurPhoto * kZooms[i];
    if (!banc->logiciel || temporaire <= kTemporaireMax) {
      benchmark::RegisterBenchmark(nom("entiere", rendu, i).c_str(), copieEntiere, banc, i)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.2)
          ->UseRealTime();
    }
  }
}

void tableau(const Rapport& rapport, const std::string& rendu) {
  auto trouve = [&](const std::string& n) {
    auto it = rapport.temps.find(n);
    return it == rapport.temps.end() ? -1.0 : it->second;
  };
  const double zoom1 = trouve(nom("visible", rendu, 3));
  if (zoom1 < 0) return;
  std::printf("\n%s renderer, %dx%d photo in a %dx%d window\n", rendu == "logiciel" ? "software" : "default",
              kLargeurPhoto, kHauteurPhoto, kLargeurFenetre, kHauteurFenetre);
  std::vector<std::string> resume;
  std::printf("%6s %12s %12s %10s %14s %14s\n", "zoom", "frame ms", "/ zoom 1", "target", "whole copy ms",
              "frame / whole");
  for (int i = 0; i < 9; ++i) {
    const double t = trouve(nom("visible", rendu, i));
    if (t < 0) continue;
    const double entiere = trouve(nom("entiere", rendu, i));
    const bool tenu = t <= std::max(2.0 * zoom1, 1.0);
    if (i != 3) {
      // One tab-separated line per figure for bench/lancer.sh's summary:
      // figure, measured, baseline, ratio, target.
      char ligne[256];
      std::snprintf(ligne, sizeof ligne,
                    "resume\tphoto-only frame, zoom %g (%s)\t%.3f ms\tzoom 1 %.3f ms\t%.2f\t<= %.2f",
                    kZooms[i], g_bancs.at(rendu).nom.c_str(), t, zoom1, t / zoom1, std::max(2.0, 1.0 / zoom1));
      resume.push_back(ligne);
    }
    if (entiere >= 0) {
      std::printf("%6g %12.3f %12.2f %10s %14.3f %14.4f\n", kZooms[i], t, t / zoom1, tenu ? "met" : "MISSED",
                  entiere, t / entiere);
    } else {
      std::printf("%6g %12.3f %12.2f %10s %14s %14s\n", kZooms[i], t, t / zoom1, tenu ? "met" : "MISSED",
                  "not run", "-");
    }
  }
  for (const std::string& ligne : resume) std::printf("%s\n", ligne.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  SDL_SetMemoryFunctions(allouer, allouerZero, reallouer, liberer);
  benchmark::Initialize(&argc, argv);
  creerEtat();

  Banc& logiciel = g_bancs["logiciel"];
  logiciel.cible =
      SDL_CreateRGBSurfaceWithFormat(0, kLargeurFenetre, kHauteurFenetre, 32, SDL_PIXELFORMAT_RGB888);
  logiciel.rendu = logiciel.cible != nullptr ? SDL_CreateSoftwareRenderer(logiciel.cible) : nullptr;
  if (logiciel.rendu == nullptr || !preparerPhoto(logiciel)) {
    std::fprintf(stderr, "software renderer: %s\n", SDL_GetError());
    return 1;
  }
  enregistrer("logiciel");

  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    Banc& defaut = g_bancs["defaut"];
    defaut.fenetre =
        SDL_CreateWindow("Trelune", 100, 20, kLargeurFenetre, kHauteurFenetre, SDL_WINDOW_HIDDEN);
    defaut.rendu = defaut.fenetre != nullptr ? SDL_CreateRenderer(defaut.fenetre, -1, 0) : nullptr;
    SDL_RendererInfo info{};
    if (defaut.rendu != nullptr && preparerPhoto(defaut) && SDL_GetRendererInfo(defaut.rendu, &info) == 0) {
      defaut.logiciel = std::string(info.name) == "software";
      defaut.nom = std::string("default: ") + info.name;
      std::printf("default renderer: %s (video driver %s)\n", info.name, SDL_GetCurrentVideoDriver());
      enregistrer("defaut");
    } else {
      std::printf("default renderer not measured: %s\n", SDL_GetError());
    }
  } else {
    std::printf("default renderer not measured: %s\n", SDL_GetError());
  }

  Rapport rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  tableau(rapport, "logiciel");
  tableau(rapport, "defaut");
  std::printf("\ntarget: frame <= max(2 x zoom-1 frame, 1 ms); 'whole copy' draws m_rect_source onto "
              "m_rect_destination as placed\n");
  benchmark::Shutdown();
  return 0;
}
