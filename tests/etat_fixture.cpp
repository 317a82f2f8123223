#include "tests/etat_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "interaction/souris.h"

ConsoleCapture::ConsoleCapture()
    : ancien_cout_(std::cout.rdbuf(sortie_.rdbuf())), ancien_cin_(std::cin.rdbuf(entree_.rdbuf())) {
  std::cin.clear();
}

ConsoleCapture::~ConsoleCapture() {
  std::cout.rdbuf(ancien_cout_);
  std::cin.rdbuf(ancien_cin_);
  std::cin.clear();
}

std::string ConsoleCapture::lu() {
  std::string texte = sortie_.str();
  sortie_.str("");
  return texte;
}

void ConsoleCapture::entree(const std::string& texte) {
  entree_.str(texte);
  entree_.clear();
  std::cin.clear();
}

std::string dossierTemporaire() {
  char modele[] = "/tmp/trelune_test_XXXXXX";
  const char* dossier = mkdtemp(modele);
  return dossier != nullptr ? std::string(dossier) : std::string("/tmp");
}

void ecrireFichier(const std::string& chemin, const std::string& contenu) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f << contenu;
}

std::string lireFichier(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

DossierTravail::DossierTravail(const std::string& dossier) : ancien_(std::filesystem::current_path()) {
  std::filesystem::create_directories(dossier + "/travail/donnees");
  std::filesystem::current_path(dossier + "/travail");
}

DossierTravail::~DossierTravail() {
  std::error_code ignore;
  std::filesystem::current_path(ancien_, ignore);
}

SDL_Surface* fenetreLogicielle(int largeur, int hauteur) {
  Etat& e = *g_etat;
  SDL_Surface* fenetre = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 32, SDL_PIXELFORMAT_ARGB8888);
  e.m_rendu = SDL_CreateSoftwareRenderer(fenetre);
  e.m_largeur_fenetre = largeur;
  e.m_hauteur_fenetre = hauteur;
  return fenetre;
}

void rendreFenetre(SDL_Surface* fenetre) {
  SDL_DestroyRenderer(g_etat->m_rendu);
  g_etat->m_rendu = nullptr;
  SDL_FreeSurface(fenetre);
}

void serieNumerotee(const std::string& dossier, int32_t fin, const char* suffixe) {
  Etat& e = *g_etat;
  e.m_dossier_photos = dossier;
  e.m_mode_nom = 3;
  e.m_prefixe_numero = "P";
  e.m_suffixe_numero = suffixe;
  e.m_chiffres_numero = 3;
  e.m_numero = 1;
  e.m_pas_numero = 1;
  e.m_numero_fin = fin;
}

void PhotoColonnesTest::poserPhoto(SDL_Color (*couleur)(int colonne), int32_t tolerance) {
  Etat& e = *g_etat;
  fenetre_ = fenetreLogicielle(kLargeur, kHauteur);
  photo_ = SDL_CreateRGBSurfaceWithFormat(0, kLargeur, kHauteur, 24, SDL_PIXELFORMAT_RGB24);
  for (int c = 0; c < kLargeur; ++c) {
    const SDL_Rect bande{c, 0, 1, kHauteur};
    const SDL_Color k = couleur(c);
    SDL_FillRect(photo_, &bande, SDL_MapRGB(photo_->format, k.r, k.g, k.b));
  }
  e.pTempSurface_prairie = photo_;
  e.m_zoom = 1.0;
  e.m_largeur_photo = kLargeur;
  e.m_hauteur_photo = kHauteur;
  e.m_max_pixels = 100000;
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = tolerance;
}

void PhotoColonnesTest::TearDown() {
  libererFog();
  rendreFenetre(fenetre_);
  SDL_FreeSurface(photo_);
  g_etat->pTempSurface_prairie = nullptr;
  EtatTest::TearDown();
}

void PhotoColonnesTest::sousMode(bool Etat::*mode) {
  Etat& e = *g_etat;
  e.m_choix_zone = e.m_ajout_souris = e.m_ajout_couleurs = e.m_retrait_souris = false;
  e.*mode = true;
}

void PhotoColonnesTest::glisser(bool Etat::*mode, int x0, int y0, int x1, int y1) {
  sousMode(mode);
  appuiSouris(SDL_BUTTON_LEFT, x0, y0);
  relacheSouris(SDL_BUTTON_LEFT, x1, y1);
}

void PhotoColonnesTest::cliquer(int x, int y) {
  sousMode(&Etat::m_ajout_couleurs);
  appuiSouris(SDL_BUTTON_LEFT, x, y);
}
