// The board window's hint button: the machine's best move for the side to
// move, drawn on the board and told in a message box; nothing is played.
#pragma once

class plateau;

// Searches the best move of the side to move (Black when dernier_trait is 2,
// White otherwise) with the search counters reset and the search shown,
// draws it in yellow (a line from the centre of its source square to the
// centre of its target, a circle on the target), circles the unprotected
// pieces, and shows text 333, the move, text 334, its note and ")". The
// drawings go when the box is closed; numero_coup is as it was. Nothing
// happens while the machine plays (or another hint searches) or during set-up. A side without a move
// gets the search's answer ("MAT" or "PAT") and no drawing.
void Command3_Click(plateau& p);
