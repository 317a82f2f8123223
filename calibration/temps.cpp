#include "calibration/temps.h"

#include <libexif/exif-data.h>

#include <cctype>
#include <cstdlib>

namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t jours(int64_t a, int64_t m, int64_t j) {
  a -= m <= 2;
  const int64_t ere = (a >= 0 ? a : a - 399) / 400;
  const int64_t an = a - ere * 400;
  const int64_t jour_an = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + j - 1;
  const int64_t jour_ere = an * 365 + an / 4 - an / 100 + jour_an;
  return ere * 146097 + jour_ere - 719468;
}

bool chiffres(const std::string& t, size_t debut, size_t n, int64_t& v) {
  if (debut + n > t.size()) return false;
  v = 0;
  for (size_t i = debut; i < debut + n; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
    v = v * 10 + (t[i] - '0');
  }
  return true;
}

// An ASCII tag's text without its trailing NULs and blanks; "" when absent.
std::string etiquette(ExifData* d, ExifTag tag) {
  ExifEntry* e = exif_content_get_entry(d->ifd[EXIF_IFD_EXIF], tag);
  if (e == nullptr || e->data == nullptr || e->format != EXIF_FORMAT_ASCII) return "";
  std::string t(reinterpret_cast<const char*>(e->data), e->size);
  while (!t.empty() && (t.back() == '\0' || t.back() == ' ')) t.pop_back();
  return t;
}

}  // namespace

bool secondesDeDate(const std::string& date, const std::string& fraction, const std::string& decalage,
                    TempsPhoto& temps) {
  int64_t a = 0, mo = 0, j = 0, h = 0, mi = 0, s = 0;
  if (date.size() != 19 || date[4] != ':' || date[7] != ':' || date[10] != ' ' || date[13] != ':' ||
      date[16] != ':')
    return false;
  if (!chiffres(date, 0, 4, a) || !chiffres(date, 5, 2, mo) || !chiffres(date, 8, 2, j) ||
      !chiffres(date, 11, 2, h) || !chiffres(date, 14, 2, mi) || !chiffres(date, 17, 2, s))
    return false;
  if (mo < 1 || mo > 12 || j < 1 || j > 31 || h > 23 || mi > 59 || s > 60) return false;
  int64_t t = jours(a, mo, j) * 86400 + h * 3600 + mi * 60 + s;
  // the fraction's digits as one integer over a power of ten: "40" is 0.4 exactly as a double has it
  int64_t numerateur = 0, denominateur = 1;
  for (char c : fraction) {
    if (c == ' ') break;  // some cameras pad the field with blanks
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    if (denominateur > 100000000000000) continue;  // past a femtosecond the digits change nothing
    numerateur = numerateur * 10 + (c - '0');
    denominateur *= 10;
  }
  if (!decalage.empty()) {
    int64_t dh = 0, dm = 0;
    if (decalage.size() != 6 || (decalage[0] != '+' && decalage[0] != '-') || decalage[3] != ':' ||
        !chiffres(decalage, 1, 2, dh) || !chiffres(decalage, 4, 2, dm))
      return false;
    const int64_t d = dh * 3600 + dm * 60;
    t -= decalage[0] == '+' ? d : -d;  // local time less its offset: UTC
  }
  temps.secondes = t;
  temps.fraction = double(numerateur) / double(denominateur);
  return true;
}

double ecartSecondes(const TempsPhoto& a, const TempsPhoto& b) {
  return double(b.secondes - a.secondes) + (b.fraction - a.fraction);
}

TempsPhoto tempsExif(const std::string& chemin) {
  TempsPhoto t;
  ExifData* d = exif_data_new_from_file(chemin.c_str());
  if (d == nullptr) return t;
  const std::string date = etiquette(d, EXIF_TAG_DATE_TIME_ORIGINAL);
  const std::string fraction = etiquette(d, EXIF_TAG_SUB_SEC_TIME_ORIGINAL);
  const std::string decalage = etiquette(d, EXIF_TAG_OFFSET_TIME_ORIGINAL);
  exif_data_unref(d);
  // an unreadable fraction or offset leaves the date whole
  if (secondesDeDate(date, fraction, decalage, t) || secondesDeDate(date, "", "", t)) t.lu = true;
  return t;
}

TempsRun tempsDuRun(const std::vector<int64_t>& indices, const std::vector<TempsPhoto>& exif, bool intervalle,
                    double secondes) {
  TempsRun r;
  size_t avec = 0;
  for (const TempsPhoto& t : exif) avec += t.lu ? 1 : 0;
  if (!indices.empty() && avec == indices.size()) {
    bool montent = true;
    for (size_t i = 1; i < exif.size(); ++i) montent = montent && ecartSecondes(exif[i - 1], exif[i]) > 0;
    if (montent) {
      r.source = SourceTemps::Exif;
      for (const TempsPhoto& t : exif) r.t.push_back(ecartSecondes(exif[0], t));
      return r;
    }
    r.repli = "dates EXIF qui reculent ou se repetent";
  } else if (avec > 0) {
    r.repli = "dates EXIF absentes sur certaines photos";
  }
  r.source = intervalle ? SourceTemps::Intervalle : SourceTemps::Rang;
  for (int64_t i : indices) r.t.push_back(intervalle ? double(i) * secondes : double(i + 1));
  return r;
}
