// RETURN: the step from the photo measured to the next one.
#pragma once

// Releases the photo, writes the measurement, loads the next photo or the
// closing picture. False after an unrecognised naming scheme.
bool vueSuivante();
