// N: a photo passed without a record, for a photo where the object is hidden,
// out of frame or missing.
#pragma once

// Empties the selection (the zone stays, so the next photo carries no stale
// centre), then on the last photo advances as a RETURN with nothing selected
// does, its detail row saying "saute"; on a past photo removes its record
// and shows the next photo.
void passerPhoto();

// The automatic run's own passes, without N's checks (the run goes): a photo
// where the object seems hidden, as N passes it (a past photo too), and the
// last photo when it did not load, its row saying "absente". False after an
// unrecognised naming scheme.
bool passerPhotoCachee();
bool passerPhotoAbsente();
