// The one record of a run.
// Glossary: fenetre window, rendu renderer, decalage offset, appui press,
// retrait removal, relache release, zone search zone, croix cross,
// fog translucent zone overlay, marqueur marker of a selected pixel.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "etat/caches.h"
#include "etat/calibration.h"
#include "etat/entrees.h"
#include "etat/historique.h"
#include "etat/recette.h"
#include "etat/suivi_auto.h"

struct Bandeau;          // display/bandeau_etat.h
class Prechargeur;       // series/prechargement.h
class FichierResultat;   // output/resultats.h

// An object of a room above that the record owns: the room that makes it
// gives the deleter with the pointer, the record seeing only its name.
template <typename T>
using Possede = std::unique_ptr<T, void (*)(T*)>;

struct Etat {
  // colour test: written by interaction/selection.cpp
  Uint8 m_rouge_reference = 0, m_vert_reference = 0, m_bleu_reference = 0;
  Uint8 m_rouge_courant = 0, m_vert_courant = 0, m_bleu_courant = 0;
  const Uint8* m_adresse_pixel = nullptr;
  int32_t m_x_clic_photo = 0, m_y_clic_photo = 0;

  // existence flags: written by interaction/souris.cpp, interaction/vue.cpp,
  // parcours/ (RETURN, step back, resume)
  int32_t m_fog_existe = 0;
  int32_t m_gfog_existe = 0;
  int32_t m_surface_pixel_existe = 0;
  int32_t m_texture_pixel_existe = 0;

  // window: written by display/fenetre.cpp, app/boucle.cpp
  bool m_en_marche = false;
  SDL_Window* m_fenetre = nullptr;
  SDL_Renderer* m_rendu = nullptr;
  SDL_Texture* m_pTexture_prairie = nullptr;
  SDL_Rect m_rect_source{0, 0, 0, 0};
  SDL_Rect m_rect_destination{0, 0, 0, 0};
  int32_t m_octets_par_pixel = 0;
  int32_t m_reponse_console = 0;

  // colours: written by series/parametres.cpp
  int32_t m_alpha_fog = 30;
  int32_t m_rouge_fog = 255, m_vert_fog = 0, m_bleu_fog = 0;
  int32_t m_alpha_pixel = 30;
  int32_t m_rouge_pixel = 255, m_vert_pixel = 255, m_bleu_pixel = 255;
  int32_t m_rouge_fond = 0, m_vert_fond = 150, m_bleu_fond = 0, m_alpha_fond = 255;
  int32_t m_hauteur_fenetre = 0;
  int32_t m_largeur_fenetre = 0;

  // series naming: written by series/parametres.cpp, series/nom_photo.cpp,
  // parcours/ (RETURN, step back, resume) (counters)
  std::string m_dossier_photos;
  int32_t m_mode_nom = 0;
  std::string m_prefixe;
  std::string m_suffixe;
  std::string m_prefixe_numero;
  std::string m_suffixe_numero;
  std::string m_separateur;
  std::string m_point_virgule = ";";
  int32_t m_chiffres_numero = 0;
  int32_t m_chiffres_numero_2 = 0;
  int32_t m_numero_debut = 0;
  int32_t m_numero_debut_2 = 0;
  int32_t m_pas_numero = 0;
  int32_t m_pas_numero_2 = 0;
  int32_t m_debut_partie_haute = 0;
  int32_t m_debut_partie_basse = 0;
  int32_t m_partie_haute = 0;
  int32_t m_partie_basse = 0;
  int32_t m_pas_partie_basse = 0;
  int32_t m_fin_partie_haute = 0;
  int32_t m_fin_partie_basse = 0;
  int32_t m_numero = 0;
  int32_t m_numero_2 = 0;
  std::string m_texte_numero;
  std::string m_texte_numero_2;
  std::string m_zero = "0";
  std::string nom_photo_complet;
  std::string m_texte_partie_haute;
  std::string m_texte_partie_basse;
  std::stringstream m_flux_texte;

  // view: written by display/fenetre.cpp, interaction/vue.cpp,
  // parcours/ (RETURN, step back, resume)
  double m_zoom = 0.0;
  int32_t m_largeur_photo = 0, m_hauteur_photo = 0;
  double m_decalage_x = 0.0, m_decalage_y = 0.0;

  // keyboard: written by interaction/clavier.cpp, interaction/vue.cpp
  const Uint8* m_etat_clavier = nullptr;
  bool m_repete_droite = false;
  double m_translation_x = 0.0;
  bool m_repete_gauche = false;
  double m_translation_y = 0.0;
  int32_t m_pas_deplacement = 0;
  bool m_repete_bas = false, m_repete_haut = false;
  bool m_touche_p_tenue = false, m_touche_l_tenue = false;

  // modes: written by interaction/clavier.cpp, display/fenetre.cpp,
  // parcours/ (RETURN, step back, resume)
  bool m_mode_couleurs_voisines = true;
  bool m_choix_zone = true;
  bool m_ajout_souris = false;
  bool m_ajout_couleurs = false;
  bool m_retrait_souris = false;
  bool m_vue_suivante_bloquee = false;
  int32_t m_tolerance_rouge = 0, m_tolerance_vert = 0, m_tolerance_bleu = 0;

  // zoom table: written by series/parametres.cpp, interaction/vue.cpp
  double m_table_zoom[9] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  int32_t m_indice_zoom = 0;
  int32_t m_indice_zoom_max = 0;
  double m_zoom_precedent = 0.0;

  // mouse and zone: written by interaction/souris.cpp, interaction/selection.cpp,
  // interaction/vue.cpp
  int32_t m_x_appui = 0, m_y_appui = 0;
  int32_t m_x_fin_zone = 0, m_y_fin_zone = 0;
  int32_t m_x_souris = 0, m_y_souris = 0;
  int32_t m_zone_x0 = 0, m_zone_y0 = 0, m_zone_x1 = 0, m_zone_y1 = 0;
  int32_t m_modif_x0 = 0, m_modif_y0 = 0, m_modif_x1 = 0, m_modif_y1 = 0;
  int32_t m_zone_dx = 0, m_zone_dy = 0;
  int32_t m_zone_fenetre_x0 = 0, m_zone_fenetre_y0 = 0;
  int32_t m_zone_fenetre_x1 = 0, m_zone_fenetre_y1 = 0;

  // display flags and shapes: written by interaction/*, series/parametres.cpp,
  // parcours/ (RETURN, step back, resume); read by display/rendu.cpp
  bool m_afficher_croix_appui = false;
  bool m_afficher_centre = false;
  bool m_afficher_croix_fenetre = true;
  SDL_Surface* pTempSurface_prairie = nullptr;
  const SDL_PixelFormat* m_format_photo = nullptr;
  SDL_Surface* m_surface_lue = nullptr;
  SDL_Rect m_croix_appui_h{0, 0, 0, 0}, m_croix_appui_v{0, 0, 0, 0};
  SDL_Rect m_croix_horizontale{0, 0, 0, 0}, m_croix_verticale{0, 0, 0, 0};
  SDL_Rect m_croix_fenetre_h{0, 0, 0, 0}, m_croix_fenetre_v{0, 0, 0, 0};
  SDL_Rect m_rect_zone{0, 0, 0, 0};
  SDL_Rect m_rect_marqueur{0, 0, 0, 0};
  bool m_afficher_zone = false;
  bool m_afficher_selection = false;
  int32_t m_demi_croix = 10;
  int32_t m_taille_pixel = 0;
  SDL_Surface* Fog = nullptr;
  SDL_Texture* gFog = nullptr;
  SDL_Surface* m_surface_pixel = nullptr;
  SDL_Texture* m_texture_pixel = nullptr;
  SDL_Rect m_rect_source_fog{0, 0, 0, 0};
  SDL_Rect m_rect_source_pixel{0, 0, 0, 0};

  // selection: written by interaction/selection.cpp, interaction/souris.cpp
  std::vector<int32_t> m_liste_x;
  std::vector<int32_t> m_liste_y;
  std::vector<bool> is_select;
  double m_centre_x = 0.0, m_centre_y = 0.0;
  int32_t m_nombre_selectionnes = 0;
  int32_t m_max_pixels = 0;

  // series end: written by series/parametres.cpp
  int32_t m_modulo_numero_2 = 0;
  int32_t m_numero_fin = 0;
  int32_t m_numero_fin_2 = 0;

  // Beyond the fixed fields: caches that keep a frame's cost bounded. Each
  // helper that adds one says here who writes it.

  // selected-pixel layer: m_version_selection is bumped by
  // interaction/souris.cpp after every call that may change is_select (anyone
  // else changing is_select bumps it too); m_cache_marqueurs is written by
  // display/calques.cpp only, rebuilt lazily while drawing.
  uint64_t m_version_selection = 0;
  CacheMarqueurs m_cache_marqueurs;

  // The photo texture taken out of use by the next-photo step, kept to be
  // filled again in place by a photo of the same size: written by
  // display/photo.cpp. It belongs to m_rendu and goes with it.
  SDL_Texture* m_texture_photo_libre = nullptr;

  // Below zoom 1 a frame copies the photo reduced once to its size on the
  // screen instead of sampling the whole photo again: m_photo_reduite is
  // written by display/rendu.cpp only; m_generation_photo is bumped by
  // display/photo.cpp whenever the photo texture gets new pixels. The reduced
  // texture belongs to m_photo_reduite.rendu and goes with it.
  uint64_t m_generation_photo = 0;
  CachePhotoReduite m_photo_reduite;

  // Key and button presses counted by the event step, and what the added
  // keys and the automatic run took of them: see etat/entrees.h for who
  // writes each part.
  Entrees m_entrees;

  // The current photo's selection as a recipe, and what the records say of
  // it: written by interaction/recette.cpp (live operations through
  // interaction/souris.cpp), and by the step back and the resume.
  Recette m_recette;
  HistoireSelection m_histoire_selection;

  // Every advance of the run, for the step back: written by the next-photo
  // step, the step back and the resume (parcours/).
  Historique m_historique;

  // True while the automatic run measures on, and the rest of its state
  // (written by tracking/ only; the status strip and the read ahead read them).
  bool m_suivi_en_cours = false;
  SuiviAuto m_suivi;

  // Display aids of keys T, "=" and "-": the trace of the centres and its cache,
  // written by display/trace.cpp only.
  bool m_afficher_trace = false;
  CacheTrace m_cache_trace;

  // Key H, the status strip and key help: written by display/bandeau.cpp
  // only. m_bandeau holds the font and the band textures, made at the first
  // H (null until then); it belongs to display/bandeau.cpp.
  bool m_bandeau_affiche = false;
  Bandeau* m_bandeau = nullptr;
  // The renderer reported its targets lost (SDL_RENDER_TARGETS_RESET or
  // SDL_RENDER_DEVICE_RESET): set by the event step (app/boucle.cpp), taken
  // and cleared by display/dessous_bandeau.cpp, which draws its texture again.
  bool m_cibles_perdues = false;

  // The missing photo's line was printed at a frame that found the console's
  // input at its end: written by display/rendu.cpp only, which then stops
  // printing it until a photo shows again.
  bool m_absence_signalee = false;
  // The picture of the run failed to be written and was named: its next
  // write that works is named too.
  bool m_image_parcours_en_panne = false;

  // The worker reading the next photos ahead: made at the first request and
  // dropped by parcours/prechargement_photos.cpp only.
  Possede<Prechargeur> m_prechargeur{nullptr, nullptr};
  // The detail file's stream: opened at start by output/detail.cpp, which
  // alone sets it (a test's fresh record opens it at first use).
  Possede<FichierResultat> m_fichier_detail{nullptr, nullptr};
  // Keys C, O, Q and donnees/calibration.txt: written by calibration/ only.
  EtatCalibration m_calibration;
};

extern Etat* g_etat;

// Allocates raw memory, zeroes it and constructs in place; sets g_etat.
Etat* creerEtat();
// Tests only: the program never destroys its record.
void detruireEtat();
