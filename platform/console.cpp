#include "platform/console.h"

#include <cstdio>
#include <iostream>
#include <limits>

#ifdef _WIN32
#include <windows.h>
namespace {
FILE* g_sortie = nullptr;
FILE* g_entree = nullptr;
}  // namespace
#endif

void ouvrirConsole() {
#ifdef _WIN32
  AllocConsole();
  freopen_s(&g_sortie, "CONOUT$", "w", stdout);
  freopen_s(&g_entree, "CONIN$", "r", stdin);
#endif
  std::printf("Dessin BMP dans la fenetre\n");
  std::fflush(stdout);
  std::cout.clear();
}

void fermerConsole() {
  std::cout.flush();
#ifdef _WIN32
  if (g_sortie != nullptr) std::fclose(g_sortie);
  if (g_entree != nullptr) std::fclose(g_entree);
#endif
}

bool entreeConsoleFinie() {
  // std::cin reads through stdin (synchronised with C's streams): a read
  // error leaves its mark there, the end of input does not
  return std::cin.eof() && !std::cin.bad() && std::ferror(stdin) == 0;
}

Lecture lireEntierConsole(long long& valeur) {
  if (!std::cin.good()) return Lecture::Fin;
  long long lu = 0;
  if (std::cin >> lu) {
    valeur = lu;
    return Lecture::Nombre;
  }
  if (std::cin.eof() || std::cin.bad()) return Lecture::Fin;
  // A failed extraction of digits means the number overflowed: the stream
  // stored the bound of the type, and that is the value to keep.
  if (lu == std::numeric_limits<long long>::max() || lu == std::numeric_limits<long long>::min()) {
    std::cin.clear();
    valeur = lu;
    return Lecture::Nombre;
  }
  std::cin.clear();
  std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  return Lecture::Mot;
}
