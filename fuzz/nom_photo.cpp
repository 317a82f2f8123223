// Photo names over random fields: random name and piece lines as the reader
// hands them over, random schemes, counters (as far as the counter step may
// carry them) and digit counts. The composed path must be the pieces in their
// order, each number its decimal text behind zeros only, and the console line
// must name it; an unknown scheme changes and prints nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "etat/etat.h"
#include "series/nom_photo.h"

namespace {

[[noreturn]] void echec(const std::string& raison) {
  std::fprintf(stderr, "fuzz_nom_photo: %s\n", raison.c_str());
  std::abort();
}

int32_t entier(FuzzedDataProvider& f) {
  // mostly small values, where the padding rules change, sometimes anything
  return f.ConsumeBool() ? f.ConsumeIntegralInRange<int32_t>(-1000, 1000)
                         : f.ConsumeIntegral<int32_t>();
}

// Zeros, then the number's decimal text.
void verifierNombre(const std::string& texte, int32_t valeur, const char* quoi) {
  const std::string chiffres = std::to_string(valeur);
  const std::size_t zeros = texte.size() - chiffres.size();
  if (texte.size() < chiffres.size() || texte.compare(zeros, chiffres.size(), chiffres) != 0 ||
      texte.find_first_not_of('0') < zeros)
    echec(std::string(quoi) + " text " + texte + " for " + chiffres);
}

void verifierLargeur(const std::string& texte, int32_t valeur, int32_t chiffres, const char* quoi) {
  verifierNombre(texte, valeur, quoi);
  const std::size_t voulu =
      std::max(std::to_string(valeur).size(), std::size_t(std::clamp(chiffres, 0, kChiffresMax)));
  if (texte.size() != voulu) echec(std::string(quoi) + " of the wrong width: " + texte);
}

void verifierNomEnColonnes(const std::string& ligne) {
  const Etat& e = *g_etat;
  if (e.m_prefixe != ligne.substr(0, 18)) echec("prefix is not columns 0-17");
  if (e.m_suffixe.size() > 5) echec("suffix longer than 5");
  if (e.m_partie_haute != e.m_debut_partie_haute || e.m_partie_basse != e.m_debut_partie_basse)
    echec("current parts differ from the first ones");
  if (e.m_partie_haute < -9 || e.m_partie_haute > 99) echec("high part beyond 2 columns");
  if (e.m_partie_basse < -99 || e.m_partie_basse > 999) echec("low part beyond 3 columns");
}

void verifierPiece(const std::string& ligne, const std::string& avant, const std::string& piece) {
  const std::size_t fin = ligne.find(';');
  if (piece != (fin == std::string::npos ? avant : ligne.substr(0, fin))) echec("piece " + piece);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  FuzzedDataProvider f(octets, taille);
  creerEtat();
  Etat& e = *g_etat;
  std::ostringstream console;
  std::streambuf* ancien = std::cout.rdbuf(console.rdbuf());

  e.m_mode_nom = f.ConsumeBool() ? f.ConsumeIntegralInRange<int32_t>(0, 4) : entier(f);
  e.m_dossier_photos = f.ConsumeRandomLengthString(64);
  const std::string premier = f.ConsumeRandomLengthString(64);
  analyserPremierNom(premier);
  verifierNomEnColonnes(premier);
  analyserDernierNom(f.ConsumeRandomLengthString(64));
  std::string* pieces[] = {&e.m_prefixe_numero, &e.m_separateur, &e.m_suffixe_numero};
  const Piece genres[] = {Piece::Prefixe, Piece::Separateur, Piece::Suffixe};
  for (int k = 0; k < 3; ++k) {
    const std::string avant = *pieces[k];
    const std::string ligne = f.ConsumeRandomLengthString(32);
    analyserPiece(ligne, genres[k]);
    verifierPiece(ligne, avant, *pieces[k]);
  }
  if (f.ConsumeBool()) {  // counters moved by the counter step
    e.m_partie_haute = entier(f);
    e.m_partie_basse = entier(f);
  }
  e.m_numero = entier(f);
  e.m_numero_2 = entier(f);
  e.m_chiffres_numero = entier(f);
  e.m_chiffres_numero_2 = entier(f);
  if (f.ConsumeBool()) {  // a scratch stream left dirty or failed
    e.m_flux_texte << f.ConsumeRandomLengthString(8);
    if (f.ConsumeBool()) e.m_flux_texte.setstate(std::ios::failbit);
  }

  console.str("");
  const std::string avant = e.nom_photo_complet;
  composerNomPhoto();
  std::cout.rdbuf(ancien);

  const std::string& nom = e.nom_photo_complet;
  std::string attendu;
  switch (e.m_mode_nom) {
    case 1:
      verifierNombre(e.m_texte_partie_haute, e.m_partie_haute, "high part");
      verifierNombre(e.m_texte_partie_basse, e.m_partie_basse, "low part");
      attendu = e.m_dossier_photos + "/" + e.m_prefixe + "." + e.m_texte_partie_haute + "." +
                e.m_texte_partie_basse + e.m_suffixe;
      break;
    case 2:
      verifierLargeur(e.m_texte_numero, e.m_numero, e.m_chiffres_numero, "number");
      verifierLargeur(e.m_texte_numero_2, e.m_numero_2, e.m_chiffres_numero_2, "second number");
      attendu = e.m_dossier_photos + "/" + e.m_prefixe_numero + e.m_texte_numero + e.m_separateur +
                e.m_texte_numero_2 + e.m_suffixe_numero;
      break;
    case 3:
      verifierLargeur(e.m_texte_numero, e.m_numero, e.m_chiffres_numero, "number");
      attendu = e.m_dossier_photos + "/" + e.m_prefixe_numero + e.m_texte_numero + e.m_suffixe_numero;
      break;
    default:
      if (nom != avant || !console.str().empty()) echec("unknown scheme composed a name");
      detruireEtat();
      return 0;
  }
  if (nom != attendu) echec("name " + nom + " instead of " + attendu);
  if (console.str() != "nom_photo_complet " + nom + "\n") echec("console line " + console.str());
  detruireEtat();
  return 0;
}
