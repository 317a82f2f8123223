#include "output/concordance.h"

#include <iostream>

#include "etat/etat.h"
#include "output/detail.h"

namespace {

constexpr Partie kParties[] = {Partie::Detail, Partie::Point, Partie::X, Partie::Y};

// The bytes one souvenir adds to that file.
std::string partDe(Partie partie, const Souvenir& s) {
  if (partie == Partie::Detail) return s.ligne_detail;
  if (!s.ecrit) return std::string();
  const TextesRecord textes = textesRecord(s.texte_x, s.texte_y);
  return partie == Partie::Point ? textes.point : partie == Partie::X ? textes.x : textes.y;
}

std::string contenuDe(Partie partie, const std::vector<Souvenir>& souvenirs, const Souvenir* nouveau = nullptr) {
  std::string contenu = partie == Partie::Detail ? enteteDetail() : std::string();
  for (const Souvenir& s : souvenirs) contenu += partDe(partie, s);
  if (nouveau != nullptr) contenu += partDe(partie, *nouveau);
  return contenu;
}

std::string raisonDe(const FichierResultat& f) { return "fichier " + f.chemin() + " : " + raisonErreur(f.erreur()); }

void nommerEchec(FichierResultat& f) {
  f.en_retard = true;
  if (f.signale) return;
  f.signalerEcriture();
  f.signale = true;
}

void nommerRetour(FichierResultat& f) {
  f.en_retard = false;
  if (!f.signale) return;
  std::cout << "Fichier " << f.chemin() << " de nouveau a jour" << std::endl;
  f.signale = false;
}

// A file that failed to open is tried again: opened now, it holds its header
// only, so it is out of step until rewritten.
bool ouvrirSiBesoin(FichierResultat& f) {
  if (f.ouvert()) return true;
  if (!f.ouvrir()) return false;
  f.en_retard = true;
  return true;
}

Ecriture reecrire(FichierResultat& f, const std::string& contenu) {
  if (f.remplacer(contenu)) {
    nommerRetour(f);
    return Ecriture::Faite;
  }
  nommerEchec(f);
  return Ecriture::Echouee;
}

// After a failed cut: the file given back the part it lost, if it lost it.
void remettre(Partie partie, int64_t taille_avant, const std::vector<Souvenir>& souvenirs) {
  FichierResultat& f = fichierDe(partie);
  if (f.taille() == taille_avant) return;
  if (f.ajouter(partDe(partie, souvenirs.back()))) return;
  reecrire(f, contenuDe(partie, souvenirs));
}

}  // namespace

FichierResultat& fichierDe(Partie partie) {
  switch (partie) {
    case Partie::Detail:
      return fichierDetail();
    case Partie::Point:
      return fichierPoint();
    case Partie::X:
      return fichierX();
    case Partie::Y:
      break;
  }
  return fichierY();
}

ContenusRun contenusDe(const std::vector<Souvenir>& souvenirs) {
  return {contenuDe(Partie::Detail, souvenirs), contenuDe(Partie::Point, souvenirs), contenuDe(Partie::X, souvenirs),
          contenuDe(Partie::Y, souvenirs)};
}

Ecriture accorder(Partie partie, const std::vector<Souvenir>& souvenirs, const Souvenir& nouveau) {
  FichierResultat& f = fichierDe(partie);
  if (!ouvrirSiBesoin(f)) return Ecriture::Fermee;
  if (!f.en_retard) {
    const std::string part = partDe(partie, nouveau);
    if (part.empty() || f.ajouter(part)) return Ecriture::Faite;
    // named now, then the whole tried at once: a fault that passed costs no record
    nommerEchec(f);
  }
  return reecrire(f, contenuDe(partie, souvenirs, &nouveau));
}

void rattraper(const std::vector<Souvenir>& souvenirs) {
  for (Partie partie : kParties) {
    FichierResultat& f = fichierDe(partie);
    if (ouvrirSiBesoin(f) && f.en_retard) reecrire(f, contenuDe(partie, souvenirs));
  }
  signalerSynchronisationDossier();
}

bool retirerDernier(const std::vector<Souvenir>& souvenirs, std::string& raison) {
  struct Coupe {
    Partie partie;
    int64_t taille_avant;
  };
  std::vector<Coupe> faites;
  for (Partie partie : kParties) {
    FichierResultat& f = fichierDe(partie);
    const std::string part = partDe(partie, souvenirs.back());
    if (!f.ouvert() || f.en_retard || part.empty()) continue;
    const int64_t avant = f.taille();
    if (f.retirerFin(part)) {
      faites.push_back({partie, avant});
      continue;
    }
    if (f.erreur() == 0) {
      // it does not end with that record: not what the run wrote, rewritten whole
      nommerEchec(f);
      continue;
    }
    raison = raisonDe(f);
    remettre(partie, avant, souvenirs);
    for (const Coupe& c : faites) remettre(c.partie, c.taille_avant, souvenirs);
    signalerSynchronisationDossier();
    return false;
  }
  return true;
}

bool reecrireDetail(const std::vector<Souvenir>& souvenirs, std::string& raison) {
  FichierResultat& detail = fichierDe(Partie::Detail);
  if (!ouvrirSiBesoin(detail)) return true;  // named at start, as the others go on
  const bool fait = detail.remplacer(contenuDe(Partie::Detail, souvenirs));
  if (fait) {
    nommerRetour(detail);
  } else {
    raison = raisonDe(detail);
  }
  signalerSynchronisationDossier();
  return fait;
}

void reecrireResultats(const std::vector<Souvenir>& souvenirs) {
  for (Partie partie : {Partie::Point, Partie::X, Partie::Y}) {
    FichierResultat& f = fichierDe(partie);
    if (ouvrirSiBesoin(f)) reecrire(f, contenuDe(partie, souvenirs));
  }
  signalerSynchronisationDossier();
}

bool remplacerEnsemble(const std::vector<Souvenir>& souvenirs, std::string& raison) {
  // the detail file last: its copy is only ever replaced by a whole run
  const Partie ordre[] = {Partie::Point, Partie::X, Partie::Y, Partie::Detail};
  FichierResultat::Remplacement remplacements[4];
  const auto abandonner = [&](size_t depuis) {
    for (size_t i = depuis; i < 4; ++i) FichierResultat::abandonner(remplacements[i]);
  };
  for (size_t i = 0; i < 4; ++i) {
    FichierResultat& f = fichierDe(ordre[i]);
    if (!ouvrirSiBesoin(f) || !f.preparer(contenuDe(ordre[i], souvenirs), remplacements[i])) {
      raison = raisonDe(f);
      abandonner(0);
      return false;
    }
  }
  for (size_t i = 0; i < 4; ++i) {
    FichierResultat& f = fichierDe(ordre[i]);
    if (f.valider(remplacements[i])) continue;
    raison = raisonDe(f);
    abandonner(i + 1);
    // the ones replaced go back to the run's start, which a resume follows
    for (size_t j = 0; j < i; ++j) reecrire(fichierDe(ordre[j]), contenuDe(ordre[j], {}));
    signalerSynchronisationDossier();
    return false;
  }
  for (Partie partie : kParties) nommerRetour(fichierDe(partie));
  signalerSynchronisationDossier();
  return true;
}

void ecrireResultats() {
  const Etat& e = *g_etat;
  Souvenir record;
  record.ecrit = true;
  record.texte_x = texteResultat(e.m_centre_x);
  record.texte_y = texteResultat(e.m_centre_y);
  // one bad file must not cost the others the measurement
  for (Partie partie : {Partie::Point, Partie::X, Partie::Y}) accorder(partie, e.m_historique.souvenirs, record);
  signalerSynchronisationDossier();
}
