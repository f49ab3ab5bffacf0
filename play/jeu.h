// The shared procedures of game play that every road of a move uses (the
// human's move on the board, the machine's move, the network move, the
// replay of a movetext), and the state of the move input.
//
// They work on the board window when it is loaded (plateau::existante());
// without one, the clock procedures do nothing and memorise_position fails.
#pragma once

#include <QString>
#include <exception>
#include <functional>

class plateau;

// --- Move input state ---------------------------------------------------
// 0 waits for the square a piece is lifted from, 1 for its destination,
// 99 places pieces during position set-up; any other value ignores clicks.
extern int etat_clic;
// -1 (true) from each load of the board window until the machine's first
// move has been numbered; joue_machine reads and clears it.
extern int premier_coup;
// The evaluation of the last move played (its text is in the window caption).
extern float derniere_note;

// --- Position history ---------------------------------------------------
// Appends the position the board control shows (its chaine_position, read
// column by column) to historique_positions. Must run after the move is
// shown on the control. Throws std::runtime_error when no board window is
// loaded.
void memorise_position();

// --- Clocks -------------------------------------------------------------
// After a move by `couleur` (or 3 when a game opens, so that White's clock
// starts): with the clocks in use (active_horloge 1) the clock of the side now
// to move runs and the other stands. Nothing happens otherwise.
void bascule_horloge(int couleur);
// The end of a game: both chess clocks, automatic play and the game duration
// stop (Timer1, Timer2, Timer4, Timer5). A timed replay (Timer3) goes on.
void arret_timers();

// --- Sounds -------------------------------------------------------------
// Plays sound `numero` (0..14) of the table `sons` without waiting, when
// active_son is 1. An index outside 0..14 throws std::out_of_range; a sound
// that cannot be played shows the "Son WAV" message and the caller goes on.
// Numbers: 0 error, 1 mate, 2 piece lifted, 3 piece set down, 5 connection,
// 6 ring, 8 to 11 and 13 remarks on a move, 12 a new game.
void joue_son(int numero);

// The text of an error for the user: a board control's error worded in the
// user's language from its number and what it is about, any other as it
// says itself.
QString texte_erreur(const std::exception& e);

// --- What later parts of the program plug in ----------------------------
struct LiensJeu {
  // The machine's answer after a completed human move in play against the
  // machine (mode 1); returns true when a move was played and the game goes on.
  std::function<bool()> joue_machine;
  // Sends one text to the remote player of a network game (mode 3); nothing
  // is sent unless the game runs on an open connection.
  std::function<void(const QString& message)> envoie_reseau;
  // Sends a move made on this board to the remote player (mode 3): its
  // squares in this side's screen coordinates and its move text; the same
  // condition as envoie_reseau.
  std::function<void(int col_s, int lig_s, int col_d, int lig_d, const QString& texte_coup)> envoie_coup_reseau;
  // True while a network game runs on an open connection.
  std::function<bool()> partie_reseau_active;
  // True while this side's draw offer waits for the opponent's answer: this
  // board takes no move of its own meanwhile, so the answer is about the
  // position both boards show.
  std::function<bool()> nulle_proposee;
  // The connection dialog of a network game (the new-game command in mode 3).
  std::function<void()> montre_connexion;
  // The colour menu takes `couleur` (BLANC or NOIR), which becomes
  // couleur_joueur: a network game's role fixes this side's colour.
  std::function<void(int couleur)> choisit_couleur;
  // The main window's choices: the human's colour of the colour menu (BLANC
  // or NOIR) and the notation style of the notation menu (0, 1 or 2).
  std::function<int()> couleur_choisie;
  std::function<int()> notation_choisie;
  // Opens the main window's game menu at the mouse pointer.
  std::function<void()> menu_partie;
  // The notation menu takes `style` (0, 1 or 2), which becomes
  // style_notation: a correspondence game is read in its own letters.
  std::function<void(int style)> choisit_notation;
  // The correspondence manager (the new-game command in mode 5).
  std::function<void()> montre_corres;
  // Connects the game list (List2) of each board window as it is created.
  std::function<void(plateau& p)> liste_parties;
  // A loaded game is written with English letters: the main window's
  // notation set to PGN (style_notation 2 without a main window).
  std::function<void()> notation_pgn;
  // A game file written: the main window puts it on the recent files.
  std::function<void(const QString& chemin)> fichier_recent;
};
LiensJeu& liens_jeu();

// The machine's answer under the hourglass (play against the machine), after
// a move of the person or a game loaded with the machine to move.
void reponse_machine();
