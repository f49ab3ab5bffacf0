// Changing the last move of the game: the user types another move for the
// same side, which replaces the last one on the board, in the history, in the
// move list and in both movetexts.
#pragma once

#include <string>

#include "play/controles_partie.h"

// The command of the main window's item "change the last move":
// 1. nothing when the move list is empty or ends with a result line;
// 2. an input box shows the last line and asks for the new move (an empty
//    answer ends the command);
// 3. the move is read (decode_coup, letters of style_notation) for the side
//    that made the last move, on a copy of the position before it, and must be
//    legal there (coup_valide, and the mover's king not left attacked);
//    otherwise "Le coup n'est pas valable !" and the game stays as it was;
// 4. a Yes/No box shows the new long text; No leaves the game as it was;
// 5. Yes: the move is played from the position before the last one with the
//    rules of every move (castling rook, pawn taken en passant, promotion to
//    the piece named after "="), the board control shows it, it replaces the
//    last history entry, the last line of the move list (with the same move
//    number) and the last move of texte_partie and texte_partie_longue.
// numero_coup, dernier_trait, the result, comments and notes stay.
void modifie_dernier_coup(ControlesPartie& controles);

// `texte` with its last move replaced by `nouveau` (a move without number):
// the last blank-separated word, a result token at the end passed over; a
// move number and its dots in front of that word stay ("12.Nf3" with "Ne5"
// gives "12.Ne5"). A text without any word is returned as it is.
std::string remplace_dernier_coup(const std::string& texte, const std::string& nouveau);
