#include "interaction/tache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A zone drawn as text, one string a row, '#' selected.
std::vector<bool> bitsDe(const std::vector<std::string>& lignes) {
  std::vector<bool> bits;
  for (const std::string& l : lignes)
    for (char c : l) bits.push_back(c == '#');
  return bits;
}

std::string texteDe(const std::vector<bool>& bits, size_t largeur) {
  std::string t;
  for (size_t k = 0; k < bits.size(); ++k) t += std::string(bits[k] ? "#" : ".") + (k % largeur + 1 == largeur ? "/" : "");
  return t;
}

// Diagonal neighbours join; the patch holding the point is kept, else the
// nearest, a tie going to the larger, then to the first; the largest patch
// cleared is told.
TEST(Tache, KeepsThePatchAtOrNearestThePoint) {
  const std::vector<std::string> zone = {
      "##....#",
      "..#...#",
      ".......",
      "....##.",
  };
  struct Cas {
    int64_t x, y;
    const char* attendu;
    int64_t gardee, seconde;
  };
  for (Cas c : {Cas{0, 0, "##...../..#..../......./......./", 3, 2},    // holds it, the diagonal joined
                Cas{6, 2, "......#/......#/......./......./", 2, 3},    // nearest: a row off
                Cas{5, 2, "......./......./......./....##./", 2, 3},    // nearest: a row off
                Cas{3, 2, "##...../..#..../......./......./", 3, 2},    // a tie: the larger
                Cas{-3, 9, "......./......./......./....##./", 2, 3}}) {  // outside the zone: the nearest
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    std::vector<bool> bits = bitsDe(zone);
    const TachesZone t = garderTacheProche(bits, 7, 4, c.x, c.y);
    EXPECT_EQ(3, t.taches);
    EXPECT_EQ(c.attendu, texteDe(bits, 7));
    EXPECT_EQ(c.gardee, t.gardee);
    EXPECT_EQ(c.seconde, t.seconde);
  }
  // one patch, or none, is left as it is
  std::vector<bool> un = bitsDe({".#.", "###"});
  EXPECT_EQ(1, garderTacheProche(un, 3, 2, 9, 9).taches);
  EXPECT_EQ(".#./###/", texteDe(un, 3));
  std::vector<bool> vide(6, false);
  EXPECT_EQ(0, garderTacheProche(vide, 3, 2, 0, 0).gardee);
  // two equal halves, the point halfway: the first met row by row, the
  // other told as large
  std::vector<bool> moities = bitsDe({"##.##", "##.##"});
  EXPECT_EQ(4, garderTacheProche(moities, 5, 2, 2, 0).seconde);
  EXPECT_EQ("##.../##.../", texteDe(moities, 5));
}

}  // namespace
