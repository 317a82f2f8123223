// The time of each recorded photo: its EXIF tags (DateTimeOriginal with
// SubSecTimeOriginal, and OffsetTimeOriginal when present), else the
// interval between consecutive photos of the series, else the rank.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "etat/calibration.h"

// Seconds since 1970 of an EXIF date "YYYY:MM:DD HH:MM:SS", its fraction's
// digits ("" when none) and its offset "+HH:MM" / "-HH:MM" ("" when none: the
// time is taken as it is), into temps' secondes and fraction. False when a
// part cannot be read.
bool secondesDeDate(const std::string& date, const std::string& fraction, const std::string& decalage,
                    TempsPhoto& temps);
// Seconds from a to b.
double ecartSecondes(const TempsPhoto& a, const TempsPhoto& b);
// The photo file's EXIF time; not lu when the file, its tags or the date
// cannot be read.
TempsPhoto tempsExif(const std::string& chemin);

enum class SourceTemps { Exif, Intervalle, Rang };
struct TempsRun {
  SourceTemps source = SourceTemps::Rang;
  std::vector<double> t;   // one per recorded photo, in their order
  std::string repli;       // why EXIF times were set aside, "" when they were not found at all or used
};
// Times of the recorded photos: indices their place in the series from 0
// (passed photos counted), exif their EXIF times. EXIF when every one has
// one and they rise strictly (from 0 at the first); otherwise the interval
// (index x seconds), when given, or the rank (index + 1).
TempsRun tempsDuRun(const std::vector<int64_t>& indices, const std::vector<TempsPhoto>& exif, bool intervalle,
                    double secondes);
