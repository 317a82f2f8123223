// The console beside the window: on Linux, the terminal the program runs in.
// Every message is one line written to std::cout and ended with std::endl.
#pragma once

// Makes the console ready and writes its first line.
void ouvrirConsole();
// Closes the console streams (output first, then input).
void fermerConsole();

// How a number read from the console ended.
enum class Lecture {
  Nombre,   // a number: stored in the value
  Mot,      // not a number: error state cleared and the rest of the line dropped
  Fin,      // end of input or a read interrupted: the stream stays failed
};

// True once the console's input has ended: the stream failed at the end of
// its input, not on a read error (a read a signal interrupted).
bool entreeConsoleFinie();

// Reads one whole number from std::cin into a temporary. A number beyond the
// range of long long is clamped to it. The value is untouched unless Nombre.
Lecture lireEntierConsole(long long& valeur);
