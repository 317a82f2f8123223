// One retune ("=" or "-") over a 1000 x 1000 zone against the colour click it
// redoes, on a noisy 2000 x 2000 photo with a disc of the object's colour.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "bench/grande_photo.h"
#include "bench/releve_cpu.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/reglage.h"
#include "interaction/selection.h"

namespace {

constexpr int kCote = 2000, kZone = 1000;

// The zone's bits cleared, then the click at the disc's centre: what a
// retune does besides moving the tolerances.
void BM_ClicCouleur(benchmark::State& state) {
  Etat& e = *g_etat;
  for (auto _ : state) {
    std::fill(e.is_select.begin(), e.is_select.end(), false);
    ajouterCouleursSimilaires(kCote / 2, kCote / 2);
  }
}

// Up and down in turn, so no bound is reached.
void BM_Reglage(benchmark::State& state) {
  int32_t pas = kPasReglage;
  for (auto _ : state) {
    if (!reglerTolerances(pas)) state.SkipWithError("retune not made");
    pas = -pas;
  }
}

BENCHMARK(BM_ClicCouleur)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reglage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  creerEtat();
  SDL_Surface* photo = photoAuDisque(kCote, kCote, 300);
  Etat& e = *g_etat;
  e.pTempSurface_prairie = photo;
  e.m_largeur_photo = e.m_hauteur_photo = kCote;
  e.m_zoom = 1.0;
  e.m_max_pixels = kCote * kCote;
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 10;
  // The console lines of each click would clutter the report.
  std::ostringstream muet;
  std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
  const int x0 = (kCote - kZone) / 2;
  definirZone(x0, x0, x0 + kZone - 1, x0 + kZone - 1);
  noterZone();
  const int64_t avant = e.m_nombre_selectionnes;
  ajouterCouleursSimilaires(kCote / 2, kCote / 2);
  noterCouleur(avant);
  std::ostream rapport(console);
  ReleveCpu releve;
  releve.SetOutputStream(&rapport);
  releve.SetErrorStream(&rapport);
  benchmark::RunSpecifiedBenchmarks(&releve);
  std::cout.rdbuf(console);
  const double clic = releve.temps["BM_ClicCouleur"], reglage = releve.temps["BM_Reglage"];
  if (clic > 0.0 && reglage > 0.0) {
    std::printf("selected %d pixels; retune / colour click = %.2f (target <= 2)\n", e.m_nombre_selectionnes,
                reglage / clic);
    std::printf("resume\tretune, zone 1000x1000 (cpu)\t%.3f ms\tcolour click %.3f ms\t%.2f\t<= 2\n", reglage, clic,
                reglage / clic);
  }
  benchmark::Shutdown();
  SDL_FreeSurface(photo);
  return 0;
}
