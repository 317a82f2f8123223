// A correction in place in a run of 10 000 recorded photos: from the RETURN
// on a past photo to the next photo's first frame (the four files written
// again whole, synced and renamed, the next photo loaded and drawn), against
// the 0.2 s a correction may take. Run from a folder holding donnees/ (the
// result files open there as the program starts); SDL_VIDEODRIVER=dummy or a
// display.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

#include "bench/grande_photo.h"
#include "display/photo.h"
#include "etat/etat.h"
#include "interaction/selection.h"
#include "output/detail.h"
#include "output/detail_souvenir.h"
#include "output/concordance.h"
#include "output/resultats.h"
#include "parcours/correction.h"
#include "parcours/enregistrement.h"
#include "parcours/navigation.h"

namespace {

constexpr int kPhotos = 10000;

double maintenantMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  SDL_Init(SDL_INIT_VIDEO);
  creerEtat();
  Etat& e = *g_etat;
  char dossier[] = "/tmp/trelune_correction_XXXXXX";
  if (mkdtemp(dossier) == nullptr) return 1;
  const std::string photo = std::string(dossier) + "/p.png";
  SDL_Surface* s = photoAuDisque(2000, 1500, 60);
  IMG_SavePNG(s, photo.c_str());
  SDL_FreeSurface(s);
  e.m_fenetre = SDL_CreateWindow("Trelune", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
  e.m_rendu = SDL_CreateRenderer(e.m_fenetre, -1, 0);
  e.m_largeur_fenetre = 800;
  e.m_hauteur_fenetre = 600;
  e.m_zoom = 0.25;
  e.m_largeur_photo = 2000;
  e.m_hauteur_photo = 1500;
  if (!fichierPoint().ouvert() || !fichierDetail().ouvert()) {
    std::printf("the result files did not open: run from a folder holding donnees/\n");
    return 1;
  }

  // The run: each photo measured on a disc of radius 20 in a 101 x 101 zone.
  std::ostringstream muet;
  std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
  construireZone(100, 100, 200, 200);
  for (size_t k = 0; k < e.is_select.size(); ++k) {
    const long c = long(k % 101) - 50, l = long(k / 101) - 50;
    e.is_select[k] = c * c + l * l <= 400;
  }
  e.m_nombre_selectionnes = 1257;
  e.nom_photo_complet = photo;
  for (int i = 0; i < kPhotos; ++i) {
    e.m_centre_x = 150.5 + i * 0.01;
    e.m_centre_y = 150.5 - i * 0.01;
    Souvenir m = souvenirAvantAvance();
    m.ecrit = true;
    m.texte_x = texteResultat(e.m_centre_x);
    m.texte_y = texteResultat(e.m_centre_y);
    m.ligne_detail = texteDetailDe(m, i + 1);
    e.m_historique.ajouter(std::move(m));
  }
  std::string raison;
  reecrireDetail(e.m_historique.souvenirs, raison);
  reecrireResultats(e.m_historique.souvenirs);

  int tours = argc > 1 ? std::atoi(argv[1]) : 9;
  if (tours < 1) tours = 9;
  std::vector<double> temps;
  for (int tour = -1; tour < tours; ++tour) {
    montrerPhoto(kPhotos / 2);
    e.m_centre_x += 1.0;  // the click that changed the selection
    e.m_histoire_selection.changee = true;
    const double debut = maintenantMs();
    corrigerPhotoPassee();
    premiereImage();
    if (tour >= 0) temps.push_back(maintenantMs() - debut);
  }
  std::cout.rdbuf(console);
  const double m = mediane(temps);
  SDL_RendererInfo infos;
  SDL_GetRendererInfo(e.m_rendu, &infos);
  std::printf("correction of photo %d of %d, 2000 x 1500 PNG, renderer %s: median %.1f ms over %d rounds\n",
              kPhotos / 2 + 1, kPhotos, infos.name, m, tours);
  std::printf("resume\tcorrection in place, 10^4 recorded photos\t%.1f ms\t200 ms\t%.2f\t<= 1\n", m, m / 200.0);
  std::remove(photo.c_str());
  rmdir(dossier);
  return 0;
}
