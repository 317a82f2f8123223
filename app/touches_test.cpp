#include "app/touches.h"

#include <SDL.h>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

int g_a = 0, g_b = 0;
void actionA() { ++g_a; }
void actionB() { ++g_b; }

class TouchesTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    g_a = g_b = 0;
    g_etat->m_etat_clavier = clavier_;
  }
  void section(uint64_t maintenant) { sectionTouchesAjoutees(table_, maintenant); }
  // a press as the event step counts it
  void appui(SDL_Scancode code) {
    ++g_etat->m_entrees.appuis[code];
    ++g_etat->m_entrees.appuis_touches;
  }
  const std::vector<ToucheAjoutee> table_ = {
      {SDL_SCANCODE_A, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "A", "a", actionA},
      {SDL_SCANCODE_EQUALS, SDL_SCANCODE_KP_PLUS, Declenchement::Repetition, "=", "b", actionB},
  };
  Uint8 clavier_[SDL_NUM_SCANCODES] = {};
};

}  // namespace

// A once-per-press key acts at the first frame only and again after a
// release, even one the frames did not see; a repeating key acts at once, then once 200 ms have passed, by
// either of its two keys.
TEST_F(TouchesTest, TriggersActOncePerPressOrAtTheRepeatPace) {
  clavier_[SDL_SCANCODE_A] = 1;
  for (uint64_t t : {1000, 1050, 1100}) section(t);
  EXPECT_EQ(1, g_a);
  clavier_[SDL_SCANCODE_A] = 0;
  section(1150);
  clavier_[SDL_SCANCODE_A] = 1;
  section(1200);
  EXPECT_EQ(2, g_a);
  // a release and a new press between two frames, then a press and its
  // release between two frames: seen by their counts, each acts once
  appui(SDL_SCANCODE_A);
  section(1250);
  section(1300);
  clavier_[SDL_SCANCODE_A] = 0;
  appui(SDL_SCANCODE_A);
  section(1350);
  section(1400);
  EXPECT_EQ(4, g_a);
  // a press another reader took (the run's stop) acts neither held nor after
  appui(SDL_SCANCODE_A);
  clavier_[SDL_SCANCODE_A] = 1;
  consommerAppuis(g_etat->m_entrees, SDL_SCANCODE_A);
  section(1450);
  clavier_[SDL_SCANCODE_A] = 0;
  section(1500);
  EXPECT_EQ(4, g_a);

  clavier_[SDL_SCANCODE_KP_PLUS] = 1;
  for (uint64_t t : {2000, 2050, 2199, 2200, 2250, 2400}) section(t);
  EXPECT_EQ(3, g_b);
  clavier_[SDL_SCANCODE_KP_PLUS] = 0;
  section(2450);
  clavier_[SDL_SCANCODE_EQUALS] = 1;
  section(2460);  // a new press acts at once
  EXPECT_EQ(4, g_b);
}

// The help lists the sixteen keys first, then every added key by its name.
TEST_F(TouchesTest, HelpEndsWithTheAddedKeys) {
  const std::vector<LigneAide> aide = lignesAide();
  const std::vector<ToucheAjoutee>& table = touchesAjoutees();
  ASSERT_GT(aide.size(), table.size());
  EXPECT_EQ("fleches", aide.front().touche);
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].nom, aide[aide.size() - table.size() + i].touche);
}
