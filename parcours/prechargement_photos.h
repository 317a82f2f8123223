// The photos the next advances will load, read ahead on a worker thread
// (series/prechargement.h) and taken by the advance, the step back and the
// resume when their file is unchanged. Main thread only.
#pragma once

#include <SDL.h>

#include <string>

// Once per frame: asks for the photo the next RETURN would load (the next
// photo of the series or the closing picture), and the one after it while
// m_suivi_en_cours is set. Prints nothing; does nothing once m_en_marche is
// false.
void demanderPhotosSuivantes();
// What IMG_Load(chemin) gives, from its read ahead when that is unchanged on
// disk: SDL_GetError then holds the text of a failed read, as after IMG_Load.
// pixels_prets receives the texture's pixels when the worker made them (to
// give back by rendrePixelsPrets after creerTexturePhoto), else null.
SDL_Surface* lirePhoto(const std::string& chemin, SDL_Surface*& pixels_prets);
// The texture's pixels, once copied in: kept for the worker's next photo.
void rendrePixelsPrets(SDL_Surface* pixels);
// Frees a photo surface the record no longer points to, on the worker when
// it runs: the next photo is not kept waiting for it.
void libererSurfacePhoto(SDL_Surface* photo);
// Drops every read ahead and joins the worker; before SDL_Quit.
void arreterPrechargement();
