// The photo shown, released and loaded: by the RETURN step, the step back
// and the resume, through the read ahead when it holds the file.
#pragma once

#include <string>

#include "etat/historique.h"

// The RETURN step's release: the photo's surfaces and textures, with the
// console traces it prints even when there was nothing to release.
void libererPhoto();
// For the step back and the resume, which move through the series without
// the RETURN step's traces: the same release, silent.
void libererPhotoSansTraces();
// Loads nom_photo_complet as the RETURN step loads the next photo (error
// line, "Image chargee", placed again when its size differs).
void chargerPhotoCourante();
// Loads the closing picture at zoom 0.25, centred.
void chargerImageFin();
// Past the last photo: "Traitement termine", the closing picture's path,
// then chargerImageFin.
void afficherImageFin();
// A photo of the run shown again, by the step back and the navigation keys:
// the series counters, name and size it had, "ligne" and its path printed,
// then loaded as the RETURN step loads a photo; from the closing picture the
// zoom of the zoom index comes back.
void montrerPhotoDuRun(const Souvenir& souvenir, const std::string& ligne);
