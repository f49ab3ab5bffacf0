// Copy and paste of the position through the system clipboard, as plain
// text: the 64-character position string (chaine_position) or a FEN text.
#pragma once

#include "play/controles_partie.h"

// Puts the position shown by the board control on the clipboard: index 1 the
// position string, index 2 the FEN text. Any other index does nothing.
void copie_position(const ControlesPartie& controles, int index);

// The board of a position string as the paste command takes it: exactly 64
// characters without "/" (blanks around them ignored), each one a piece code
// (character 32 + code, "!" to "-"), both kings on the board. False when the
// text is refused; then `numero_texte` is the text number of the message to
// show (176 when a king is missing) or 0 when the text is no position string.
bool lit_chaine_position(const QString& texte, TableauCases& cases, int* numero_texte = nullptr);

// What the clipboard text is taken for.
enum class CollageLu { RIEN, CHAINE, FEN };

// Reads the clipboard text (blanks around it ignored) and sets the board up
// from it:
// - exactly 64 characters without "/", each one a piece code (character 32 +
//   code, "!" to "-"): a position string, written column by column to the
//   board control and tab_echiquier; the side to move stays; a string without
//   both kings shows "Les deux rois doivent être au moins placés sur
//   l'échiquier !!" and changes nothing;
// - a "/" and fewer than 100 characters: a FEN text; a text that lit_fen does
//   not take (not a FEN text, or a position that cannot arise) shows "Le
//   format F.E.N. est incorrect !" and changes nothing;
// - anything else: nothing, no message.
// A position taken starts a clean game from it: drawings removed, move list
// emptied, the position as the only entry of the history, empty movetexts,
// result "*", no comments or notes; after a position string both wings of
// both colours may castle (the board alone decides), there is no en-passant
// square and numero_coup is 0; after a FEN text the side to move, castling
// rights per wing, en-passant square, half-move count and move number are the
// text's.
// Returns what the text was taken for (RIEN also for a refused FEN text).
CollageLu colle_position(ControlesPartie& controles);
