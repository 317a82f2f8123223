#include "display/trace.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <utility>

#include "etat/etat.h"
#include "display/fenetre.h"
#include "display/photo.h"

namespace {

// Window coordinates beyond this are taken as no point at all: a clip of a
// step that long would lose its precision, and no record is that far.
constexpr double kLointain = 1e12;

const Uint8 kCouleurs[kTeintes][3] = {{160, 160, 0}, {255, 255, 0}, {255, 0, 0}};

bool fini(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Liang-Barsky: the part of the step inside [x_min, x_max] x [y_min, y_max];
// false when none is. debut_coupe / fin_coupe: an end was moved.
bool couper(double& x0, double& y0, double& x1, double& y1, double x_min, double y_min, double x_max, double y_max,
            bool& debut_coupe, bool& fin_coupe) {
  debut_coupe = fin_coupe = false;
  // most steps lie wholly inside: no division for them
  if (x0 >= x_min && x0 <= x_max && x1 >= x_min && x1 <= x_max && y0 >= y_min && y0 <= y_max && y1 >= y_min &&
      y1 <= y_max)
    return true;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - x_min, x_max - x0, y0 - y_min, y_max - y0};
  double t0 = 0.0, t1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  debut_coupe = t0 > 0.0;
  fin_coupe = t1 < 1.0;
  const double ax = x0, ay = y0;
  if (debut_coupe) {
    x0 = ax + t0 * dx;
    y0 = ay + t0 * dy;
  }
  if (fin_coupe) {
    x1 = ax + t1 * dx;
    y1 = ay + t1 * dy;
  }
  return true;
}

// Rounded to a window pixel, halves away from zero; the value is already
// clipped near the window. Inline: a frame rounds tens of thousands.
int arrondi(double v) {
  const int entier = static_cast<int>(v);  // toward zero; v - entier is exact
  const double reste = v - entier;
  return entier + (reste >= 0.5) - (reste <= -0.5);  // no branch: the halves fall at random
}
SDL_Point pixel(double x, double y) { return {arrondi(x), arrondi(y)}; }

bool memePoint(const SDL_Point& a, const SDL_Point& b) { return a.x == b.x && a.y == b.y; }

// Appended field by field: a point or bar made whole on the stack, then
// copied in, stalls on every one of the tens of thousands a trace holds.
void ajouterPoint(std::vector<SDL_Point>& v, const SDL_Point& p) {
  SDL_Point& q = v.emplace_back();
  q.x = p.x;
  q.y = p.y;
}
void ajouterBarre(std::vector<SDL_Rect>& v, int x, int y, int w, int h) {
  SDL_Rect& r = v.emplace_back();
  r.x = x;
  r.y = y;
  r.w = w;
  r.h = h;
}

Teinte teinteEtape(const TrajetPhoto& t, size_t i, size_t n) {
  if (t.rouge[i] != 0) return Teinte::Rouge;
  return i - 1 + kCentresVifs >= n ? Teinte::Recente : Teinte::Ordinaire;
}

// dim first, then the last ten, red over everything: a jump stays visible
void tracer(SDL_Renderer* rendu, const TraceFenetre& trace) {
  for (int t = 0; t < kTeintes; ++t) {
    SDL_SetRenderDrawColor(rendu, kCouleurs[t][0], kCouleurs[t][1], kCouleurs[t][2], 255);
    const std::vector<SDL_Point>& points = trace.points[t];
    const std::vector<uint32_t>& debuts = trace.debuts[t];
    for (size_t k = 0; k < debuts.size(); ++k) {
      const uint32_t fin = k + 1 < debuts.size() ? debuts[k + 1] : static_cast<uint32_t>(points.size());
      SDL_RenderDrawLines(rendu, points.data() + debuts[k], static_cast<int>(fin - debuts[k]));
    }
    const std::vector<SDL_Rect>& croix = trace.croix[t];
    if (!croix.empty()) SDL_RenderFillRects(rendu, croix.data(), static_cast<int>(croix.size()));
  }
}

// Bresenham from (x, y) to (x1, y1) as a renderer draws a line: along the
// longer axis, a step on the other once the error is not negative; the end
// pixel only when dernier.
template <typename Poser>
void ligneBresenham(int x, int y, int x1, int y1, bool dernier, Poser poser) {
  const int dx = std::abs(x1 - x), dy = std::abs(y1 - y), sx = x > x1 ? -1 : 1, sy = y > y1 ? -1 : 1;
  const bool en_x = dx >= dy;
  const int grand = en_x ? dx : dy, petit = en_x ? dy : dx;
  int erreur = 2 * petit - grand;
  for (int n = dernier ? 0 : 1; n <= grand; ++n) {
    poser(x, y);
    if (erreur < 0) {
      erreur += 2 * petit;
      if (en_x) {
        x += sx;
      } else {
        y += sy;
      }
    } else {
      erreur += 2 * (petit - grand);
      x += sx;
      y += sy;
    }
  }
}

// The trace's pixels into window-sized rows of pas bytes in the texture's
// format (ARGB8888 or ABGR8888), every other pixel clear: the pixels tracer
// gets from the renderer, set in memory. As a renderer does, a polyline's
// steps leave out their end pixel but the last, and a slanted step is first
// cut to the window in whole pixels.
void peindre(const TraceFenetre& trace, Uint32 format, Uint8* pixels, int pas, int largeur, int hauteur) {
  for (int ligne = 0; ligne < hauteur; ++ligne) std::memset(pixels + size_t(ligne) * pas, 0, size_t(largeur) * 4);
  const SDL_Rect fenetre{0, 0, largeur, hauteur};
  const bool abgr = format == SDL_PIXELFORMAT_ABGR8888;
  for (int t = 0; t < kTeintes; ++t) {
    const Uint32 rouge = kCouleurs[t][0], vert = kCouleurs[t][1], bleu = kCouleurs[t][2];
    const Uint32 couleur = 0xFF000000u | (abgr ? bleu : rouge) << 16 | vert << 8 | (abgr ? rouge : bleu);
    auto poser = [&](int x, int y) {
      if (x < 0 || y < 0 || x >= largeur || y >= hauteur) return;  // points lie up to one pixel out
      reinterpret_cast<Uint32*>(pixels + size_t(y) * pas)[x] = couleur;
    };
    const std::vector<SDL_Point>& points = trace.points[t];
    const std::vector<uint32_t>& debuts = trace.debuts[t];
    for (size_t k = 0; k < debuts.size(); ++k) {
      const size_t debut = debuts[k], fin = k + 1 < debuts.size() ? debuts[k + 1] : points.size();
      bool trace_ligne = false;
      for (size_t i = debut + 1; i < fin; ++i) {
        SDL_Point a = points[i - 1], b = points[i];
        const bool dernier = i + 1 == fin && (!trace_ligne || !memePoint(b, points[debut]));
        if (!dernier && memePoint(a, b)) continue;
        trace_ligne = true;
        const bool dedans = SDL_PointInRect(&a, &fenetre) && SDL_PointInRect(&b, &fenetre);
        if (a.x != b.x && a.y != b.y && !dedans && !SDL_IntersectRectAndLine(&fenetre, &a.x, &a.y, &b.x, &b.y))
          continue;
        ligneBresenham(a.x, a.y, b.x, b.y, dernier, poser);
      }
    }
    for (const SDL_Rect& barre : trace.croix[t]) {
      const int x0 = std::max(barre.x, 0), x1 = std::min(barre.x + barre.w, largeur);
      if (x1 <= x0) continue;
      for (int y = std::max(barre.y, 0); y < std::min(barre.y + barre.h, hauteur); ++y) {
        Uint32* ligne = reinterpret_cast<Uint32*>(pixels + size_t(y) * pas);
        std::fill(ligne + x0, ligne + x1, couleur);
      }
    }
  }
}

// A GPU driver takes RGBA bytes as they are and swizzles the other order at
// each upload (Mesa: the window's pixels at every pan); the software
// renderer blits ARGB into the window fastest.
Uint32 formatCalque(SDL_Renderer* rendu) {
  const FormatsTexture formats = formatsTexture(rendu);
  return !formats.logiciel && offert(formats, SDL_PIXELFORMAT_ABGR8888) ? SDL_PIXELFORMAT_ABGR8888
                                                                          : SDL_PIXELFORMAT_ARGB8888;
}

// Paints the trace into the cache's texture, made (again) for this renderer
// and size; clear pixels leave the frame as it is. The pixels are set here
// and uploaded once: a GPU driver pays for each of the tens of thousands of
// lines and bars a renderer would draw. False when the texture cannot be
// had: the caller draws straight into the frame.
bool calquer(CacheTrace& c, SDL_Renderer* rendu, int largeur, int hauteur) {
  int l = 0, h = 0;
  if (c.rendu == rendu && c.calque != nullptr &&
      (SDL_QueryTexture(c.calque, nullptr, nullptr, &l, &h) != 0 || l != largeur || h != hauteur)) {
    SDL_DestroyTexture(c.calque);
    c.calque = nullptr;
  }
  if (c.rendu != rendu) c.calque = nullptr;  // went with its renderer
  c.rendu = rendu;
  if (c.calque == nullptr) {
    c.calque = SDL_CreateTexture(rendu, formatCalque(rendu), SDL_TEXTUREACCESS_STREAMING, largeur, hauteur);
    if (c.calque == nullptr) return false;
    SDL_SetTextureBlendMode(c.calque, SDL_BLENDMODE_BLEND);
  }
  void* pixels = nullptr;
  int pas = 0;
  if (SDL_LockTexture(c.calque, nullptr, &pixels, &pas) != 0) return false;
  Uint32 format = SDL_PIXELFORMAT_ARGB8888;
  SDL_QueryTexture(c.calque, &format, nullptr, nullptr, nullptr);
  peindre(c.trace, format, static_cast<Uint8*>(pixels), pas, largeur, hauteur);
  SDL_UnlockTexture(c.calque);
  c.calque_valide = true;
  return true;
}

}  // namespace

double medianePas(std::vector<double> pas) {
  if (pas.empty()) return 0.0;
  const size_t m = pas.size() / 2;
  std::nth_element(pas.begin(), pas.begin() + m, pas.end());
  if (pas.size() % 2 == 1) return pas[m];
  return 0.5 * (pas[m] + *std::max_element(pas.begin(), pas.begin() + m));
}

std::vector<uint8_t> etapesRouges(const std::vector<double>& x, const std::vector<double>& y) {
  const size_t n = std::min(x.size(), y.size());
  std::vector<uint8_t> rouge(n, 0);
  std::vector<double> longueurs(n, -1.0);
  std::vector<double> valides;
  for (size_t i = 1; i < n; ++i) {
    if (!fini(x[i - 1], y[i - 1]) || !fini(x[i], y[i])) continue;
    longueurs[i] = std::hypot(x[i] - x[i - 1], y[i] - y[i - 1]);
    valides.push_back(longueurs[i]);
  }
  if (valides.empty()) return rouge;
  const double mediane = medianePas(std::move(valides));
  for (size_t i = 1; i < n; ++i) rouge[i] = longueurs[i] > 3.0 * mediane && longueurs[i] > 2.0 ? 1 : 0;
  return rouge;
}

TraceFenetre traceFenetre(const TrajetPhoto& trajet, double zoom, double decalage_x, double decalage_y,
                          int32_t largeur, int32_t hauteur) {
  TraceFenetre trace;
  traceFenetre(trajet, zoom, decalage_x, decalage_y, largeur, hauteur, trace);
  return trace;
}

void traceFenetre(const TrajetPhoto& trajet, double zoom, double decalage_x, double decalage_y, int32_t largeur,
                  int32_t hauteur, TraceFenetre& trace) {
  for (int t = 0; t < kTeintes; ++t) {
    trace.points[t].clear();
    trace.debuts[t].clear();
    trace.croix[t].clear();
  }
  const size_t n = std::min({trajet.x.size(), trajet.y.size(), trajet.rouge.size()});
  if (!(zoom > 0.0) || !std::isfinite(zoom) || !fini(decalage_x, decalage_y) || largeur <= 0 || hauteur <= 0 ||
      n == 0)
    return;

  // centre i in the window; false when it is no point at all
  auto fenetre = [&](size_t i, double& x, double& y) {
    x = trajet.x[i] * zoom - decalage_x;
    y = trajet.y[i] * zoom - decalage_y;
    return fini(x, y) && std::abs(x) < kLointain && std::abs(y) < kLointain;
  };
  const double x_min = -1.0, y_min = -1.0, x_max = largeur, y_max = hauteur;
  auto dehors = [&](double xa, double ya, double xb, double yb) {  // both ends beyond one side: surely not visible
    return (xa < x_min && xb < x_min) || (xa > x_max && xb > x_max) || (ya < y_min && yb < y_min) ||
           (ya > y_max && yb > y_max);
  };
  // the visible dim steps are counted only when there may be too many
  size_t ordinaires = n - 1;
  double xa = 0.0, ya = 0.0, xb = 0.0, yb = 0.0;
  bool present_a = false;
  if (ordinaires > kEtapesMax) {
    ordinaires = 0;
    present_a = fenetre(0, xa, ya);
    for (size_t i = 1; i < n; ++i, xa = xb, ya = yb) {
      const bool present_b = fenetre(i, xb, yb);
      if (present_a && present_b && !dehors(xa, ya, xb, yb) && teinteEtape(trajet, i, n) == Teinte::Ordinaire)
        ++ordinaires;
      present_a = present_b;
    }
  }
  const size_t pas = ordinaires > kEtapesMax ? (ordinaires + kEtapesMax - 1) / kEtapesMax : 1;
  trace.points[static_cast<int>(Teinte::Ordinaire)].reserve(ordinaires / pas + 2);

  // One polyline open at a time: it goes on while the steps keep their teinte
  // and join inside the window.
  int ouverte = -1;
  size_t rang_ordinaire = 0;
  present_a = fenetre(0, xa, ya);
  for (size_t i = 1; i < n; ++i, xa = xb, ya = yb) {
    const bool present_b = fenetre(i, xb, yb);
    const bool visible = present_a && present_b && !dehors(xa, ya, xb, yb);
    present_a = present_b;
    if (!visible) {
      ouverte = -1;
      continue;
    }
    const Teinte teinte = teinteEtape(trajet, i, n);
    if (teinte == Teinte::Ordinaire && rang_ordinaire++ % pas != 0) {
      ouverte = -1;
      continue;
    }
    double x0 = xa, y0 = ya, x1 = xb, y1 = yb;
    bool debut_coupe = false, fin_coupe = false;
    if (!couper(x0, y0, x1, y1, x_min, y_min, x_max, y_max, debut_coupe, fin_coupe)) {
      ouverte = -1;
      continue;
    }
    const int t = static_cast<int>(teinte);
    std::vector<SDL_Point>& points = trace.points[t];
    const SDL_Point fin = pixel(x1, y1);
    if (ouverte != t || debut_coupe) {
      trace.debuts[t].push_back(static_cast<uint32_t>(points.size()));
      ajouterPoint(points, pixel(x0, y0));
      ajouterPoint(points, fin);
    } else if (!memePoint(points.back(), fin)) {
      ajouterPoint(points, fin);
    }
    ouverte = fin_coupe ? -1 : t;
  }

  // Crosses of the visible centres; dim ones share a 2 x 2 cell at most once.
  const int32_t d = kDemiCroixTrajet;
  const int64_t colonnes = (int64_t{largeur} + 2 * d) / 2 + 1, lignes = (int64_t{hauteur} + 2 * d) / 2 + 1;
  std::vector<bool> occupees(static_cast<size_t>(colonnes * lignes), false);
  trace.croix[static_cast<int>(Teinte::Ordinaire)].reserve(2 * std::min(n, occupees.size()));
  for (size_t i = 0; i < n; ++i) {
    double x = 0.0, y = 0.0;
    if (!fenetre(i, x, y) || x < -d || y < -d || x > largeur + d || y > hauteur + d) continue;
    const SDL_Point p = pixel(x, y);
    const bool recente = i + kCentresVifs >= n;
    if (!recente) {
      const size_t cellule = static_cast<size_t>((p.y + d) / 2 * colonnes + (p.x + d) / 2);
      if (cellule >= occupees.size() || occupees[cellule]) continue;
      occupees[cellule] = true;
    }
    std::vector<SDL_Rect>& croix = trace.croix[static_cast<int>(recente ? Teinte::Recente : Teinte::Ordinaire)];
    ajouterBarre(croix, p.x - d, p.y, 2 * d + 1, 1);
    ajouterBarre(croix, p.x, p.y - d, 1, 2 * d + 1);
  }
}

void basculerTrace() {
  Etat& e = *g_etat;
  e.m_afficher_trace = !e.m_afficher_trace;
  if (!e.m_afficher_trace) {
    std::cout << "Trajectoire masquee" << std::endl;
    return;
  }
  size_t centres = 0;
  for (const Souvenir& s : e.m_historique.souvenirs) centres += s.ecrit ? 1 : 0;
  std::cout << "Trajectoire affichee : " << centres << " centres" << std::endl;
}

void dessinerTrace() {
  Etat& e = *g_etat;
  if (!e.m_afficher_trace || e.m_rendu == nullptr) return;
  CacheTrace& c = e.m_cache_trace;
  const Historique& h = e.m_historique;
  if (!c.photo_valide || c.version_historique != h.version) {
    // the centres the result files hold, resumed rows included
    c.trajet = TrajetPhoto{};
    for (const Souvenir& s : h.souvenirs) {
      if (!s.ecrit) continue;
      c.trajet.x.push_back(s.selection.centre_x);
      c.trajet.y.push_back(s.selection.centre_y);
    }
    c.trajet.rouge = etapesRouges(c.trajet.x, c.trajet.y);
    c.photo_valide = true;
    c.version_historique = h.version;
    c.fenetre_valide = false;
  }
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  const double vue[3] = {e.m_zoom, e.m_decalage_x, e.m_decalage_y};
  if (!c.fenetre_valide || !std::equal(vue, vue + 3, c.vue) || c.taille[0] != largeur || c.taille[1] != hauteur) {
    traceFenetre(c.trajet, e.m_zoom, e.m_decalage_x, e.m_decalage_y, largeur, hauteur, c.trace);
    std::copy(vue, vue + 3, c.vue);
    c.taille[0] = largeur;
    c.taille[1] = hauteur;
    c.fenetre_valide = true;
    c.calque_valide = false;
  }
  if (c.rendu != e.m_rendu || c.calque == nullptr || !c.calque_valide) {
    if (!calquer(c, e.m_rendu, largeur, hauteur)) {
      tracer(e.m_rendu, c.trace);
      return;
    }
  }
  SDL_RenderCopy(e.m_rendu, c.calque, nullptr, nullptr);
}

void libererTrace() {
  Etat& e = *g_etat;
  CacheTrace& c = e.m_cache_trace;
  // a layer of another renderer went with it
  if (c.calque != nullptr && c.rendu == e.m_rendu) SDL_DestroyTexture(c.calque);
  c.calque = nullptr;
  c.rendu = nullptr;
  c.calque_valide = false;
}
