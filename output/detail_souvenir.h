// The detail row of one RETURN, from what the history of the run keeps of it.
#pragma once

#include <cstdint>
#include <string>

#include "etat/historique.h"

// The detail row of a souvenir at rank rang, with the tolerances in force
// and the spread of the bits selected now.
std::string texteDetailDe(const Souvenir& souvenir, int64_t rang);
