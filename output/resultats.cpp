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

#include "etat/etat.h"

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

// True when the file at chemin holds no more than a beginning of entete (an
// empty file, an idle start's header, a header cut by a kill): no run to keep.
bool sansEnregistrement(const std::string& chemin, const struct stat& infos, const std::string& entete) {
  if (infos.st_size == 0) return true;
  if (static_cast<uint64_t>(infos.st_size) > entete.size()) return false;
  int source = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) return false;
  std::string lu(static_cast<size_t>(infos.st_size), '\0');
  ssize_t n = ::pread(source, &lu[0], lu.size(), 0);
  ::close(source);
  return n == static_cast<ssize_t>(lu.size()) && entete.compare(0, lu.size(), lu) == 0;
}

// Copies a previous result file that holds records to chemin + ".bak"
// through a temporary file renamed at the end, so an older copy is only ever
// replaced by a complete one. True when there was nothing to keep or the copy
// is safe.
bool sauvegarder(const std::string& chemin, const std::string& entete) {
  struct stat infos;
  if (::stat(chemin.c_str(), &infos) != 0) return true;  // nothing there: the open decides
  if (!S_ISREG(infos.st_mode) || sansEnregistrement(chemin, infos, entete)) return true;

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
bool ajouterOuSignaler(FichierResultat& fichier, const std::string& octets) {
  if (fichier.ajouter(octets)) return true;
  fichier.signalerEcriture();
  return false;
}

bool retirerOuSignaler(FichierResultat& fichier, const std::string& octets) {
  if (fichier.retirerFin(octets)) return true;
  fichier.signalerEcriture();
  return false;
}

// Writes contenu, synced, into a new temporary file beside chemin with the
// given mode. Its descriptor, or -1 with nothing left behind.
int ecrireTemporaire(const std::string& chemin, const std::string& contenu, mode_t mode, std::string& temporaire) {
  std::vector<char> modele(chemin.begin(), chemin.end());
  const char suite[] = ".tmp.XXXXXX";
  modele.insert(modele.end(), suite, suite + sizeof suite);
  int d = ::mkostemp(modele.data(), O_CLOEXEC);
  if (d < 0) return -1;
  temporaire = modele.data();
  if (::fchmod(d, mode) == 0 && ecrireTout(d, contenu.data(), contenu.size()) && synchroniser(d)) return d;
  ::close(d);
  ::unlink(temporaire.c_str());
  return -1;
}

}  // namespace

FichierResultat::FichierResultat(const std::string& chemin, const std::string& entete) : chemin_(chemin) {
  if (!sauvegarder(chemin_, entete)) return;
  // Read access lets a record be checked before it is taken back; a file we
  // may only write is still written, as before.
  descripteur_ = ::open(chemin_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descripteur_ < 0 && errno == EACCES)
    descripteur_ = ::open(chemin_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descripteur_ < 0) return;
  synchroniserDossier(chemin_);
  if (!entete.empty() && !(ecrireTout(descripteur_, entete.data(), entete.size()) && synchroniser(descripteur_))) {
    // Rows without their header would not read back: better no file at all.
    ::close(descripteur_);
    descripteur_ = -1;
  }
}

FichierResultat::~FichierResultat() {
  if (descripteur_ >= 0) ::close(descripteur_);
}

int64_t FichierResultat::taille() const {
  struct stat infos;
  if (descripteur_ < 0 || ::fstat(descripteur_, &infos) != 0) return -1;
  return infos.st_size;
}

bool FichierResultat::ajouter(const std::string& octets) {
  if (descripteur_ < 0) return false;
  off_t debut = ::lseek(descripteur_, 0, SEEK_CUR);
  if (ecrireTout(descripteur_, octets.data(), octets.size()) && synchroniser(descripteur_)) return true;
  // A half-written record would run into the next one: cut it off.
  if (debut >= 0 && ::ftruncate(descripteur_, debut) == 0) ::lseek(descripteur_, debut, SEEK_SET);
  return false;
}

bool FichierResultat::retirer(size_t octets) {
  const int64_t avant = taille();
  if (avant < 0 || octets > static_cast<uint64_t>(avant)) return false;
  const off_t apres = static_cast<off_t>(avant - static_cast<int64_t>(octets));
  if (::ftruncate(descripteur_, apres) != 0) return false;
  // The next record goes where the cut one began, leaving no hole.
  ::lseek(descripteur_, apres, SEEK_SET);
  return synchroniser(descripteur_);
}

bool FichierResultat::retirerFin(const std::string& octets) {
  const int64_t avant = taille();
  if (avant < 0 || octets.size() > static_cast<uint64_t>(avant)) return false;
  std::string fin(octets.size(), '\0');
  const off_t debut = static_cast<off_t>(avant - static_cast<int64_t>(octets.size()));
  if (!fin.empty() && ::pread(descripteur_, &fin[0], fin.size(), debut) != static_cast<ssize_t>(fin.size()))
    return false;
  return fin == octets && retirer(octets.size());
}

bool FichierResultat::remplacer(const std::string& contenu) {
  struct stat infos;
  // A device or a folder in the file's place is not turned into a file.
  if (descripteur_ < 0 || ::fstat(descripteur_, &infos) != 0 || !S_ISREG(infos.st_mode)) return false;
  std::string temporaire;
  int nouveau = ecrireTemporaire(chemin_, contenu, infos.st_mode & 0777, temporaire);
  if (nouveau < 0) return false;
  if (std::rename(temporaire.c_str(), chemin_.c_str()) != 0) {
    ::close(nouveau);
    ::unlink(temporaire.c_str());
    return false;
  }
  synchroniserDossier(chemin_);
  // The temporary file's descriptor is the new file's, already at its end.
  ::close(descripteur_);
  descripteur_ = nouveau;
  return true;
}

void FichierResultat::signalerOuverture() const {
  if (!ouvert()) std::cout << "Pb pour ouvrir le fichier " << chemin_ << std::endl;
}

void FichierResultat::signalerEcriture() const { signalerEcritureImpossible(chemin_); }

void signalerEcritureImpossible(const std::string& chemin) {
  std::cout << "Pb pour ecrire dans le fichier " << chemin << std::endl;
}

bool ecrireParRenommage(const std::string& chemin, const std::string& contenu) {
  std::string temporaire;
  int d = ecrireTemporaire(chemin, contenu, 0644, temporaire);
  if (d < 0) return false;
  ::close(d);
  if (std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
    ::unlink(temporaire.c_str());
    return false;
  }
  synchroniserDossier(chemin);
  return true;
}

std::string texteResultat(double valeur) {
  std::ostringstream texte;
  texte.imbue(std::locale::classic());
  texte << std::fixed << std::setprecision(10) << valeur;
  return texte.str();
}

TextesRecord textesRecord(const std::string& texte_x, const std::string& texte_y) {
  // CR LF on every platform: the tools reading the point file expect those bytes.
  return {texte_x + ";" + texte_y + "\r\n", texte_x + ";", texte_y + ";"};
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

FichierResultat& fichierPoint() { return flux_resu_point; }
FichierResultat& fichierX() { return flux_resu_x; }
FichierResultat& fichierY() { return flux_resu_y; }

RecordEcrit ecrireResultats() { return ecrireResultatsDans(flux_resu_point, flux_resu_x, flux_resu_y); }

RecordEcrit ecrireResultatsDans(FichierResultat& point, FichierResultat& x, FichierResultat& y) {
  const Etat& e = *g_etat;
  return ecrireTextesDans(point, x, y, texteResultat(e.m_centre_x), texteResultat(e.m_centre_y));
}

RecordEcrit ecrireTextesDans(FichierResultat& point, FichierResultat& x, FichierResultat& y, const std::string& texte_x,
                      const std::string& texte_y) {
  const TextesRecord textes = textesRecord(texte_x, texte_y);
  RecordEcrit ecrit;
  ecrit.tente = true;
  ecrit.point = ajouterOuSignaler(point, textes.point);
  ecrit.x = ajouterOuSignaler(x, textes.x);
  ecrit.y = ajouterOuSignaler(y, textes.y);
  ecrit.texte_x = texte_x;
  ecrit.texte_y = texte_y;
  return ecrit;
}

bool retirerTextesDe(FichierResultat& point, FichierResultat& x, FichierResultat& y, const std::string& texte_x,
                     const std::string& texte_y) {
  const TextesRecord textes = textesRecord(texte_x, texte_y);
  bool tous = retirerOuSignaler(point, textes.point);
  tous = retirerOuSignaler(x, textes.x) && tous;
  return retirerOuSignaler(y, textes.y) && tous;
}
