// Piece classification, the move test and the attack count.
#pragma once

int couleur_piece(int code);
int type_piece(int code);
int couleur_adverse(int couleur);
int mini(double a, double b);
int maxi(double a, double b);

// 1 when the piece code_src on (col_s, lig_s) may move to (col_d, lig_d),
// which holds code_dst, on tab_echiquier; 0 otherwise. Pseudo-legal: the
// mover's own king is not looked at (callers make the move and test it).
int coup_valide(int code_src, int col_s, int lig_s, int code_dst, int col_d, int lig_d);

// Number of pieces of the other colour than `couleur` attacking (colonne,
// ligne) on tab_echiquier. `code` only fixes the direction of attacking pawns.
int nb_attaques(int code, int colonne, int ligne, int couleur);

// The row on which the king of `couleur` starts (8 for the colour drawn at
// the bottom, 1 for the other one).
int rangee_roi(int couleur);

// In the current orientation: the colonne on which the kings start (5 with
// White at the bottom, 4 with Black), the wing (AILE_ROI, AILE_DAME) of the
// corner colonne 1 or 8, and the corner colonne of a wing's rook.
int colonne_roi_depart();
int aile_du_coin(int colonne);
int colonne_du_coin(int aile);
