// What the benchmarks share: large photo-like pictures, on disk or in memory,
// and the first frame of a photo once the step is done.
#pragma once
#include <SDL.h>

#include <string>
#include <vector>

// A 6000 x 4000 picture of gradients with noise, so it decodes as a real
// photo would; JPEG (quality 90) or PNG. False when it was not written.
bool fabriquerPhoto(const std::string& chemin, bool jpeg);
// Draws the photo's texture and reads one pixel back, which waits until the
// renderer has really drawn the frame.
void premiereImage();
// The middle value (the upper one of an even count).
double mediane(std::vector<double> v);
// A 24-bit picture of noise with a disc of the object's colour (200, 180, 40,
// give or take 7) of that radius in its middle; the same pixels at every call.
SDL_Surface* photoAuDisque(int largeur, int hauteur, long rayon);
// A texture of a patterned RGB888 picture of that size (no two neighbours
// alike, so a frame cannot skip work), made on the renderer; null on failure.
SDL_Texture* textureMotif(SDL_Renderer* rendu, int largeur, int hauteur);
