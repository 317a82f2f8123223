#include "etat/etat.h"

#include <cstdlib>
#include <cstring>
#include <new>

Etat* g_etat = nullptr;

Etat* creerEtat() {
  void* memoire = std::malloc(sizeof(Etat));
  if (memoire == nullptr) std::abort();
  std::memset(memoire, 0, sizeof(Etat));
  g_etat = new (memoire) Etat();
  return g_etat;
}

void detruireEtat() {
  if (g_etat == nullptr) return;
  g_etat->~Etat();
  std::free(g_etat);
  g_etat = nullptr;
}
