// The board as sets of squares, one bit per square, for the attack count and
// the evaluation inside chess/. Not for callers outside chess/.
//
// Bit (colonne - 1) * 8 + (ligne - 1): the bits in increasing order are the
// squares column by column from the left, each column from the top, the
// order in which the evaluation takes the pieces. A square of
// tab_echiquier.donnees() is sq = colonne + 9 * ligne (0..80, the sentinel
// ring included: a ring square has no bit, but its rays, jumps and pawn
// squares towards the board are in the tables, so a count from it looks
// inwards as a walk from it would).
#pragma once

#include <bit>
#include <cstdint>

#include "chess/etat.h"

// The hot functions of the search are built twice on x86-64 when the
// compiler may not assume the popcnt instruction: the loader picks the one
// the processor runs.
#if defined(__x86_64__) && !defined(__POPCNT__) && defined(__GNUC__) && !defined(__clang__)
#define MVD_AVEC_POPCNT __attribute__((target_clones("popcnt", "default")))
#else
#define MVD_AVEC_POPCNT
#endif

namespace moteur {

using Bits = uint64_t;

// Directions as (dcolonne, dligne): the four lines (+1,0) (-1,0) (0,+1)
// (0,-1), then the four diagonals (+1,-1) (-1,-1) (+1,+1) (-1,+1): the order
// of every scan of the program.
inline constexpr int DC[8] = {1, -1, 0, 0, 1, -1, 1, -1};
inline constexpr int DL[8] = {0, 0, 1, -1, -1, -1, 1, 1};
// Knight jumps in scan order.
inline constexpr int SC[8] = {2, 2, -2, -2, 1, 1, -1, -1};
inline constexpr int SL[8] = {1, -1, 1, -1, -2, 2, -2, 2};
// Whether a direction goes towards higher bits (+8 a column, +1 a row).
inline constexpr bool MONTANTE[8] = {true, false, true, false, true, false, true, false};

inline constexpr bool sur_plateau(int c, int l) { return c >= 1 && c <= 8 && l >= 1 && l <= 8; }
inline constexpr int colonne_de(int sq) { return sq % 9; }
inline constexpr int ligne_de(int sq) { return sq / 9; }

struct TablesBits {
  uint8_t bit[81];        // bit of a square, 64 for the ring
  uint8_t sq[64];         // square of a bit
  Bits rayon[81][8];      // squares of each ray, from the neighbour to the edge
  Bits rayon_bit[64][8];  // the same by bit, for the square that stops a ray
  Bits saut[81];          // knight targets
  Bits voisin[81];        // king targets
  Bits etoile[81][2];     // every square of the four lines ([0]) and of the four diagonals ([1])
  // Squares other than sq on its row, diagonal (+1,-1) and diagonal (+1,+1):
  // one square a column at most, for the reflection of the columns.
  Bits travers[81][3];
  uint8_t colonne[8][256];  // squares reached in a column from row l - 1, by the column's occupied rows
  Bits pion[2][81];       // the squares beside sq on the row ligne - 1 ([0]) and ligne + 1 ([1])
};

constexpr Bits bit_de(int c, int l) { return Bits{1} << ((c - 1) * 8 + (l - 1)); }

constexpr TablesBits construit_tables_bits() {
  TablesBits t{};
  for (int sq = 0; sq < 81; ++sq) t.bit[sq] = 64;
  for (int c = 0; c <= 8; ++c)
    for (int l = 0; l <= 8; ++l) {
      const int sq = c + 9 * l;
      if (sur_plateau(c, l)) {
        t.bit[sq] = static_cast<uint8_t>((c - 1) * 8 + (l - 1));
        t.sq[t.bit[sq]] = static_cast<uint8_t>(sq);
      }
      for (int d = 0; d < 8; ++d)
        for (int x = c + DC[d], y = l + DL[d]; sur_plateau(x, y); x += DC[d], y += DL[d]) t.rayon[sq][d] |= bit_de(x, y);
      for (int k = 0; k < 8; ++k)
        if (sur_plateau(c + SC[k], l + SL[k])) t.saut[sq] |= bit_de(c + SC[k], l + SL[k]);
      for (int d = 0; d < 8; ++d)
        if (sur_plateau(c + DC[d], l + DL[d])) t.voisin[sq] |= bit_de(c + DC[d], l + DL[d]);
      for (int s = 0; s < 2; ++s)
        for (int dc : {1, -1})
          if (sur_plateau(c + dc, l + (s ? 1 : -1))) t.pion[s][sq] |= bit_de(c + dc, l + (s ? 1 : -1));
    }
  for (int sq = 0; sq < 81; ++sq) {
    for (int d = 0; d < 8; ++d) t.etoile[sq][d / 4] |= t.rayon[sq][d];
    t.travers[sq][0] = t.rayon[sq][0] | t.rayon[sq][1];
    t.travers[sq][1] = t.rayon[sq][4] | t.rayon[sq][7];
    t.travers[sq][2] = t.rayon[sq][5] | t.rayon[sq][6];
  }
  for (int r = 0; r < 8; ++r)
    for (int occ = 0; occ < 256; ++occ) {
      int a = 0;
      for (int x = r + 1; x < 8; ++x) {
        a |= 1 << x;
        if (occ >> x & 1) break;
      }
      for (int x = r - 1; x >= 0; --x) {
        a |= 1 << x;
        if (occ >> x & 1) break;
      }
      t.colonne[r][occ] = static_cast<uint8_t>(a);
    }
  for (int b = 0; b < 64; ++b)
    for (int d = 0; d < 8; ++d) t.rayon_bit[b][d] = t.rayon[t.sq[b]][d];
  return t;
}
inline constexpr TablesBits tb = construit_tables_bits();

// Rows of the bits: ligne 1 and ligne 8 of every column.
inline constexpr Bits LIGNE_1 = 0x0101010101010101ull;
inline constexpr Bits LIGNE_8 = 0x8080808080808080ull;

// Squares one row further (pas +1 towards ligne 8, -1 towards ligne 1) and
// one column further (+1 or -1); what leaves the board is dropped.
inline Bits decale_ligne(Bits b, int pas) { return pas > 0 ? (b & ~LIGNE_8) << 1 : (b & ~LIGNE_1) >> 1; }
inline Bits decale_colonne(Bits b, int pas) { return pas > 0 ? b << 8 : b >> 8; }

// The squares of ray d from sq up to and including the first occupied one.
inline Bits rayon_jusqu_a(int sq, int d, Bits occupe) {
  Bits r = tb.rayon[sq][d];
  const Bits arret = r & occupe;
  if (arret) r ^= tb.rayon_bit[MONTANTE[d] ? std::countr_zero(arret) : 63 - std::countl_zero(arret)][d];
  return r;
}

// The squares of a line through sq that has one square a column at most
// (`ligne` without sq), reached from sq up to and including the first
// occupied square each way: o - sq clears the empty squares above sq up to
// the first occupied one, the same on the board with the columns reversed
// (byte order) for the other way. sq is on the board.
inline Bits traverse(int sq, Bits ligne, Bits occupe) {
  const Bits s = Bits{1} << tb.bit[sq];
  const Bits o = occupe & ligne;
  const Bits avant = o - s;
  const Bits arriere = __builtin_bswap64(__builtin_bswap64(o) - __builtin_bswap64(s));
  return (avant ^ arriere) & ligne;
}

inline Bits lignes_de(int sq, Bits occupe) {
  const int b = tb.bit[sq];
  if (b == 64)
    return rayon_jusqu_a(sq, 0, occupe) | rayon_jusqu_a(sq, 1, occupe) | rayon_jusqu_a(sq, 2, occupe) |
           rayon_jusqu_a(sq, 3, occupe);
  const int decalage = b & ~7;
  const Bits colonne = Bits{tb.colonne[b & 7][(occupe >> decalage) & 0xFF]} << decalage;
  return colonne | traverse(sq, tb.travers[sq][0], occupe);
}
inline Bits diagonales_de(int sq, Bits occupe) {
  if (tb.bit[sq] == 64)
    return rayon_jusqu_a(sq, 4, occupe) | rayon_jusqu_a(sq, 5, occupe) | rayon_jusqu_a(sq, 6, occupe) |
           rayon_jusqu_a(sq, 7, occupe);
  return traverse(sq, tb.travers[sq][1], occupe) | traverse(sq, tb.travers[sq][2], occupe);
}

// --- Codes ----------------------------------------------------------------
// couleur_piece and type_piece of the codes 0..15.
inline constexpr uint8_t COULEUR[16] = {3, 1, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2};
inline constexpr uint8_t TYPE[16] = {1, 1, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7, 1, 1};

// Bit sets of codes: the pieces of one side, or the enemies of one side (a
// code is an enemy of `couleur` when its couleur_piece differs; the empty
// square is never one).
struct Masques {
  uint16_t ligne;      // queens and rooks
  uint16_t diagonale;  // queens and bishops
  uint16_t roi;
  uint16_t cavalier;
  uint16_t pion;
  uint16_t piece;  // every piece
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

// The colour masks of `couleur`, valid for any int.
inline Masques ennemis_de(int couleur) {
  return couleur >= 0 && couleur <= 3 ? ENNEMIS[couleur] : construit_masques(couleur, true);
}
inline Masques amis_de(int couleur) {
  return couleur >= 0 && couleur <= 3 ? AMIS[couleur] : construit_masques(couleur, false);
}

// --- The board as bits ------------------------------------------------------
struct PlateauBits {
  Bits code[16] = {};    // squares of each code 0..15 (1, the empty square, is not kept)
  Bits couleur[4] = {};  // squares of the pieces of couleur_piece 2 and 3
  Bits occupe = 0;       // every square that is not empty
  uint8_t piece[64] = {};  // the code on each bit (0 for the empty square and a code outside 0..15)

  // From the 81 elements of a board array.
  void lit(const int* b) {
    *this = PlateauBits{};
    for (int i = 0; i < 64; ++i) {
      const int p = b[tb.sq[i]];
      piece[i] = static_cast<uint8_t>(p >= 0 && p < 16 && p != CASE_VIDE ? p : 0);
      if (p == CASE_VIDE) continue;
      const Bits bit = Bits{1} << i;
      occupe |= bit;
      couleur[p <= 7 ? NOIR : BLANC] |= bit;
      if (p >= 0 && p < 16) code[p] |= bit;
    }
  }
  // The squares of every code in `m`.
  Bits de(uint16_t m) const {
    Bits r = 0;
    for (; m; m &= static_cast<uint16_t>(m - 1)) r |= code[std::countr_zero(m)];
    return r;
  }
  // Puts `p` (2..13) on the empty bit i, or takes it away.
  void ajoute(int i, int p) {
    const Bits bit = Bits{1} << i;
    code[p] |= bit;
    couleur[COULEUR[p]] |= bit;
    occupe |= bit;
    piece[i] = static_cast<uint8_t>(p);
  }
  void retire(int i, int p) {
    const Bits bit = ~(Bits{1} << i);
    code[p] &= bit;
    couleur[COULEUR[p]] &= bit;
    occupe &= bit;
    piece[i] = 0;
  }
};

// The pieces that may attack a square, by the way they attack.
struct Attaquants {
  Bits ligne, diagonale, roi, cavalier, pion;
};
// The pieces of the codes in `m`.
inline Attaquants attaquants_de(const PlateauBits& p, const Masques& m) {
  return {p.de(m.ligne), p.de(m.diagonale), p.de(m.roi), p.de(m.cavalier), p.de(m.pion)};
}
// The enemies of `couleur`: attaquants_de(p, ennemis_de(couleur)).
inline Attaquants ennemis_de(const PlateauBits& p, int couleur) {
  if (couleur != BLANC && couleur != NOIR) [[unlikely]]
    return attaquants_de(p, ennemis_de(couleur));
  const int o = couleur == BLANC ? 0 : 6;  // codes of the other side: black 2..7, white 8..13
  const Bits dames = p.code[DAME_NOIRE + o];
  return {dames | p.code[TOUR_NOIRE + o], dames | p.code[FOU_NOIR + o], p.code[ROI_NOIR + o],
          p.code[CAVALIER_NOIR + o], p.code[PION_NOIR + o]};
}

// The number of pieces of `a` attacking sq: queens and rooks along the
// lines, queens and bishops along the diagonals (the first piece of each ray),
// a king on a neighbouring square, knights, and pawns standing on the row
// ligne + pas_pion beside the square. The square itself never counts.
// nb_attaques(code, c, l, couleur) is this count with the pieces of
// ennemis_de(couleur) and pas -1 when couleur_piece(code) is couleur_joueur,
// else +1; case_attaquee(code, c, l, couleur) with amis_de(couleur) and pas
// +1 when couleur is couleur_joueur, else -1; the search and the evaluation
// count the attackers of a king or of a piece that moves with it too.
inline int compte_attaquants(const PlateauBits& p, const Attaquants& a, int sq, int pas_pion) {
  Bits t = (tb.saut[sq] & a.cavalier) | (tb.voisin[sq] & a.roi) | (tb.pion[pas_pion > 0][sq] & a.pion);
  if (a.ligne & tb.etoile[sq][0]) t |= lignes_de(sq, p.occupe) & a.ligne;
  if (a.diagonale & tb.etoile[sq][1]) t |= diagonales_de(sq, p.occupe) & a.diagonale;
  return std::popcount(t);
}

}  // namespace moteur
