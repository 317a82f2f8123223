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

// The folder syncs' state, named by signalerSynchronisationDossier: static
// like the streams, whose opening syncs folders before the entry runs.
struct SuiviDossier {
  bool echec_a_dire = false;  // a sync failed and is not named yet
  bool signale = false;       // a failure was named, its end not yet
  bool reussie = false;       // a sync worked since the last failure
  std::string dossier;        // the folder that failed
};
SuiviDossier& suiviDossier() {
  static SuiviDossier suivi;
  return suivi;
}

// Makes a created or renamed entry of the folder survive a power loss too.
void synchroniserDossier(const std::string& chemin) {
  std::string::size_type barre = chemin.rfind('/');
  std::string dossier = barre == std::string::npos ? "." : chemin.substr(0, barre == 0 ? 1 : barre);
  int d = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool fait = d >= 0 && ::fsync(d) == 0;
  if (d >= 0) ::close(d);
  SuiviDossier& suivi = suiviDossier();
  suivi.reussie = fait;
  if (fait) return;
  if (!suivi.signale) suivi.echec_a_dire = true;
  suivi.dossier = dossier;
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
  const int erreur = errno;
  ::close(d);
  ::unlink(temporaire.c_str());
  errno = erreur;
  return -1;
}

}  // namespace

FichierResultat::FichierResultat(const std::string& chemin, const std::string& entete)
    : chemin_(chemin), entete_(entete) {
  if (ouvrir()) return;
  // named at start as not opened; it takes the run's records once it opens
  en_retard = true;
  signale = true;
}

bool FichierResultat::echec(int code) {
  erreur_ = code;
  return false;
}

bool FichierResultat::ouvrir() {
  if (descripteur_ >= 0) return true;
  erreur_ = 0;
  if (!sauvegarder(chemin_, entete_)) return echec(errno);
  // Read access lets a record be checked before it is taken back; a file we
  // may only write is still written, as before.
  descripteur_ = ::open(chemin_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descripteur_ < 0 && errno == EACCES)
    descripteur_ = ::open(chemin_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descripteur_ < 0) return echec(errno);
  synchroniserDossier(chemin_);
  if (!entete_.empty() && !(ecrireTout(descripteur_, entete_.data(), entete_.size()) && synchroniser(descripteur_))) {
    // Rows without their header would not read back: better no file at all,
    // and no part of a header left in it.
    const int code = errno;
    if (::ftruncate(descripteur_, 0) == 0) synchroniser(descripteur_);
    ::close(descripteur_);
    descripteur_ = -1;
    return echec(code);
  }
  return true;
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
  erreur_ = 0;
  if (descripteur_ < 0) return false;
  off_t debut = ::lseek(descripteur_, 0, SEEK_CUR);
  if (ecrireTout(descripteur_, octets.data(), octets.size()) && synchroniser(descripteur_)) return true;
  const int code = errno;
  // A half-written record would run into the next one: cut it off.
  if (debut >= 0 && ::ftruncate(descripteur_, debut) == 0) ::lseek(descripteur_, debut, SEEK_SET);
  return echec(code);
}

bool FichierResultat::retirer(size_t octets) {
  erreur_ = 0;
  const int64_t avant = taille();
  if (avant < 0 || octets > static_cast<uint64_t>(avant)) return false;
  const off_t apres = static_cast<off_t>(avant - static_cast<int64_t>(octets));
  if (::ftruncate(descripteur_, apres) != 0) return echec(errno);
  // The next record goes where the cut one began, leaving no hole.
  ::lseek(descripteur_, apres, SEEK_SET);
  return synchroniser(descripteur_) || echec(errno);
}

bool FichierResultat::retirerFin(const std::string& octets) {
  erreur_ = 0;
  const int64_t avant = taille();
  if (avant < 0 || octets.size() > static_cast<uint64_t>(avant)) return false;
  std::string fin(octets.size(), '\0');
  const off_t debut = static_cast<off_t>(avant - static_cast<int64_t>(octets.size()));
  if (!fin.empty() && ::pread(descripteur_, &fin[0], fin.size(), debut) != static_cast<ssize_t>(fin.size()))
    return echec(errno);
  return fin == octets && retirer(octets.size());
}

bool FichierResultat::remplacer(const std::string& contenu) {
  Remplacement r;
  return preparer(contenu, r) && valider(r);
}

bool FichierResultat::preparer(const std::string& contenu, Remplacement& r) {
  erreur_ = 0;
  struct stat infos;
  if (descripteur_ < 0) return false;
  if (::fstat(descripteur_, &infos) != 0) return echec(errno);
  // A device or a folder in the file's place is not turned into a file.
  if (!S_ISREG(infos.st_mode)) return echec(EINVAL);
  r.descripteur = ecrireTemporaire(chemin_, contenu, infos.st_mode & 0777, r.temporaire);
  return r.descripteur >= 0 || echec(errno);
}

bool FichierResultat::valider(Remplacement& r) {
  erreur_ = 0;
  if (std::rename(r.temporaire.c_str(), chemin_.c_str()) != 0) {
    const int code = errno;
    abandonner(r);
    return echec(code);
  }
  synchroniserDossier(chemin_);
  // The temporary file's descriptor is the new file's, already at its end.
  ::close(descripteur_);
  descripteur_ = r.descripteur;
  r.descripteur = -1;
  r.temporaire.clear();
  return true;
}

void FichierResultat::abandonner(Remplacement& r) {
  if (r.descripteur < 0) return;
  ::close(r.descripteur);
  ::unlink(r.temporaire.c_str());
  r.descripteur = -1;
  r.temporaire.clear();
}

void FichierResultat::signalerOuverture() const {
  if (!ouvert()) std::cout << "Pb pour ouvrir le fichier " << chemin_ << std::endl;
}

void FichierResultat::signalerEcriture() const { signalerEcritureImpossible(chemin_); }

void signalerEcritureImpossible(const std::string& chemin) {
  std::cout << "Pb pour ecrire dans le fichier " << chemin << std::endl;
}

void nommerEcriture(bool ecrit, const char* chemin, bool& en_panne, const char* quoi, const char* retour) {
  const int erreur = errno;
  if (!ecrit) {
    if (!en_panne)
      std::cout << "Pb pour ecrire " << quoi << " " << chemin << " : " << raisonErreur(erreur) << std::endl;
    en_panne = true;
  } else if (en_panne) {
    std::cout << retour << " " << chemin << " de nouveau a jour" << std::endl;
    en_panne = false;
  }
}

std::string raisonErreur(int erreur) {
  switch (erreur) {
    case ENOSPC:
    case EDQUOT:
      return "disque plein";
    case EACCES:
    case EPERM:
      return "ecriture refusee";
    case EROFS:
      return "disque en lecture seule";
    case EISDIR:
    case EINVAL:
      return "pas un fichier ordinaire";
    case ENOENT:
    case ENOTDIR:
      return "dossier absent";
    case EIO:
      return "erreur d'entree-sortie";
    case 0:
      return "contenu inattendu";
    default:
      return "erreur systeme " + std::to_string(erreur);
  }
}

void signalerSynchronisationDossier() {
  SuiviDossier& suivi = suiviDossier();
  if (suivi.echec_a_dire) {
    std::cout << "Pb pour synchroniser le dossier " << suivi.dossier << std::endl;
    suivi.echec_a_dire = false;
    suivi.signale = true;
  } else if (suivi.signale && suivi.reussie) {
    std::cout << "Dossier " << suivi.dossier << " de nouveau synchronise" << std::endl;
    suivi.signale = false;
  }
}

bool ecrireParRenommage(const std::string& chemin, const std::string& contenu) {
  std::string temporaire;
  int d = ecrireTemporaire(chemin, contenu, 0644, temporaire);
  if (d < 0) return false;
  ::close(d);
  if (std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
    const int erreur = errno;
    ::unlink(temporaire.c_str());
    errno = erreur;
    return false;
  }
  synchroniserDossier(chemin);
  return true;
}

bool garderCopie(const std::string& chemin, const std::string& entete) { return sauvegarder(chemin, entete); }

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
  signalerSynchronisationDossier();
}

FichierResultat& fichierPoint() { return flux_resu_point; }
FichierResultat& fichierX() { return flux_resu_x; }
FichierResultat& fichierY() { return flux_resu_y; }
