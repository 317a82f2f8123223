// The calibration drawn over the photo while T shows the trajectory: its
// segments (calibration/traits.h makes them) at the current pan and zoom.
#pragma once

// Nothing when T is off or no calibration part can be drawn.
void dessinerCalibration();
