#include "output/detail.h"

#include <cassert>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <iostream>
#include <limits>
#include <unistd.h>

#include "etat/etat.h"

namespace {

constexpr int kChamps = 20;

bool entier(const std::string& texte, int64_t min, int64_t max, int64_t& valeur) {
  const char* fin = texte.data() + texte.size();
  auto [ptr, erreur] = std::from_chars(texte.data(), fin, valeur);
  return !texte.empty() && erreur == std::errc() && ptr == fin && valeur >= min && valeur <= max;
}

bool entier32(const std::string& texte, int32_t& valeur) {
  int64_t v = 0;
  if (!entier(texte, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v)) return false;
  valeur = static_cast<int32_t>(v);
  return true;
}

bool bit(const std::string& texte, bool& valeur) {
  if (texte != "0" && texte != "1") return false;
  valeur = texte == "1";
  return true;
}

// What texteResultat writes: digits, ".", exactly 10 digits, "-" allowed
// only where a negative value can occur.
bool dixDecimales(const std::string& texte, bool signe_permis) {
  size_t i = signe_permis && !texte.empty() && texte[0] == '-' ? 1 : 0;
  const size_t point = texte.find('.', i);
  if (point == std::string::npos || point == i || texte.size() - point - 1 != 10) return false;
  for (size_t j = i; j < texte.size(); ++j)
    if (j != point && (texte[j] < '0' || texte[j] > '9')) return false;
  return true;
}

bool decimal(const std::string& texte, double& valeur) {
  if (!dixDecimales(texte, false)) return false;
  auto [ptr, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
  return erreur == std::errc() && ptr == texte.data() + texte.size() && std::isfinite(valeur);
}

// The 20 fields in the header's order, types and agreements checked.
bool remplir(const std::vector<std::string>& f, int64_t rang_attendu, LigneDetail& l) {
  if (f.size() != kChamps) return false;
  if (!entier(f[0], rang_attendu, rang_attendu, l.rang)) return false;
  l.photo = f[1];
  if (l.photo.empty() || !bit(f[2], l.ecrit)) return false;
  if (l.ecrit ? !(dixDecimales(f[3], true) && dixDecimales(f[4], true)) : !(f[3].empty() && f[4].empty()))
    return false;
  l.x = f[3];
  l.y = f[4];
  if (!entier(f[5], 0, std::numeric_limits<int32_t>::max(), l.pixels) || !bit(f[6], l.repete)) return false;
  if (!(entier32(f[7], l.zone_x0) && entier32(f[8], l.zone_y0) && entier32(f[9], l.zone_x1) &&
        entier32(f[10], l.zone_y1)))
    return false;
  l.couleur = !f[11].empty();
  if (l.couleur) {
    int64_t r = 0, v = 0, b = 0;
    if (!(entier(f[11], 0, 255, r) && entier(f[12], 0, 255, v) && entier(f[13], 0, 255, b))) return false;
    l.rouge = static_cast<int32_t>(r);
    l.vert = static_cast<int32_t>(v);
    l.bleu = static_cast<int32_t>(b);
  } else if (!f[12].empty() || !f[13].empty()) {
    return false;
  }
  if (!(entier32(f[14], l.tol_rouge) && entier32(f[15], l.tol_vert) && entier32(f[16], l.tol_bleu))) return false;
  if (l.pixels > 0 ? !(decimal(f[17], l.ecart_type_x) && decimal(f[18], l.ecart_type_y))
                   : !(f[17].empty() && f[18].empty()))
    return false;
  l.origine = f[19];
  // passed with N, or missing in the automatic run: nothing recorded, nothing selected
  const bool saute = l.origine == "saute" || l.origine == "absente";
  if (l.origine != "propose" && l.origine != "manuel" && l.origine != "aucun" && !saute) return false;
  if (saute && (l.ecrit || l.couleur)) return false;
  return (l.origine == "aucun" || saute) == (l.pixels == 0);
}

enum class Fin { Ligne, Incomplete, Illisible };

// Splits the row starting at debut into its fields; on Ligne, debut is past
// its CR LF.
Fin decouper(const std::string& c, size_t& debut, std::vector<std::string>& champs) {
  champs.assign(1, std::string());
  size_t i = debut;
  for (;;) {
    std::string& courant = champs.back();
    if (i < c.size() && c[i] == '"') {
      for (++i;; ++i) {
        if (i >= c.size()) return Fin::Incomplete;
        if (c[i] == '"') {
          if (i + 1 < c.size() && c[i + 1] == '"') {
            courant += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          courant += c[i];
        }
      }
    } else {
      while (i < c.size() && c[i] != ';' && c[i] != '\r' && c[i] != '\n' && c[i] != '"') courant += c[i++];
    }
    if (i >= c.size()) return Fin::Incomplete;
    if (c[i] == ';') {
      champs.emplace_back();
      ++i;
      continue;
    }
    if (c[i] != '\r') return Fin::Illisible;  // a bare LF, or a quote inside a field
    if (i + 1 >= c.size()) return Fin::Incomplete;
    if (c[i + 1] != '\n') return Fin::Illisible;
    debut = i + 2;
    return Fin::Ligne;
  }
}

std::string entiers(std::initializer_list<int64_t> valeurs) {
  std::string texte;
  for (int64_t v : valeurs) texte += std::to_string(v) + ";";
  return texte;
}

}  // namespace

std::string champCsv(const std::string& texte) {
  if (texte.find_first_of(";\"\r\n") == std::string::npos) return texte;
  std::string cite = "\"";
  for (char c : texte) {
    if (c == '"') cite += '"';
    cite += c;
  }
  return cite + "\"";
}


std::string enteteDetail() {
  return "rang;photo;ecrit;x;y;pixels;repete;zone_x0;zone_y0;zone_x1;zone_y1;rouge;vert;bleu;"
         "tol_rouge;tol_vert;tol_bleu;ecart_type_x;ecart_type_y;origine\r\n";
}

std::string texteLigneDetail(const LigneDetail& l) {
  std::string t = std::to_string(l.rang) + ";" + champCsv(l.photo) + ";" + (l.ecrit ? "1;" : "0;");
  t += l.ecrit ? champCsv(l.x) + ";" + champCsv(l.y) + ";" : ";;";
  t += std::to_string(l.pixels) + ";" + (l.repete ? "1;" : "0;");
  t += entiers({l.zone_x0, l.zone_y0, l.zone_x1, l.zone_y1});
  t += l.couleur ? entiers({l.rouge, l.vert, l.bleu}) : ";;;";
  t += entiers({l.tol_rouge, l.tol_vert, l.tol_bleu});
  t += l.pixels > 0 ? texteResultat(l.ecart_type_x) + ";" + texteResultat(l.ecart_type_y) + ";" : ";;";
  return t + champCsv(l.origine) + "\r\n";
}

bool lireDetail(const std::string& contenu, std::vector<LigneDetail>& lignes, std::vector<std::string>& textes_bruts,
                std::string& raison) {
  lignes.clear();
  textes_bruts.clear();
  const std::string entete = enteteDetail();
  const auto echec = [&](const std::string& texte) {
    lignes.clear();
    textes_bruts.clear();
    raison = texte;
    return false;
  };
  if (contenu.empty()) return echec("fichier vide");
  if (contenu.compare(0, entete.size(), entete) != 0)
    return echec(entete.compare(0, contenu.size(), contenu) == 0 ? "derniere ligne incomplete" : "ligne 1 illisible");

  size_t debut = entete.size();
  int64_t numero_ligne = 2;  // as an editor counts them, the header being line 1
  std::vector<std::string> champs;
  while (debut < contenu.size()) {
    const size_t ligne_debut = debut;
    const Fin fin = decouper(contenu, debut, champs);
    if (fin == Fin::Incomplete) return echec("derniere ligne incomplete");
    const std::string illisible = "ligne " + std::to_string(numero_ligne) + " illisible";
    LigneDetail l;
    if (fin == Fin::Illisible || !remplir(champs, static_cast<int64_t>(lignes.size()) + 1, l)) return echec(illisible);
    std::string brut = contenu.substr(ligne_debut, debut - ligne_debut);
    // The same bytes back, or the row is not one this program wrote.
    if (texteLigneDetail(l) != brut) return echec(illisible);
    for (char c : brut) numero_ligne += c == '\n';
    lignes.push_back(std::move(l));
    textes_bruts.push_back(std::move(brut));
  }
  if (lignes.empty()) return echec("aucune photo dans le fichier");
  return true;
}

bool lireFichierDetail(const std::string& chemin, std::vector<LigneDetail>& lignes,
                       std::vector<std::string>& textes_bruts, std::string& raison) {
  lignes.clear();
  textes_bruts.clear();
  int d = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (d < 0) {
    raison = "fichier " + chemin + (errno == ENOENT ? " absent" : " illisible");
    return false;
  }
  std::string contenu;
  char tampon[1 << 16];
  for (;;) {
    ssize_t n = ::read(d, tampon, sizeof tampon);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(d);
      raison = "fichier " + chemin + " illisible";
      return false;
    }
    if (n == 0) break;
    contenu.append(tampon, static_cast<size_t>(n));
  }
  ::close(d);
  return lireDetail(contenu, lignes, textes_bruts, raison);
}

EcartsTypes ecartsTypes(const std::vector<int32_t>& xs, const std::vector<int32_t>& ys, const std::vector<bool>& bits) {
  assert(xs.size() == ys.size() && ys.size() == bits.size());
  __int128 n = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < bits.size(); ++i) {
    if (!bits[i]) continue;
    const __int128 x = xs[i], y = ys[i];
    ++n;
    sx += x;
    sy += y;
    sxx += x * x;
    syy += y * y;
  }
  EcartsTypes e;
  e.nombre = static_cast<int64_t>(n);
  if (n == 0) return e;
  // n * sum(x^2) - (sum x)^2 = n^2 * variance, exact and never negative; the
  // centre's half-pixel offset leaves it unchanged.
  const auto ecart = [n](__int128 s, __int128 ss) {
    const unsigned __int128 numerateur = static_cast<unsigned __int128>(n * ss - s * s);
    return static_cast<double>(std::sqrt(static_cast<long double>(numerateur)) / static_cast<long double>(n));
  };
  e.x = ecart(sx, sxx);
  e.y = ecart(sy, syy);
  return e;
}

void ouvrirFichierDetail() {
  Etat& e = *g_etat;
  if (e.m_fichier_detail != nullptr) return;
  e.m_fichier_detail = Possede<FichierResultat>(new FichierResultat("donnees/resu_detail.csv", enteteDetail()),
                                                [](FichierResultat* f) { delete f; });
}

FichierResultat& fichierDetail() {
  ouvrirFichierDetail();
  return *g_etat->m_fichier_detail;
}

void signalerFichierDetail() { fichierDetail().signalerOuverture(); }
