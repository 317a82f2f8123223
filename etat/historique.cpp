#include "etat/historique.h"

#include <cassert>

namespace {

void ecrireVarint(std::vector<uint8_t>& octets, uint64_t v) {
  while (v >= 0x80) {
    octets.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  octets.push_back(static_cast<uint8_t>(v));
}

bool lireVarint(const std::vector<uint8_t>& octets, size_t& i, uint64_t& v) {
  v = 0;
  for (int decalage = 0; i < octets.size() && decalage < 64; decalage += 7) {
    const uint8_t o = octets[i++];
    v |= uint64_t(o & 0x7F) << decalage;
    if ((o & 0x80) == 0) return true;
  }
  return false;
}

}  // namespace

BitsCompactes compacter(const std::vector<bool>& bits) {
  BitsCompactes c;
  c.taille = bits.size();
  bool valeur = false;
  uint64_t longueur = 0;
  for (const bool b : bits) {
    if (b == valeur) {
      ++longueur;
      continue;
    }
    ecrireVarint(c.octets, longueur);
    valeur = b;
    longueur = 1;
  }
  ecrireVarint(c.octets, longueur);
  c.octets.shrink_to_fit();
  return c;
}

std::vector<bool> decompacter(const BitsCompactes& c) {
  std::vector<bool> bits;
  bits.reserve(c.taille);
  bool valeur = false;
  size_t i = 0;
  uint64_t longueur = 0;
  while (!c.perdus && bits.size() < c.taille && lireVarint(c.octets, i, longueur)) {
    const uint64_t reste = c.taille - bits.size();
    bits.insert(bits.end(), longueur < reste ? longueur : reste, valeur);
    valeur = !valeur;
  }
  bits.resize(c.taille, false);  // a damaged run list ends unselected
  return bits;
}

void Historique::ajouter(Souvenir s) {
  ++version;
  octets_bits += s.selection.bits.octets.capacity();
  souvenirs.push_back(std::move(s));
  // the oldest advances give up their bits first: they are the least likely
  // to be stepped back to
  for (Souvenir& ancien : souvenirs) {
    if (octets_bits <= kOctetsBitsMax) break;
    BitsCompactes& bits = ancien.selection.bits;
    if (bits.perdus) continue;
    octets_bits -= bits.octets.capacity();
    bits.octets = std::vector<uint8_t>();
    bits.perdus = true;
  }
}

void Historique::remplacer(size_t indice, Souvenir s) {
  assert(indice < souvenirs.size());
  ++version;
  octets_bits -= souvenirs[indice].selection.bits.octets.capacity();
  octets_bits += s.selection.bits.octets.capacity();
  souvenirs[indice] = std::move(s);
}

Souvenir Historique::retirer() {
  assert(!souvenirs.empty());
  ++version;
  Souvenir s = std::move(souvenirs.back());
  souvenirs.pop_back();
  octets_bits -= s.selection.bits.octets.capacity();
  return s;
}

size_t Historique::octets() const {
  size_t total = souvenirs.capacity() * sizeof(Souvenir);
  for (const Souvenir& s : souvenirs) {
    total += s.selection.bits.octets.capacity() + s.selection.passes.capacity() * sizeof(PasseSelection);
    total += s.photo.capacity() + s.texte_x.capacity() + s.texte_y.capacity() + s.ligne_detail.capacity();
  }
  return total;
}
