// RETURN: the step from the photo measured to the next one.
#pragma once

// Releases the photo, writes the measurement, loads the next photo or the
// closing picture. False after an unrecognised naming scheme. On a past
// photo of the run, its correction in place (parcours/correction.h).
bool vueSuivante();

// N on the last photo: the same advance with nothing recorded, its detail
// row saying "saute".
bool passerPhotoSansRecord();
// The automatic run on a photo that did not load: the same, its row saying
// "absente".
bool passerPhotoAbsenteSansRecord();
