// The demo series' pictures: the textured background, the discs, the
// harder series' patch, the closing picture; and the centre an exact
// selection of the disc's colour finds on each photo.
#pragma once

#include <filesystem>

#include "demo/serie_demo.h"

// The mean of the pixel centres of the disc's selected colour on photo k
// (all of the disc, or its upper half when it has two colours), drawn or
// not: what a colour click taking exactly those pixels gives as centre.
void centreSelectionne(const Options& o, int k, double& cx, double& cy);

// Draws photo k into a new RGB24 surface the caller frees; nullptr when
// none could be made.
SDL_Surface* dessinerPhoto(const Options& o, int k);

// Draws photo k and writes it as a PNG at chemin.
bool ecrirePhoto(const Options& o, int k, const std::filesystem::path& chemin);

// The closing picture.
bool figureFin(const std::filesystem::path& chemin);
