#include "app/touche_bandeau.h"

#include "etat/etat.h"
#include "app/touches.h"
#include "display/bandeau.h"

void toucheBandeau() {
  SourceBandeau source;
  for (const LigneAide& l : lignesAide()) source.aide.emplace_back(l.touche, l.effet);
  basculerBandeau(source);
}
