// Replaying the movetext of the game in hand onto the board window: the common
// last step of every loader (PGN file, XML document, correspondence game).
#pragma once

#include <string>

#include "play/controles_partie.h"

// Rebuilds the game from texte_partie with `couleur_en_bas` (2 White, 3 Black)
// drawn at the bottom:
// - the board control shows the start position again (its piece folder and
//   board picture stay), drawings are removed, the move list is emptied, the
//   position history starts again with the start position, numero_coup,
//   the castling flags and the en-passant squares start from nothing, and
//   the evaluations of the moves (notes_coups) are emptied;
// - every move of the movetext is read with decode_coup in the letters of
//   style_notation, tested with coup_valide (a rook or knight move refused
//   from the decoded square is tried from the other piece of the same code),
//   played with joue_coup on tab_echiquier and shown on the control, written
//   to the move list ("    ....." before a Black move) and to
//   texte_partie_longue, and recorded in the history;
// - a move refused by the rules asks whether to go on (Yes plays it as read,
//   or skips it when no piece could be found for it; No ends the replay);
// - a result token ("1-0", "0-1", "1/2-1/2") ends the replay: it becomes the
//   last line of the move list and resultat_partie, and the final position is
//   recorded once more for that line; "*" adds no line.
//
// Move numbers ("12." and "12..." alone or joined to the move), brace and
// semicolon comments, variations in parentheses and annotation tokens are
// skipped; what stands before the first move number is not read. White moves
// after a number "N.", Black after "N..." or after White's move.
//
// Afterwards numero_coup is the number of White moves played, dernier_trait
// the colour of the last move played (3 when none), so the side to move
// follows the game; a finished game (resultat_partie other than "*", also
// set by the loader before the replay) stops both clocks and automatic play; a side whose king has moved, or whose rook has left its
// corner or been taken there, may no longer castle. texte_partie keeps its
// text ("*" alone becomes empty). A run-time error (a picture that cannot be
// loaded) shows its text titled "Attention" and ends the replay; what was
// played so far stays.
//
// With `fen` (the FEN tag of a PGN game) the board starts from that position
// instead: its pieces, side to move, castling rights, en-passant square and
// move number; a text that is no FEN gives the start position.
void rejoue_partie(ControlesPartie& controles, int couleur_en_bas, const std::string& fen = {});

// The code a promotion mark ("=Q", "=D+") gives to a pawn of `couleur`: the
// letter after "=" read as a rook, knight, bishop or queen in French or
// English letters, upper or lower case; 0 when the marks name none of them.
int code_promotion_marques(const std::string& marques, int couleur);
