// What the next-photo benchmarks share: a large photo-like picture and the
// first frame of a photo once the step is done.
#pragma once
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
