// Photo names of the three schemes: the column and piece lines of the
// parameter file, the number texts with their leading zeros, the full path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "etat/compteurs.h"

// Composes nom_photo_complet from the current counters of the active naming
// scheme and prints it; does nothing for an unknown scheme.
void composerNomPhoto();

// The path composerNomPhoto would compose for these counters, changing and
// printing nothing; empty for an unknown scheme.
std::string nomPhotoPour(const CompteursSerie& c);

// Line 4 (first file of scheme 1): sets m_prefixe, m_suffixe, the first and
// current high and low parts; prints the two column lines.
void analyserPremierNom(const std::string& ligne);
// Line 6 (last file of scheme 1): sets m_fin_partie_haute and
// m_fin_partie_basse; prints "fichier fin :" ...
void analyserDernierNom(const std::string& ligne);

enum class Piece { Prefixe, Separateur, Suffixe };
// Lines 7, 10 and 13: the text before the first ";" replaces the piece and
// one line is printed; a line without ";" changes and prints nothing.
void analyserPiece(const std::string& ligne, Piece piece);

// What a fixed-column name line holds. Short lines give what is there: the
// prefix is the whole line below 18 characters, missing fields are empty or 0.
struct NomEnColonnes {
  std::string prefixe;
  std::string suffixe;
  int32_t partie_haute = 0;
  int32_t partie_basse = 0;
};
NomEnColonnes lireNomEnColonnes(const std::string& ligne);

// Decimal number at the start of `largeur` characters from column `debut`:
// blanks skipped, optional sign, digits up to the first other character.
// 0 when the line is too short or no digit is there.
int32_t nombreEnColonnes(const std::string& ligne, std::size_t debut, std::size_t largeur);

// Position of the first `marque` in the line, or std::string::npos.
std::size_t finDePiece(const std::string& ligne, char marque);

// Scheme 1: "0" before a high part below 10; "00" before a low part below
// 10, "0" below 100. The tests are on the value, so a negative value gets
// its zeros in front of the minus sign.
std::string textePartieHaute(int32_t valeur, const std::string& texte);
std::string textePartieBasse(int32_t valeur, const std::string& texte);

// Schemes 2 and 3: "zero" put in front until the text has `chiffres`
// characters (at most kChiffresMax); a longer text is never cut.
constexpr int32_t kChiffresMax = 255;
std::string texteAvecZeros(const std::string& texte, int32_t chiffres,
                           const std::string& zero = "0");
