// PAGE UP, PAGE DOWN, HOME and END: any photo of the run shown again, its
// record as it was written, without changing a file. The run's photos are
// those passed by an advance, in order, then the last photo (the one shown
// after the last advance).
#pragma once

#include <cstdint>

// Rank from 0 of the photo shown among the run's photos, and their count.
int64_t indicePhotoMontree();
int64_t nombrePhotosDuRun();
// True while a past photo is shown (not the last photo).
bool surPhotoPassee();

// Shows the run's photo of rank indice from 0 ("Photo N/M : " and its path,
// then its load lines): a past photo with its zone, selection, count, centre
// and sub-mode as recorded, the last photo as it was left. RETURN is free.
void montrerPhoto(int64_t indice);

void photoPrecedente();  // PAGE UP
void photoSuivante();    // PAGE DOWN
void premierePhoto();    // HOME
void dernierePhoto();    // END

// RETURN on a past photo: the next photo of the run, RETURN acting again
// only once released, so a held RETURN steps one photo.
void montrerSuivanteApresEntree();
// A RETURN refused (a file would not take its row): held, it waits for its
// release, so it tries again once a press.
void attendreRelacheEntree();

// Once a frame: RETURN, held through the photo it showed, is free again once
// released.
void etapeNavigation();

// RETURN is down in the keyboard state of this frame.
bool entreeTenue();

// True, after printing "<quoi> impossible : " and the reason, when a key
// that changes the photo must not act now: RETURN held (it would act again
// on the photo shown) or the automatic run going.
bool navigationRefusee(const char* quoi);
