#include "tests/etat_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

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
