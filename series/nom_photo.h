#pragma once
// Composes nom_photo_complet from the current counters of the active naming
// scheme and prints it; does nothing for an unknown scheme.
void composerNomPhoto();
