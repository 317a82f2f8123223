#include "calibration/resu_calibre.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <system_error>

#include "calibration/derivees.h"
#include "calibration/geometrie.h"
#include "calibration/temps.h"
#include "output/detail.h"
#include "output/resultats.h"

namespace {

constexpr double kPas = 1e-3;  // photo pixels of the finite differences

// The calibration's clicked coordinates, for the propagation of their error.
std::vector<double*> pointsCliques(Calibration& c) {
  std::vector<double*> p;
  if (c.plan) {
    for (PointPhoto& q : c.coins) {
      p.push_back(&q.x);
      p.push_back(&q.y);
    }
  } else if (c.echelle) {
    for (PointPhoto& q : c.bouts) {
      p.push_back(&q.x);
      p.push_back(&q.y);
    }
  }
  if (c.origine) {
    p.push_back(&c.point_origine.x);
    p.push_back(&c.point_origine.y);
  }
  return p;
}

std::string nombre(double v) { return std::isfinite(v) ? texteResultat(v) : std::string(); }

// How the measured positions go into the calibrated frame: their images,
// the map's Jacobian at each, and each clicked calibration point's shared
// effect on every position (scaled by kIncertitudeClic).
struct Propagation {
  std::string unite = "px";
  std::vector<PointPhoto> X;
  std::vector<std::array<double, 4>> J;  // dX/dx, dX/dy, dY/dx, dY/dy
  std::vector<std::vector<PointPhoto>> effets;
};

Propagation propager(const std::vector<MesurePhoto>& mesures, const Calibration& c) {
  Propagation p;
  Repere r;
  std::string raison;
  if (!construireRepere(c, r, raison)) r = Repere();  // identity: the pixels as measured
  if (!r.identite) p.unite = r.unite;
  const size_t n = mesures.size();
  p.X.resize(n);
  p.J.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const PointPhoto q{mesures[i].x, mesures[i].y};
    p.X[i] = versRepere(r, q);
    const PointPhoto dx = versRepere(r, {q.x + kPas, q.y}), dy = versRepere(r, {q.x, q.y + kPas});
    p.J[i] = {(dx.x - p.X[i].x) / kPas, (dy.x - p.X[i].x) / kPas, (dx.y - p.X[i].y) / kPas,
              (dy.y - p.X[i].y) / kPas};
  }
  // Each clicked point moves every position together: its effect on each
  // position (and each derivative) is one shared derivative.
  Calibration deplacee = c;
  for (double* coord : pointsCliques(deplacee)) {
    const double avant = *coord;
    *coord += kPas;
    Repere rd;
    std::vector<PointPhoto> d(n);
    if (construireRepere(deplacee, rd, raison)) {
      for (size_t i = 0; i < n; ++i) {
        const PointPhoto q = versRepere(rd, {mesures[i].x, mesures[i].y});
        d[i] = {(q.x - p.X[i].x) / kPas * kIncertitudeClic, (q.y - p.X[i].y) / kPas * kIncertitudeClic};
      }
    }
    *coord = avant;
    p.effets.push_back(std::move(d));
  }
  return p;
}

// The variances of position i in the calibrated frame from its selection's
// uncertainty alone.
void variancesMesure(const Propagation& p, size_t i, double ux, double uy, double& var_x, double& var_y) {
  const std::array<double, 4>& j = p.J[i];
  const double ux2 = ux * ux, uy2 = uy * uy;
  var_x = j[0] * j[0] * ux2 + j[1] * j[1] * uy2;
  var_y = j[2] * j[2] * ux2 + j[3] * j[3] * uy2;
}

// The variances the calibration's clicks add to position i, added on.
void ajouterVariancesClics(const Propagation& p, size_t i, double& var_x, double& var_y) {
  for (const auto& e : p.effets) {
    var_x += e[i].x * e[i].x;
    var_y += e[i].y * e[i].y;
  }
}

}  // namespace

RunCalibre calibrerRun(const std::vector<MesurePhoto>& mesures, const Calibration& c) {
  RunCalibre run;
  const Propagation p = propager(mesures, c);
  run.unite = p.unite;

  std::vector<int64_t> indices;
  std::vector<TempsPhoto> exif;
  for (const MesurePhoto& m : mesures) {
    indices.push_back(m.indice);
    exif.push_back(m.exif);
  }
  const TempsRun temps = tempsDuRun(indices, exif, c.intervalle, c.secondes);
  run.unite_temps = temps.source == SourceTemps::Rang ? "photo" : "s";
  run.repli_temps = temps.repli;

  const size_t n = mesures.size();
  const std::vector<PointPhoto>& X = p.X;
  const std::vector<std::vector<PointPhoto>>& effets = p.effets;
  std::vector<double> var_x(n), var_y(n);
  for (size_t i = 0; i < n; ++i) variancesMesure(p, i, mesures[i].ux, mesures[i].uy, var_x[i], var_y[i]);

  const std::vector<FenetreDerivee> fenetres = fenetresDerivees(indices, temps.t);
  for (size_t i = 0; i < n; ++i) {
    LigneCalibree l;
    l.rang = mesures[i].rang;
    l.photo = mesures[i].photo;
    l.t = temps.t[i];
    l.x = X[i].x;
    l.y = X[i].y;
    double vx = var_x[i], vy = var_y[i];
    ajouterVariancesClics(p, i, vx, vy);
    l.ix = std::sqrt(vx);
    l.iy = std::sqrt(vy);
    const FenetreDerivee& f = fenetres[i];
    if (f.existe) {
      l.derivee = true;
      double mvx = 0, mvy = 0, max = 0, may = 0;  // measurement variances
      for (int k = 0; k < f.n; ++k) {
        const size_t j = static_cast<size_t>(f.debut + k);
        l.vx += f.wv[k] * X[j].x;
        l.vy += f.wv[k] * X[j].y;
        l.ax += f.wa[k] * X[j].x;
        l.ay += f.wa[k] * X[j].y;
        mvx += f.wv[k] * f.wv[k] * var_x[j];
        mvy += f.wv[k] * f.wv[k] * var_y[j];
        max += f.wa[k] * f.wa[k] * var_x[j];
        may += f.wa[k] * f.wa[k] * var_y[j];
      }
      for (const auto& e : effets) {
        double cvx = 0, cvy = 0, cax = 0, cay = 0;
        for (int k = 0; k < f.n; ++k) {
          const size_t j = static_cast<size_t>(f.debut + k);
          cvx += f.wv[k] * e[j].x;
          cvy += f.wv[k] * e[j].y;
          cax += f.wa[k] * e[j].x;
          cay += f.wa[k] * e[j].y;
        }
        mvx += cvx * cvx;
        mvy += cvy * cvy;
        max += cax * cax;
        may += cay * cay;
      }
      l.ivx = std::sqrt(mvx);
      l.ivy = std::sqrt(mvy);
      l.iax = std::sqrt(max);
      l.iay = std::sqrt(may);
    }
    run.lignes.push_back(l);
  }
  return run;
}

std::string enteteResuCalibre() {
  return "rang;photo;t;x;y;incertitude_x;incertitude_y;vx;vy;ax;ay;unite;unite_temps\r\n";
}

std::string texteResuCalibre(const RunCalibre& run) {
  std::string t = enteteResuCalibre();
  const std::string unites = champCsv(run.unite) + ";" + champCsv(run.unite_temps) + "\r\n";
  for (const LigneCalibree& l : run.lignes) {
    t += std::to_string(l.rang) + ";" + champCsv(l.photo) + ";" + nombre(l.t) + ";" + nombre(l.x) + ";" +
         nombre(l.y) + ";" + nombre(l.ix) + ";" + nombre(l.iy) + ";";
    if (l.derivee) {
      t += nombre(l.vx) + ";" + nombre(l.vy) + ";" + nombre(l.ax) + ";" + nombre(l.ay) + ";";
    } else {
      t += ";;;;";
    }
    t += unites;
  }
  return t;
}

std::vector<std::string> champsCsv(const std::string& ligne) {
  std::vector<std::string> f(1);
  bool cite = false;
  for (size_t i = 0; i < ligne.size(); ++i) {
    const char c = ligne[i];
    if (cite) {
      if (c == '"' && i + 1 < ligne.size() && ligne[i + 1] == '"') {
        f.back() += '"';
        ++i;
      } else if (c == '"') {
        cite = false;
      } else {
        f.back() += c;
      }
    } else if (c == '"') {
      cite = true;
    } else if (c == ';') {
      f.emplace_back();
    } else if (c != '\r' && c != '\n') {
      f.back() += c;
    }
  }
  return f;
}

namespace {

bool entier(const std::string& t, int64_t& v) {
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool decimal(const std::string& t, double& v) {
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(v) && v >= 0.0;
}

// Half the last decimal of the file's values (texteResultat: 10 decimals),
// a little less, so a value taken inside it rounds back to the text.
constexpr double kDemiDecimale = 0.4e-10;

// The squared selection uncertainties (ux^2, uy^2) that give back the
// uncertainties ix, iy (clic_x, clic_y: the calibration's share of their
// squares) through the Jacobian j. False when no pair of squares >= 0 does.
bool resoudre(const std::array<double, 4>& j, double ix, double iy, double clic_x, double clic_y, double& a,
              double& b) {
  const double p = j[0] * j[0], q = j[1] * j[1], r = j[2] * j[2], s = j[3] * j[3];
  const double det = p * s - q * r;
  if (std::fabs(det) > 1e-9 * (p + q) * (r + s)) {
    const double vx = ix * ix - clic_x, vy = iy * iy - clic_y;
    a = (vx * s - q * vy) / det;
    b = (p * vy - r * vx) / det;
  } else {
    // The map mixes x and y evenly (axes turned by 45 degrees): only one sum
    // L = p a + q b counts, x's variance L and y's lambda L. L is taken
    // where both rounded texts allow it, shared in proportion to the weights.
    if (!(p * p + q * q > 0.0) || !(r + s > 0.0)) return false;
    const double lambda = (r + s) / (p + q);
    double bas = std::max(0.0, ix - kDemiDecimale), haut = ix + kDemiDecimale;
    double lo = bas * bas - clic_x, hi = haut * haut - clic_x;
    bas = std::max(0.0, iy - kDemiDecimale);
    haut = iy + kDemiDecimale;
    lo = std::max(lo, (bas * bas - clic_y) / lambda);
    hi = std::min(hi, (haut * haut - clic_y) / lambda);
    const double L = lo <= hi ? (lo + hi) / 2 : ix * ix - clic_x;
    a = L * p / (p * p + q * q);
    b = L * q / (p * p + q * q);
  }
  // the file's last decimal may leave a square a hair below 0; the check of
  // the texts given back decides
  a = std::max(a, 0.0);
  b = std::max(b, 0.0);
  return true;
}

}  // namespace

std::vector<LigneCalibreeLue> lireResuCalibre(const std::string& texte) {
  std::vector<LigneCalibreeLue> lignes;
  const std::string entete = enteteResuCalibre();
  if (texte.compare(0, entete.size(), entete) != 0) return lignes;
  size_t debut = entete.size();
  while (debut < texte.size()) {
    // a quoted photo name may hold a line end: a row ends at CR LF outside quotes
    size_t fin = debut;
    bool cite = false;
    while (fin < texte.size() && (cite || texte.compare(fin, 2, "\r\n") != 0)) {
      if (texte[fin] == '"') cite = !cite;
      ++fin;
    }
    if (fin >= texte.size()) break;  // a row cut short
    const std::vector<std::string> f = champsCsv(texte.substr(debut, fin - debut));
    debut = fin + 2;
    LigneCalibreeLue l;
    if (f.size() != 13 || !entier(f[0], l.rang)) continue;
    l.photo = f[1];
    l.x = f[3];
    l.y = f[4];
    l.ix = f[5];
    l.iy = f[6];
    l.unite = f[11];
    lignes.push_back(std::move(l));
  }
  return lignes;
}

std::vector<bool> retrouverIncertitudes(std::vector<MesurePhoto>& mesures, const Calibration& c,
                                        const std::vector<LigneCalibreeLue>& lignes) {
  std::vector<bool> trouvees(mesures.size(), false);
  std::map<int64_t, const LigneCalibreeLue*> par_rang;
  for (const LigneCalibreeLue& l : lignes) par_rang.emplace(l.rang, &l);
  const Propagation p = propager(mesures, c);
  for (size_t i = 0; i < mesures.size(); ++i) {
    const auto trouvee = par_rang.find(mesures[i].rang);
    if (trouvee == par_rang.end()) continue;
    const LigneCalibreeLue& l = *trouvee->second;
    // the same record through the same map
    if (l.photo != mesures[i].photo || l.unite != p.unite || l.x != nombre(p.X[i].x) || l.y != nombre(p.X[i].y))
      continue;
    double ix = 0.0, iy = 0.0;
    if (!decimal(l.ix, ix) || !decimal(l.iy, iy)) continue;
    double clic_x = 0.0, clic_y = 0.0;
    ajouterVariancesClics(p, i, clic_x, clic_y);
    double a = 0.0, b = 0.0;
    if (!resoudre(p.J[i], ix, iy, clic_x, clic_y, a, b)) continue;
    // kept only when it gives the row back as the file holds it
    double vx = 0.0, vy = 0.0;
    variancesMesure(p, i, std::sqrt(a), std::sqrt(b), vx, vy);
    ajouterVariancesClics(p, i, vx, vy);
    if (nombre(std::sqrt(vx)) != l.ix || nombre(std::sqrt(vy)) != l.iy) continue;
    mesures[i].ux = std::sqrt(a);
    mesures[i].uy = std::sqrt(b);
    trouvees[i] = true;
  }
  return trouvees;
}
