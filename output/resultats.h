// The three result files of a run. Each is emptied when the program starts
// (after a one-generation copy of what a previous run left in it) and every
// measurement is appended whole and made durable before the next photo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One result file behind a plain descriptor, so each record can be synced,
// and the last one taken back or the whole file replaced in one step.
class FichierResultat {
 public:
  // Copies a previous file holding more than its header to chemin + ".bak",
  // then creates or empties the file and writes entete into it, synced. A
  // file holding the header or less (an idle start, or one killed while
  // writing it) never replaces a copy. When the copy cannot be made, or the
  // header does not reach the disk, the file counts as not opened: results
  // are never emptied without their copy.
  explicit FichierResultat(const std::string& chemin, const std::string& entete = std::string());
  ~FichierResultat();
  // The same opening tried again, for a file that failed it (the disk was
  // full, a folder stood in its place): true when the file is open.
  bool ouvrir();
  FichierResultat(const FichierResultat&) = delete;
  FichierResultat& operator=(const FichierResultat&) = delete;

  bool ouvert() const { return descripteur_ >= 0; }
  const std::string& chemin() const { return chemin_; }
  // errno of the last step that failed, 0 when it was no system error (a
  // file shorter than a cut, an end that did not match).
  int erreur() const { return erreur_; }
  // Bytes in the file now; -1 when it is not open.
  int64_t taille() const;

  // Appends one record and syncs it to disk. False when the file is not open
  // or the write or the sync failed; the file then ends after the last record
  // that was reported written, so the next record starts clean.
  bool ajouter(const std::string& octets);

  // Cuts the last octets bytes off and syncs, so the file holds the record or
  // not, never part of it. False, with nothing cut, when the file is not open
  // or shorter than octets; false too when the cut or its sync failed.
  bool retirer(size_t octets);
  // The same, only when the file ends with exactly these bytes: a record that
  // never reached this file is not taken out of the one before it.
  bool retirerFin(const std::string& octets);

  // Writes contenu to a temporary file of the same folder, syncs it and
  // renames it over the file, so a kill at any moment leaves the old or the
  // new content whole; later records are appended to the new one. False, the
  // old content and its descriptor kept, when any step failed.
  bool remplacer(const std::string& contenu);
  // remplacer in two steps, for files replaced together: preparer writes and
  // syncs the temporary file, valider renames it over the file, abandonner
  // removes it. Each false with erreur() set and the file as it was.
  struct Remplacement {
    std::string temporaire;
    int descripteur = -1;
  };
  bool preparer(const std::string& contenu, Remplacement& r);
  bool valider(Remplacement& r);
  static void abandonner(Remplacement& r);

  // Where the file stands against the run's history (kept by the files'
  // concordance): en_retard when it may miss records or hold others, so it
  // takes no further record until rewritten whole; signale when its failure
  // was named and its return in step is still to be named.
  bool en_retard = false;
  bool signale = false;

  // Prints "Pb pour ouvrir le fichier <chemin>" when the file is not open.
  void signalerOuverture() const;
  // Prints "Pb pour ecrire dans le fichier <chemin>".
  void signalerEcriture() const;

 private:
  bool echec(int erreur);

  std::string chemin_;
  std::string entete_;
  int descripteur_ = -1;
  int erreur_ = 0;
};

// The reason of a failed step in French without accents: "disque plein",
// "ecriture refusee", "erreur d'entree-sortie" ...
std::string raisonErreur(int erreur);

// After a whole rewrite of a file of the run that is an aid (a picture, the
// calibrated file): when ecrit is false, the failure named once with the
// reason errno holds ("Pb pour ecrire <quoi> <chemin> : <raison>"); once it
// is written again, its return once ("<retour> <chemin> de nouveau a jour").
// en_panne holds which was said last.
void nommerEcriture(bool ecrit, const char* chemin, bool& en_panne, const char* quoi, const char* retour);

// Prints, once each, a failed sync of a folder after a rename ("Pb pour
// synchroniser le dossier ...") and the first sync that worked again after
// it ("Dossier ... de nouveau synchronise").
void signalerSynchronisationDossier();

// Prints "Pb pour ecrire dans le fichier <chemin>": the one line of every
// write that did not reach the disk.
void signalerEcritureImpossible(const std::string& chemin);

// Writes a whole file through a temporary file of its folder renamed over it
// (mode 0644), so readers see the old or the new file, never a part. False,
// the old file kept, when any step failed.
bool ecrireParRenommage(const std::string& chemin, const std::string& contenu);

// The copy a result file's opening makes, for another file of the run:
// what a previous run left in chemin, when it holds more than entete, copied
// whole to chemin + ".bak"; true when there was nothing to keep or the copy
// is safe.
bool garderCopie(const std::string& chemin, const std::string& entete);

// A value as the result files hold it: fixed point, 10 decimals, "." as the
// decimal point whatever the locale.
std::string texteResultat(double valeur);

// One record as each of the three files holds it: "x;y" CR LF, "x;", "y;".
// Their sizes are the bytes an append adds and a step back cuts: the one
// place that knows the records' bytes.
struct TextesRecord {
  std::string point, x, y;
};
TextesRecord textesRecord(const std::string& texte_x, const std::string& texte_y);

// After the first console line: one "Pb pour ouvrir le fichier ..." line for
// each of the three files that the start of the program could not open.
void signalerFichiersResultats();

// The three streams: output/concordance keeps them in step with the run.
FichierResultat& fichierPoint();
FichierResultat& fichierX();
FichierResultat& fichierY();
