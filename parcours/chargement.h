// The photo shown, released and loaded: by the RETURN step, the step back
// and the resume, through the read ahead when it holds the file.
#pragma once

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
