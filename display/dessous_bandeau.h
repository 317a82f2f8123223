// Key H's bands over the frame's underlay (background and photo), kept in a
// texture so that a frame with the bands shown copies its pixels once.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// What the frame draws beneath the bands (its background and photo), for
// the bands to darken: `dessiner` draws it over the whole output, and `vue`
// changes whenever what it draws does.
struct DessousBandeau {
  std::function<void()> dessiner;
  std::vector<int64_t> vue;
};

// With the bands laid out, copies the frame's background and photo with the
// bands over them, kept in a texture made again only when the photo's view
// or a band changes and then holds for a frame: a frame then copies its
// pixels once, blending none. False when it does not (the bands hidden, a
// renderer without render targets, the view changing): the frame then draws
// the photo itself and dessinerBandeau blends the bands over it. Either way
// the frame draws its marks outside the bands only, so that the text stays
// readable. Takes and clears m_cibles_perdues: the texture is then drawn
// again.
bool copierAvecBandes(const DessousBandeau& dessous);

// Tests only: how many times the bands' texture (background, photo and
// bands) was drawn since the font was opened.
uint64_t dessousBandeauFaits();
