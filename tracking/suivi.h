// The automatic run: on each photo the proposal, then, when it holds, the
// advance RETURN makes, one photo a frame, until a doubt, the closing
// picture, a photo that did not load, a key or button press, SPACE again or
// the window's close.
#pragma once

// A: the proposal on the photo shown.
void proposerSurLaPhoto();

// SPACE: starts the run ("Suivi demarre"), or stops it when it goes.
void basculerSuivi();

// Once a frame, after the events: one photo of the run while it goes, unless
// m_entrees counts a key or button press since it started; prints
// "Suivi arrete : " and the reason when it stops.
void etapeSuivi();

// Stops a run that goes, printing the reason.
void arreterSuivi(const char* raison);
