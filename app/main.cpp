#include <SDL.h>

#include "app/boucle.h"
#include "etat/etat.h"
#include "calibration/fichier_calibration.h"
#include "display/fenetre.h"
#include "display/rendu.h"
#include "output/detail.h"
#include "parcours/prechargement_photos.h"
#include "output/resultats.h"
#include "platform/console.h"
#include "series/parametres.h"

int main(int, char**) {
  ouvrirConsole();
  signalerFichiersResultats();
  creerEtat();
  ouvrirFichierDetail();  // the record holds the stream: opened once it exists, before any key
  signalerFichierDetail();
  readParameters();
  demarrerCalibration();  // donnees/calibration.txt when present
  init();
  while (g_etat->m_en_marche) {
    handleEvents();
    demanderPhotosSuivantes();  // the worker reads the next photo while this one is measured
    SDL_Delay(50);
    render();
  }
  clean();
  fermerConsole();
  return 0;
}
