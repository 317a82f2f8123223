#include "output/detail_souvenir.h"

#include "etat/etat.h"
#include "output/detail.h"

std::string texteDetailDe(const Souvenir& s, int64_t rang) {
  const Etat& e = *g_etat;
  LigneDetail l;
  l.rang = rang;
  l.photo = s.photo;
  l.ecrit = s.ecrit;
  if (s.ecrit) {
    l.x = s.texte_x;
    l.y = s.texte_y;
  }
  const SelectionPhoto& m = s.selection;
  l.pixels = m.nombre;
  l.repete = !m.histoire.changee;
  l.zone_x0 = m.zone_x0;
  l.zone_y0 = m.zone_y0;
  l.zone_x1 = m.zone_x1;
  l.zone_y1 = m.zone_y1;
  l.couleur = m.histoire.couleur;
  l.rouge = m.histoire.rouge;
  l.vert = m.histoire.vert;
  l.bleu = m.histoire.bleu;
  l.tol_rouge = e.m_tolerance_rouge;
  l.tol_vert = e.m_tolerance_vert;
  l.tol_bleu = e.m_tolerance_bleu;
  if (m.nombre > 0) {
    // the spread of what is selected now, the bits the centre came from
    const EcartsTypes ecarts = ecartsTypes(e.m_liste_x, e.m_liste_y, e.is_select);
    l.ecart_type_x = ecarts.x;
    l.ecart_type_y = ecarts.y;
  }
  l.origine = m.nombre <= 0 ? "aucun" : m.histoire.proposee ? "propose" : "manuel";
  if (s.saute || s.absente) {
    // N, or a photo missing in the automatic run: passed, whatever was
    // selected before
    l.ecrit = false;
    l.x = l.y = std::string();
    l.pixels = 0;
    l.couleur = false;
    l.origine = s.absente ? "absente" : "saute";
  }
  return texteLigneDetail(l);
}
