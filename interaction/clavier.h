#pragma once
#include <cstdint>

#include "interaction/vue.h"

// The keyboard section of handleEvents: reads m_etat_clavier (already sampled)
// and acts on the sixteen keys. True when RETURN was accepted: the caller then
// runs the next-photo step.
bool sectionClavier();

// What the keyboard section calls beyond the record: the pan, the zoom step
// and the wait before a repeated arrow. Tests replace them to watch each frame.
struct ActionsClavier {
  void (*deplacer)(Direction direction);
  void (*zoomer)(int sens);
  void (*attendre)(uint32_t millisecondes);
};
// Installs other actions and returns those in place (tests only).
ActionsClavier remplacerActionsClavier(const ActionsClavier& actions);
