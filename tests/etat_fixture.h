// Shared test helpers: a fresh record per test and a captured console.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

#include "etat/etat.h"

// Swaps the buffers of std::cout and std::cin for string streams.
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  // Everything written to std::cout since the last call.
  std::string lu();
  // Text the next console reads will take.
  void entree(const std::string& texte);

 private:
  std::ostringstream sortie_;
  std::istringstream entree_;
  std::streambuf* ancien_cout_;
  std::streambuf* ancien_cin_;
};

class EtatTest : public testing::Test {
 protected:
  void SetUp() override { creerEtat(); }
  void TearDown() override { detruireEtat(); }  // tests only: keeps LeakSanitizer quiet
  ConsoleCapture console_;
};

// A fresh empty folder under the system's temporary folder.
std::string dossierTemporaire();
// Writes a whole file.
void ecrireFichier(const std::string& chemin, const std::string& contenu);
// Reads a whole file; empty when it does not exist.
std::string lireFichier(const std::string& chemin);

// Makes dossier/travail/donnees the working folder until destroyed. Tests
// that compare the result files whole take it before their first write: the
// streams open their files where the process stands then, away from the
// scratch folder's files that other tests write at the same time.
class DossierTravail {
 public:
  explicit DossierTravail(const std::string& dossier);
  ~DossierTravail();
  DossierTravail(const DossierTravail&) = delete;
  DossierTravail& operator=(const DossierTravail&) = delete;

 private:
  std::string ancien_;
};

// A software renderer drawing into a window surface of that size, set in the
// record with the window's size; rendreFenetre gives both back.
SDL_Surface* fenetreLogicielle(int largeur, int hauteur);
void rendreFenetre(SDL_Surface* fenetre);

// The record names a scheme 3 series dossier/P001<suffixe>, P002<suffixe>...
// numbered from 1 to fin by 1.
void serieNumerotee(const std::string& dossier, int32_t fin, const char* suffixe = ".png");

// A 40 x 30 RGB24 photo of one colour a column, drawn at zoom 1 by a software
// renderer, so window and photo pixels agree; glisser and cliquer act in a
// mouse sub-mode as the operator's press and release do.
class PhotoColonnesTest : public EtatTest {
 protected:
  static constexpr int kLargeur = 40, kHauteur = 30;
  void poserPhoto(SDL_Color (*couleur)(int colonne), int32_t tolerance);
  void TearDown() override;
  void sousMode(bool Etat::*mode);
  void glisser(bool Etat::*mode, int x0, int y0, int x1, int y1);
  void cliquer(int x, int y);
  SDL_Surface* fenetre_ = nullptr;
  SDL_Surface* photo_ = nullptr;
};
