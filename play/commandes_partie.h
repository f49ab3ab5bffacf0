// The game commands of the main window and of the board window's buttons,
// wired to the windows: copy and paste of the position, change of the last
// move, set-up, draw offer, resignation, hint and move comments.
#pragma once

#include <string>

class plateau;

// Connects the board window's buttons note (comment), Command1 (resign),
// Command2 (set-up), Command3 (hint), Command4 (end of set-up), Command6 (print
// the game list) and the
// palette pictures Piece(2..13) to their commands. The board window calls it
// once its controls exist.
void branche_commandes_plateau(plateau& p);

// The replay of texte_partie onto the board window, as every loader calls it:
// the board window is loaded when missing (the movetext, result, tag lines
// and comments the loader filled stay), the colour at the bottom is the
// one ticked in the main window's colour menu (couleur_joueur without a main
// window), a set-up in progress ends. A PGN game set up from a position
// hands its FEN tag (see rejoue.h).
// In play against the machine (mode 1) a game that goes on with the machine
// to move is handed to it as after a move of the person, once the loader is
// done with the game record (from the event loop): a finished game stays as
// it is, the person to move waits. A correspondence game is never the
// machine's to go on (SuiteRejeu::AUCUNE).
enum class SuiteRejeu { MACHINE, AUCUNE };
void rejoue_partie(const std::string& fen = {}, SuiteRejeu suite = SuiteRejeu::MACHINE);

// The board window's coordinate labels for the colour drawn at the bottom.
void reperes_selon_orientation(plateau& p);
// Leaves a set-up in progress: click state 0, no palette piece picked, the
// palette hidden, the hint enabled.
void quitte_mise_en_place(plateau& p);

// The main window's commands. Those that work on a game do nothing while no
// board window is loaded (their items are disabled then) or while the machine
// plays (machine_occupee()); so does the replay.
void menu_copie_position_Click(int Index);  // 1 position string, 2 FEN; enables the paste item
void menu_coller_position_Click();          // also leaves a set-up in progress
void menu_modif_coup_Click();
void menu_propose_nul_Click();
void menu_abandon_Click();
// Opens the board window when needed and enters set-up (no question).
void menu_position_Click();
