// BACKSPACE: back one photo. The last advance is taken back from the four
// files and the photo left then comes back with its selection as it was at
// that RETURN, so one RETURN records it again.
#pragma once

void reculerPhoto();
