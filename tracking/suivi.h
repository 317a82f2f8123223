// The automatic run: on each photo the proposal, then, when it holds, the
// advance RETURN makes, one photo a frame, until a doubt, the closing
// picture, too many photos missing or hidden in a row, a key or button
// press, SPACE again or the window's close.
#pragma once

// A: the proposal on the photo shown.
void proposerSurLaPhoto();

// SPACE: starts the run ("Suivi demarre"), or stops it when it goes.
void basculerSuivi();

// K: photos where the object seems hidden passed with N's row during the
// run (up to three in a row), or not; prints "Photos cachees passees : oui"
// or "... : non". Off at start.
void basculerPhotosCachees();

// Once a frame, after the events: one photo of the run while it goes, unless
// m_entrees counts a key or button press since it started; prints
// "Suivi arrete : " and the reason when it stops. A photo the run's advance
// could not load gets a row saying "absente" and the run goes on; the third
// such photo since the last one measured stops it ("photos absentes").
void etapeSuivi();

// Stops a run that goes, printing the reason; the status strip shows it
// until the next key.
void arreterSuivi(const char* raison);

// The photos the run passes in a row at most: missing ones get a row up to
// the third, which stops the run; hidden ones (with K) up to three, the
// fourth stopping it.
constexpr int kAbsentesMax = 3;
constexpr int kCacheesMax = 3;
