#include "interaction/clavier.h"

#include <SDL.h>

#include <string>
#include <vector>

#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

std::vector<std::string> g_journal;

void noterDeplacement(Direction d) {
  const char* noms[] = {"droite", "gauche", "bas", "haut"};
  g_journal.push_back(noms[static_cast<int>(d)]);
}
void noterZoom(int sens) { g_journal.push_back(sens > 0 ? "zoom+" : "zoom-"); }
void noterAttente(uint32_t ms) { g_journal.push_back("attente " + std::to_string(ms)); }

class ClavierTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    g_etat->m_etat_clavier = touches_;
    g_etat->m_indice_zoom_max = 8;
    ancien_ = remplacerActionsClavier({noterDeplacement, noterZoom, noterAttente});
    g_journal.clear();
  }
  void TearDown() override {
    remplacerActionsClavier(ancien_);
    EtatTest::TearDown();
  }
  // One frame with exactly these keys down; returns what it did.
  std::vector<std::string> image(std::initializer_list<SDL_Scancode> enfoncees, bool* retour = nullptr) {
    std::fill(std::begin(touches_), std::end(touches_), 0);
    for (SDL_Scancode t : enfoncees) touches_[t] = 1;
    g_journal.clear();
    const bool accepte = sectionClavier();
    if (retour != nullptr) *retour = accepte;
    return g_journal;
  }
  using Journal = std::vector<std::string>;
  Uint8 touches_[SDL_NUM_SCANCODES] = {};
  ActionsClavier ancien_{};
};

TEST_F(ClavierTest, ArrowsActAtOnceThenRepeatAfterAWait) {
  EXPECT_EQ(Journal{"droite"}, image({SDL_SCANCODE_RIGHT}));
  EXPECT_EQ((Journal{"attente 200", "droite"}), image({SDL_SCANCODE_RIGHT}));
  EXPECT_EQ((Journal{"attente 200", "droite"}), image({SDL_SCANCODE_RIGHT}));
  EXPECT_EQ(Journal{}, image({}));
  EXPECT_EQ(Journal{"droite"}, image({SDL_SCANCODE_RIGHT}));
  // Two held arrows each wait, in table order.
  EXPECT_EQ((Journal{"attente 200", "droite", "haut"}), image({SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP}));
  EXPECT_EQ((Journal{"attente 200", "droite", "attente 200", "haut"}), image({SDL_SCANCODE_UP, SDL_SCANCODE_RIGHT}));
  EXPECT_EQ((Journal{"gauche", "bas"}), image({SDL_SCANCODE_LEFT, SDL_SCANCODE_DOWN}));
}

TEST_F(ClavierTest, ZoomKeysActOncePerPressWithinTheTable) {
  Etat& e = *g_etat;
  EXPECT_EQ(Journal{"zoom+"}, image({SDL_SCANCODE_P}));
  EXPECT_EQ(Journal{}, image({SDL_SCANCODE_P}));
  EXPECT_EQ(Journal{}, image({}));
  EXPECT_EQ(Journal{"zoom+"}, image({SDL_SCANCODE_P}));
  // L at index 0 does nothing, yet the press is used up.
  EXPECT_EQ(Journal{}, image({SDL_SCANCODE_L}));
  EXPECT_TRUE(e.m_touche_l_tenue);
  e.m_indice_zoom = 1;
  EXPECT_EQ(Journal{}, image({SDL_SCANCODE_L}));
  image({});
  EXPECT_EQ(Journal{"zoom-"}, image({SDL_SCANCODE_L}));
  e.m_indice_zoom = 8;
  image({});
  EXPECT_EQ(Journal{}, image({SDL_SCANCODE_P}));
  EXPECT_TRUE(e.m_touche_p_tenue);
  EXPECT_EQ("", console_.lu());
}

TEST_F(ClavierTest, LevelKeysActEveryFrameInTableOrder) {
  Etat& e = *g_etat;
  image({SDL_SCANCODE_X});
  image({SDL_SCANCODE_X});
  EXPECT_EQ("Mode de selection par couleurs voisines\nMode de selection par couleurs voisines\n", console_.lu());
  image({SDL_SCANCODE_W, SDL_SCANCODE_X});
  EXPECT_EQ("Mode de selection par couleurs voisines\nMode de selection par cliquer-glisser (2points)\n",
            console_.lu());
  EXPECT_FALSE(e.m_mode_couleurs_voisines);
  EXPECT_TRUE(e.m_choix_zone);  // the method leaves the sub-mode alone

  struct Cas {
    SDL_Scancode touche;
    bool Etat::*mode;
    const char* ligne;
  };
  for (Cas c : {Cas{SDL_SCANCODE_E, &Etat::m_ajout_souris,
                    "Ajouter a la selection avec la souris : diagonale cliquer-glisser gauche\n"},
                Cas{SDL_SCANCODE_D, &Etat::m_retrait_souris,
                    "Retirer de la selection avec la souris : diagonale cliquer-glisser gauche\n"},
                Cas{SDL_SCANCODE_I, &Etat::m_ajout_couleurs, "Ajouter a la selection par couleurs similaires\n"},
                Cas{SDL_SCANCODE_S, &Etat::m_choix_zone,
                    "Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser "
                    "gauche\n"}}) {
    SCOPED_TRACE(c.ligne);
    e.m_vue_suivante_bloquee = true;
    image({c.touche});
    EXPECT_EQ(c.ligne, console_.lu());
    EXPECT_TRUE(e.*c.mode);
    EXPECT_EQ(1, e.m_choix_zone + e.m_ajout_souris + e.m_ajout_couleurs + e.m_retrait_souris);
    EXPECT_FALSE(e.m_vue_suivante_bloquee);
  }
  image({SDL_SCANCODE_I, SDL_SCANCODE_E});  // the later key in the table wins
  EXPECT_TRUE(e.m_ajout_couleurs);
  EXPECT_FALSE(e.m_ajout_souris);
}

TEST_F(ClavierTest, ReturnIsAcceptedOnlyWhileTheInterlockIsOpen) {
  Etat& e = *g_etat;
  bool accepte = false;
  image({SDL_SCANCODE_RETURN}, &accepte);
  EXPECT_TRUE(accepte);
  e.m_vue_suivante_bloquee = true;  // as the next-photo step leaves it
  image({SDL_SCANCODE_RETURN}, &accepte);
  EXPECT_FALSE(accepte);
  image({SDL_SCANCODE_KP_ENTER}, &accepte);
  EXPECT_FALSE(accepte);
  console_.lu();
  image({SDL_SCANCODE_RETURN, SDL_SCANCODE_S}, &accepte);
  EXPECT_TRUE(accepte);
  EXPECT_EQ(
      "Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche\n",
      console_.lu());
}

TEST_F(ClavierTest, TolerancePromptsClampAndKeepTheValueOnBadReplies) {
  Etat& e = *g_etat;
  e.m_tolerance_rouge = 400;  // from the parameter file, not clamped there
  console_.entree("300\n");
  image({SDL_SCANCODE_R});
  EXPECT_EQ("Couleurs voisines : tolerance sur le rouge ? (400 )\n", console_.lu());
  EXPECT_EQ(255, e.m_tolerance_rouge);

  struct Cas {
    const char* reponse;
    int32_t avant, apres;
  };
  for (Cas c : {Cas{"-5\n", 30, 0}, Cas{"abc\n", 30, 30}, Cas{"", 30, 30},
                Cas{"99999999999\n", 30, 255}, Cas{"-99999999999\n", 30, 0}, Cas{"  17 \n", 30, 17}}) {
    SCOPED_TRACE(c.reponse);
    e.m_tolerance_vert = c.avant;
    e.m_tolerance_bleu = 9;
    console_.entree(c.reponse);
    image({SDL_SCANCODE_G});
    EXPECT_EQ(c.apres, e.m_tolerance_vert);
    EXPECT_EQ(9, e.m_tolerance_bleu);
    EXPECT_EQ("Couleurs voisines : tolerance sur le vert ? (30 )\n", console_.lu());
  }

  // A word is dropped with its line, so the next prompt reads the next line.
  console_.entree("abc 12\n7\n");
  image({SDL_SCANCODE_B});
  image({SDL_SCANCODE_B});
  EXPECT_EQ(7, e.m_tolerance_bleu);
  EXPECT_EQ("Couleurs voisines : tolerance sur le bleu ? (9 )\nCouleurs voisines : tolerance sur le bleu ? (9 )\n",
            console_.lu());

  // Two numbers on one line: the second answers the next prompt of the frame.
  console_.entree("40 50\n");
  image({SDL_SCANCODE_R, SDL_SCANCODE_G});
  EXPECT_EQ(40, e.m_tolerance_rouge);
  EXPECT_EQ(50, e.m_tolerance_vert);
  EXPECT_EQ("Couleurs voisines : tolerance sur le rouge ? (255 )\nCouleurs voisines : tolerance sur le vert ? (17 )\n",
            console_.lu());
}

}  // namespace
