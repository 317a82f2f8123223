// A past photo's record replaced or removed in place: the history keeps the
// new souvenir, and the four files are written again whole from it.
#pragma once

// RETURN on a past photo: after a selection change made there, replaces its
// record (its detail row at the same rank, the result files rewritten in row
// order), then shows the next photo of the run; without a change, only
// shows the next photo.
void corrigerPhotoPassee();

// N: passes the photo without a record. On the last photo the advance goes
// on as a RETURN with nothing selected, its row saying "saute"; on a past
// photo its record is removed the same way, then the next photo is shown.
void passerPhoto();
