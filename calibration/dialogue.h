// Keys C, O and Q: the calibration's clicks and its questions on the
// console. The clicks are the next left presses, taken before any sub-mode
// sees them (and their releases with them).
#pragma once

#include <cstdint>
#include <string>

// C: the next two left clicks are the ends of a known length; then
// "Longueur ? " and "Unite ? ". Pressed again in the middle, starts over.
void toucheEchelle();
// O: the next left click is the origin of the axes.
void toucheOrigine();
// Q: four left clicks on the corners of a rectangle of the object's plane,
// in order around it; then its width, height and unit.
void touchePlan();

// The event step's press and release of a button: true when the
// calibration took it (the sub-modes then never see it).
bool appuiCalibration(uint8_t bouton, int32_t x, int32_t y);
bool relacheCalibration(uint8_t bouton);

// Pure parts, for tests: the photo pixel under a window point, as a click
// maps (false outside the photo or without a usable zoom), and the length,
// width or height typed, with the reason of a refusal.
bool pointDuClic(int32_t wx, int32_t wy, double zoom, double dx, double dy, int32_t largeur, int32_t hauteur,
                 double& x, double& y);
bool longueurTapee(const std::string& texte, double& valeur, std::string& raison);
