#include "calibration/mouvement_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kLargeur = 760, kGauche = 90, kDroite = 20, kHauteurPlot = 200, kEcart = 60, kHaut = 40;

struct Valeur {
  double t, v, u;
};

std::string echapper(const std::string& t) {
  std::string s;
  for (char c : t) {
    if (c == '&') s += "&amp;";
    else if (c == '<') s += "&lt;";
    else if (c == '>') s += "&gt;";
    else if (c == '"') s += "&quot;";
    else s += c;
  }
  return s;
}

std::string n(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.2f", v);
  return b;
}

std::string g(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.6g", v);
  return b;
}

// One plot: frame, bounds, error bars, points, joined where consecutive.
std::string plot(const std::vector<Valeur>& valeurs, double haut, const std::string& titre) {
  const double bas = haut + kHauteurPlot, droite = kLargeur - kDroite;
  std::string s = "<rect x=\"" + n(kGauche) + "\" y=\"" + n(haut) + "\" width=\"" + n(droite - kGauche) +
                  "\" height=\"" + n(kHauteurPlot) + "\" fill=\"#ffffff\" stroke=\"#888888\"/>\n";
  s += "<text x=\"" + n(kGauche) + "\" y=\"" + n(haut - 8) + "\" font-family=\"sans-serif\" font-size=\"14\">" +
       echapper(titre) + "</text>\n";
  if (valeurs.empty()) return s;
  double t0 = valeurs[0].t, t1 = t0, v0 = valeurs[0].v - valeurs[0].u, v1 = valeurs[0].v + valeurs[0].u;
  for (const Valeur& p : valeurs) {
    t0 = std::min(t0, p.t);
    t1 = std::max(t1, p.t);
    v0 = std::min(v0, p.v - p.u);
    v1 = std::max(v1, p.v + p.u);
  }
  if (t1 <= t0) t1 = t0 + 1;
  if (v1 <= v0) {
    v0 -= 1;
    v1 += 1;
  }
  auto X = [&](double t) { return kGauche + 10 + (t - t0) / (t1 - t0) * (droite - kGauche - 20); };
  auto Y = [&](double v) { return bas - 10 - (v - v0) / (v1 - v0) * (kHauteurPlot - 20); };
  auto etiquette = [&](double x, double y, const std::string& texte, const char* ancre) {
    return "<text x=\"" + n(x) + "\" y=\"" + n(y) + "\" font-family=\"sans-serif\" font-size=\"11\" text-anchor=\"" +
           ancre + "\" fill=\"#444444\">" + echapper(texte) + "</text>\n";
  };
  s += etiquette(kGauche - 4, Y(v1) + 4, g(v1), "end") + etiquette(kGauche - 4, Y(v0) + 4, g(v0), "end");
  s += etiquette(X(t0), bas + 14, g(t0), "middle") + etiquette(X(t1), bas + 14, g(t1), "middle");
  s += "<path fill=\"none\" stroke=\"#d62728\" stroke-width=\"1\" d=\"";
  for (const Valeur& p : valeurs) {
    if (!(p.u > 0)) continue;
    s += "M" + n(X(p.t)) + " " + n(Y(p.v - p.u)) + "V" + n(Y(p.v + p.u));
  }
  s += "\"/>\n<path fill=\"none\" stroke=\"#1f77b4\" stroke-width=\"1\" d=\"";
  for (size_t i = 0; i < valeurs.size(); ++i)
    s += (i == 0 ? "M" : "L") + n(X(valeurs[i].t)) + " " + n(Y(valeurs[i].v));
  s += "\"/>\n";
  for (const Valeur& p : valeurs)
    s += "<circle cx=\"" + n(X(p.t)) + "\" cy=\"" + n(Y(p.v)) + "\" r=\"2\" fill=\"#1f77b4\"/>\n";
  return s;
}

bool fini(const Valeur& v) { return std::isfinite(v.t) && std::isfinite(v.v) && std::isfinite(v.u); }

}  // namespace

std::string texteMouvement(const RunCalibre& run) {
  std::vector<Valeur> x, y, vitesse;
  for (const LigneCalibree& l : run.lignes) {
    const Valeur vx{l.t, l.x, l.ix}, vy{l.t, l.y, l.iy};
    if (fini(vx)) x.push_back(vx);
    if (fini(vy)) y.push_back(vy);
    if (!l.derivee) continue;
    const double v = std::hypot(l.vx, l.vy);
    // the speed's uncertainty from its components'; their sum's when it is 0
    const double u = v > 0 ? std::sqrt(l.vx * l.vx * l.ivx * l.ivx + l.vy * l.vy * l.ivy * l.ivy) / v
                           : std::hypot(l.ivx, l.ivy);
    const Valeur p{l.t, v, u};
    if (fini(p)) vitesse.push_back(p);
  }
  const double hauteur = kHaut + 3 * kHauteurPlot + 2 * kEcart + 50;
  const std::string ut = run.unite_temps, u = run.unite;
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                  n(kLargeur) + "\" height=\"" + n(hauteur) + "\" viewBox=\"0 0 " + n(kLargeur) + " " + n(hauteur) +
                  "\">\n<rect width=\"100%\" height=\"100%\" fill=\"#f4f4f4\"/>\n";
  s += plot(x, kHaut, "x (" + u + ") selon t (" + ut + ")");
  s += plot(y, kHaut + kHauteurPlot + kEcart, "y (" + u + ") selon t (" + ut + ")");
  s += plot(vitesse, kHaut + 2 * (kHauteurPlot + kEcart), "vitesse (" + u + "/" + ut + ") selon t (" + ut + ")");
  char note[160];
  std::snprintf(note, sizeof note, "%zu positions, %zu vitesses ; barres : une incertitude-type", x.size(),
                vitesse.size());
  s += "<text x=\"" + n(kGauche) + "\" y=\"" + n(hauteur - 12) +
       "\" font-family=\"sans-serif\" font-size=\"12\" fill=\"#444444\">" + note + "</text>\n";
  return s + "</svg>\n";
}
