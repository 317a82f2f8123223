#include "series/nom_photo.h"

#include <algorithm>
#include <cctype>
#include <iostream>

#include "etat/etat.h"

namespace {

// Fixed columns of a scheme-1 name line.
constexpr std::size_t kLargeurPrefixe = 18;
constexpr std::size_t kColonneHaute = 19, kLargeurHaute = 2;
constexpr std::size_t kColonneBasse = 22, kLargeurBasse = 3;
constexpr std::size_t kColonneSuffixe = 25, kLargeurSuffixe = 5;

// The counter's decimal text through the record's scratch stream, emptied
// first so no earlier number or failed state leaks into this one.
std::string texteDuNombre(int32_t valeur) {
  std::stringstream& flux = g_etat->m_flux_texte;
  flux.str("");
  flux.clear();
  flux << valeur;
  return flux.str();
}

}  // namespace

int32_t nombreEnColonnes(const std::string& ligne, std::size_t debut, std::size_t largeur) {
  if (debut >= ligne.size()) return 0;
  const std::string champ = ligne.substr(debut, largeur);
  std::size_t i = 0;
  while (i < champ.size() && std::isspace(static_cast<unsigned char>(champ[i]))) ++i;
  bool negatif = false;
  if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) {
    negatif = champ[i] == '-';
    ++i;
  }
  int32_t valeur = 0;  // at most 3 digits: no overflow
  for (; i < champ.size() && std::isdigit(static_cast<unsigned char>(champ[i])); ++i) {
    valeur = valeur * 10 + (champ[i] - '0');
  }
  return negatif ? -valeur : valeur;
}

NomEnColonnes lireNomEnColonnes(const std::string& ligne) {
  NomEnColonnes nom;
  nom.prefixe = ligne.substr(0, kLargeurPrefixe);
  if (ligne.size() > kColonneSuffixe) nom.suffixe = ligne.substr(kColonneSuffixe, kLargeurSuffixe);
  nom.partie_haute = nombreEnColonnes(ligne, kColonneHaute, kLargeurHaute);
  nom.partie_basse = nombreEnColonnes(ligne, kColonneBasse, kLargeurBasse);
  return nom;
}

std::size_t finDePiece(const std::string& ligne, char marque) { return ligne.find(marque); }

std::string textePartieHaute(int32_t valeur, const std::string& texte) {
  return valeur < 10 ? "0" + texte : texte;
}

std::string textePartieBasse(int32_t valeur, const std::string& texte) {
  if (valeur < 10) return "00" + texte;
  if (valeur < 100) return "0" + texte;
  return texte;
}

std::string texteAvecZeros(const std::string& texte, int32_t chiffres, const std::string& zero) {
  // One step, capped: a digit count of two billion must not stall the start.
  const std::size_t cible = static_cast<std::size_t>(std::clamp(chiffres, 0, kChiffresMax));
  if (zero.empty() || texte.size() >= cible) return texte;
  const std::size_t fois = (cible - texte.size() + zero.size() - 1) / zero.size();
  std::string resultat;
  resultat.reserve(fois * zero.size() + texte.size());
  for (std::size_t k = 0; k < fois; ++k) resultat += zero;
  return resultat + texte;
}

void analyserPremierNom(const std::string& ligne) {
  Etat& e = *g_etat;
  const NomEnColonnes nom = lireNomEnColonnes(ligne);
  e.m_prefixe = nom.prefixe;
  e.m_suffixe = nom.suffixe;
  std::cout << "m_prefixe " << e.m_prefixe << " m_suffixe" << e.m_suffixe << std::endl;
  e.m_debut_partie_haute = nom.partie_haute;
  e.m_partie_haute = nom.partie_haute;
  e.m_debut_partie_basse = nom.partie_basse;
  e.m_partie_basse = nom.partie_basse;
  std::cout << "fichier init :" << e.m_prefixe << e.m_debut_partie_haute << "."
            << e.m_debut_partie_basse << e.m_suffixe << std::endl;
}

void analyserDernierNom(const std::string& ligne) {
  Etat& e = *g_etat;
  const NomEnColonnes nom = lireNomEnColonnes(ligne);
  e.m_fin_partie_haute = nom.partie_haute;
  e.m_fin_partie_basse = nom.partie_basse;
  std::cout << "fichier fin :" << e.m_prefixe << e.m_fin_partie_haute << "." << e.m_fin_partie_basse
            << e.m_suffixe << std::endl;
}

void analyserPiece(const std::string& ligne, Piece piece) {
  Etat& e = *g_etat;
  if (e.m_point_virgule.empty()) return;
  const std::size_t indice = finDePiece(ligne, e.m_point_virgule[0]);
  if (indice == std::string::npos) return;  // the piece keeps its value
  const std::string texte = ligne.substr(0, indice);
  switch (piece) {
    case Piece::Prefixe:
      e.m_prefixe_numero = texte;
      std::cout << "indice prefixe = " << indice << " prefixe = " << texte << std::endl;
      break;
    case Piece::Separateur:
      e.m_separateur = texte;
      std::cout << "indice separateur = " << indice << " separateur = " << texte << std::endl;
      break;
    case Piece::Suffixe:
      e.m_suffixe_numero = texte;
      std::cout << "indice suffixe = " << indice << " suffixe = " << texte << std::endl;
      break;
  }
}

std::string nomPhotoPour(const CompteursSerie& c) {
  const Etat& e = *g_etat;
  switch (e.m_mode_nom) {
    case 1:
      return e.m_dossier_photos + "/" + e.m_prefixe + "." +
             textePartieHaute(c.partie_haute, texteDuNombre(c.partie_haute)) + "." +
             textePartieBasse(c.partie_basse, texteDuNombre(c.partie_basse)) + e.m_suffixe;
    case 2:
      return e.m_dossier_photos + "/" + e.m_prefixe_numero +
             texteAvecZeros(texteDuNombre(c.numero), e.m_chiffres_numero, e.m_zero) + e.m_separateur +
             texteAvecZeros(texteDuNombre(c.numero_2), e.m_chiffres_numero_2, e.m_zero) + e.m_suffixe_numero;
    case 3:
      return e.m_dossier_photos + "/" + e.m_prefixe_numero +
             texteAvecZeros(texteDuNombre(c.numero), e.m_chiffres_numero, e.m_zero) + e.m_suffixe_numero;
    default:
      return std::string();
  }
}

void composerNomPhoto() {
  Etat& e = *g_etat;
  switch (e.m_mode_nom) {
    case 1:
      e.m_texte_partie_haute = textePartieHaute(e.m_partie_haute, texteDuNombre(e.m_partie_haute));
      e.m_texte_partie_basse = textePartieBasse(e.m_partie_basse, texteDuNombre(e.m_partie_basse));
      e.nom_photo_complet = e.m_dossier_photos + "/" + e.m_prefixe + "." + e.m_texte_partie_haute +
                            "." + e.m_texte_partie_basse + e.m_suffixe;
      break;
    case 2:
      e.m_texte_numero = texteAvecZeros(texteDuNombre(e.m_numero), e.m_chiffres_numero, e.m_zero);
      e.m_texte_numero_2 =
          texteAvecZeros(texteDuNombre(e.m_numero_2), e.m_chiffres_numero_2, e.m_zero);
      e.nom_photo_complet = e.m_dossier_photos + "/" + e.m_prefixe_numero + e.m_texte_numero +
                            e.m_separateur + e.m_texte_numero_2 + e.m_suffixe_numero;
      break;
    case 3:
      e.m_texte_numero = texteAvecZeros(texteDuNombre(e.m_numero), e.m_chiffres_numero, e.m_zero);
      e.nom_photo_complet =
          e.m_dossier_photos + "/" + e.m_prefixe_numero + e.m_texte_numero + e.m_suffixe_numero;
      break;
    default:
      return;  // unknown scheme: nothing composed, nothing printed
  }
  // trailing blank is part of the line
  std::cout << "nom_photo_complet " << e.nom_photo_complet << std::endl;
}
