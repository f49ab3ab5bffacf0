// The machine player's move choice: a fixed-depth search on the shared board
// tab_echiquier. choix_coup_machine chooses the best move of one colour,
// asking cherche_coup_piece for each of its pieces in turn; cherche_coup_piece
// plays each move of one piece on the board, scores it with evalue_position
// plus the move terms and, while the depth allows, subtracts the opponent's
// best answer, then undoes the move. The board is the same after a search as
// before it, also when an error ends it.
//
// Same board, same globals and same weights give the same move, the same note
// and the same counters.
#pragma once

#include <stdexcept>
#include <string>

// --- Search state -----------------------------------------------------------
// Depth of the ply being searched: 0 for the side the caller asked about.
extern int profondeur_courante;
// Best note met at each depth 0..3 over the whole search (not reset inside it).
extern float meilleures_notes[4];
// One per own piece examined and one per target square tried.
extern long nb_coups_testes;
// One per evaluation.
extern long nb_positions_evaluees;

// What a caller does before a search from depth 0: depth 0, both counters 0,
// the four best notes -999999.
void reinitialise_recherche();

// True while a search started by choix_coup_machine or cherche_coup_piece
// runs (events handled while it yields must then leave the board alone).
bool recherche_en_cours();

// Asks the search under way to stop at its next yield: it returns at once with
// whatever it has, which the caller throws away (recherche_arretee() tells).
// The request is cleared when the next search starts.
void arrete_recherche();
bool recherche_arretee();

// Thrown by choix_coup_machine and cherche_coup_piece when called while a
// search runs (from an event handled during its yields).
class RechercheEnCours : public std::logic_error {
 public:
  RechercheEnCours() : std::logic_error("Une recherche est déjà en cours") {}
};

// The best move of `couleur` (2 or 3) from depth profondeur_courante, down to
// PROFONDEUR_MAX of the current profile (taken in 0..3). Returns the long move
// text of notation_coup, "MAT" or "PAT"; col_s .. lig_d receive the move and
// `note` its note, or -999999 when there is no move (the squares are then left
// as they were). `affichage` non-zero shows the search through the observer
// and writes the trace. A side that has no king is never mated: "PAT" when it
// has no move.
std::string choix_coup_machine(int& col_s, int& lig_s, int& col_d, int& lig_d, int couleur, float& note,
                               int affichage);

// The best move of the piece on (colonne, ligne) that scores strictly above
// `meilleure`: raises `meilleure` and gives its target; leaves them as they
// were when no move does better. An error while it runs is shown (message box
// with the error's text) and ends this piece's search; the board is restored.
void cherche_coup_piece(int colonne, int ligne, int& col_d, int& lig_d, float& meilleure);
