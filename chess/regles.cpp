#include "chess/regles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/plateau_bits.h"

int couleur_piece(int code) {
  if (code == CASE_VIDE) return COULEUR_AUCUNE;
  return code <= 7 ? NOIR : BLANC;
}

int type_piece(int code) {
  if (code >= 2 && code <= 7) return code;
  if (code >= 8 && code <= 13) return code - 6;
  return TYPE_AUCUN;
}

int couleur_adverse(int couleur) {
  if (couleur == BLANC) return NOIR;
  if (couleur == NOIR) return BLANC;
  return 0;
}

static int vers_entier16(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= INT16_MIN && r <= INT16_MAX)) throw std::overflow_error("Dépassement de capacité");
  return static_cast<int>(r);
}

int mini(double a, double b) { return vers_entier16(a < b ? a : b); }
int maxi(double a, double b) { return vers_entier16(a > b ? a : b); }

int rangee_roi(int couleur) { return couleur == couleur_joueur ? 8 : 1; }

int colonne_roi_depart() { return couleur_joueur == NOIR ? 4 : 5; }
int aile_du_coin(int colonne) { return (colonne == 8) == (couleur_joueur != NOIR) ? AILE_ROI : AILE_DAME; }
int colonne_du_coin(int aile) { return (aile == AILE_ROI) == (couleur_joueur != NOIR) ? 8 : 1; }

namespace {

bool dans_plateau(int c, int l) { return c >= 1 && c <= 8 && l >= 1 && l <= 8; }

// Rook-like move along a shared column or row; the walk goes upwards from the
// smaller coordinate and must reach the larger one.
int test_tour(int col_s, int lig_s, int col_d, int lig_d) {
  if (col_s == col_d) {
    const int haut = std::max(lig_s, lig_d);
    int l = std::min(lig_s, lig_d) + 1;
    while (l < haut && tab_echiquier(col_s, l) == CASE_VIDE) ++l;
    return l >= haut ? 1 : 0;
  }
  if (lig_s == lig_d) {
    const int haut = std::max(col_s, col_d);
    int c = std::min(col_s, col_d) + 1;
    while (c < haut && tab_echiquier(c, lig_s) == CASE_VIDE) ++c;
    return c >= haut ? 1 : 0;
  }
  return 0;
}

int test_fou(int col_s, int lig_s, int col_d, int lig_d) {
  if (std::abs(lig_d - lig_s) != std::abs(col_d - col_s)) return 0;
  const int dc = col_s <= col_d ? 1 : -1;
  const int dl = lig_s <= lig_d ? 1 : -1;
  int c = col_s + dc, l = lig_s + dl;
  while (c != col_d && tab_echiquier(c, l) == CASE_VIDE) {
    c += dc;
    l += dl;
  }
  return c == col_d ? 1 : 0;
}

struct LigneRoque {
  int colonne_roi, col_cible, lig_cible;
  int vides[3];
  int nb_vides;
  int col_tour, col_traversee;
};

// Castling table: the target row is taken from the call, so one entry per
// wing, the king's wing first.
const LigneRoque roques_blanc_en_bas[2] = {
    {5, 7, 0, {6, 7, 0}, 2, 8, 6},
    {5, 3, 0, {2, 3, 4}, 3, 1, 4},
};
const LigneRoque roques_noir_en_bas[2] = {
    {4, 2, 0, {2, 3, 0}, 2, 1, 3},
    {4, 6, 0, {5, 6, 7}, 3, 8, 5},
};

int test_roque(int code_roi, int col_s, int lig_s, int col_d, int lig_d) {
  const LigneRoque* table;
  if (couleur_joueur == BLANC)
    table = roques_blanc_en_bas;
  else if (couleur_joueur == NOIR)
    table = roques_noir_en_bas;
  else
    return 0;
  const int couleur = couleur_piece(code_roi);
  // A king castles only along its own home row.
  const int rangee = rangee_roi(couleur);
  if (lig_s != rangee || lig_d != rangee) return 0;
  for (int i = 0; i < 2; ++i) {
    const LigneRoque& r = table[i];
    const int aile = i == 0 ? AILE_ROI : AILE_DAME;
    if (col_s != r.colonne_roi || col_d != r.col_cible) continue;
    for (int k = 0; k < r.nb_vides; ++k)
      if (tab_echiquier(r.vides[k], lig_d) != CASE_VIDE) return 0;
    if (tab_echiquier(r.col_tour, lig_d) != code_roi - 4) return 0;
    if (!roque_permis(couleur, aile) || nb_attaques(code_roi, col_s, lig_s, couleur) != 0) return 0;
    return nb_attaques(code_roi, r.col_traversee, lig_d, couleur) == 0 ? 1 : 0;
  }
  return 0;
}

}  // namespace

int coup_valide(int code_src, int col_s, int lig_s, int code_dst, int col_d, int lig_d) {
  // Every coordinate is checked once here; an out-of-range one is an error.
  (void)tab_echiquier(col_s, lig_s);
  (void)tab_echiquier(col_d, lig_d);
  const int couleur = couleur_piece(code_src);
  if (couleur == couleur_piece(code_dst)) return 0;
  const bool vers_le_haut = couleur == couleur_joueur;
  const int pas = vers_le_haut ? -1 : 1;
  const int depart = vers_le_haut ? 7 : 2;
  const int dc = std::abs(col_d - col_s);
  const int dl = std::abs(lig_d - lig_s);

  switch (type_piece(code_src)) {
    case TYPE_PION: {
      const int passant = couleur == BLANC ? passant_noir : couleur == NOIR ? passant_blanc : -1;
      if (passant > 0 && passant == col_d * 10 + lig_d && dc == 1 && lig_d == lig_s + pas) return 1;
      if (col_s == col_d && lig_d == lig_s + pas && code_dst == CASE_VIDE) return 1;
      if (col_s == col_d && lig_s == depart && lig_d == lig_s + 2 * pas && code_dst == CASE_VIDE &&
          dans_plateau(col_s, lig_s + pas) && tab_echiquier(col_s, lig_s + pas) == CASE_VIDE)
        return 1;
      if (dc == 1 && lig_d == lig_s + pas && code_dst != CASE_VIDE) return 1;
      return 0;
    }
    case TYPE_TOUR:
      return test_tour(col_s, lig_s, col_d, lig_d);
    case TYPE_FOU:
      return test_fou(col_s, lig_s, col_d, lig_d);
    case TYPE_DAME:
      if (dc == dl) return test_fou(col_s, lig_s, col_d, lig_d);
      return test_tour(col_s, lig_s, col_d, lig_d);
    case TYPE_CAVALIER:
      return (dc == 1 && dl == 2) || (dc == 2 && dl == 1) ? 1 : 0;
    case TYPE_ROI:
      if (dc <= 1 && dl <= 1) return 1;
      return test_roque(code_src, col_s, lig_s, col_d, lig_d);
    default:
      return 0;
  }
}

int nb_attaques(int code, int colonne, int ligne, int couleur) {
  try {
    (void)tab_echiquier(colonne, ligne);  // an index outside 0..8 is an error
    moteur::PlateauBits p;
    p.lit(tab_echiquier.donnees());
    return moteur::compte_attaquants(p, moteur::attaquants_de(p, moteur::ennemis_de(couleur)), colonne + 9 * ligne,
                                     couleur_piece(code) == couleur_joueur ? -1 : 1);
  } catch (const std::exception& e) {
    affiche_erreur(e.what(), NOM_PROGRAMME);
    return 0;
  }
}
