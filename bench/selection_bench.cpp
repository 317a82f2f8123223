// The colour click over large zones of a 24-bit photo, beside a pass that only
// sums the zone's bytes, and the rebuild of the zone lists beside the click.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "bench/grande_photo.h"
#include "bench/releve_cpu.h"
#include "interaction/passe_couleur.h"
#include "interaction/selection.h"

namespace {

constexpr int kLargeur = 6000;
constexpr int kHauteur = 4000;

SDL_Surface* g_photo = nullptr;

// A zone of the given size centred on the disc: 100 x 100, 1000 x 1000 or the whole photo.
void choisirZone(int largeur, int hauteur) {
  Etat& e = *g_etat;
  const int x0 = (kLargeur - largeur) / 2, y0 = (kHauteur - hauteur) / 2;
  if (e.m_zone_x0 == x0 && e.m_zone_y0 == y0 && e.m_zone_dx == largeur - 1 && !e.is_select.empty()) return;
  definirZone(x0, y0, x0 + largeur - 1, y0 + hauteur - 1);
}

void BM_SommeOctets(benchmark::State& state) {
  const int largeur = state.range(0), hauteur = state.range(1);
  const int x0 = (kLargeur - largeur) / 2, y0 = (kHauteur - hauteur) / 2;
  for (auto _ : state) {
    uint64_t somme = 0;
    for (int l = y0; l < y0 + hauteur; ++l) {
      const Uint8* p = static_cast<const Uint8*>(g_photo->pixels) + static_cast<size_t>(l) * g_photo->pitch + x0 * 3;
      // A row's sum fits in 32 bits, which lets the compiler use wide adds.
      uint32_t ligne = 0;
      for (int i = 0; i < largeur * 3; ++i) ligne += p[i];
      somme += ligne;
    }
    benchmark::DoNotOptimize(somme);
  }
}

void BM_ClicCouleur(benchmark::State& state) {
  choisirZone(state.range(0), state.range(1));
  for (auto _ : state) {
    ajouterCouleursSimilaires(kLargeur / 2, kHauteur / 2);
    benchmark::DoNotOptimize(g_etat->m_centre_x);
  }
  state.counters["selection"] = g_etat->m_nombre_selectionnes;
}

void BM_DefinirZone(benchmark::State& state) {
  const int largeur = state.range(0), hauteur = state.range(1);
  const int x0 = (kLargeur - largeur) / 2, y0 = (kHauteur - hauteur) / 2;
  for (auto _ : state) {
    definirZone(x0, y0, x0 + largeur - 1, y0 + hauteur - 1);
    benchmark::DoNotOptimize(g_etat->m_liste_x.data());
  }
}

BENCHMARK(BM_SommeOctets)
    ->Args({100, 100})
    ->Args({1000, 1000})
    ->Args({kLargeur, kHauteur})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClicCouleur)
    ->Args({100, 100})
    ->Args({1000, 1000})
    ->Args({kLargeur, kHauteur})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefinirZone)
    ->Args({100, 100})
    ->Args({1000, 1000})
    ->Args({kLargeur, kHauteur})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  creerEtat();
  g_photo = photoAuDisque(kLargeur, kHauteur, 400);
  Etat& e = *g_etat;
  e.pTempSurface_prairie = g_photo;
  e.m_largeur_photo = kLargeur;
  e.m_hauteur_photo = kHauteur;
  e.m_zoom = 1.0;
  e.m_max_pixels = kLargeur * kHauteur;
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 10;
  // The console lines of each click would clutter the report.
  std::ostringstream muet;
  std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
  std::ostream rapport(console);
  ReleveCpu releve(benchmark::ConsoleReporter::OO_Tabular);
  releve.SetOutputStream(&rapport);
  releve.SetErrorStream(&rapport);
  benchmark::RunSpecifiedBenchmarks(&releve);
  std::cout.rdbuf(console);
  for (const char* zone : {"100/100", "1000/1000", "6000/4000"}) {
    const std::string z = zone;
    const double somme = releve.temps["BM_SommeOctets/" + z];
    const double clic = releve.temps["BM_ClicCouleur/" + z];
    const double zone_t = releve.temps["BM_DefinirZone/" + z];
    if (somme <= 0.0 || clic <= 0.0) continue;
    std::cout << "zone " << z << ": colour click / byte sum = " << clic / somme
              << ", zone rebuild / colour click = " << zone_t / clic << std::endl;
    // One tab-separated line per figure for bench/lancer.sh's summary:
    // figure, measured, baseline, ratio, target.
    std::string cote = z;
    cote[cote.find('/')] = 'x';
    char ligne[256];
    std::snprintf(ligne, sizeof ligne, "resume\tcolour click, zone %s (cpu)\t%.3f ms\tbyte sum %.3f ms\t%.2f\t<= 20",
                  cote.c_str(), clic, somme, clic / somme);
    std::cout << ligne << std::endl;
  }
  benchmark::Shutdown();
  SDL_FreeSurface(g_photo);
  return 0;
}
