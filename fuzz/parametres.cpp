// Any bytes as donnees/donnees.txt: readParameters must return, write at most
// one log line per parameter line, report only lines 1 to 26, and leave the
// zoom unset or within its table.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "series/parametres.h"

namespace {

std::filesystem::path g_dossier;  // temporary working folder holding donnees/
std::filesystem::path g_ancien;   // where the fuzzer runs, for its corpus paths

[[noreturn]] void echec(const std::string& raison) {
  std::fprintf(stderr, "fuzz_parametres: %s\n", raison.c_str());
  std::abort();
}

void effacerDossier() {
  std::error_code ignore;
  std::filesystem::remove_all(g_dossier, ignore);
}

std::string lireTout(const char* chemin) {
  std::ifstream flux(chemin, std::ios::binary);
  std::ostringstream texte;
  texte << flux.rdbuf();
  return texte.str();
}

// Every console line the reader prints begins with its own literal, so a
// report is a line that begins with the report's text (file text only ever
// follows a literal).
void verifierConsole(const std::string& sortie, bool ok) {
  const std::string marque = "Pb pour lire la ligne ";
  std::istringstream lignes(sortie);
  bool signale = false;
  for (std::string l; std::getline(lignes, l);) {
    if (l.compare(0, marque.size(), marque) != 0) continue;
    signale = true;
    const int ligne = std::atoi(l.c_str() + marque.size());
    if (ligne < 1 || ligne > 26) echec("reported line " + std::to_string(ligne));
  }
  if (ok && signale) echec("a line was reported yet the reading succeeded");
}

void verifierZoom(const Etat& e, bool ok) {
  constexpr double kTable[9] = {0.125, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0};
  if (e.m_indice_zoom < 0 || e.m_indice_zoom > 8) echec("zoom index outside the table");
  if (e.m_zoom != 0.0 && e.m_zoom != kTable[e.m_indice_zoom]) echec("zoom off its index");
  if (ok && e.m_zoom == 0.0) echec("reading succeeded without a zoom");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // a memory file system when there is one: each input rewrites two files
  const std::string base =
      access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path().string();
  std::string modele = base + "/trelune_fuzz_XXXXXX";
  if (mkdtemp(modele.data()) == nullptr) echec("mkdtemp in " + base);
  g_dossier = modele;
  g_ancien = std::filesystem::current_path();
  std::filesystem::create_directories(g_dossier / "donnees");
  std::atexit(effacerDossier);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  // The reader takes relative paths; the fuzzer's own paths are relative to
  // where it was started, so go back after each input.
  if (chdir(g_dossier.c_str()) != 0) echec("chdir");
  // new files rather than truncated ones, which some file systems flush to disk
  unlink("donnees/donnees.txt");
  unlink("donnees/ficlog.txt");
  {
    std::ofstream fichier("donnees/donnees.txt", std::ios::binary | std::ios::trunc);
    fichier.write(reinterpret_cast<const char*>(octets), static_cast<std::streamsize>(taille));
  }
  creerEtat();
  std::ostringstream console;
  std::streambuf* ancien = std::cout.rdbuf(console.rdbuf());
  const bool ok = readParameters();
  std::cout.rdbuf(ancien);

  const std::string log = lireTout("donnees/ficlog.txt");
  std::size_t lignes = 0;
  for (char c : log) lignes += c == '\n';
  if (lignes > 26) echec("log of " + std::to_string(lignes) + " lines");
  if (!log.empty() && log.back() != '\n') echec("log ends inside a line");
  verifierConsole(console.str(), ok);
  verifierZoom(*g_etat, ok);

  detruireEtat();
  if (chdir(g_ancien.c_str()) != 0) echec("chdir back");
  return 0;
}
