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
    remplacerTouchesAjoutees({
        {SDL_SCANCODE_A, SDL_SCANCODE_UNKNOWN, Declenchement::UneFoisParAppui, "A", "a", actionA},
        {SDL_SCANCODE_EQUALS, SDL_SCANCODE_KP_PLUS, Declenchement::Repetition, "=", "b", actionB},
    });
    g_etat->m_etat_clavier = clavier_;
  }
  void TearDown() override {
    remplacerTouchesAjoutees({});
    EtatTest::TearDown();
  }
  Uint8 clavier_[SDL_NUM_SCANCODES] = {};
};

}  // namespace

// A once-per-press key acts at the first frame only and again after a
// release, even one the frames did not see; a repeating key acts at once, then once 200 ms have passed, by
// either of its two keys.
TEST_F(TouchesTest, TriggersActOncePerPressOrAtTheRepeatPace) {
  clavier_[SDL_SCANCODE_A] = 1;
  for (uint64_t t : {1000, 1050, 1100}) sectionTouchesAjoutees(t);
  EXPECT_EQ(1, g_a);
  clavier_[SDL_SCANCODE_A] = 0;
  sectionTouchesAjoutees(1150);
  clavier_[SDL_SCANCODE_A] = 1;
  sectionTouchesAjoutees(1200);
  EXPECT_EQ(2, g_a);
  // a release and a new press between two frames, then a press and its
  // release between two frames: seen by their events, each acts once
  ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_EVENTS));
  SDL_Event appui{};
  appui.type = SDL_KEYDOWN;
  appui.key.keysym.scancode = SDL_SCANCODE_A;
  SDL_PushEvent(&appui);
  sectionTouchesAjoutees(1250);
  sectionTouchesAjoutees(1300);
  clavier_[SDL_SCANCODE_A] = 0;
  SDL_PushEvent(&appui);
  sectionTouchesAjoutees(1350);
  sectionTouchesAjoutees(1400);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  EXPECT_EQ(4, g_a);

  clavier_[SDL_SCANCODE_KP_PLUS] = 1;
  for (uint64_t t : {2000, 2050, 2199, 2200, 2250, 2400}) sectionTouchesAjoutees(t);
  EXPECT_EQ(3, g_b);
  clavier_[SDL_SCANCODE_KP_PLUS] = 0;
  sectionTouchesAjoutees(2450);
  clavier_[SDL_SCANCODE_EQUALS] = 1;
  sectionTouchesAjoutees(2460);  // a new press acts at once
  EXPECT_EQ(4, g_b);
}

// The help lists the sixteen keys first, then every added key by its name.
TEST_F(TouchesTest, HelpEndsWithTheAddedKeys) {
  const std::vector<LigneAide> aide = lignesAide();
  ASSERT_GE(aide.size(), 2u);
  EXPECT_EQ("A", aide[aide.size() - 2].touche);
  EXPECT_EQ("=", aide.back().touche);
}
