// Putting the game shown in the correspondence manager onto the board window:
// the user's colour at the bottom, the game's tag lines, the window's title
// with the game's references, the game's letters, then the stored moves
// replayed through the one replay of the board window.
#pragma once

class corres;

// Loads the game of the manager's fields as they are displayed. The result
// token of a running game is not replayed, so the next move continues the
// stored list; the last move's line is selected (a finished game shows its
// result as the last line, the line before it selected). `entete` writes the
// tag lines into the comment window too (the manager's own load button).
void charge_partie_corres(corres& c, bool entete);
