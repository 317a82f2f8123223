#include "series/nom_photo.h"

void composerNomPhoto() {}  // placeholder
