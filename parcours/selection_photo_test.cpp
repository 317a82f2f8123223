#include "parcours/selection_photo.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

// Every record field a kept selection stands for, and what it shows.
std::string selectionMontree() {
  const Etat& e = *g_etat;
  std::ostringstream t;
  for (const bool b : e.is_select) t << b;
  t << " listes " << e.m_liste_x.size() << " " << e.m_liste_y.size() << " zone " << e.m_zone_x0 << " "
    << e.m_zone_y0 << " " << e.m_zone_x1 << " " << e.m_zone_y1 << " " << e.m_zone_dx << " " << e.m_zone_dy;
  t << " nombre " << e.m_nombre_selectionnes << " centre " << e.m_centre_x << " " << e.m_centre_y << " reference "
    << int(e.m_rouge_reference) << " " << int(e.m_vert_reference) << " " << int(e.m_bleu_reference);
  t << " modes " << e.m_choix_zone << e.m_ajout_souris << e.m_ajout_couleurs << e.m_retrait_souris
    << e.m_vue_suivante_bloquee;
  const Recette& r = e.m_recette;
  t << " recette " << r.zone << " " << r.x0 << " " << r.y0 << " " << r.x1 << " " << r.y1 << " " << r.depart.size();
  for (const PasseSelection& p : r.passes)
    t << " [" << int(p.type) << " " << int(p.rouge) << " " << p.tolerance_rouge << " " << p.x0 << " " << p.y1 << "]";
  const HistoireSelection& h = e.m_histoire_selection;
  t << " histoire " << h.changee << h.proposee << h.couleur << " " << int(h.rouge) << " " << int(h.vert) << " "
    << int(h.bleu);
  t << " montre " << e.m_afficher_zone << e.m_afficher_selection << e.m_afficher_centre << e.m_afficher_croix_appui;
  for (const SDL_Rect& c : {e.m_rect_zone, e.m_croix_horizontale, e.m_croix_verticale, e.m_rect_source_pixel})
    t << " (" << c.x << " " << c.y << " " << c.w << " " << c.h << ")";
  return t.str();
}

class SelectionPhotoTest : public PhotoColonnesTest {
 protected:
  void SetUp() override {
    PhotoColonnesTest::SetUp();
    poserPhoto([](int c) { return c < 20 ? SDL_Color{200, 10, 30, 255} : SDL_Color{20, 90, 200, 255}; }, 5);
    g_etat->m_taille_pixel = 5;
  }
};

}  // namespace

// A selection kept at the RETURN comes back whole over another one: every
// field, the recipe and its starting bits, and the shapes shown for the view.
// An empty one takes the zone away.
TEST_F(SelectionPhotoTest, KeptSelectionComesBackWhole) {
  Etat& e = *g_etat;
  glisser(&Etat::m_choix_zone, 2, 3, 35, 25);
  cliquer(5, 5);
  glisser(&Etat::m_retrait_souris, 3, 3, 6, 25);
  e.m_histoire_selection.proposee = true;
  e.m_vue_suivante_bloquee = true;  // RETURN comes free again with the restore
  const std::vector<bool> depart(e.is_select.size(), true);
  e.m_recette.depart = depart;
  const SelectionPhoto gardee = selectionDuRecord();
  e.m_vue_suivante_bloquee = false;
  const std::string attendue = selectionMontree();
  EXPECT_TRUE(gardee.depart_herite);

  restaurerSelection(SelectionPhoto{}, {});
  EXPECT_TRUE(e.is_select.empty() && e.m_liste_x.empty() && !e.m_afficher_zone && !e.m_afficher_centre);
  EXPECT_TRUE(e.m_choix_zone && !e.m_retrait_souris);

  glisser(&Etat::m_choix_zone, 10, 1, 38, 20);
  cliquer(30, 5);
  ASSERT_NE(attendue, selectionMontree());
  restaurerSelection(gardee, depart);
  EXPECT_EQ(attendue, selectionMontree());
}
