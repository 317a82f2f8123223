// The automatic run on generated series that do what real footage does (a
// step off the pixel grid over 200 photos, a hidden disc, a second disc of
// the same colour crossing, a disc of two colours, missing photos, a jump),
// run as an operator runs it: photo 1 measured by hand (zone, I, a click,
// RETURN), K turned on where the program has it, SPACE; at each stop one
// intervention (N on a hidden or missing photo; otherwise S, a zone drawn
// around the true centre clear of the second disc, I, a click on the disc's
// colour, RETURN), then SPACE again, to the closing picture. Prints, per
// series: photos measured, each stop with its photo and whether it falls in
// one of the series' events, the largest and root-mean-square distance of the
// records from the true centres, and the records farther than the disc's
// radius (every record on a hidden or missing photo counts among them).
//
//   trelune_bench_suivi_series [--garder] [serie ...]
//
// Each series runs in a child process of its own, started in the series'
// folder as the program is, so the result files open there. --garder keeps
// the folders.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/operateur.h"

namespace {

struct Serie {
  const char* nom;
  const char* options;  // of trelune_demo
  const char* cible;
};

// The disc's radius: the generator's default.
constexpr double kRayon = 40.0;

// Photos of 800 x 600 shown whole at zoom 1: the size changes nothing of the
// run, and writing 400 photos of the demo's 1280 x 960 would take minutes. The
// plain step's fraction, near a half, is the one a zone moved by whole pixels
// loses most on.
const Serie kSeries[] = {
    {"pas", "--pas 2.45 --photos 200 --taille 800x600 --zoom 3", "0 arret, ecart max <= 0.05 px"},
    {"occultation", "--pas 5.37 --photos 40 --taille 800x600 --zoom 3 --occultation",
     "arrets aux evenements seuls, 1 par evenement, 0 hors du disque"},
    {"croisement", "--pas 5.37 --photos 40 --taille 800x600 --zoom 3 --croisement",
     "arrets aux evenements seuls, 1 par evenement, 0 hors du disque"},
    {"bicolore", "--pas 5.37 --photos 40 --taille 800x600 --zoom 3 --bicolore", "0 arret, 0 hors du disque"},
    {"absentes", "--pas 5.37 --photos 40 --taille 800x600 --zoom 3 --absentes",
     "arrets aux evenements seuls, 1 par evenement, 0 hors du disque"},
    {"saut", "--difficile --photos 30 --taille 800x600 --zoom 3", "1 arret, au saut, 0 hors du disque"},
};

struct Vrai {
  double x = 0.0, y = 0.0;
  std::string marque;  // "", "cachee", "absente"
};

struct Evenement {
  int debut = 0, fin = 0;
  std::string genre;
};

std::vector<std::string> champs(const std::string& ligne, char separateur) {
  std::vector<std::string> c;
  std::istringstream flux(ligne);
  for (std::string champ; std::getline(flux, champ, separateur);) c.push_back(champ);
  if (!c.empty() && !c.back().empty() && c.back().back() == '\r') c.back().pop_back();
  return c;
}

std::vector<std::vector<std::string>> lignes(const std::string& chemin, char separateur) {
  std::vector<std::vector<std::string>> l;
  std::ifstream f(chemin);
  for (std::string ligne; std::getline(f, ligne);) l.push_back(champs(ligne, separateur));
  return l;
}

std::vector<Vrai> lireVrais(const std::string& chemin) {
  std::vector<Vrai> v;
  for (const auto& c : lignes(chemin, ';')) {
    if (c.size() < 2) continue;
    v.push_back({std::atof(c[0].c_str()), std::atof(c[1].c_str()), c.size() > 2 ? c[2] : ""});
  }
  return v;
}

std::vector<Evenement> lireEvenements(const std::string& chemin) {
  std::vector<Evenement> v;
  for (const auto& c : lignes(chemin, ';'))
    if (c.size() == 3) v.push_back({std::atoi(c[0].c_str()), std::atoi(c[1].c_str()), c[2]});
  // the harder series names its jump photo in saut.txt
  for (const auto& c : lignes("photos/saut.txt", ';'))
    if (!c.empty() && v.empty()) v.push_back({std::atoi(c[0].c_str()), std::atoi(c[0].c_str()), "saut"});
  return v;
}

std::string evenementDe(const std::vector<Evenement>& evenements, int photo) {
  for (const Evenement& ev : evenements)
    if (photo >= ev.debut && photo <= ev.fin) return ev.genre;
  return std::string();
}

// The half side of the operator's square zone around a disc at v: a radius
// and 60 % more, narrowed (down to the radius and 3 pixels) so that no pixel
// of the second disc at s falls inside.
double demiZone(const Vrai& v, const Vrai* s) {
  double demi = 1.6 * kRayon;
  while (s != nullptr && demi > kRayon + 3) {
    const double dx = std::max(std::abs(s->x - v.x) - demi, 0.0), dy = std::max(std::abs(s->y - v.y) - demi, 0.0);
    if (std::hypot(dx, dy) > kRayon + 2) break;
    demi -= 1.0;
  }
  return demi;
}

struct Arret {
  int photo = 0;
  std::string raison, evenement;
};

// A console line starting with debut among lignes, without that start; empty
// when none.
std::string ligneCommencant(const std::string& lignes, const std::string& debut) {
  std::istringstream flux(lignes);
  std::string trouvee;
  for (std::string l; std::getline(flux, l);)
    if (l.compare(0, debut.size(), debut) == 0) trouvee = l.substr(debut.size());
  return trouvee;
}

// What the series' files tell.
struct Verite {
  std::vector<Vrai> vrais, seconds;
  std::vector<Evenement> evenements;
};

// Photo 1 measured, K turned on where the program has it, then SPACE and one
// intervention at each stop, to the closing picture. False when the program
// could not be driven (not when the run did badly: that is what is measured).
bool parcourir(const Verite& v, std::vector<Arret>& arrets, bool& k) {
  const int photos = int(v.vrais.size());
  Operateur op;
  if (photos == 0 || !op.demarrer()) {
    std::printf("the program did not start\n");
    return false;
  }
  // S, a zone around the true centre, I, a click on the disc's colour, RETURN
  auto mesurer = [&](int numero) {
    const Vrai& c = v.vrais[size_t(numero - 1)];
    const double demi = demiZone(c, numero <= int(v.seconds.size()) ? &v.seconds[size_t(numero - 1)] : nullptr);
    op.touche(SDL_SCANCODE_S);
    op.glisser(c.x - demi, c.y - demi, c.x + demi, c.y + demi);
    op.touche(SDL_SCANCODE_I);
    op.cliquer(c.x, c.y);
    op.touche(SDL_SCANCODE_RETURN);
    return op.nouvellesLignes().find("Vue suivante\n") != std::string::npos;
  };
  bool mene = mesurer(1);
  k = Operateur::toucheConnue(SDL_SCANCODE_K);
  if (k) {
    // on, whatever it starts at
    op.touche(SDL_SCANCODE_K);
    if (ligneCommencant(op.nouvellesLignes(), "Photos cachees passees : ") == "non") op.touche(SDL_SCANCODE_K);
  }
  for (int intervention = 0; mene && intervention <= photos; ++intervention) {
    op.nouvellesLignes();
    op.touche(SDL_SCANCODE_SPACE);
    std::string lues = op.nouvellesLignes(), raison = ligneCommencant(lues, "Suivi arrete : ");
    if (lues.find("Suivi demarre\n") == std::string::npos)
      raison = "ne demarre pas (" + ligneCommencant(lues, "Suivi impossible : ") + ")";
    for (int i = 0; raison.empty() && i < 4 * photos + 20; ++i) {
      op.image();
      lues += op.nouvellesLignes();
      raison = ligneCommencant(lues, "Suivi arrete : ");
    }
    if (raison == "fin de la serie" || op.surImageFin()) break;
    const int photo = op.photoMontree();
    if (raison.empty() || photo < 1 || photo > photos) {
      std::printf("the run neither stopped nor ended (photo %d)\n", photo);
      mene = false;
      break;
    }
    const std::string doute = ligneCommencant(lues, "Suivi douteux : ");
    arrets.push_back({photo, doute.empty() ? raison : raison + " : " + doute, evenementDe(v.evenements, photo)});
    if (!v.vrais[size_t(photo - 1)].marque.empty()) {
      op.touche(SDL_SCANCODE_N);
      mene = op.nouvellesLignes().find("Vue suivante\n") != std::string::npos;
    } else {
      mene = mesurer(photo);
    }
    if (!mene) std::printf("the intervention on photo %d did not advance\n", photo);
  }
  op.arreter();
  return mene;
}

// The detail file's rows against the true centres, and the stops.
void rapporter(const Serie& serie, const Verite& v, const std::vector<Arret>& arrets, bool k) {
  const int photos = int(v.vrais.size());
  int ecrits = 0, manuels = 0, proposes = 0, sautes = 0, absentes = 0, hors = 0, sur_cachees = 0;
  double max_ecart = 0.0, somme2 = 0.0;
  std::vector<int> hors_photos;
  const auto rangees = lignes("donnees/resu_detail.csv", ';');
  for (size_t i = 1; i < rangees.size(); ++i) {
    const auto& c = rangees[i];
    if (c.size() < 20) continue;
    const size_t d = c[1].rfind("demo_");
    const int photo = d == std::string::npos ? 0 : std::atoi(c[1].c_str() + d + 5);
    const std::string& origine = c.back();
    manuels += origine == "manuel";
    proposes += origine == "propose";
    sautes += origine == "saute";
    absentes += origine == "absente";
    if (c[2] != "1" || photo < 1 || photo > photos) continue;
    ++ecrits;
    const Vrai& vrai = v.vrais[size_t(photo - 1)];
    const double ecart = std::hypot(std::atof(c[3].c_str()) - vrai.x, std::atof(c[4].c_str()) - vrai.y);
    if (!vrai.marque.empty()) ++sur_cachees;
    if (!vrai.marque.empty() || ecart > kRayon) {
      ++hors;
      hors_photos.push_back(photo);
    }
    if (vrai.marque.empty()) {
      max_ecart = std::max(max_ecart, ecart);
      somme2 += ecart * ecart;
    }
  }
  int visibles = 0, hors_evenement = 0;
  for (const Vrai& vrai : v.vrais) visibles += vrai.marque.empty();
  for (const Arret& a : arrets) hors_evenement += a.evenement.empty();
  const double rms = ecrits > sur_cachees ? std::sqrt(somme2 / (ecrits - sur_cachees)) : 0.0;

  std::printf("serie %s (trelune_demo %s), rayon %.0f, touche K %s\n", serie.nom, serie.options, kRayon,
              k ? "activee" : "absente");
  std::printf("  photos mesurees %d sur %d visibles (detail : %d manuel, %d propose, %d saute, %d absente)\n", ecrits,
              visibles, manuels, proposes, sautes, absentes);
  std::printf("  arrets %zu, dont %d hors evenement\n", arrets.size(), hors_evenement);
  for (const Arret& a : arrets)
    std::printf("    photo %d : %s [%s]\n", a.photo, a.raison.c_str(),
                a.evenement.empty() ? "hors evenement" : ("evenement " + a.evenement).c_str());
  // one intervention per event is the aim: the stops each event's photos saw
  int par_evenement = 0;
  for (const Evenement& ev : v.evenements) {
    int n = 0;
    for (const Arret& a : arrets) n += a.photo >= ev.debut && a.photo <= ev.fin;
    par_evenement = std::max(par_evenement, n);
    std::printf("  evenement %s, photos %d a %d : %d arret%s\n", ev.genre.c_str(), ev.debut, ev.fin, n, n > 1 ? "s" : "");
  }
  std::printf("  ecart au vrai centre : max %.4f px, moyenne quadratique %.4f px\n", max_ecart, rms);
  std::printf("  enregistrements a plus d'un rayon (ou sur photo cachee ou absente) : %d", hors);
  for (int p : hors_photos) std::printf(" %d", p);
  std::printf("\n");
  std::printf("resume\trun, %s series (%d photos): stops (off events, most for one event), max error, records "
              "off the disc\t%zu (%d, %d), %.3f px, %d\t-\t-\t%s\n",
              serie.nom, photos, arrets.size(), hors_evenement, par_evenement, max_ecart, hors, serie.cible);
}

// One series, in its folder.
bool conduire(const Serie& serie) {
  Verite v;
  v.vrais = lireVrais("photos/centres.txt");
  v.seconds = lireVrais("photos/second.txt");
  v.evenements = lireEvenements("photos/evenements.txt");
  std::vector<Arret> arrets;
  bool k = false;
  const bool mene = parcourir(v, arrets, k);
  rapporter(serie, v, arrets, k);
  return mene;
}

const Serie* trouver(const std::string& nom) {
  for (const Serie& s : kSeries)
    if (nom == s.nom) return &s;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // the child: one series, in its folder
  if (argc == 3 && std::strcmp(argv[1], "--conduire") == 0) {
    const Serie* s = trouver(argv[2]);
    return s != nullptr && conduire(*s) ? 0 : 1;
  }
  bool garder = false;
  std::vector<const Serie*> choisies;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--garder") == 0) {
      garder = true;
    } else if (const Serie* s = trouver(argv[i])) {
      choisies.push_back(s);
    } else {
      std::printf("unknown series %s\n", argv[i]);
      return 2;
    }
  }
  if (choisies.empty())
    for (const Serie& s : kSeries) choisies.push_back(&s);
  const std::string soi = std::filesystem::read_symlink("/proc/self/exe").string();
  int echecs = 0;
  for (const Serie* s : choisies) {
    char modele[] = "/tmp/trelune_suivi_series_XXXXXX";
    if (mkdtemp(modele) == nullptr) return 1;
    const std::string dossier = modele;
    const std::string generer = std::string(TRELUNE_DEMO) + " " + dossier + " " + s->options + " >/dev/null";
    const std::string conduire = "cd " + dossier + " && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + soi +
                                 " --conduire " + s->nom;
    std::fflush(stdout);
    if (std::system(generer.c_str()) != 0) {
      std::printf("%s: trelune_demo %s failed\n", s->nom, s->options);
      ++echecs;
    } else if (std::system(conduire.c_str()) != 0) {
      std::printf("%s: the run could not be driven to its end (folder %s)\n", s->nom, dossier.c_str());
      ++echecs;
      garder = true;
    }
    std::fflush(stdout);
    if (garder) {
      std::printf("folder kept: %s\n", dossier.c_str());
    } else {
      std::error_code ignore;
      std::filesystem::remove_all(dossier, ignore);
    }
  }
  return echecs == 0 ? 0 : 1;
}
