#include "output/resultats.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

#include "app/etat.h"

namespace {

bool ecrireTout(int descripteur, const char* octets, size_t taille) {
  size_t fait = 0;
  while (fait < taille) {
    ssize_t n = ::write(descripteur, octets + fait, taille - fait);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    fait += static_cast<size_t>(n);
  }
  return true;
}

// A file that cannot be synced (a character device) holds nothing to lose.
bool synchroniser(int descripteur) { return ::fsync(descripteur) == 0 || errno == EINVAL; }

// Makes a created or renamed entry of the folder survive a power loss too.
void synchroniserDossier(const std::string& chemin) {
  std::string::size_type barre = chemin.rfind('/');
  std::string dossier = barre == std::string::npos ? "." : chemin.substr(0, barre == 0 ? 1 : barre);
  int d = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (d < 0) return;
  ::fsync(d);
  ::close(d);
}

// Copies a previous non-empty result file to chemin + ".bak" through a
// temporary file renamed at the end, so an older copy is only ever replaced
// by a complete one. True when there was nothing to keep or the copy is safe.
bool sauvegarder(const std::string& chemin) {
  struct stat infos;
  if (::stat(chemin.c_str(), &infos) != 0) return true;  // nothing there: the open decides
  if (!S_ISREG(infos.st_mode) || infos.st_size == 0) return true;

  int source = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) return false;
  std::vector<char> modele(chemin.begin(), chemin.end());
  const char suite[] = ".bak.XXXXXX";
  modele.insert(modele.end(), suite, suite + sizeof suite);
  int copie = ::mkstemp(modele.data());
  if (copie < 0) {
    ::close(source);
    return false;
  }
  ::fchmod(copie, infos.st_mode & 0777);

  bool reussi = true;
  std::vector<char> tampon(1 << 16);
  for (;;) {
    ssize_t n = ::read(source, tampon.data(), tampon.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) reussi = false;
    if (n <= 0) break;
    if (!ecrireTout(copie, tampon.data(), static_cast<size_t>(n))) {
      reussi = false;
      break;
    }
  }
  reussi = reussi && synchroniser(copie);
  ::close(copie);
  ::close(source);
  std::string temporaire(modele.data());
  if (reussi) reussi = std::rename(temporaire.c_str(), (chemin + ".bak").c_str()) == 0;
  if (!reussi) {
    ::unlink(temporaire.c_str());
    return false;
  }
  synchroniserDossier(chemin);
  return true;
}

// A file that did not take its record is named, and the others still get
// theirs: one bad file must not cost the whole measurement.
void ajouterOuSignaler(FichierResultat& fichier, const std::string& octets) {
  if (!fichier.ajouter(octets)) std::cout << "Pb pour ecrire dans le fichier " << fichier.chemin() << std::endl;
}

}  // namespace

FichierResultat::FichierResultat(const std::string& chemin) : chemin_(chemin) {
  if (!sauvegarder(chemin_)) return;
  descripteur_ = ::open(chemin_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descripteur_ >= 0) synchroniserDossier(chemin_);
}

FichierResultat::~FichierResultat() {
  if (descripteur_ >= 0) ::close(descripteur_);
}

bool FichierResultat::ajouter(const std::string& octets) {
  if (descripteur_ < 0) return false;
  off_t debut = ::lseek(descripteur_, 0, SEEK_CUR);
  if (ecrireTout(descripteur_, octets.data(), octets.size()) && synchroniser(descripteur_)) return true;
  // A half-written record would run into the next one: cut it off.
  if (debut >= 0 && ::ftruncate(descripteur_, debut) == 0) ::lseek(descripteur_, debut, SEEK_SET);
  return false;
}

void FichierResultat::signalerOuverture() const {
  if (!ouvert()) std::cout << "Pb pour ouvrir le fichier " << chemin_ << std::endl;
}

std::string texteResultat(double valeur) {
  std::ostringstream texte;
  texte.imbue(std::locale::classic());
  texte << std::fixed << std::setprecision(10) << valeur;
  return texte.str();
}

// Opened by static initialisation, in this order, before the entry runs.
FichierResultat flux_resu_point("donnees/resu_point.txt");
FichierResultat flux_resu_x("donnees/resu_point_orbelan_x.txt");
FichierResultat flux_resu_y("donnees/resu_point_orbelan_y.txt");

void signalerFichiersResultats() {
  flux_resu_point.signalerOuverture();
  flux_resu_x.signalerOuverture();
  flux_resu_y.signalerOuverture();
}

void ecrireResultats() { ecrireResultatsDans(flux_resu_point, flux_resu_x, flux_resu_y); }

void ecrireResultatsDans(FichierResultat& point, FichierResultat& x, FichierResultat& y) {
  const Etat& e = *g_etat;
  std::string texte_x = texteResultat(e.m_centre_x);
  std::string texte_y = texteResultat(e.m_centre_y);
  // CR LF on every platform: the tools reading this file expect those bytes.
  ajouterOuSignaler(point, texte_x + ";" + texte_y + "\r\n");
  ajouterOuSignaler(x, texte_x + ";");
  ajouterOuSignaler(y, texte_y + ";");
}
