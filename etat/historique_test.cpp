#include "etat/historique.h"

#include <gtest/gtest.h>

#include <random>

// Packed bits come back whole for empty, full, single-bit, long-run and
// random selections; dropped bits come back unselected.
TEST(Historique, PackedBitsComeBackWhole) {
  std::mt19937 alea(7);
  std::vector<std::vector<bool>> cas = {{}, std::vector<bool>(1000, true), {true}, {false, true, false}};
  std::vector<bool> disque(1000 * 1000, false);
  for (int l = 400; l < 500; ++l)
    for (int c = 300; c < 420; ++c) disque[size_t(l) * 1000 + c] = true;
  cas.push_back(disque);
  std::vector<bool> bruit(5000);
  for (size_t k = 0; k < bruit.size(); ++k) bruit[k] = alea() % 3 == 0;
  cas.push_back(bruit);
  for (const auto& bits : cas) {
    SCOPED_TRACE(bits.size());
    EXPECT_EQ(bits, decompacter(compacter(bits)));
  }
  EXPECT_LT(compacter(disque).octets.size(), 1000u);
  BitsCompactes perdus = compacter(disque);
  perdus.perdus = true;
  EXPECT_EQ(std::vector<bool>(disque.size(), false), decompacter(perdus));
}

// Past the bound the oldest advances lose their bits, and the held bytes
// stay counted through additions and removals.
TEST(Historique, MemoryStaysBounded) {
  Historique h;
  const size_t paquet = kOctetsBitsMax / 4 + 1;
  for (int i = 0; i < 6; ++i) {
    Souvenir s;
    s.selection.bits.octets.assign(paquet, 1);
    s.selection.nombre = i;
    h.ajouter(std::move(s));
  }
  EXPECT_LE(h.octets_bits, kOctetsBitsMax);
  EXPECT_TRUE(h.souvenirs.front().selection.bits.perdus);
  EXPECT_FALSE(h.souvenirs.back().selection.bits.perdus);
  EXPECT_EQ(5, h.retirer().selection.nombre);
  size_t tenus = 0;
  for (const Souvenir& s : h.souvenirs) tenus += s.selection.bits.octets.capacity();
  EXPECT_EQ(tenus, h.octets_bits);
}
