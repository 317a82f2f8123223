#pragma once
// The two layers of a frame that grow with the zone and the selection: the
// zone outline with its translucent overlay, and the selected-pixel markers.
// render calls them in that order when their flags are set.

// Outlines m_rect_zone, then copies gFog onto the part of m_rect_zone inside
// the window, one overlay pixel per window pixel.
void dessinerZone();
// Draws the same pixels as one copy of m_texture_pixel (from
// m_rect_source_pixel) per selected zone pixel, but as one copy per rectangle
// of equal marker coverage, and on renderers other than the software one as
// a single window-sized mask for every pixel's first blend; rectangles and
// mask are cached and made again only when the selection, the view, the
// marker or the window changes.
void dessinerMarqueurs();
// Destroys the markers' mask and flat-colour textures and forgets the cache,
// before the renderer goes.
void libererMarqueurs();
