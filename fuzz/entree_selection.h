// What the selection target draws from its input, and the plain rule it
// reads photos by: a byte reader, photos of every pixel format with the
// colours known of their painted pixels, and a pixel's colour read the plain
// way. Used by fuzz/selection.cpp only.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Stops the run with the reason: the fuzzer keeps the input.
[[noreturn]] void echec(const std::string& raison);

// The input read front to back, a byte at a time (0 once it runs out), so
// that a seed can be written by hand.
class Octets {
 public:
  Octets(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool vide() const { return n_ == 0; }
  uint8_t u8() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
  }
  int8_t s8() { return static_cast<int8_t>(u8()); }
  uint16_t u16() { return static_cast<uint16_t>(u8() | u8() << 8); }
  int32_t s32() { return static_cast<int32_t>(uint32_t(u16()) | uint32_t(u16()) << 16); }
  // Mostly a window or photo point near the photo, sometimes anything.
  int32_t point() {
    const uint8_t genre = u8();
    if (genre % 16 == 0) return s32();
    return static_cast<int32_t>(genre) - 64 + s8();
  }

 private:
  const uint8_t* p_;
  size_t n_;
};

// A photo and what is known of it: the colour each painted pixel must read
// as (SDL's own fill writes it, so this does not go through the reader).
struct Photo {
  SDL_Surface* s = nullptr;
  std::vector<int> connue;  // per pixel: -1 unknown, else 0xRRGGBB
};

// A photo of any pixel format from 1 x 1 to 64 x 64: its bytes, padding
// included, a pattern from the input, with a few uniform patches over it.
Photo creerPhoto(Octets& o);

// The plain rule for one pixel's colour (0xRRGGBB): the value by the
// format's layout, a packed index taken from its bits, then SDL_GetRGB.
int couleurReference(const SDL_Surface* s, int c, int l);
