#include "series/prechargement.h"

#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <utility>

void libererPhotoLue(PhotoLue& photo) {
  SDL_FreeSurface(photo.surface);
  SDL_FreeSurface(photo.pixels);
  photo.surface = photo.pixels = nullptr;
}

IdentiteFichier identiteFichier(const std::string& chemin) {
  IdentiteFichier id;
  struct stat infos;
  if (stat(chemin.c_str(), &infos) != 0) {
    id.erreur = errno != 0 ? errno : ENOENT;
    return id;
  }
  id.peripherique = infos.st_dev;
  id.inode = infos.st_ino;
  id.taille = infos.st_size;
  id.modification = infos.st_mtim;
  id.changement = infos.st_ctim;
  return id;
}

bool memeFichier(const IdentiteFichier& a, const IdentiteFichier& b) {
  if (a.erreur != 0 || b.erreur != 0) return a.erreur == b.erreur;
  return a.peripherique == b.peripherique && a.inode == b.inode && a.taille == b.taille &&
         a.modification.tv_sec == b.modification.tv_sec && a.modification.tv_nsec == b.modification.tv_nsec &&
         a.changement.tv_sec == b.changement.tv_sec && a.changement.tv_nsec == b.changement.tv_nsec;
}

namespace {

void libererSurfaces(std::vector<SDL_Surface*>& surfaces) {
  for (SDL_Surface* s : surfaces) SDL_FreeSurface(s);
  surfaces.clear();
}

}  // namespace

Prechargeur::Prechargeur(Preparation preparer) : preparer_(std::move(preparer)) {}

Prechargeur::~Prechargeur() { arreter(); }

std::list<Prechargeur::Entree>::iterator Prechargeur::trouver(const std::string& chemin) {
  return std::find_if(entrees_.begin(), entrees_.end(), [&](const Entree& e) { return e.chemin == chemin; });
}

void Prechargeur::demander(const std::vector<std::string>& chemins) {
  std::lock_guard<std::mutex> verrou(mutex_);
  if (arret_) return;
  const size_t n = std::min(chemins.size(), kProfondeurMax);
  const auto voulu = [&](const std::string& c) { return std::find(chemins.begin(), chemins.begin() + n, c) != chemins.begin() + n; };
  // a read running for a path no longer wanted is freed by the worker when it ends
  for (auto it = entrees_.begin(); it != entrees_.end();) {
    if (voulu(it->chemin)) {
      ++it;
      continue;
    }
    libererPhotoLue(it->photo);
    it = entrees_.erase(it);
  }
  bool nouvelle = false;
  for (size_t i = 0; i < n; ++i) {
    if (chemins[i].empty() || trouver(chemins[i]) != entrees_.end()) continue;
    Entree e;
    e.numero = numero_suivant_++;
    e.chemin = chemins[i];
    entrees_.push_back(std::move(e));
    nouvelle = true;
  }
  if (!nouvelle) return;
  if (!travailleur_.joinable()) {
    travailleur_ = std::thread([this] {
      travailler();
      // SDL keeps the error text of a thread it did not start in memory of
      // that thread's own: given back here, as its own threads do at their end
      SDL_TLSCleanup();
      std::lock_guard<std::mutex> verrou(mutex_);
      termine_ = true;
      fini_.notify_all();
    });
  }
  travail_.notify_one();
}

bool Prechargeur::prendre(const std::string& chemin, PhotoLue& photo) {
  std::unique_lock<std::mutex> verrou(mutex_);
  auto it = trouver(chemin);
  if (it == entrees_.end()) return false;
  // Not started while the worker ends a read nobody wants any more: reading
  // it here is sooner than after that one.
  const bool abandonnee = numero_en_cours_ != 0 && std::none_of(entrees_.begin(), entrees_.end(), [&](const Entree& e) {
    return e.numero == numero_en_cours_;
  });
  if (it->etape == Etape::Attente && abandonnee) {
    entrees_.erase(it);
    return false;
  }
  // Only this thread erases entries, so the iterator stays valid while waiting.
  fini_.wait(verrou, [&] { return it->etape == Etape::Prete; });
  PhotoLue lue = it->photo;
  const IdentiteFichier identite = it->identite;
  const bool stable = it->stable;
  entrees_.erase(it);
  verrou.unlock();
  if (!stable || !memeFichier(identite, identiteFichier(chemin))) {
    libererPhotoLue(lue);
    return false;
  }
  photo = lue;
  return true;
}

void Prechargeur::rognerReserve(std::vector<SDL_Surface*>& trop) {
  while (reserve_.size() > kReserveMax) {
    trop.push_back(reserve_.front());
    reserve_.erase(reserve_.begin());
  }
}

void Prechargeur::rendre(SDL_Surface* pixels) {
  if (pixels == nullptr) return;
  std::vector<SDL_Surface*> trop;
  {
    std::lock_guard<std::mutex> verrou(mutex_);
    reserve_.push_back(pixels);
    if (arret_) trop.swap(reserve_);
    rognerReserve(trop);
  }
  libererSurfaces(trop);
}

void Prechargeur::libererPlusTard(SDL_Surface* surface) {
  if (surface == nullptr) return;
  {
    std::lock_guard<std::mutex> verrou(mutex_);
    if (!arret_ && travailleur_.joinable()) {
      a_liberer_.push_back(surface);
      travail_.notify_one();
      return;
    }
  }
  SDL_FreeSurface(surface);
}

bool Prechargeur::arreter(int64_t attente_ms) {
  {
    std::unique_lock<std::mutex> verrou(mutex_);
    arret_ = true;
    for (Entree& e : entrees_) libererPhotoLue(e.photo);
    entrees_.clear();
    travail_.notify_one();
    if (travailleur_.joinable() && attente_ms >= 0 &&
        !fini_.wait_for(verrou, std::chrono::milliseconds(attente_ms), [this] { return termine_; })) {
      // the read may never return: the object stays for the worker to end in
      travailleur_.detach();
      return false;
    }
  }
  if (travailleur_.joinable()) travailleur_.join();
  // the worker is gone: nobody else holds the mutex
  std::lock_guard<std::mutex> verrou(mutex_);
  libererSurfaces(reserve_);
  libererSurfaces(a_liberer_);
  return true;
}

void Prechargeur::travailler() {
  std::unique_lock<std::mutex> verrou(mutex_);
  for (;;) {
    auto attente = entrees_.end();
    travail_.wait(verrou, [&] {
      attente = std::find_if(entrees_.begin(), entrees_.end(), [](const Entree& e) { return e.etape == Etape::Attente; });
      return arret_ || !a_liberer_.empty() || attente != entrees_.end();
    });
    if (arret_) return;
    if (!a_liberer_.empty()) {
      std::vector<SDL_Surface*> surfaces;
      surfaces.swap(a_liberer_);
      verrou.unlock();
      libererSurfaces(surfaces);
      verrou.lock();
      continue;
    }
    attente->etape = Etape::EnCours;
    const uint64_t numero = attente->numero;
    numero_en_cours_ = numero;
    const std::string chemin = attente->chemin;
    verrou.unlock();

    // The identity before and after the read: a file replaced while it was
    // read gives a read that is never used.
    Entree lue;
    lue.identite = identiteFichier(chemin);
    lue.photo.surface = IMG_Load(chemin.c_str());
    if (lue.photo.surface == nullptr) {
      lue.photo.erreur = SDL_GetError();
    } else if (preparer_) {
      std::vector<SDL_Surface*> reserve;
      verrou.lock();
      reserve.swap(reserve_);
      verrou.unlock();
      lue.photo.pixels = preparer_(lue.photo.surface, reserve);
      // what it did not use goes back, older than what came in meanwhile
      verrou.lock();
      reserve_.insert(reserve_.begin(), reserve.begin(), reserve.end());
      reserve.clear();
      rognerReserve(reserve);
      verrou.unlock();
      libererSurfaces(reserve);
    }
    lue.stable = memeFichier(lue.identite, identiteFichier(chemin));

    verrou.lock();
    numero_en_cours_ = 0;
    auto it = std::find_if(entrees_.begin(), entrees_.end(), [&](const Entree& e) { return e.numero == numero; });
    if (it == entrees_.end()) {  // dropped while it was read
      libererPhotoLue(lue.photo);
      continue;
    }
    it->photo = lue.photo;
    it->identite = lue.identite;
    it->stable = lue.stable;
    it->etape = Etape::Prete;
    fini_.notify_all();
  }
}
