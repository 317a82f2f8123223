#pragma once
#include <cstdint>

// A mouse button press or release at a window point (from the event step).
void appuiSouris(uint8_t bouton, int32_t x, int32_t y);
void relacheSouris(uint8_t bouton, int32_t x, int32_t y);
// Recomputes the zone's window edges, m_rect_zone and m_rect_source_fog.
void placerZone();
// Rebuilds the zone overlay for m_rect_zone.
void construireFog();
