// The machine player: one call of joue_machine is one move of the machine for
// the side to move, on the game in hand of the board window.
//
// While the machine chooses and plays its move it is alone on the board: the
// search lets window events run (redraws, clocks, menus, commands), but what
// would move a piece or start a second search (a click on the board, a timer
// of the replay or of automatic play, a second call of joue_machine, a new
// game...) refuses while machine_occupee(). What must wait for the search
// (closing the board window, quitting, resigning) stops it (arrete_machine)
// and runs once the machine is done (apres_machine).
#pragma once

#include <functional>
#include <string>

// The four square digits (source column and row, target column and row) of
// the last White move the machine played: "5755" for e2-e4 with White at the
// bottom.
extern std::string dernier_coup_joue;

// Plays the machine's move for the side to move (Black when dernier_trait is
// 2, else White) with the engine profile in force:
// - In a game begun from the usual start (partie_depuis_debut), White's first
//   move is the profile's default first move (OUVERTURE_DEFAUT) when it reads
//   as a legal move; otherwise, and for every later move, a book move of the
//   opening base when it has one that is legal here, else the search.
// - In a game begun from a position of its own (pasted, set up, loaded with a
//   FEN) every move is the search's: the default first move and the book's
//   lines start from the usual start and know nothing of that position.
// - The move is carried out on tab_echiquier and the board control (castling,
//   en passant, promotion to a queen), written to the move list and both
//   movetexts, recorded in the position history, judged for repetition (a
//   question in modes 1 and 2; in machine against machine the side whose
//   evaluation is below seuil_partie_nulle loses, else the game is drawn),
//   then shown in the caption, stored as the move's evaluation, sounded, the
//   clocks switched and the opening named.
// - The game ends when the side to move has no move (mate or stalemate, by
//   whether its king is attacked), on a repetition that ends it, and when the
//   move mates or stalemates the other side; the result is recorded and
//   written as the last line of the move list.
// Returns true when the machine has moved and the game goes on; false when
// the game ended here, was already over (a result is recorded), no board
// window is loaded, a position is being set up, the machine is already busy
// (the call is refused), or an error was reported. An error leaves the board
// control and tab_echiquier showing the same position: the position before
// the move when the move was not yet recorded.
bool joue_machine();

// The profile's default first move for White on tab_echiquier (its source
// and target squares), when it reads as a legal move there.
bool coup_par_defaut(int& cs, int& ls, int& cd, int& ld);

// True while joue_machine runs or a search of the machine (or of the hint)
// is under way.
bool machine_occupee();

// Stops the search under way: joue_machine then plays no move, the hint shows
// none. Nothing when no search runs.
void arrete_machine();

// Runs `action` once the machine is no longer busy: at once when it is not,
// else when the last GardeMachine ends, in the order given.
void apres_machine(std::function<void()> action);

// A draw offer made while the machine thinks is judged once its search ends,
// before its move: the move is not played when the draw is agreed.
void propose_nulle_apres_recherche();

// Marks the machine busy for its lifetime (joue_machine and the machine's
// first move use it; nesting is allowed).
class GardeMachine {
 public:
  GardeMachine();
  ~GardeMachine();
  GardeMachine(const GardeMachine&) = delete;
  GardeMachine& operator=(const GardeMachine&) = delete;
};

// True when `couleur` (2 or 3) has at least one legal move on tab_echiquier
// (the board is left as it was).
bool a_un_coup_legal(int couleur);
