#include "output/image_parcours.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "tests/etat_fixture.h"

namespace {

size_t compte(const std::string& texte, const std::string& motif) {
  size_t n = 0;
  for (size_t i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
  return n;
}

// Renders the picture to a PNG with rsvg-convert; true when it rendered.
bool rendre(const std::string& svg, const std::string& png) {
  const std::string commande = "rsvg-convert --format=png --output=" + png + " " + svg + " 2>" + png + ".erreurs";
  return std::system(commande.c_str()) == 0 && lireFichier(png).compare(1, 3, "PNG") == 0;
}

}  // namespace

TEST(ImageParcours, CentresLabelsAndPlotsAreDrawnForAnyCount) {
  std::vector<PointTrajet> points;
  for (int64_t r = 1; r <= 25; ++r) points.push_back({r, 20.0 + 10 * r, 200.0 - 6 * r});
  points[3].x = -40;  // off the photo: the panel widens to hold it
  points.push_back({26, std::numeric_limits<double>::quiet_NaN(), 1});
  const std::string t = texteImageParcours(points, 320, 240);
  EXPECT_EQ(0u, t.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_EQ(1u, compte(t, ">10</text>"));
  EXPECT_EQ(1u, compte(t, ">20</text>"));
  EXPECT_EQ(0u, compte(t, ">5</text>"));
  EXPECT_NE(std::string::npos, t.find("centres non finis omis : 1"));
  EXPECT_NE(std::string::npos, t.find("centres enregistres : 25"));
  EXPECT_EQ(3u, compte(t, "<polyline"));  // the path and the two plots
  EXPECT_EQ(std::string::npos, t.find("nan"));
  EXPECT_EQ(std::string::npos, t.find(",-"));  // off the photo, still inside the picture

  const std::string dossier = dossierTemporaire();
  std::vector<PointTrajet> million;
  for (int64_t r = 1; r <= 1000000; ++r) {
    const double a = r * 1e-5;
    million.push_back({r, 1500 + 1400 * std::sin(3 * a), 1000 + 900 * std::sin(2 * a)});
  }
  struct Cas { const char* nom; std::vector<PointTrajet> points; int32_t l, h; };
  for (const Cas& c : {Cas{"aucun", {}, 320, 240}, Cas{"un", {points[0]}, 320, 240}, Cas{"vingt_cinq", points, 320, 240},
                       Cas{"sans_photo", points, 0, 0}, Cas{"million", million, 3000, 2000}}) {
    SCOPED_TRACE(c.nom);
    const std::string svg = texteImageParcours(c.points, c.l, c.h), chemin = dossier + "/" + c.nom + ".svg";
    ASSERT_TRUE(ecrireImageParcours(chemin, svg));
    EXPECT_TRUE(rendre(chemin, dossier + "/" + c.nom + ".png")) << lireFichier(dossier + "/" + c.nom + ".png.erreurs");
    EXPECT_LT(svg.size(), 1000000u);
  }
  RecordProperty("images", dossier);  // the PNGs stay there to be looked at
}

TEST(ImageParcours, RecordedRowsGiveTheirCentres) {
  std::vector<LigneDetail> lignes(3);
  for (int i = 0; i < 3; ++i) lignes[i].rang = i + 1;
  lignes[0].ecrit = lignes[2].ecrit = true;
  lignes[0].x = "12.5000000000";
  lignes[0].y = "-0.2500000000";
  lignes[2].x = "300.0000000000";
  lignes[2].y = "7.0000000000";
  std::vector<PointTrajet> p = pointsEnregistres(lignes);
  ASSERT_EQ(2u, p.size());
  EXPECT_EQ(1, p[0].rang);
  EXPECT_EQ(12.5, p[0].x);
  EXPECT_EQ(-0.25, p[0].y);
  EXPECT_EQ(3, p[1].rang);
  EXPECT_EQ(300, p[1].x);
}
