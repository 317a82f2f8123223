// The program driven in this process as an operator drives it: the frame of
// app/main.cpp (handleEvents, the read ahead asked, render) without its
// pause, keys and mouse buttons given through SDL as the window would give
// them, and the console read back line by line. Run under
// SDL_VIDEODRIVER=dummy, from the series' working folder.
#pragma once

#include <SDL.h>

#include <sstream>
#include <string>

class Operateur {
 public:
  // Starts the program as main does (result files, record, detail file,
  // parameters, window, first photo), its console captured, its console
  // input at its end. False when init leaves it stopped.
  bool demarrer();
  // Ends it as main does; the console it wrote goes to console.txt.
  void arreter();

  // One frame of the program.
  void image();
  // A key pressed for one frame, then released for one: the sixteen keys
  // read its state, the added keys its press.
  void touche(SDL_Scancode code);
  // A left drag from one photo point to another, a left click on one; the
  // photo points are placed in the window by the view shown.
  void glisser(double x0, double y0, double x1, double y1);
  void cliquer(double x, double y);
  // The program's key table holds this key.
  static bool toucheConnue(SDL_Scancode code);

  // The console lines written since the last call.
  std::string nouvellesLignes();
  // The number of the photo shown (demo_NNN.png), 0 for the closing picture
  // or a name without a number.
  int photoMontree() const;
  bool surImageFin() const;

 private:
  void bouton(Uint32 type, double x, double y);
  std::ostringstream console_;
  std::istringstream entree_;
  std::streambuf* ancien_cout_ = nullptr;
  std::streambuf* ancien_cin_ = nullptr;
  size_t lu_ = 0;
};
