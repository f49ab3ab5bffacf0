// What the evaluation, the attack scans and the search share inside chess/:
// square geometry computed once, code tables, the weights of the current
// profile taken once per search, and the fast attack count. Not for callers
// outside chess/ (they use evaluation.h, attaques.h and recherche.h).
//
// Squares are indices colonne + 9 * ligne of tab_echiquier.donnees(). The
// board holds only the codes 1 to 13 on its 64 squares (verifie_plateau).
#pragma once

#include <cstdint>

#include "chess/etat.h"

namespace moteur {

// --- Geometry ------------------------------------------------------------
// Directions as (dcolonne, dligne): the four lines (+1,0) (-1,0) (0,+1)
// (0,-1), then the four diagonals (+1,-1) (-1,-1) (+1,+1) (-1,+1): the order
// of every scan of the program.
inline constexpr int DC[8] = {1, -1, 0, 0, 1, -1, 1, -1};
inline constexpr int DL[8] = {0, 0, 1, -1, -1, -1, 1, 1};
// Knight jumps in scan order.
inline constexpr int SC[8] = {2, 2, -2, -2, 1, 1, -1, -1};
inline constexpr int SL[8] = {1, -1, 1, -1, -2, 2, -2, 2};

struct Geometrie {
  uint8_t rayon[81][8][7];   // squares of each ray, from the neighbour to the edge
  uint8_t longueur[81][8];   // their number
  uint8_t saut[81][8];       // knight targets on the board, in scan order
  uint8_t nb_sauts[81];
};

constexpr Geometrie construit_geometrie() {
  Geometrie g{};
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int sq = c + 9 * l;
      for (int d = 0; d < 8; ++d) {
        int n = 0;
        for (int x = c + DC[d], y = l + DL[d]; x >= 1 && x <= 8 && y >= 1 && y <= 8; x += DC[d], y += DL[d])
          g.rayon[sq][d][n++] = static_cast<uint8_t>(x + 9 * y);
        g.longueur[sq][d] = static_cast<uint8_t>(n);
      }
      int n = 0;
      for (int k = 0; k < 8; ++k) {
        const int x = c + SC[k], y = l + SL[k];
        if (x >= 1 && x <= 8 && y >= 1 && y <= 8) g.saut[sq][n++] = static_cast<uint8_t>(x + 9 * y);
      }
      g.nb_sauts[sq] = static_cast<uint8_t>(n);
    }
  return g;
}
inline constexpr Geometrie geo = construit_geometrie();

inline constexpr int colonne_de(int sq) { return sq % 9; }
inline constexpr int ligne_de(int sq) { return sq / 9; }
inline constexpr bool sur_plateau(int c, int l) { return c >= 1 && c <= 8 && l >= 1 && l <= 8; }

// --- Codes ----------------------------------------------------------------
// couleur_piece and type_piece of the codes 0..15.
inline constexpr uint8_t COULEUR[16] = {3, 1, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2};
inline constexpr uint8_t TYPE[16] = {1, 1, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7, 1, 1};

// Bit sets of codes, by the colour of the side they are enemies of (a code is
// an enemy of `couleur` when its couleur_piece differs; the empty square is
// never one).
struct Masques {
  uint16_t ligne;     // queens and rooks
  uint16_t diagonale; // queens and bishops
  uint16_t roi;
  uint16_t cavalier;
  uint16_t pion;
  uint16_t piece;     // every piece
};
constexpr Masques construit_masques(int couleur, bool ennemis) {
  Masques m{};
  for (int code = 0; code < 16; ++code) {
    if (code == CASE_VIDE) continue;
    if ((COULEUR[code] != couleur) != ennemis) continue;
    const uint16_t bit = static_cast<uint16_t>(1u << code);
    const int t = TYPE[code];
    if (t == TYPE_DAME || t == TYPE_TOUR) m.ligne |= bit;
    if (t == TYPE_DAME || t == TYPE_FOU) m.diagonale |= bit;
    if (t == TYPE_ROI) m.roi |= bit;
    if (t == TYPE_CAVALIER) m.cavalier |= bit;
    if (t == TYPE_PION) m.pion |= bit;
    m.piece |= bit;
  }
  return m;
}
// Enemies of the colours 0..3 and pieces of the colours 0..3.
inline constexpr Masques ENNEMIS[4] = {construit_masques(0, true), construit_masques(1, true),
                                       construit_masques(2, true), construit_masques(3, true)};
inline constexpr Masques AMIS[4] = {construit_masques(0, false), construit_masques(1, false),
                                    construit_masques(2, false), construit_masques(3, false)};
inline bool dans(uint16_t masque, int code) { return (masque >> code) & 1u; }

// Throws std::invalid_argument when a square of the board holds a value that
// is not a piece code (1 to 13).
void verifie_plateau();

// The colour masks of `couleur` for a count, valid for any int.
inline Masques ennemis_de(int couleur) {
  return couleur >= 0 && couleur <= 3 ? ENNEMIS[couleur] : construit_masques(couleur, true);
}
inline Masques amis_de(int couleur) {
  return couleur >= 0 && couleur <= 3 ? AMIS[couleur] : construit_masques(couleur, false);
}

// Number of pieces in `m` attacking sq: queens and rooks along the lines,
// queens and bishops along the diagonals (the first piece of each ray), a
// king on a neighbouring square, knights, and pawns standing on the row
// ligne + pas_pion beside the square. nb_attaques(code, c, l, couleur) is
// compte_attaquants(ennemis_de(couleur), c + 9 * l, pas) with pas -1 when
// couleur_piece(code) is couleur_joueur, else +1.
inline int compte_attaquants(const int* b, const Masques& m, int sq, int pas_pion) {
  int n = 0;
  for (int d = 0; d < 8; ++d) {
    const uint16_t glisse = d < 4 ? m.ligne : m.diagonale;
    const uint8_t* r = geo.rayon[sq][d];
    const int lg = geo.longueur[sq][d];
    for (int k = 0; k < lg; ++k) {
      const int p = b[r[k]];
      if (p == CASE_VIDE) continue;
      if (dans(glisse, p) || (k == 0 && dans(m.roi, p))) ++n;
      break;
    }
  }
  for (int k = 0, nk = geo.nb_sauts[sq]; k < nk; ++k)
    if (dans(m.cavalier, b[geo.saut[sq][k]])) ++n;
  const int c = colonne_de(sq), l = ligne_de(sq) + pas_pion;
  if (l >= 1 && l <= 8) {
    if (c + 1 <= 8 && dans(m.pion, b[c + 1 + 9 * l])) ++n;
    if (c - 1 >= 1 && dans(m.pion, b[c - 1 + 9 * l])) ++n;
  }
  return n;
}

// The row step of a pawn of `couleur` (towards ligne 1 for couleur_joueur).
inline int pas_pion(int couleur) { return couleur == couleur_joueur ? -1 : 1; }

// nb_attaques on the raw board.
inline int nb_attaques_rapide(const int* b, int code, int sq, int couleur) {
  return compte_attaquants(b, ennemis_de(couleur), sq, pas_pion(COULEUR[code & 15]));
}

// --- Weights of the current profile -----------------------------------------
inline constexpr int MOBILITE_MAX = 28;  // a queen reaches at most 27 squares

struct Poids {
  int profil = 1;
  int profondeur_max = 0;  // clamped to 0..3
  int alpha_beta = 0;
  float materiel[8] = {};
  // mobilite[t][n]: the mobility note of a piece of type t reaching n
  // squares, the value of one square added n times as the note is built.
  float mobilite[8][MOBILITE_MAX] = {};
  float indice_defense = 0, indice_attaque = 0, note_centre = 0;
  int seuil_centre = 0;
  float bonus_echec = 0;
  int seuil_bonus_echec = 0;
  float note_promotion = 0, note_roque = 0, malus_double = 0, malus_roi = 0;
};
extern Poids poids;
// profil_moteur, checked: std::out_of_range outside 0..2.
int profil_verifie();
// Takes the weights of profil_moteur.
void prend_poids();

// --- Evaluation and mate probe ------------------------------------------------
// evalue_position on the current board with `poids`.
float evalue(int couleur);
// Whether the side `couleur`, in check, is mated: what a search of that side
// at the maximum depth would answer "MAT" to. Inside such a search only
// whether a legal move exists decides, so it stops at the first one.
bool sondage_mat(int couleur);

}  // namespace moteur
