// A past photo's record replaced or removed in place: the history keeps the
// new souvenir, and the four files are written again whole from it.
#pragma once

// RETURN on a past photo: after a selection change made there, replaces its
// record (its detail row at the same rank, the result files rewritten in row
// order), then shows the next photo of the run; without a change, only
// shows the next photo.
void corrigerPhotoPassee();

// N on a past photo: its record removed the same way, its row saying
// "saute", then the next photo shown.
void passerPhotoPassee();
