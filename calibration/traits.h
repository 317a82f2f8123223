// The drawing of the calibration over the photo, while T shows the
// trajectory: the known length, the origin and the axes, the plane's corners.
#pragma once

#include <vector>

#include "etat/calibration.h"

// The segments, in photo pixels, for a calibration: magenta known length
// with its end ticks, red x axis and green y axis from the origin with their
// heads, cyan plane with a cross on its first corner. None for parts that
// cannot be drawn (a degenerate map, points at infinity).
std::vector<TraitCalibration> traitsDe(const Calibration& c);
// m_calibration.traits made again from the record's calibration.
void construireTraits();
