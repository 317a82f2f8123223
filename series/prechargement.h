// The next photos of the series read ahead by one worker thread while the
// operator measures the current one. The worker touches no record field and
// no renderer: it takes paths and hands back surfaces (or the error text of a
// failed read) through one mutex and its two condition variables. Everything
// here but the worker's own loop is called from the main thread only.
#pragma once

#include <SDL.h>
#include <sys/stat.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What one read of a photo file gave.
struct PhotoLue {
  SDL_Surface* surface = nullptr;  // as IMG_Load gives it; null after a failed read
  SDL_Surface* pixels = nullptr;   // the same pixels as the texture will hold them; null when not made
  std::string erreur;              // the text SDL_GetError gave after a failed read
};
// Frees both surfaces and clears them.
void libererPhotoLue(PhotoLue& photo);

// A file as stat sees it at one moment; a missing file has its errno.
struct IdentiteFichier {
  int erreur = 0;
  dev_t peripherique = 0;
  ino_t inode = 0;
  off_t taille = 0;
  timespec modification{0, 0};
  timespec changement{0, 0};
};
IdentiteFichier identiteFichier(const std::string& chemin);
// Same file, same size, same modification and change times (or missing alike).
bool memeFichier(const IdentiteFichier& a, const IdentiteFichier& b);

class Prechargeur {
 public:
  // Runs on the worker after each successful read: the pixels the texture
  // will take, or null. It may read the surface only; it may fill one of the
  // surfaces given back by rendre(), taking it out of the list, instead of
  // making a new one.
  using Preparation = std::function<SDL_Surface*(SDL_Surface*, std::vector<SDL_Surface*>&)>;
  static constexpr size_t kProfondeurMax = 2;
  // Prepared surfaces kept for reuse: one is enough when the photos come
  // one at a time, each given back before the next is prepared.
  static constexpr size_t kReserveMax = 1;

  explicit Prechargeur(Preparation preparer);
  ~Prechargeur();  // arreter()
  Prechargeur(const Prechargeur&) = delete;
  Prechargeur& operator=(const Prechargeur&) = delete;

  // The paths wanted ahead, nearest first (at most kProfondeurMax are kept).
  // Reads of other paths are dropped and their surfaces freed; a path
  // already read or being read is not read again. Nothing after arreter().
  void demander(const std::vector<std::string>& chemins);
  // The read of chemin, taken out of the hand-over: waits until the worker
  // has read it. False when it was not asked, when the worker is still on a
  // read no longer wanted, or when the file changed since it was read (that
  // read is freed): the caller then loads it itself.
  bool prendre(const std::string& chemin, PhotoLue& photo);
  // A prepared surface the caller is done with, kept for the next
  // preparation (a fresh photo-sized surface costs a page fault per page);
  // the oldest beyond kReserveMax is freed.
  void rendre(SDL_Surface* pixels);
  // Frees the surface on the worker, between its reads, or here when no
  // worker runs: freeing a photo-sized surface is not free either.
  void libererPlusTard(SDL_Surface* surface);
  // No more reads: those waiting are dropped, the one running is waited for
  // and freed, the worker is joined, the surfaces held are freed. With
  // attente_ms at 0 or more, a read still running after that long (a pipe
  // with no writer, a stalled folder) is left to itself: the worker is
  // detached, false is returned, and the object must then be kept alive, not
  // destroyed, for as long as the process runs.
  bool arreter(int64_t attente_ms = -1);

 private:
  // Moves the oldest kept surfaces beyond kReserveMax into trop, to free
  // outside the lock; mutex_ held.
  void rognerReserve(std::vector<SDL_Surface*>& trop);
  enum class Etape { Attente, EnCours, Prete };
  struct Entree {
    uint64_t numero = 0;
    std::string chemin;
    Etape etape = Etape::Attente;
    PhotoLue photo;
    IdentiteFichier identite;
    bool stable = false;  // the file did not change while it was read
  };

  void travailler();
  std::list<Entree>::iterator trouver(const std::string& chemin);

  Preparation preparer_;
  std::mutex mutex_;
  std::condition_variable travail_;  // worker side: an entry waits, or stop
  std::condition_variable fini_;     // main side: a read is ready, or the worker left
  std::list<Entree> entrees_;        // guarded by mutex_
  uint64_t numero_suivant_ = 1;      // guarded by mutex_
  uint64_t numero_en_cours_ = 0;     // the read the worker is on, 0 when idle; guarded by mutex_
  bool arret_ = false;               // guarded by mutex_
  bool termine_ = false;             // the worker has left; guarded by mutex_
  std::vector<SDL_Surface*> reserve_;    // from rendre(), oldest first; guarded by mutex_
  std::vector<SDL_Surface*> a_liberer_;  // from libererPlusTard(); guarded by mutex_
  std::thread travailleur_;          // started by the first demander()
};
