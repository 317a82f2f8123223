// The selection proposed on the photo shown, from the photos of the run
// before it: a zone of the operator's size on the predicted centre, the
// colour passes run again, the patch nearest the prediction kept, and a
// verdict on how far the result can be trusted.
#pragma once

#include <string>

#include "tracking/doute.h"
#include "tracking/prediction.h"

enum class IssueProposition {
  Impossible,
  Douteuse,
  Cachee,  // a doubt that says the object is hidden (objetCache)
  Sure,
};

// A on the photo shown: builds the zone of the operator's size (the zone
// drawn on this photo, else the last one drawn before it, else the last
// record's) centred on the predicted centre, as a zone drag does ("Taille de
// is_select : N"), runs the colour passes and keeps the patch at or nearest
// the predicted centre; when that patch touches a side of the zone inside
// the photo, grows the zone (at most twice, never past the largest zone of
// the parameter file) and does it again there. Computes and prints the
// centre as a colour click does, shows zone, markers and cross, and leaves
// the colour sub-mode with RETURN free. The recipe holds the passes and the
// patch kept, as the proposal's. Prints "Suivi douteux : " and the reason
// when in doubt (raison gets it); "Suivi impossible : " and the reason, with
// nothing changed, when it cannot propose.
IssueProposition proposerSelection(std::string* raison = nullptr);
