// A frame with the trajectory of 10 000 recorded centres shown against the
// same frame without it, on the software renderer and on the default one of
// a window (run under xvfb-run for it): the trace as kept between frames, and
// the trace made again at every frame as a pan or zoom does. The status strip
// and key help are measured the same way, against the same frame without them,
// and also on the software renderer of a shown window, as the program runs
// without a GPU: there the frame's present sends the window's pixels to the
// display, which the software renderer of a bare surface never does.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "app/touches.h"
#include "bench/grande_photo.h"
#include "display/bandeau.h"
#include "display/fenetre.h"
#include "display/rendu.h"

namespace {

constexpr int kLargeurPhoto = 2000, kHauteurPhoto = 1500;
constexpr int kLargeurFenetre = 800, kHauteurFenetre = 600;
constexpr int kCentres = 10000;

struct Banc {
  SDL_Surface* cible = nullptr;
  SDL_Window* fenetre = nullptr;
  SDL_Renderer* rendu = nullptr;
  SDL_Texture* photo = nullptr;
  std::string nom;
};
std::map<std::string, Banc> g_bancs;

bool preparerPhoto(Banc& banc) {
  banc.photo = textureMotif(banc.rendu, kLargeurPhoto, kHauteurPhoto);
  return banc.photo != nullptr;
}

// A wandering object over the whole photo, one long jump in a hundred.
void enregistrerCentres() {
  Historique& h = g_etat->m_historique;
  double x = kLargeurPhoto / 2.0, y = kHauteurPhoto / 2.0, angle = 0.0;
  uint32_t graine = 12345u;
  for (int i = 0; i < kCentres; ++i) {
    graine = graine * 1664525u + 1013904223u;
    angle += (double(graine >> 8) / double(1u << 24) - 0.5) * 0.8;
    const double pas = i % 100 == 99 ? 60.0 : 4.0;
    x = std::fmod(x + pas * std::cos(angle) + kLargeurPhoto, double(kLargeurPhoto));
    y = std::fmod(y + pas * std::sin(angle) + kHauteurPhoto, double(kHauteurPhoto));
    Souvenir s;
    s.ecrit = true;
    s.selection.centre_x = x;
    s.selection.centre_y = y;
    h.souvenirs.push_back(s);
  }
  ++h.version;
}

void placer(const Banc& banc, bool trajectoire) {
  Etat& e = *g_etat;
  e.m_rendu = banc.rendu;
  e.m_pTexture_prairie = banc.photo;
  e.m_largeur_fenetre = kLargeurFenetre;
  e.m_hauteur_fenetre = kHauteurFenetre;
  e.m_largeur_photo = kLargeurPhoto;
  e.m_hauteur_photo = kHauteurPhoto;
  e.m_afficher_croix_fenetre = false;
  e.m_zoom = 0.4;  // the whole photo fills the window
  placerPhoto();
  e.m_afficher_trace = trajectoire;
  e.m_cache_trace = CacheTrace{};
}

constexpr int kCasBandeau = 3, kCasBandeauDeplace = 4;

void BM_Frame(benchmark::State& state, const Banc* banc, int cas) {
  placer(*banc, cas == 1 || cas == 2);
  // the strip's font and line textures belong to this renderer
  const bool bandeau = cas == kCasBandeau || cas == kCasBandeauDeplace;
  if (bandeau) toucheBandeau();
  render();  // untimed: a GPU driver uploads the texture at its first use
  Etat& e = *g_etat;
  for (auto _ : state) {
    if (cas == 2) e.m_cache_trace.fenetre_valide = false;  // as after a pan
    // a pan by one pixel and back: the photo beneath the bands is drawn again
    if (cas == kCasBandeauDeplace) e.m_rect_destination.x ^= 1;
    render();
  }
  e.m_afficher_trace = false;
  if (bandeau) libererBandeau();
}

const char* kCas[5] = {"sans", "avec", "avec_retrace", "bandeau", "bandeau_deplace"};

class Rapport : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const double unite = 1e3 / benchmark::GetTimeUnitMultiplier(r.time_unit);
      temps[r.run_name.function_name] = r.GetAdjustedRealTime() * unite;
      temps_cpu[r.run_name.function_name] = r.GetAdjustedCPUTime() * unite;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> temps, temps_cpu;
};

// Every case, or only the frame without and with the strip.
void enregistrer(const std::string& rendu, bool bandeau_seul = false) {
  for (int cas = 0; cas < 5; ++cas) {
    if (bandeau_seul && (cas == 1 || cas == 2)) continue;  // no trajectory there
    benchmark::RegisterBenchmark((std::string(kCas[cas]) + "/" + rendu).c_str(), BM_Frame, &g_bancs[rendu], cas)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.3)
        ->UseRealTime();
  }
}

void tableau(Rapport& rapport, const std::string& rendu, bool bandeau_seul = false) {
  const double sans = rapport.temps["sans/" + rendu];
  if (sans <= 0.0) return;
  for (int cas = 1; cas < 3 && !bandeau_seul; ++cas) {
    const double t = rapport.temps[std::string(kCas[cas]) + "/" + rendu];
    const bool tenu = t <= 1.5 * sans || t <= sans + 2.0;
    std::printf("%s, %s: %.3f ms against %.3f ms, ratio %.2f, +%.3f ms (%s)\n", g_bancs[rendu].nom.c_str(), kCas[cas],
                t, sans, t / sans, t - sans, tenu ? "met" : "MISSED");
    std::printf("resume\tframe with 10000-centre trajectory%s (%s)\t%.3f ms\twithout %.3f ms\t%.2f\t<= 1.5 or +2 ms\n",
                cas == 2 ? ", trace redone" : "", g_bancs[rendu].nom.c_str(), t, sans, t / sans);
  }
  const double t = rapport.temps[std::string(kCas[kCasBandeau]) + "/" + rendu];
  std::printf("%s, bandeau: %.3f ms against %.3f ms, ratio %.2f (%s); main thread CPU %.3f ms against %.3f ms\n",
              g_bancs[rendu].nom.c_str(), t, sans, t / sans, t <= 1.1 * sans ? "met" : "MISSED",
              rapport.temps_cpu[std::string(kCas[kCasBandeau]) + "/" + rendu], rapport.temps_cpu["sans/" + rendu]);
  std::printf("resume\tframe with the status strip and help (%s)\t%.3f ms\twithout %.3f ms\t%.2f\t<= 1.1\n",
              g_bancs[rendu].nom.c_str(), t, sans, t / sans);
  // no target: while the view changes, the bands are blended over the photo as before
  const double d = rapport.temps[std::string(kCas[kCasBandeauDeplace]) + "/" + rendu];
  std::printf("resume\tframe with the strip and help, view changed (%s)\t%.3f ms\twithout %.3f ms\t%.2f\t-\n",
              g_bancs[rendu].nom.c_str(), d, sans, d / sans);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  creerEtat();
  enregistrerCentres();

  Banc& logiciel = g_bancs["logiciel"];
  logiciel.nom = "software";
  logiciel.cible = SDL_CreateRGBSurfaceWithFormat(0, kLargeurFenetre, kHauteurFenetre, 32, SDL_PIXELFORMAT_RGB888);
  logiciel.rendu = logiciel.cible != nullptr ? SDL_CreateSoftwareRenderer(logiciel.cible) : nullptr;
  if (logiciel.rendu == nullptr || !preparerPhoto(logiciel)) {
    std::fprintf(stderr, "software renderer: %s\n", SDL_GetError());
    return 1;
  }
  enregistrer("logiciel");

  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    Banc& defaut = g_bancs["defaut"];
    defaut.fenetre = SDL_CreateWindow("Trelune", 100, 20, kLargeurFenetre, kHauteurFenetre, SDL_WINDOW_HIDDEN);
    defaut.rendu = defaut.fenetre != nullptr ? SDL_CreateRenderer(defaut.fenetre, -1, 0) : nullptr;
    SDL_RendererInfo info{};
    if (defaut.rendu != nullptr && preparerPhoto(defaut) && SDL_GetRendererInfo(defaut.rendu, &info) == 0) {
      defaut.nom = std::string("default: ") + info.name;
      enregistrer("defaut");
    } else {
      std::printf("default renderer not measured: %s\n", SDL_GetError());
    }
  } else {
    std::printf("default renderer not measured: %s\n", SDL_GetError());
  }
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
    // shown, as the program's: a hidden window's present may show nothing
    Banc& fenetre = g_bancs["fenetre_logicielle"];
    fenetre.nom = "software, shown window";
    fenetre.fenetre = SDL_CreateWindow("Trelune", 0, 0, kLargeurFenetre, kHauteurFenetre, 0);
    fenetre.rendu =
        fenetre.fenetre != nullptr ? SDL_CreateRenderer(fenetre.fenetre, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    SDL_PumpEvents();
    if (fenetre.rendu != nullptr && preparerPhoto(fenetre)) {
      enregistrer("fenetre_logicielle", true);
    } else {
      std::printf("software renderer of a window not measured: %s\n", SDL_GetError());
    }
  }

  Rapport rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  tableau(rapport, "logiciel");
  tableau(rapport, "defaut");
  tableau(rapport, "fenetre_logicielle", true);
  benchmark::Shutdown();
  return 0;
}
