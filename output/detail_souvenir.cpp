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
  l.pixels = s.nombre;
  l.repete = !s.histoire.changee;
  l.zone_x0 = s.zone_x0;
  l.zone_y0 = s.zone_y0;
  l.zone_x1 = s.zone_x1;
  l.zone_y1 = s.zone_y1;
  l.couleur = s.histoire.couleur;
  l.rouge = s.histoire.rouge;
  l.vert = s.histoire.vert;
  l.bleu = s.histoire.bleu;
  l.tol_rouge = e.m_tolerance_rouge;
  l.tol_vert = e.m_tolerance_vert;
  l.tol_bleu = e.m_tolerance_bleu;
  if (s.nombre > 0) {
    // the spread of what is selected now, the bits the centre came from
    const EcartsTypes ecarts = ecartsTypes(e.m_liste_x, e.m_liste_y, e.is_select);
    l.ecart_type_x = ecarts.x;
    l.ecart_type_y = ecarts.y;
  }
  l.origine = s.nombre <= 0 ? "aucun" : s.histoire.proposee ? "propose" : "manuel";
  return texteLigneDetail(l);
}
