// What the automatic run keeps beyond m_suivi_en_cours: its option K, the
// photos it passed in a row, and its last stop for the status strip.
#pragma once

#include <cstdint>
#include <string>

struct SuiviAuto {
  // K: photos where the object seems hidden are passed with N's row, up to
  // three in a row, instead of stopping the run.
  bool caches_passes = false;
  // In the run going: photos that failed to load, and photos passed as
  // hidden, since the last one measured.
  int32_t absentes_de_suite = 0;
  int32_t cachees_de_suite = 0;
  // The last stop's reason (after "Suivi arrete : "), with the doubt that
  // caused it, and the count of key presses when it stopped: the strip shows
  // it until another key is pressed.
  std::string arret;
  bool arret_montre = false;
  uint32_t touches_a_l_arret = 0;
};
