// What the evaluation, the attack scans and the search share inside chess/:
// square geometry computed once, the weights of the current profile taken
// once per search, the board as bits (plateau_bits.h) and the move played on
// both. Not for callers
// outside chess/ (they use evaluation.h, attaques.h and recherche.h).
//
// Squares are indices colonne + 9 * ligne of tab_echiquier.donnees(). The
// board holds only the codes 1 to 13 on its 64 squares (verifie_plateau).
#pragma once

#include <cstdint>

#include "chess/etat.h"
#include "chess/plateau_bits.h"

namespace moteur {

// --- Geometry ------------------------------------------------------------
// The squares of each ray and jump as lists, for the search's move order.
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

// Throws std::invalid_argument when a square of the board holds a value that
// is not a piece code (1 to 13).
void verifie_plateau();

// The row step of a pawn of `couleur` (towards ligne 1 for couleur_joueur).
inline int pas_pion(int couleur) { return couleur == couleur_joueur ? -1 : 1; }

// nb_attaques on the board as bits, for `couleur` 2 or 3.
int nb_attaques_rapide(const PlateauBits& p, int code, int sq, int couleur);

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
  // defense_fois[k], attaque_fois[k]: indice_defense and indice_attaque
  // added k times, as the sums of the evaluation build them.
  float defense_fois[65] = {}, attaque_fois[65] = {};
};
extern Poids poids;
// profil_moteur, checked: std::out_of_range outside 0..2.
int profil_verifie();
// Takes the weights of profil_moteur.
void prend_poids();

// --- Evaluation and mate probe ------------------------------------------------
// evalue_position with `poids` on tab_echiquier, which `p` holds as bits.
float evalue(PlateauBits& p, int couleur);
// Whether the side `couleur`, in check, is mated: what a search of that side
// at the maximum depth would answer "MAT" to. Inside such a search only
// whether a legal move exists decides, so it stops at the first one. Plays
// and takes back moves on tab_echiquier and `p`.
bool sondage_mat(PlateauBits& p, int couleur);

// One move played on tab_echiquier and on its bits, undone when the object
// goes, whatever ends its scope: the target's piece goes back, the mover goes
// back to its square, and a pawn taken en passant (on `case_passant`, 0 for
// none) too.
class CoupJoue {
 public:
  CoupJoue(int* b, PlateauBits& p, int depart, int arrivee, int case_passant)
      : b_(b), p_(p), depart_(depart), arrivee_(arrivee), passant_(case_passant), piece_(b[depart]),
        prise_(b[arrivee]) {
    if (passant_) {
      pion_passant_ = b_[passant_];
      b_[passant_] = CASE_VIDE;
      if (pion_passant_ != CASE_VIDE) p_.retire(tb.bit[passant_], pion_passant_);
    }
    b_[depart_] = CASE_VIDE;
    b_[arrivee_] = piece_;
    p_.retire(tb.bit[depart_], piece_);
    if (prise_ != CASE_VIDE) p_.retire(tb.bit[arrivee_], prise_);
    p_.ajoute(tb.bit[arrivee_], piece_);
  }
  ~CoupJoue() {
    b_[arrivee_] = prise_;
    b_[depart_] = piece_;
    p_.retire(tb.bit[arrivee_], piece_);
    if (prise_ != CASE_VIDE) p_.ajoute(tb.bit[arrivee_], prise_);
    p_.ajoute(tb.bit[depart_], piece_);
    if (passant_) {
      b_[passant_] = pion_passant_;
      if (pion_passant_ != CASE_VIDE) p_.ajoute(tb.bit[passant_], pion_passant_);
    }
  }
  CoupJoue(const CoupJoue&) = delete;
  CoupJoue& operator=(const CoupJoue&) = delete;

 private:
  int* b_;
  PlateauBits& p_;
  int depart_, arrivee_, passant_;
  int piece_, prise_, pion_passant_ = 0;
};

}  // namespace moteur
