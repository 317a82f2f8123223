// The picture of the motion, "donnees/mouvement.svg": x, y and the speed
// against t, in the calibrated units, each point with its error bar of one
// standard uncertainty.
#pragma once

#include <string>

#include "calibration/resu_calibre.h"

// A standalone SVG 1.1 document of three plots stacked; values that are not
// finite are left out.
std::string texteMouvement(const RunCalibre& run);
