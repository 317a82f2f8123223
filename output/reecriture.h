// The four files of the run written again whole from the history, after a
// past photo's record was replaced or removed: each through a temporary file,
// a sync and a rename, so a kill leaves it as it was or as it is now.
#pragma once

#include <string>
#include <vector>

#include "etat/historique.h"

// What the files hold for these souvenirs, in their order: the detail
// file's header and rows, and the records of the rows that wrote one.
struct ContenusRun {
  std::string detail, point, x, y;
};
ContenusRun contenusDe(const std::vector<Souvenir>& souvenirs);

// Which files took their new content.
struct FichiersReecrits {
  bool detail = false, point = false, x = false, y = false;
};
// Writes the four files from the souvenirs, the three result files first and
// the detail file last (a resume rebuilds the others from it); prints
// "Pb pour ecrire dans le fichier ..." for each open file that did not take
// it. Each souvenir's byte counts then say what the files that took their
// content hold, so that a later step back cuts the right bytes.
FichiersReecrits reecrireFichiers(std::vector<Souvenir>& souvenirs);
