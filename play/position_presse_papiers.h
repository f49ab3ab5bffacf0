// Copy and paste of the position through the system clipboard, as plain
// text: the 64-character position string (chaine_position) or a FEN text.
#pragma once

#include <QString>

#include "chess/fen.h"
#include "play/controles_partie.h"

// Puts the position shown by the board control on the clipboard: index 1 the
// position string, index 2 the FEN text. Any other index does nothing.
void copie_position(const ControlesPartie& controles, int index);

// The words that say why a position cannot arise in a game (text 701 to 710);
// empty for DefautPosition::AUCUN.
QString texte_defaut_position(DefautPosition defaut);
// The message refusing a position of the board, the paste or the set-up:
// text 176 when a king is missing, else text 709 naming the fault; empty
// for DefautPosition::AUCUN.
QString refus_position(DefautPosition defaut);

// The board of a position string as the paste command takes it: exactly 64
// characters without "/" (blanks around them ignored), each one a piece code
// (character 32 + code, "!" to "-"), and a position a game can reach
// (defaut_position in the orientation couleur_joueur, `dernier` the side that
// moved last, 0 when it is not known). False when the text is refused; then
// `refus` is the message to show (refus_position), or empty when the text is
// no position string.
bool lit_chaine_position(const QString& texte, TableauCases& cases, QString* refus = nullptr, int dernier = 0);

// What the clipboard text is taken for.
enum class CollageLu { RIEN, CHAINE, FEN };

// Reads the clipboard text (blanks around it ignored) and sets the board up
// from it:
// - exactly 64 characters without "/", each one a piece code (character 32 +
//   code, "!" to "-"): a position string, written column by column to the
//   board control and tab_echiquier; the side to move stays; a string
//   lit_chaine_position refuses shows its message and changes nothing;
// - a "/" and fewer than 100 characters: a FEN text; a text that lit_fen does
//   not take shows "Le format F.E.N. est incorrect !" when it is not a FEN
//   text, refus_position for a position that cannot arise, and changes nothing;
// - anything else: nothing, no message.
// A position taken starts a clean game from it: drawings removed, move list
// emptied, the position as the only entry of the history, empty movetexts,
// result "*", no comments or notes; after a position string each wing whose
// king and rook stand on their first squares may castle, there is no en-passant
// square and numero_coup is 0; after a FEN text the side to move, castling
// rights per wing, en-passant square, half-move count and move number are the
// text's.
// Returns what the text was taken for (RIEN also for a refused FEN text).
CollageLu colle_position(ControlesPartie& controles);
