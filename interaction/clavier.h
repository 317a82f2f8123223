#pragma once
// The keyboard section of handleEvents: reads m_etat_clavier (already sampled)
// and acts on the sixteen keys. True when RETURN was accepted: the caller then
// runs the next-photo step.
bool sectionClavier();
