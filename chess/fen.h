// The FEN text of a position: written for the clipboard and the
// correspondence e-mail, read back by the paste command and the benchmarks.
//
// Six fields separated by single blanks: the board from rank 8 down to rank 1,
// each rank from file a to file h, whatever colour is drawn at the bottom
// (letters of ".prnbqkPRNBQK", runs of empty squares as a digit, ranks joined
// by "/"); the side to move ("w" or "b"); the castling rights, one letter per
// wing ("K" White's king's wing, "Q" White's queen's wing, "k" and "q" for
// Black, "-" for none); the square a pawn has just passed over with a
// two-step ("-" when none); the half-moves since the last capture or pawn
// move; the full-move number.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "chess/etat.h"

// The FEN text of the board read through `piece` (code of a screen square,
// colonne and ligne 1..8) and of the shared state: dernier_trait, the
// castling rights, passant_blanc / passant_noir of the side that moved last,
// nb_demi_coups and numero_coup, in the orientation couleur_joueur.
//
// A wing's letter is written only while its right is held and the king and
// that wing's rook stand on their first squares, so the text never claims a
// castling that the board cannot hold.
std::string ecrit_fen(const std::function<int(int colonne, int ligne)>& piece);

// A position read from a FEN text, in screen coordinates for the
// orientation given to lit_fen.
struct PositionFen {
  TableauCases cases;
  int dernier_trait = NOIR;  // 3 when White is to move, 2 when Black is
  int roque_blanc = -1;      // the value of roque_interdit: 0 both wings, -1 none
  int roque_noir = -1;
  int passant_blanc = 0;     // colonne * 10 + ligne, 0 none
  int passant_noir = 0;
  int demi_coups = 0;
  int numero_coup = 0;       // numero_coup of the game: the full-move number, less 1 when White is to move
};

// Why a position cannot arise in a game, or why a text holds no position.
enum class DefautPosition {
  AUCUN,
  TEXTE,         // not a FEN text (its form)
  ROI_ABSENT,    // a side without a king
  ROIS,          // a side with two kings or more
  PION_EXTREME,  // a pawn on the first or the last rank
  ECHEC,         // the side not to move in check
  DEUX_ECHECS,   // both kings in check (the side to move unknown)
  HOMMES,        // more than 16 men of one side
  PIONS,         // more than 8 pawns of one side
  PROMUES,       // more pieces beyond the starting set than the missing pawns could have made
  PASSANT,       // an en-passant square the board does not bear out
};

// The checks a board passes whoever is to move, on screen squares (the
// result is the same in both orientations): one king a side, no pawn on the
// first or last rank, at most 8 pawns and 16 men a side, and no more queens
// beyond one, rooks, bishops or knights beyond two than the side's missing
// pawns could have become.
DefautPosition defaut_plateau(const TableauCases& cases);

// defaut_plateau, then the side that moved last (`dernier_trait` 2 or 3)
// must not be in check; with any other `dernier_trait`, the side to move
// being unknown, the two kings may not both be in check. `couleur_en_bas`
// is the orientation of `cases`.
DefautPosition defaut_position(const TableauCases& cases, int couleur_en_bas, int dernier_trait);

// The castling rights (the value of roque_interdit) that a board leaves to
// `couleur` out of `roques` (a roque_interdit value): a wing stays only while
// the king and that wing's rook stand on their first squares.
int roques_en_place(const TableauCases& cases, int couleur, int couleur_en_bas, int roques = 0);

// Reads a FEN text for the board drawn with `couleur_en_bas` at the bottom.
// The board field and the side are required; missing later fields take
// "-", "-", 0 and 1. Empty squares may be written as digits or as ".".
//
// Nothing is returned for a text that does not hold one (a rank that is not
// eight squares long, not eight ranks, an unknown letter, a side other than
// "w" or "b", a bad castling or en-passant field, a number that is not one,
// anything after the sixth field), nor for a position that cannot arise in a
// game: a side without exactly one king, a pawn on the first or last rank,
// the side not to move in check, impossible material (defaut_plateau), an
// en-passant square that is not empty, or without the pawn that has just
// passed it on the square beyond, or whose pawn's starting square is taken.
// `defaut`, when given, receives why nothing was returned (AUCUN otherwise).
//
// A castling letter whose king and rook are not both on their first squares
// is dropped: the right it names cannot be used and the rest of the text
// stands. "K"/"Q" may also be written as the rook's file, "H"/"A" ("h"/"a"
// for Black); the other file letters name no castling of this game and are
// dropped too.
std::optional<PositionFen> lit_fen(const std::string& texte, int couleur_en_bas, DefautPosition* defaut = nullptr);

// Puts a position read by lit_fen into the shared state: tab_echiquier,
// dernier_trait, the castling rights, the en-passant squares, nb_demi_coups
// and numero_coup.
void applique_position_fen(const PositionFen& position);
