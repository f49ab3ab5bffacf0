#include "chess/attaques.h"

#include "chess/etat.h"
#include "chess/moteur_interne.h"
#include "chess/regles.h"

namespace {

using moteur::DC;
using moteur::DL;
using moteur::SC;
using moteur::SL;
using moteur::sur_plateau;

}  // namespace

int case_attaquee(int /*code*/, int colonne, int ligne, int couleur) {
  (void)tab_echiquier(colonne, ligne);  // an index outside 0..8 is an error
  int n = 0;
  for (int d = 0; d < 8; ++d) {
    const int glisse = d < 4 ? TYPE_TOUR : TYPE_FOU;
    int c = colonne + DC[d], l = ligne + DL[d];
    for (bool voisine = true; sur_plateau(c, l); voisine = false, c += DC[d], l += DL[d]) {
      const int p = tab_echiquier(c, l);
      if (p == CASE_VIDE) continue;
      const int t = type_piece(p);
      if (couleur_piece(p) == couleur && (t == TYPE_DAME || t == glisse || (t == TYPE_ROI && voisine))) ++n;
      break;
    }
  }
  for (int k = 0; k < 8; ++k) {
    const int c = colonne + SC[k], l = ligne + SL[k];
    if (!sur_plateau(c, l)) continue;
    const int p = tab_echiquier(c, l);
    if (type_piece(p) == TYPE_CAVALIER && couleur_piece(p) == couleur) ++n;
  }
  const int e = couleur == couleur_joueur ? 1 : -1;
  for (int dc : {1, -1}) {
    const int c = colonne + dc, l = ligne + e;
    if (!sur_plateau(c, l)) continue;
    const int p = tab_echiquier(c, l);
    if (type_piece(p) == TYPE_PION && couleur_piece(p) == couleur) ++n;
  }
  return n;
}

int compte_attaques_lignes(int colonne, int ligne) {
  const int piece = tab_echiquier(colonne, ligne);
  const int t = type_piece(piece);
  const int m = couleur_piece(piece);
  auto ennemie = [m](int p) { return p != CASE_VIDE && couleur_piece(p) != m; };
  int n = 0;
  if (t == TYPE_DAME || t == TYPE_TOUR || t == TYPE_FOU || t == TYPE_ROI) {
    for (int d = 0; d < 8; ++d) {
      if ((d < 4 && t == TYPE_FOU) || (d >= 4 && t == TYPE_TOUR)) continue;
      int c = colonne + DC[d], l = ligne + DL[d];
      while (sur_plateau(c, l)) {
        const int p = tab_echiquier(c, l);
        if (p != CASE_VIDE) {
          if (ennemie(p)) ++n;
          break;
        }
        if (t == TYPE_ROI) break;
        c += DC[d];
        l += DL[d];
      }
    }
  } else if (t == TYPE_CAVALIER) {
    for (int k = 0; k < 8; ++k) {
      const int c = colonne + SC[k], l = ligne + SL[k];
      if (sur_plateau(c, l) && ennemie(tab_echiquier(c, l))) ++n;
    }
  } else if (t == TYPE_PION) {
    const int d = m == couleur_joueur ? -1 : 1;
    for (int dc : {1, -1})
      if (sur_plateau(colonne + dc, ligne + d) && ennemie(tab_echiquier(colonne + dc, ligne + d))) ++n;
  }
  return n;
}

int entoure_pieces(int couleur, SurfaceEchiquier& echiquier) {
  int n = 0;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = echiquier.piece(c, l);
      if (code == CASE_VIDE) continue;
      if (couleur_piece(code) == couleur) {
        if (case_attaquee(code, c, l, couleur) == 0) {
          echiquier.trace_cercle(c, l, CERCLE_ROUGE, 0.5, 1, 2);
          ++n;
        }
      } else if (case_attaquee(code, c, l, couleur_adverse(couleur)) == 0) {
        echiquier.trace_cercle(c, l, CERCLE_VERT, 0.5, 1, 2);
        ++n;
      }
    }
  return n;
}
