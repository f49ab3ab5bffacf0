#include "chess/attaques.h"

#include <bit>

#include "chess/etat.h"
#include "chess/plateau_bits.h"
#include "chess/regles.h"

using moteur::Bits;
using moteur::tb;

int case_attaquee(int /*code*/, int colonne, int ligne, int couleur) {
  (void)tab_echiquier(colonne, ligne);  // an index outside 0..8 is an error
  moteur::PlateauBits p;
  p.lit(tab_echiquier.donnees());
  return moteur::compte_attaquants(p, moteur::attaquants_de(p, moteur::amis_de(couleur)), colonne + 9 * ligne,
                                   couleur == couleur_joueur ? 1 : -1);
}

int compte_attaques_lignes(int colonne, int ligne) {
  const int piece = tab_echiquier(colonne, ligne);
  const int sq = colonne + 9 * ligne;
  moteur::PlateauBits p;
  p.lit(tab_echiquier.donnees());
  Bits a = 0;
  switch (type_piece(piece)) {
    case TYPE_DAME: a = moteur::lignes_de(sq, p.occupe) | moteur::diagonales_de(sq, p.occupe); break;
    case TYPE_TOUR: a = moteur::lignes_de(sq, p.occupe); break;
    case TYPE_FOU: a = moteur::diagonales_de(sq, p.occupe); break;
    case TYPE_ROI: a = tb.voisin[sq]; break;
    case TYPE_CAVALIER: a = tb.saut[sq]; break;
    case TYPE_PION: a = tb.pion[couleur_piece(piece) == couleur_joueur ? 0 : 1][sq]; break;
    default: return 0;
  }
  // The enemy pieces: the squares neither empty nor of the piece's colour.
  return std::popcount(a & p.occupe & ~p.couleur[couleur_piece(piece)]);
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
