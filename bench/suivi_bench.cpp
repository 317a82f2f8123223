// The automatic run over 20 photos of 6000 x 4000 JPEG: from SPACE to the
// closing picture, frame after frame as the program runs them (read ahead
// asked, run step, the photo drawn) without the frame loop's pause, against
// 20 bare IMG_Loads of the same files. The first photo is measured by hand
// beforehand, as an operator does. Run under SDL_VIDEODRIVER=dummy.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "parcours/chargement.h"
#include "series/compteurs.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/selection.h"
#include "output/detail.h"
#include "parcours/prechargement_photos.h"
#include "output/resultats.h"
#include "parcours/vue_suivante.h"
#include "tracking/suivi.h"

namespace {

constexpr int kPhotos = 20, kLargeur = 6000, kHauteur = 4000, kRayon = 40;

// Photo k's disc centre: 12 pixels a photo to the right, 5 down.
int centreX(int k) { return 2000 + 12 * k; }
int centreY(int k) { return 1500 + 5 * k; }

// A noisy grey-green background, far from the orange disc in red.
bool fabriquerPhoto(const std::string& chemin, int k) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kLargeur, kHauteur, 24, SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) return false;
  std::mt19937 hasard(k);
  for (int y = 0; y < s->h; ++y) {
    Uint8* ligne = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < s->w; ++x) {
      const int bruit = static_cast<int>(hasard() % 24);
      Uint8* p = ligne + 3 * x;
      const int dx = x - centreX(k), dy = y - centreY(k);
      if (dx * dx + dy * dy <= kRayon * kRayon) {
        p[0] = 255, p[1] = 140, p[2] = 0;
      } else {
        p[0] = static_cast<Uint8>(60 + bruit), p[1] = static_cast<Uint8>(90 + (x + y) / 100 % 60 + bruit),
        p[2] = static_cast<Uint8>(70 + bruit);
      }
    }
  }
  const bool ok = IMG_SaveJPG(s, chemin.c_str(), 90) == 0;
  SDL_FreeSurface(s);
  return ok;
}

double maintenant() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

std::string nomPhoto(const std::string& dossier, int k) {
  char nom[32];
  std::snprintf(nom, sizeof nom, "/P%03d.jpg", k);
  return dossier + nom;
}

void image() {
  Etat& e = *g_etat;
  SDL_RenderClear(e.m_rendu);
  if (e.m_pTexture_prairie != nullptr)
    SDL_RenderCopy(e.m_rendu, e.m_pTexture_prairie, &e.m_rect_source, &e.m_rect_destination);
  SDL_RenderPresent(e.m_rendu);
}

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::printf("SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  char modele[] = "/tmp/trelune_bench_XXXXXX";
  const char* temp = mkdtemp(modele);
  if (temp == nullptr) return 1;
  const std::string dossier = temp;
  std::filesystem::create_directories(dossier + "/donnees");
  for (int k = 1; k <= kPhotos; ++k) {
    if (!fabriquerPhoto(nomPhoto(dossier, k), k)) {
      std::printf("cannot write the photos in %s: %s\n", dossier.c_str(), SDL_GetError());
      return 1;
    }
  }
  SDL_Surface* fin = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24);
  IMG_SavePNG(fin, (dossier + "/figure_fin.png").c_str());
  SDL_FreeSurface(fin);
  const std::filesystem::path ancien = std::filesystem::current_path();
  std::filesystem::current_path(dossier);  // the result files go to its donnees/

  // the baseline: the bare decodes, twice, the second counted (files in cache)
  double charge = 0.0;
  for (int tour = 0; tour < 2; ++tour) {
    const double t0 = maintenant();
    for (int k = 1; k <= kPhotos; ++k) {
      SDL_Surface* s = IMG_Load(nomPhoto(dossier, k).c_str());
      benchmark::DoNotOptimize(s);
      SDL_FreeSurface(s);
    }
    charge = maintenant() - t0;
  }

  creerEtat();
  Etat& e = *g_etat;
  e.m_en_marche = true;
  e.m_largeur_fenetre = 1000;
  e.m_hauteur_fenetre = 750;
  e.m_fenetre = SDL_CreateWindow("Trelune", 100, 20, e.m_largeur_fenetre, e.m_hauteur_fenetre, 0);
  e.m_rendu = e.m_fenetre != nullptr ? SDL_CreateRenderer(e.m_fenetre, -1, 0) : nullptr;
  if (e.m_rendu == nullptr) {
    std::printf("no renderer: %s\n", SDL_GetError());
    return 1;
  }
  Uint8 clavier[SDL_NUM_SCANCODES] = {};
  e.m_etat_clavier = clavier;
  e.m_dossier_photos = dossier;
  e.m_mode_nom = 3;
  e.m_prefixe_numero = "P";
  e.m_suffixe_numero = ".jpg";
  e.m_chiffres_numero = 3;
  e.m_numero = 1;
  e.m_pas_numero = 1;
  e.m_numero_fin = kPhotos;
  e.m_zoom = 1.0;
  e.m_max_pixels = 100000;
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 30;
  e.nom_photo_complet = nomPhoto(dossier, 1);

  std::ostringstream muet;
  std::streambuf* console = std::cout.rdbuf(muet.rdbuf());
  for (FichierResultat* f : {&fichierPoint(), &fichierX(), &fichierY()}) f->remplacer("");
  fichierDetail().remplacer(enteteDetail());
  chargerPhotoCourante();
  // photo 1 by hand: a zone of 64 pixels around the disc, I, a click on it, RETURN
  const int x = centreX(1), y = centreY(1);
  bool mesuree = definirZone(x - 64, y - 64, x + 64, y + 64);
  noterZone();
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(static_cast<int32_t>(x * e.m_zoom - e.m_decalage_x),
                            static_cast<int32_t>(y * e.m_zoom - e.m_decalage_y));
  noterCouleur(0);
  mesuree = mesuree && vueSuivante();

  int images = 0;
  const double t0 = maintenant();
  basculerSuivi();
  while (e.m_suivi_en_cours && images < 10 * kPhotos) {
    demanderPhotosSuivantes();
    etapeSuivi();
    image();
    ++images;
  }
  const double suivi = maintenant() - t0;
  std::cout.rdbuf(console);
  const std::string lignes = muet.str();
  const bool au_bout = lignes.find("Suivi arrete : fin de la serie") != std::string::npos;
  const size_t releves = e.m_historique.souvenirs.size();
  if (!mesuree || !au_bout || releves != static_cast<size_t>(kPhotos)) {
    std::printf("the run did not measure the %d photos (%zu measured):\n%s\n", kPhotos, releves,
                lignes.substr(lignes.size() > 2000 ? lignes.size() - 2000 : 0).c_str());
    return 1;
  }
  // photo 1 was measured by hand: the run itself covers the other 19
  const double ratio = suivi / charge;
  std::printf("automatic run %.1f ms over %d photos (%d frames), %d IMG_Load %.1f ms, ratio %.2f, %.2f photos/s\n",
              suivi, kPhotos - 1, images, kPhotos, charge, ratio, (kPhotos - 1) * 1e3 / suivi);
  std::printf("per photo: run %.1f ms, IMG_Load %.1f ms, ratio %.2f\n", suivi / (kPhotos - 1), charge / kPhotos,
              (suivi / (kPhotos - 1)) / (charge / kPhotos));
  std::printf("resume\tautomatic run, 20 photos 6000x4000 JPEG (%.2f photos/s)\t%.1f ms\t20 IMG_Load %.1f ms\t%.2f\t<= 1.1\n",
              (kPhotos - 1) * 1e3 / suivi, suivi, charge, ratio);

  arreterPrechargement();
  libererPhotoSansTraces();
  SDL_DestroyRenderer(e.m_rendu);
  SDL_DestroyWindow(e.m_fenetre);
  std::filesystem::current_path(ancien);
  std::filesystem::remove_all(dossier);
  SDL_Quit();
  return 0;
}
