// The three result files of a run. Each is emptied when the program starts
// (after a one-generation copy of what a previous run left in it) and every
// measurement is appended whole and made durable before the next photo.
#pragma once

#include <string>

// One result file behind a plain descriptor, so each record can be synced.
class FichierResultat {
 public:
  // Copies a previous non-empty file to chemin + ".bak", then creates or
  // empties the file. When the copy cannot be made the file is left as it is
  // and counts as not opened: results are never emptied without their copy.
  explicit FichierResultat(const std::string& chemin);
  ~FichierResultat();
  FichierResultat(const FichierResultat&) = delete;
  FichierResultat& operator=(const FichierResultat&) = delete;

  bool ouvert() const { return descripteur_ >= 0; }
  const std::string& chemin() const { return chemin_; }

  // Appends one record and syncs it to disk. False when the file is not open
  // or the write or the sync failed; the file then ends after the last record
  // that was reported written, so the next record starts clean.
  bool ajouter(const std::string& octets);

  // Prints "Pb pour ouvrir le fichier <chemin>" when the file is not open.
  void signalerOuverture() const;

 private:
  std::string chemin_;
  int descripteur_ = -1;
};

// A value as the result files hold it: fixed point, 10 decimals, "." as the
// decimal point whatever the locale.
std::string texteResultat(double valeur);

// After the first console line: one "Pb pour ouvrir le fichier ..." line for
// each of the three files that the start of the program could not open.
void signalerFichiersResultats();

// Appends m_centre_x and m_centre_y to the three result files; prints
// "Pb pour ecrire dans le fichier ..." for each file that did not take it.
void ecrireResultats();

// The same into the given files (the program passes its three streams).
void ecrireResultatsDans(FichierResultat& point, FichierResultat& x, FichierResultat& y);
