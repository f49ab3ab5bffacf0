// Ending the game by agreement or by resignation: the main window's items
// "Proposer la partie nulle" and "Abandonner la partie", and the board
// window's resign button.
#pragma once

#include <QString>
#include <functional>

// Closes the connection of a network game (filled in by the network play):
// on resignation and when the board window of a network game unloads.
std::function<void()>& ferme_connexion_reseau();

// The game drawn by agreement: "1/2-1/2" in the move list and the result,
// the position recorded, the clocks stopped, the last line selected.
void conclut_nulle();

// The draw offer. In a network game (mode 3), once the game runs on its
// connection, the question of text 328 (twice) and, on Yes, "/" sent to the
// opponent. Otherwise the machine answers from
// its own evaluation (Black's when the human has White, else White's): below
// 0 from move 11 on it accepts (text 336 with both evaluations, then text
// 114: Yes writes "1/2-1/2" in the move list and the result, records the
// position and stops the clocks); else it refuses (text 335 with both
// evaluations). Nothing without a board window or once the game has a
// result. While the machine thinks the offer is judged when its search ends,
// before its move (propose_nulle_apres_recherche).
void propose_nulle();
// The machine's answer to a draw offer, as above, on the position shown.
void juge_nulle();

// Resignation: Yes to text 92 closes the connection of a network game (the
// opponent sees it close), then closes the board window (once the current event is
// over when `depuis_plateau`, the board window's own button). Nothing is
// recorded or sent. While the machine thinks, Yes stops its search and the
// board window closes once the machine is done, without its move.
void abandonne_partie(bool depuis_plateau);

// "Evaluation BLANC = " ... as the two answers show them: each note with "."
// and a blank before a note that is not negative.
QString texte_evaluations(float blanc, float noir);
