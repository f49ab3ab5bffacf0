// Position set-up on the board window: the user empties the board, picks
// pieces in the palette, places them with clicks on the board (click state
// 99, handled by the board window) and starts play from the position with
// the button "&Ok" (Command4), White to move.
#pragma once

class plateau;

// Enters set-up on the board window: drawings removed, the board turned with
// White at the bottom and emptied (control and tab_echiquier), the palette
// loaded and shown, the hint disabled, the move list and the history
// emptied, a clean game record, couleur_joueur 2, dernier_trait 3,
// piece_choisie 0, etat_clic 99.
void entre_mise_en_place(plateau& p);

// The board window's button "Pro&grammer": asks text 92 first; Yes enters set-up.
void Command2_Click(plateau& p);

// A palette picture clicked: picks its piece (the pointer takes its icon), or
// drops the piece already picked.
void Piece_Click(plateau& p, int Index);

// The button "&Ok": the position must be one a game can reach with White to
// move (defaut_position; text 176 when a king is missing, refus_position
// otherwise) and the move-number field hold a whole number 1..32767 (text 233
// otherwise); set-up then goes on. Else the position becomes the start of a
// new game: history entry 0, an empty move list, the palette hidden, the hint
// enabled, the game record clean, each wing whose king and rook stand on
// their first squares free to castle, White to move at the field's move number
// (numero_coup = that number - 1), the board turned to couleur_joueur if it
// changed meanwhile, and the machine's move when it plays White against the
// human. Returns true when play starts.
// Command2, Command4 and the main window's command do nothing while the
// machine plays (machine_occupee()).
bool Command4_Click(plateau& p);

// The main window's set-up command: shows the board window (loading it when
// needed) and enters set-up without a question.
void commande_mise_en_place();
