#include "output/image_parcours.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

#include "etat/etat.h"
#include "output/resultats.h"

namespace {

// Layout of the picture, in SVG user units.
constexpr double kLargeur = 1060, kHauteur = 660;
constexpr double kCadreX = 20, kCadreY = 40, kCadre = 560;         // the photo's panel
constexpr double kCourbeX = 650, kCourbeL = 380, kCourbeH = 230;   // the two plots
constexpr double kCourbeY[2] = {40, 360};
constexpr size_t kSommetsMax = 20000;  // path vertices before the grid gets coarser
constexpr size_t kMarqueursMax = 2000;  // a dot per centre up to this count
constexpr size_t kEtiquettesMax = 200;

// One decimal, "." whatever the locale, no "-0.0".
std::string nombre(double v) {
  char tampon[64];
  auto [fin, erreur] = std::to_chars(tampon, tampon + sizeof tampon, v, std::chars_format::fixed, 1);
  std::string t = erreur == std::errc() ? std::string(tampon, fin) : std::string("0.0");
  return t == "-0.0" ? "0.0" : t;
}

// A value as a label: the stream's short default form, in the C locale.
std::string etiquette(double v) {
  std::ostringstream t;
  t.imbue(std::locale::classic());
  t << v;
  return t.str();
}

std::string echappe(const std::string& texte) {
  std::string t;
  for (char c : texte) {
    switch (c) {
      case '&': t += "&amp;"; break;
      case '<': t += "&lt;"; break;
      case '>': t += "&gt;"; break;
      case '"': t += "&quot;"; break;
      case '\'': t += "&apos;"; break;
      default: t += c;
    }
  }
  return t;
}

std::string texte(double x, double y, const std::string& contenu, const std::string& attributs = "") {
  return "<text x=\"" + nombre(x) + "\" y=\"" + nombre(y) + "\"" + attributs + ">" + echappe(contenu) + "</text>\n";
}

struct Sommet {
  double x, y;
};

// The points rounded to a grid of pas units, consecutive equal ones merged.
std::vector<Sommet> surGrille(const std::vector<Sommet>& points, double pas) {
  std::vector<Sommet> sommets;
  long long px = 0, py = 0;
  for (const Sommet& s : points) {
    const long long gx = std::llround(s.x / pas), gy = std::llround(s.y / pas);
    if (!sommets.empty() && gx == px && gy == py) continue;
    sommets.push_back({gx * pas, gy * pas});
    px = gx;
    py = gy;
  }
  return sommets;
}

std::string polyligne(const std::vector<Sommet>& sommets, const std::string& attributs) {
  if (sommets.size() < 2) return std::string();
  std::string t = "<polyline fill=\"none\"" + attributs + " points=\"";
  t.reserve(t.size() + sommets.size() * 14);
  for (size_t i = 0; i < sommets.size(); ++i) {
    if (i) t += ' ';
    t += nombre(sommets[i].x) + "," + nombre(sommets[i].y);
  }
  return t + "\"/>\n";
}

std::string point(const Sommet& s, double rayon, const std::string& couleur) {
  return "<circle cx=\"" + nombre(s.x) + "\" cy=\"" + nombre(s.y) + "\" r=\"" + nombre(rayon) + "\" fill=\"" +
         couleur + "\"/>\n";
}

// A range that is never empty, widened by marge of its span on each side.
struct Etendue {
  double min = 0, max = 0;
};
Etendue elargie(Etendue e, double marge) {
  if (!(e.max > e.min)) return {e.min - 1, e.max + 1};
  const double m = (e.max - e.min) * marge;
  return {e.min - m, e.max + m};
}

// One plot of value against rang, with its frame and its end labels.
std::string courbe(const std::vector<PointTrajet>& points, bool de_y, double haut, const std::string& titre) {
  std::string t = texte(kCourbeX, haut - 10, titre, " font-size=\"14\"");
  t += "<rect x=\"" + nombre(kCourbeX) + "\" y=\"" + nombre(haut) + "\" width=\"" + nombre(kCourbeL) +
       "\" height=\"" + nombre(kCourbeH) + "\" fill=\"white\" stroke=\"#888888\"/>\n";
  if (points.empty()) return t;
  const auto valeur = [de_y](const PointTrajet& p) { return de_y ? p.y : p.x; };
  Etendue rangs{double(points.front().rang), double(points.back().rang)};
  Etendue valeurs{valeur(points.front()), valeur(points.front())};
  for (const PointTrajet& p : points) {
    rangs.min = std::min(rangs.min, double(p.rang));
    rangs.max = std::max(rangs.max, double(p.rang));
    valeurs.min = std::min(valeurs.min, valeur(p));
    valeurs.max = std::max(valeurs.max, valeur(p));
  }
  const Etendue vue_r = rangs.max > rangs.min ? rangs : elargie(rangs, 0), vue_v = elargie(valeurs, 0.05);
  const auto colonne = [&](double r) { return kCourbeX + (r - vue_r.min) / (vue_r.max - vue_r.min) * kCourbeL; };
  const auto ligne = [&](double v) { return haut + kCourbeH - (v - vue_v.min) / (vue_v.max - vue_v.min) * kCourbeH; };

  // Per column: first, last, lowest, highest, in their order; the rest is
  // hidden under the lines those draw.
  std::vector<size_t> gardes;
  if (points.size() <= 4 * size_t(kCourbeL)) {
    for (size_t i = 0; i < points.size(); ++i) gardes.push_back(i);
  } else {
    size_t debut = 0;
    while (debut < points.size()) {
      const long c = std::lround(std::floor(colonne(double(points[debut].rang)) - kCourbeX));
      size_t fin = debut, bas = debut, haut_v = debut;
      while (fin + 1 < points.size() && std::lround(std::floor(colonne(double(points[fin + 1].rang)) - kCourbeX)) == c) {
        ++fin;
        if (valeur(points[fin]) < valeur(points[bas])) bas = fin;
        if (valeur(points[fin]) > valeur(points[haut_v])) haut_v = fin;
      }
      size_t quatre[4] = {debut, bas, haut_v, fin};
      std::sort(quatre, quatre + 4);
      for (size_t i : quatre)
        if (gardes.empty() || gardes.back() != i) gardes.push_back(i);
      debut = fin + 1;
    }
  }
  std::vector<Sommet> sommets;
  for (size_t i : gardes) sommets.push_back({colonne(double(points[i].rang)), ligne(valeur(points[i]))});
  sommets = surGrille(sommets, 0.1);
  t += polyligne(sommets, " stroke=\"#1f4fbf\" stroke-width=\"1\"");
  if (sommets.size() == 1) t += point(sommets[0], 2, "#1f4fbf");
  // The extreme values labelled where they are drawn.
  const std::string petit = " font-size=\"11\" fill=\"#444444\"";
  for (double v : valeurs.max > valeurs.min ? std::vector<double>{valeurs.min, valeurs.max} : std::vector<double>{valeurs.min}) {
    const double y = ligne(v);
    t += "<line x1=\"" + nombre(kCourbeX - 4) + "\" y1=\"" + nombre(y) + "\" x2=\"" + nombre(kCourbeX) + "\" y2=\"" +
         nombre(y) + "\" stroke=\"#888888\"/>\n";
    t += texte(kCourbeX - 6, y + 4, etiquette(v), petit + " text-anchor=\"end\"");
  }
  t += texte(kCourbeX, haut + kCourbeH + 14, std::to_string(int64_t(rangs.min)), petit);
  t += texte(kCourbeX + kCourbeL, haut + kCourbeH + 14, std::to_string(int64_t(rangs.max)), petit + " text-anchor=\"end\"");
  return t + texte(kCourbeX + kCourbeL / 2, haut + kCourbeH + 14, "rang", petit + " text-anchor=\"middle\"");
}

}  // namespace

std::vector<PointTrajet> pointsEnregistres(const std::vector<LigneDetail>& lignes) {
  std::vector<PointTrajet> points;
  for (const LigneDetail& l : lignes) {
    if (!l.ecrit) continue;
    PointTrajet p;
    p.rang = l.rang;
    std::from_chars(l.x.data(), l.x.data() + l.x.size(), p.x);
    std::from_chars(l.y.data(), l.y.data() + l.y.size(), p.y);
    points.push_back(p);
  }
  return points;
}

std::string texteImageParcours(const std::vector<PointTrajet>& tous, int32_t largeur_photo, int32_t hauteur_photo) {
  std::vector<PointTrajet> points;
  for (const PointTrajet& p : tous)
    if (std::isfinite(p.x) && std::isfinite(p.y)) points.push_back(p);
  const size_t ecartes = tous.size() - points.size();

  // The panel shows the photo's frame and every centre, off the photo too.
  const bool cadre = largeur_photo > 0 && hauteur_photo > 0;
  Etendue vx{0, cadre ? double(largeur_photo) : 0}, vy{0, cadre ? double(hauteur_photo) : 0};
  bool vide = !cadre;
  for (const PointTrajet& p : points) {
    if (vide) vx = {p.x, p.x}, vy = {p.y, p.y}, vide = false;
    vx = {std::min(vx.min, p.x), std::max(vx.max, p.x)};
    vy = {std::min(vy.min, p.y), std::max(vy.max, p.y)};
  }
  const bool dehors = cadre && (vx.min < 0 || vy.min < 0 || vx.max > largeur_photo || vy.max > hauteur_photo);
  if (!cadre || dehors) {
    vx = elargie(vx, 0.02);
    vy = elargie(vy, 0.02);
  }
  // The larger span fills the panel; one scale for both keeps the shape.
  const double echelle = kCadre / std::max(vx.max - vx.min, vy.max - vy.min);
  const double ox = kCadreX + (kCadre - (vx.max - vx.min) * echelle) / 2 - vx.min * echelle;
  const double oy = kCadreY + (kCadre - (vy.max - vy.min) * echelle) / 2 - vy.min * echelle;
  const auto ecran = [&](const PointTrajet& p) { return Sommet{ox + p.x * echelle, oy + p.y * echelle}; };

  std::string t = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  t += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + nombre(kLargeur) + "\" height=\"" +
       nombre(kHauteur) + "\" viewBox=\"0 0 " + nombre(kLargeur) + " " + nombre(kHauteur) +
       "\" font-family=\"DejaVu Sans, sans-serif\">\n";
  t += "<rect x=\"0\" y=\"0\" width=\"" + nombre(kLargeur) + "\" height=\"" + nombre(kHauteur) + "\" fill=\"white\"/>\n";
  t += texte(kCadreX, 20, "Trajectoire, centres enregistres : " + std::to_string(points.size()), " font-size=\"14\"");
  if (cadre) {
    t += "<rect x=\"" + nombre(ox) + "\" y=\"" + nombre(oy) + "\" width=\"" + nombre(largeur_photo * echelle) +
         "\" height=\"" + nombre(hauteur_photo * echelle) + "\" fill=\"#f2f2f2\" stroke=\"#444444\"/>\n";
    const std::string petit = " font-size=\"11\" fill=\"#444444\"";
    // The photo's origin is its top left corner, y going down.
    t += texte(ox, oy - 4, "0,0", petit);
    t += texte(ox + largeur_photo * echelle, oy + hauteur_photo * echelle + 14,
               std::to_string(largeur_photo) + " x " + std::to_string(hauteur_photo) + " px",
               petit + " text-anchor=\"end\"");
  }

  std::vector<Sommet> centres;
  centres.reserve(points.size());
  for (const PointTrajet& p : points) centres.push_back(ecran(p));
  double pas = 0.1;  // the output's own rounding: nothing lost
  std::vector<Sommet> sommets = surGrille(centres, pas);
  while (sommets.size() > kSommetsMax) {
    pas *= 2;
    sommets = surGrille(centres, pas);
  }
  t += polyligne(sommets, " stroke=\"#1f4fbf\" stroke-width=\"1.2\" stroke-linejoin=\"round\"");
  if (points.size() <= kMarqueursMax)
    for (const Sommet& s : centres) t += point(s, 1.6, "#1f4fbf");

  int64_t tous_les = 10;
  const auto etiquetes = [&points](int64_t n) {
    return size_t(std::count_if(points.begin(), points.end(), [n](const PointTrajet& p) { return p.rang % n == 0; }));
  };
  while (etiquetes(tous_les) > kEtiquettesMax) tous_les *= 10;
  for (const PointTrajet& p : points)
    if (p.rang % tous_les == 0) {
      const Sommet s = ecran(p);
      t += texte(s.x + 4, s.y - 4, std::to_string(p.rang), " font-size=\"10\" fill=\"#222222\"");
    }
  if (!centres.empty()) {
    t += point(centres.front(), 4, "#1f9f3f");
    t += point(centres.back(), 4, "#cf2f2f");
  }

  std::string note = points.empty() ? "aucun centre enregistre" : "vert : premier centre, rouge : dernier";
  if (tous_les > 10) note += ", numeros tous les " + std::to_string(tous_les) + " rangs";
  if (pas > 0.1) note += ", sommets du trace arrondis a " + nombre(pas) + " px";
  if (ecartes > 0) note += ", centres non finis omis : " + std::to_string(ecartes);
  t += texte(kCadreX, kCadreY + kCadre + 40, note, " font-size=\"12\" fill=\"#444444\"");

  t += courbe(points, false, kCourbeY[0], "x selon le rang");
  t += courbe(points, true, kCourbeY[1], "y selon le rang");
  return t + "</svg>\n";
}

bool ecrireImageParcours(const std::string& chemin, const std::string& texte) {
  return ecrireParRenommage(chemin, texte);
}

void redessinerImageParcours() {
  const Etat& e = *g_etat;
  std::vector<PointTrajet> points;
  int32_t largeur = e.m_largeur_photo, hauteur = e.m_hauteur_photo;
  const std::vector<Souvenir>& souvenirs = e.m_historique.souvenirs;
  for (size_t i = 0; i < souvenirs.size(); ++i) {
    if (!souvenirs[i].ecrit) continue;
    points.push_back({static_cast<int64_t>(i) + 1, souvenirs[i].selection.centre_x, souvenirs[i].selection.centre_y});
    largeur = souvenirs[i].largeur_photo;
    hauteur = souvenirs[i].hauteur_photo;
  }
  // the picture is an aid: a failure to write it costs no measurement, but
  // it is named, since the picture then shows fewer centres than recorded
  const char* chemin = "donnees/trajectoire.svg";
  nommerEcriture(ecrireImageParcours(chemin, texteImageParcours(points, largeur, hauteur)), chemin,
                 g_etat->m_image_parcours_en_panne, "l'image du parcours", "Image du parcours");
  signalerSynchronisationDossier();
}
