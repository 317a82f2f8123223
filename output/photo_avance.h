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
// free after creerTexturePhoto), else null.
SDL_Surface* lirePhoto(const std::string& chemin, SDL_Surface*& pixels_prets);
// Drops every read ahead and joins the worker; before SDL_Quit.
void arreterPrechargement();
