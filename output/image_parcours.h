// The picture of a run, "donnees/trajectoire.svg": the recorded centres on a
// frame of the photo's size, and x and y against the advance's number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/detail.h"

// One recorded centre, in photo pixels (y downwards), and the rang of the
// advance that wrote it.
struct PointTrajet {
  int64_t rang = 0;
  double x = 0.0, y = 0.0;
};

// The centres of the rows with ecrit 1, in their order.
std::vector<PointTrajet> pointsEnregistres(const std::vector<LigneDetail>& lignes);

// A standalone SVG 1.1 document. Left: the frame of the photo (skipped when
// a size is 0 or less), widened to hold centres that fall off it, with the
// centres joined in order, the first in green, the last in red, and every
// 10th rang labelled (every 100th, 1000th ... when that would put more than
// 200 labels). Right: x and y against rang. Centres that are not finite are
// left out and counted. Past 20 000 vertices the path's vertices are rounded
// to a coarser grid, consecutive equal ones merged, and the grid is named
// under the picture; each plot keeps, per column of its width, the first,
// last, lowest and highest value, which draws the same lines.
std::string texteImageParcours(const std::vector<PointTrajet>& points, int32_t largeur_photo, int32_t hauteur_photo);

// Writes texte to chemin ("donnees/trajectoire.svg") through a temporary file
// renamed over it; false, the old picture kept, when that failed.
bool ecrireImageParcours(const std::string& chemin, const std::string& texte);

// Rewrites donnees/trajectoire.svg from the history of the run.
void redessinerImageParcours();
