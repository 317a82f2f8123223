// Velocity and acceleration on uneven times, across gaps, and the times of
// a run.
#include "calibration/derivees.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calibration/temps.h"

namespace {

TEST(Derivees, AParabolaOnUnevenTimesIsDerivedExactly) {
  const std::vector<double> t = {0.0, 0.7, 1.1, 2.9, 3.0, 4.4, 6.0};
  const std::vector<int64_t> indices = {0, 1, 2, 3, 4, 5, 6};
  const std::vector<FenetreDerivee> f = fenetresDerivees(indices, t);
  ASSERT_EQ(7u, f.size());
  for (size_t i = 0; i < f.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(f[i].existe);
    EXPECT_EQ(i >= 2 && i <= 4 ? 5 : 3, f[i].n);  // five inside, three near the ends
    double v = 0, a = 0;
    for (int k = 0; k < f[i].n; ++k) {
      const double tk = t[static_cast<size_t>(f[i].debut + k)];
      const double x = 3.0 - 2.0 * tk + 0.75 * tk * tk;
      v += f[i].wv[k] * x;
      a += f[i].wa[k] * x;
    }
    EXPECT_NEAR(-2.0 + 1.5 * t[i], v, 1e-9);
    EXPECT_NEAR(1.5, a, 1e-9);
  }
}

TEST(Derivees, GapsAreNeverBridged) {
  // photos 0-3 recorded, 4 passed, 5-6 recorded, 8 alone
  const std::vector<int64_t> indices = {0, 1, 2, 3, 5, 6, 8};
  const std::vector<double> t = {0, 1, 2, 3, 5, 6, 8};
  const std::vector<FenetreDerivee> f = fenetresDerivees(indices, t);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(f[i].existe);
    EXPECT_GE(f[i].debut, 0);
    EXPECT_LE(f[i].debut + f[i].n, 4);
  }
  for (size_t i = 4; i < 7; ++i) EXPECT_FALSE(f[i].existe) << i;
}

TEST(Temps, ExifDatesIntervalAndRank) {
  TempsPhoto s;
  ASSERT_TRUE(secondesDeDate("1970:01:02 00:00:01", "25", "", s));
  EXPECT_EQ(86401, s.secondes);
  EXPECT_DOUBLE_EQ(0.25, s.fraction);
  ASSERT_TRUE(secondesDeDate("2024:02:29 12:00:00", "", "+02:00", s));
  TempsPhoto utc;
  ASSERT_TRUE(secondesDeDate("2024:02:29 10:00:00", "", "", utc));
  EXPECT_EQ(utc.secondes, s.secondes);
  // today's dates keep their hundredths: 0.4 s, not 0.4000000954
  TempsPhoto avant, apres;
  ASSERT_TRUE(secondesDeDate("2026:12:09 10:00:00", "00", "", avant));
  ASSERT_TRUE(secondesDeDate("2026:12:09 10:00:01", "30", "", apres));
  EXPECT_EQ(1.3, ecartSecondes(avant, apres));
  for (const char* mauvaise : {"", "2024:13:01 00:00:00", "2024-01-01 00:00:00", "    :  :     :  :  "})
    EXPECT_FALSE(secondesDeDate(mauvaise, "", "", s)) << mauvaise;

  const std::vector<int64_t> indices = {0, 1, 3};
  const TempsPhoto a{true, 1000, 0.0}, b{true, 1000, 0.5}, c{true, 1001, 0.75}, rien{};
  TempsRun r = tempsDuRun(indices, {a, b, c}, true, 0.1);
  EXPECT_EQ(SourceTemps::Exif, r.source);
  EXPECT_EQ((std::vector<double>{0.0, 0.5, 1.75}), r.t);
  // one photo without EXIF: the interval, counting the passed photo
  r = tempsDuRun(indices, {a, rien, c}, true, 0.1);
  EXPECT_EQ(SourceTemps::Intervalle, r.source);
  EXPECT_EQ("dates EXIF absentes sur certaines photos", r.repli);
  EXPECT_NEAR(0.3, r.t[2], 1e-12);
  // times that repeat: the rank
  r = tempsDuRun(indices, {a, a, c}, false, 0.0);
  EXPECT_EQ(SourceTemps::Rang, r.source);
  EXPECT_EQ("dates EXIF qui reculent ou se repetent", r.repli);
  EXPECT_EQ((std::vector<double>{1, 2, 4}), r.t);
  // no EXIF anywhere is no fault
  EXPECT_EQ("", tempsDuRun(indices, {rien, rien, rien}, false, 0.0).repli);
}

}  // namespace
