#include "tracking/doute.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <utility>

#include "display/trace.h"

namespace {

// The spread below which a reference is taken as this much.
constexpr double kEcartMinimal = 0.5;

std::string nombreTexte(double v, int decimales) {
  std::ostringstream flux;
  flux.imbue(std::locale::classic());
  flux << std::fixed << std::setprecision(decimales) << v;
  return flux.str();
}

double rapport(const ConstatSuivi& c) {
  return c.nombre_reference > 0 ? double(c.nombre) / double(c.nombre_reference) : 1.0;
}

bool plusEtendue(double ecart, double reference) { return ecart > 1.5 * std::max(reference, kEcartMinimal); }

}  // namespace

double pasMedian(const std::vector<RecordSuivi>& records) {
  std::vector<double> pas;
  for (size_t i = 1; i < records.size(); ++i) {
    const int64_t photos = records[i].photo - records[i - 1].photo;
    if (photos <= 0) continue;
    pas.push_back(std::hypot(records[i].centre.x - records[i - 1].centre.x,
                             records[i].centre.y - records[i - 1].centre.y) /
                  double(photos));
  }
  return medianePas(std::move(pas));
}

bool deuxObjets(const ConstatSuivi& c) { return c.nombre > 0 && c.autre_tache > 0 && 2 * c.autre_tache >= c.nombre; }

bool objetCache(const ConstatSuivi& c) { return c.nombre <= 0 || rapport(c) < 0.5; }

std::string raisonDoute(const ConstatSuivi& c) {
  if (c.nombre <= 0) return "rien de selectionne dans la zone";
  const double r = rapport(c);
  if (r < 0.5 || r > 2.0)
    return std::to_string(c.nombre) + " pixels selectionnes au lieu de " + std::to_string(c.nombre_reference) +
           " sur la derniere photo mesuree";
  if (c.bord && c.zone_maximale) return "selection sur le bord de la zone, agrandie jusqu'a la taille maximale";
  if (c.bord) return "selection sur le bord de la zone";
  if (c.bord_photo) return "selection sur le bord de la photo";
  // the operator's choice holds only for a patch of the size chosen: one of
  // two halves of an object taken whole would be half of it
  if (deuxObjets(c) && !(c.deux_objets_admis && r >= 0.75)) return "deux objets de la couleur";
  if (c.ecarts_reference &&
      (plusEtendue(c.ecart_x, c.ecart_x_reference) || plusEtendue(c.ecart_y, c.ecart_y_reference)))
    return "selection plus etendue";
  if (c.records.size() >= 4) {
    const RecordSuivi& d = c.records.back();
    const double photos = double(std::max<int64_t>(c.photo - d.photo, 1));
    const double pas = std::hypot(c.centre.x - d.centre.x, c.centre.y - d.centre.y) / photos;
    const double median = pasMedian(c.records);
    if (pas > 3.0 * median + 2.0)
      return "pas de " + nombreTexte(pas, 1) + " pixels, plus de 3 fois le pas median (" + nombreTexte(median, 1) +
             ") + 2";
  }
  return std::string();
}
