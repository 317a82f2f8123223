// Memory kept for stepping back: 10 000 advances whose zones hold 10^6
// pixels, against the 64 MiB the step back may keep. A disc of the object's
// size is selected on each photo, moving as a tracked object does; a second
// run selects noise, the worst case for packed bits, to show the bound.
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "etat/etat.h"
#include "interaction/selection.h"
#include "parcours/enregistrement.h"

namespace {

long residentKio() {
  std::ifstream statut("/proc/self/status");
  std::string mot;
  while (statut >> mot)
    if (mot == "VmRSS:") {
      long kio = 0;
      statut >> kio;
      return kio;
    }
  return 0;
}

// n advances; choisir(k) sets the selection bits of photo k.
template <typename Choisir>
double mioApres(int n, Choisir choisir) {
  Etat& e = *g_etat;
  e.m_historique = Historique();
  for (int k = 0; k < n; ++k) {
    choisir(k);
    e.m_historique.ajouter(souvenirAvantAvance());
  }
  return double(e.m_historique.octets()) / (1 << 20);
}

}  // namespace

int main() {
  creerEtat();
  Etat& e = *g_etat;
  e.nom_photo_complet = "photos/img_000001.jpg";
  construireZone(0, 0, 999, 999);
  const long avant = residentKio();

  const double disque = mioApres(10000, [&e](int k) {
    std::fill(e.is_select.begin(), e.is_select.end(), false);
    const int cx = 200 + (k * 7) % 600, cy = 200 + (k * 3) % 600, r = 60;
    for (int l = cy - r; l <= cy + r; ++l)
      for (int c = cx - r; c <= cx + r; ++c)
        if ((c - cx) * (c - cx) + (l - cy) * (l - cy) <= r * r) e.is_select[size_t(l) * 1000 + c] = true;
  });
  const double resident = double(residentKio() - avant) / 1024;
  std::printf("10000 advances, 10^6-pixel zones, disc of radius 60: history %.2f MiB, resident growth %.2f MiB\n",
              disque, resident);
  std::printf("resume\tstep-back memory, 10^4 photos, 10^6-px zones (disc)\t%.2f MiB\t64 MiB\t%.3f\t<= 1\n", disque,
              disque / 64);

  std::mt19937 alea(1);
  const double bruit = mioApres(600, [&e, &alea](int) {
    for (size_t k = 0; k < e.is_select.size(); ++k) e.is_select[k] = (alea() & 1) != 0;
  });
  std::printf("600 advances selecting noise (worst case): history %.2f MiB\n", bruit);
  std::printf("resume\tstep-back memory, 600 photos of noise\t%.2f MiB\t64 MiB\t%.3f\t<= 1\n", bruit, bruit / 64);
  detruireEtat();
  return 0;
}
