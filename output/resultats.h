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
  FichierResultat(const FichierResultat&) = delete;
  FichierResultat& operator=(const FichierResultat&) = delete;

  bool ouvert() const { return descripteur_ >= 0; }
  const std::string& chemin() const { return chemin_; }
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

  // Prints "Pb pour ouvrir le fichier <chemin>" when the file is not open.
  void signalerOuverture() const;
  // Prints "Pb pour ecrire dans le fichier <chemin>".
  void signalerEcriture() const;

 private:
  std::string chemin_;
  int descripteur_ = -1;
};

// Prints "Pb pour ecrire dans le fichier <chemin>": the one line of every
// write that did not reach the disk.
void signalerEcritureImpossible(const std::string& chemin);

// Writes a whole file through a temporary file of its folder renamed over it
// (mode 0644), so readers see the old or the new file, never a part. False,
// the old file kept, when any step failed.
bool ecrireParRenommage(const std::string& chemin, const std::string& contenu);

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

// Appends m_centre_x and m_centre_y to the three result files; prints
// "Pb pour ecrire dans le fichier ..." for each file that did not take it.
// Says which of the three files took the record.
struct RecordEcrit {
  bool tente = false;  // a record was written (something was selected)
  bool point = false, x = false, y = false;
  std::string texte_x, texte_y;  // its two values as written, when tente
  bool tous() const { return point && x && y; }
};
RecordEcrit ecrireResultats();

// The three streams, for taking back or rewriting their records.
FichierResultat& fichierPoint();
FichierResultat& fichierX();
FichierResultat& fichierY();

// The same into the given files (the program passes its three streams).
RecordEcrit ecrireResultatsDans(FichierResultat& point, FichierResultat& x, FichierResultat& y);

// One record given by the texts of its two values, as a resumed row brings
// them, appended as textesRecord gives it. Prints the write line for each
// file that did not take it.
RecordEcrit ecrireTextesDans(FichierResultat& point, FichierResultat& x, FichierResultat& y, const std::string& texte_x,
                      const std::string& texte_y);
// Takes that record back from the end of each file that ends with it; prints
// the write line for each that did not; true when all three gave it back.
bool retirerTextesDe(FichierResultat& point, FichierResultat& x, FichierResultat& y, const std::string& texte_x,
                     const std::string& texte_y);
