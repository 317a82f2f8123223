// Writes a demo working folder: donnees/donnees.txt and a series of photos
// of an orange disc moving over a textured green-grey background, with the
// disc's true centre per photo in photos/centres.txt, and the closing
// picture photos/figure_fin.png. Everything is deterministic: the texture
// comes from an integer hash, so two runs give the same bytes.
//
//   trelune_demo [--difficile] [--occultation] [--croisement] [--bicolore]
//                [--absentes] <dossier> [--photos N] [--pas X.Y]
//                [--taille LxH] [--fenetre LxH] [--zoom K] [--rayon R]
//
// --difficile: the disc darkens by 30 % over the series, passes over a patch
// of a close orange and jumps by five steps on the last but one photo, whose
// number photos/saut.txt holds.
//
// The other options make series for following the disc through what real
// footage does (serie_demo.h): a straight path at a step off the pixel grid,
// the disc hidden on three photos, a second disc of its colour crossing its
// path, a disc of two colours, numbers missing from the series. With any of
// them, a line of centres.txt ends with ";cachee" on a photo that hides the
// disc and ";absente" for a number without a photo (the disc's centre had it
// been drawn comes first all the same); photos/evenements.txt holds one
// "debut;fin;genre" line per event, and with --croisement photos/second.txt
// the second disc's centre per photo.

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "demo/dessin_demo.h"
#include "demo/serie_demo.h"

namespace {

// The harder series' own tolerances keep the whole fall of brightness within
// reach of the first photo's colour, so a proposal carrying that colour along
// still takes the disc on the last photo; blue 30 keeps out the background
// (blue 52 and up) and the patch.
constexpr int kTolerancesDifficiles[3] = {90, 60, 30};

std::string parametres(const Options& o) {
  char bas[16];
  std::snprintf(bas, sizeof bas, "%03d", o.photos % 1000);
  std::ostringstream f;
  f << (o.difficile ? "Serie de demonstration difficile Trelune\n" : "Serie de demonstration Trelune\n")
    << "photos dossier des photos\n"
    << "3 mode de nommage (1 colonnes fixes, 2 deux numeros, 3 un numero)\n"
    << "demo_trelune_serie.01.001.jpeg premier fichier (mode 1)\n"
    << "1 pas de la partie basse (mode 1)\n"
    << "demo_trelune_serie.01." << bas << ".jpeg dernier fichier (mode 1)\n"
    << "demo_;prefixe du nom\n"
    << "1 premier numero\n"
    << "3 chiffres du numero\n"
    << "_;separateur (mode 2)\n"
    << "0 premier second numero (mode 2)\n"
    << "0 chiffres du second numero (mode 2)\n"
    << ".png;suffixe du nom\n"
    << "1 pas du numero\n"
    << "0 pas du second numero (mode 2)\n"
    << "0 modulo du second numero (mode 2)\n"
    << o.photos << " dernier numero\n"
    << "0 dernier second numero (mode 2)\n"
    << o.largeur_fenetre << " largeur de la fenetre\n"
    << o.hauteur_fenetre << " hauteur de la fenetre\n"
    << o.indice_zoom << " indice du zoom (0.125 0.25 0.5 1 2 5 10 20 50)\n"
    << "20 pas de deplacement\n";
  if (o.difficile)
    f << kTolerancesDifficiles[0] << " " << kTolerancesDifficiles[1] << " "
      << kTolerancesDifficiles[2] << " tolerances rouge vert bleu\n";
  else
    f << "30 30 30 tolerances rouge vert bleu\n";
  f << "40000 nombre maximal de pixels\n"
    << "255 0 0 60 couleur de la zone\n"
    << "0 255 255 120 couleur des pixels\n";
  return f.str();
}

bool lireEntier(const char* texte, int min, int max, int& valeur) {
  char* fin = nullptr;
  const long v = std::strtol(texte, &fin, 10);
  if (fin == texte || *fin != '\0' || v < min || v > max) return false;
  valeur = static_cast<int>(v);
  return true;
}

bool lireTaille(const char* texte, int& largeur, int& hauteur) {
  const std::string t = texte;
  const std::size_t x = t.find('x');
  if (x == std::string::npos) return false;
  return lireEntier(t.substr(0, x).c_str(), 1, 20000, largeur) &&
         lireEntier(t.substr(x + 1).c_str(), 1, 20000, hauteur);
}

bool lirePas(const char* texte, double& pas) {
  char* fin = nullptr;
  const double v = std::strtod(texte, &fin);
  // at most a radius's worth of steps is the caller's business; here only a
  // forward step the path can draw
  if (fin == texte || *fin != '\0' || !(v > 0.0 && v <= 1000.0)) return false;
  pas = v;
  return true;
}

bool lireOptions(int argc, char** argv, Options& o) {
  // the flags stand anywhere; the folder then the valued options follow
  std::vector<const char*> args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--difficile") o.difficile = true;
    else if (a == "--occultation") o.occultation = true;
    else if (a == "--croisement") o.croisement = true;
    else if (a == "--bicolore") o.bicolore = true;
    else if (a == "--absentes") o.absentes = true;
    else args.push_back(argv[i]);
  }
  if (args.empty() || args[0][0] == '-') return false;
  o.dossier = args[0];
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    const std::string nom = args[i];
    const char* valeur = args[i + 1];
    bool ok = false;
    if (nom == "--photos") ok = lireEntier(valeur, 1, 999, o.photos);
    else if (nom == "--taille") ok = lireTaille(valeur, o.largeur, o.hauteur);
    else if (nom == "--fenetre") ok = lireTaille(valeur, o.largeur_fenetre, o.hauteur_fenetre);
    else if (nom == "--zoom") ok = lireEntier(valeur, 0, 8, o.indice_zoom);
    else if (nom == "--rayon") ok = lireEntier(valeur, 1, 5000, o.rayon);
    else if (nom == "--pas") ok = lirePas(valeur, o.pas);
    if (!ok) return false;
  }
  return optionsTenables(o);
}

bool ecrireTexte(const std::filesystem::path& chemin, const std::string& texte) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f << texte;
  return static_cast<bool>(f);
}

std::string nomPhoto(int k) {
  char nom[32];
  std::snprintf(nom, sizeof nom, "demo_%03d.png", k + 1);
  return nom;
}

// The photos, one after the other: the media library's first use from two
// threads at once is not free of races, and each photo's bytes depend on its
// number alone anyway.
bool ecrireLesPhotos(const Options& o, const std::filesystem::path& photos) {
  for (int k = 0; k < o.photos; ++k)
    if (!absente(o, k) && !ecrirePhoto(o, k, photos / nomPhoto(k))) return false;
  return true;
}

// Photos, centres.txt and, for the series with events, second.txt.
bool ecrirePhotos(const Options& o, const std::filesystem::path& photos) {
  if (!ecrireLesPhotos(o, photos)) return false;
  std::ostringstream centres, second;
  centres << std::fixed << std::setprecision(10);
  second << std::fixed << std::setprecision(10);
  for (int k = 0; k < o.photos; ++k) {
    double cx = 0.0, cy = 0.0;
    centreSelectionne(o, k, cx, cy);
    centres << cx << ";" << cy;
    if (absente(o, k)) {
      // a photo of an earlier series in the same folder must not fill the gap
      std::error_code ignore;
      std::filesystem::remove(photos / nomPhoto(k), ignore);
      centres << ";absente";
    } else if (cachee(o, k)) {
      centres << ";cachee";
    }
    centres << "\n";
    if (centreSecond(o, k, cx, cy)) second << cx << ";" << cy << "\n";
  }
  if (!ecrireTexte(photos / "centres.txt", centres.str())) return false;
  return !o.croisement || ecrireTexte(photos / "second.txt", second.str());
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!lireOptions(argc, argv, o)) {
    std::cerr << "usage : trelune_demo [--difficile] [--occultation] [--croisement] [--bicolore] [--absentes]"
                 " <dossier> [--photos N] [--pas X.Y] [--taille LxH] [--fenetre LxH] [--zoom 0..8] [--rayon R]"
                 "  (la photo doit contenir le disque sur tout son trajet, 6 photos au moins pour --difficile,"
                 " 8 pour --occultation et --croisement, 9 pour --absentes)"
              << std::endl;
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path racine = o.dossier;
  std::error_code erreur;
  fs::create_directories(racine / "donnees", erreur);
  fs::create_directories(racine / "photos", erreur);
  if (erreur) {
    std::cerr << racine.string() << " : " << erreur.message() << std::endl;
    return 1;
  }
  if (!ecrireTexte(racine / "donnees" / "donnees.txt", parametres(o))) {
    std::cerr << "donnees/donnees.txt : ecriture impossible" << std::endl;
    return 1;
  }
  if (!ecrirePhotos(o, racine / "photos") || !figureFin(racine / "photos" / "figure_fin.png")) return 1;
  if (o.difficile) {
    // the jump photo's number, as in its name and its line of centres.txt
    if (!ecrireTexte(racine / "photos" / "saut.txt", std::to_string(photoSaut(o) + 1) + "\n")) return 1;
    std::cout << "Serie difficile : saut sur la photo " << photoSaut(o) + 1 << std::endl;
  }
  if (o.evenementielle()) {
    std::ostringstream liste;
    for (const Evenement& ev : evenements(o)) {
      liste << ev.debut << ";" << ev.fin << ";" << ev.genre << "\n";
      std::cout << "Evenement " << ev.genre << " : photos " << ev.debut << " a " << ev.fin << std::endl;
    }
    if (!ecrireTexte(racine / "photos" / "evenements.txt", liste.str())) return 1;
  }
  std::cout << "Serie de demonstration : " << o.photos << " photos dans "
            << (racine / "photos").string() << std::endl;
  return 0;
}
