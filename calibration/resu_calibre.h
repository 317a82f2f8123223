// The calibrated file "donnees/resu_calibre.csv": one row per recorded
// photo, in the detail file's order, its position in the calibrated frame
// with its standard uncertainty, its time, velocity and acceleration. Same
// rules as the detail file: ";" between fields, "." decimals, CR LF, fields
// holding ";", a quote or a line end quoted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "etat/calibration.h"

// Standard uncertainty of a clicked calibration point, photo pixels.
constexpr double kIncertitudeClic = 0.5;

// One recorded photo as measured: photo pixels, y down.
struct MesurePhoto {
  int64_t rang = 0;    // its detail row's rang
  int64_t indice = 0;  // its place in the series from 0, passed photos counted
  std::string photo;
  double x = 0.0, y = 0.0, ux = 0.0, uy = 0.0;
  TempsPhoto exif;
};

struct LigneCalibree {
  int64_t rang = 0;
  std::string photo;
  double t = 0.0;
  double x = 0.0, y = 0.0, ix = 0.0, iy = 0.0;
  bool derivee = false;  // vx, vy, ax, ay exist
  double vx = 0.0, vy = 0.0, ax = 0.0, ay = 0.0;
  double ivx = 0.0, ivy = 0.0, iax = 0.0, iay = 0.0;  // their propagated standard uncertainties
};

struct RunCalibre {
  std::vector<LigneCalibree> lignes;
  std::string unite = "px", unite_temps = "photo";
  std::string repli_temps;  // why EXIF times were set aside ("" when not)
};

// The calibrated run: positions mapped through the calibration, their
// uncertainty from the selection's and from the calibration's clicked
// points (each kIncertitudeClic), propagated to the derivatives.
RunCalibre calibrerRun(const std::vector<MesurePhoto>& mesures, const Calibration& c);

// A row of an earlier calibrated file, its fields as the file holds them.
struct LigneCalibreeLue {
  int64_t rang = 0;
  std::string photo, x, y, ix, iy, unite;
};
// The rows of a calibrated file's text; none when its first line is not
// the header (another version, a damaged file); a row that does not parse
// is left out.
std::vector<LigneCalibreeLue> lireResuCalibre(const std::string& texte);

// The selection uncertainties (photo pixels) an earlier calibrated file
// holds, brought back through the same calibration: for each measure whose
// rang and photo a row holds with the same position and unit through c, ux
// and uy are set, and trouvees[i] is true, when they give the row's
// uncertainties back to the last decimal. The others are left as they are.
std::vector<bool> retrouverIncertitudes(std::vector<MesurePhoto>& mesures, const Calibration& c,
                                        const std::vector<LigneCalibreeLue>& lignes);

// The fields of one row of a CSV file of the run (quoted fields unquoted),
// CR LF dropped.
std::vector<std::string> champsCsv(const std::string& ligne);

// The header line, CR LF included.
std::string enteteResuCalibre();
// The whole file.
std::string texteResuCalibre(const RunCalibre& run);
