#include "bench/operateur.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <iostream>

#include "app/boucle.h"
#include "app/touches.h"
#include "display/fenetre.h"
#include "display/rendu.h"
#include "etat/etat.h"
#include "output/detail.h"
#include "output/resultats.h"
#include "parcours/prechargement_photos.h"
#include "series/compteurs.h"
#include "series/parametres.h"

namespace {

// SDL's own keyboard state, which handleEvents samples: without a keyboard
// under the dummy driver nothing else writes it, so a key set here is seen
// down exactly as a held key is.
Uint8* etatClavier() { return const_cast<Uint8*>(SDL_GetKeyboardState(nullptr)); }

void pousserTouche(Uint32 type, SDL_Scancode code) {
  SDL_Event ev{};
  ev.type = type;
  ev.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  ev.key.keysym.scancode = code;
  SDL_PushEvent(&ev);
}

}  // namespace

bool Operateur::demarrer() {
  ancien_cout_ = std::cout.rdbuf(console_.rdbuf());
  ancien_cin_ = std::cin.rdbuf(entree_.rdbuf());
  signalerFichiersResultats();
  creerEtat();
  ouvrirFichierDetail();
  signalerFichierDetail();
  readParameters();
  init();
  if (!g_etat->m_en_marche) return false;
  image();
  return true;
}

void Operateur::arreter() {
  clean();
  if (ancien_cout_ != nullptr) std::cout.rdbuf(ancien_cout_);
  if (ancien_cin_ != nullptr) std::cin.rdbuf(ancien_cin_);
  std::ofstream("console.txt", std::ios::binary) << console_.str();
}

void Operateur::image() {
  handleEvents();
  demanderPhotosSuivantes();
  render();
}

void Operateur::touche(SDL_Scancode code) {
  etatClavier()[code] = 1;
  pousserTouche(SDL_KEYDOWN, code);
  image();
  etatClavier()[code] = 0;
  pousserTouche(SDL_KEYUP, code);
  image();
}

void Operateur::bouton(Uint32 type, double x, double y) {
  const Etat& e = *g_etat;
  SDL_Event ev{};
  ev.type = type;
  ev.button.button = SDL_BUTTON_LEFT;
  ev.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  ev.button.clicks = 1;
  // the window pixel whose photo pixel holds the point
  ev.button.x = int(std::floor(x * e.m_zoom - e.m_decalage_x));
  ev.button.y = int(std::floor(y * e.m_zoom - e.m_decalage_y));
  SDL_PushEvent(&ev);
  // the event step takes it in this frame or the next: a poll that ended on
  // an earlier frame's end-of-poll mark leaves events pushed behind it for
  // the next poll, as a slow frame leaves the window's
  for (int i = 0; i < 4 && SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type) > 0; ++i) image();
}

void Operateur::glisser(double x0, double y0, double x1, double y1) {
  bouton(SDL_MOUSEBUTTONDOWN, x0, y0);
  bouton(SDL_MOUSEBUTTONUP, x1, y1);
}

void Operateur::cliquer(double x, double y) { glisser(x, y, x, y); }

bool Operateur::toucheConnue(SDL_Scancode code) {
  for (const ToucheAjoutee& t : touchesAjoutees())
    if (t.code == code || t.autre == code) return true;
  return false;
}

std::string Operateur::nouvellesLignes() {
  const std::string tout = console_.str();
  const size_t fin = tout.rfind('\n') == std::string::npos ? lu_ : tout.rfind('\n') + 1;
  std::string lignes = fin > lu_ ? tout.substr(lu_, fin - lu_) : std::string();
  lu_ = std::max(lu_, fin);
  return lignes;
}

bool Operateur::surImageFin() const { return g_etat->nom_photo_complet == cheminImageFin(); }

int Operateur::photoMontree() const {
  const std::string& nom = g_etat->nom_photo_complet;
  const size_t debut = nom.rfind("demo_");
  if (debut == std::string::npos || surImageFin()) return 0;
  int numero = 0;
  for (size_t i = debut + 5; i < nom.size() && std::isdigit(static_cast<unsigned char>(nom[i])); ++i)
    numero = numero * 10 + (nom[i] - '0');
  return numero;
}
