#pragma once
// The two layers of a frame that grow with the zone and the selection: the
// zone outline with its translucent overlay, and the selected-pixel markers.
// render calls them in that order when their flags are set.
void dessinerZone();
void dessinerMarqueurs();
