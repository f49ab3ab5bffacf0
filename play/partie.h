// The one path of a played move. Every source of a move (the human's move on
// the board, the machine, the machine's first move, the replay of a movetext,
// the change of the last move, and later a network peer or a correspondence
// message) decides that its move is legal, then hands it to joue_coup_partie,
// which carries it out and records it with every step a move takes. Callers
// keep only what is their own (the machine's thinking, the mouse state, the
// replay's question on a refused move) and act on the verdict.
//
// The position history keeps, beside each recorded position, the whole state
// of that position (castling flags, en-passant squares, side that moved last,
// move number, half-move counter, window caption), so that cutting the game at
// an earlier move or showing it puts back that state.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "chess/coups.h"
#include "play/controles_partie.h"

// Where a move comes from. The source chooses only the small things that
// differ: the comment line of a capture, the sound, the evaluation marks.
enum class SourceCoup { MAIN, MACHINE, REJEU, MODIFICATION, RESEAU, CORRESPONDANCE };

// What the game became with the move.
enum class Verdict {
  CONTINUE,          // the game goes on, the other side is to move
  MAT,               // the side now to move is mated: the mover won
  PAT,               // the side now to move has no move and is not in check: drawn
  NULLE_REPETITION,  // drawn by repetition (accepted, or judged in machine play)
  GAIN_REPETITION,   // a repetition in machine against machine, won on evaluation
  PERTE_TEMPS,       // a flag fell while a question was open: the game ended on time
};

// A move already judged legal on tab_echiquier.
struct CoupPartie {
  SourceCoup source = SourceCoup::MAIN;
  int col_s = 0, lig_s = 0, col_d = 0, lig_d = 0;
  int promotion = 0;       // the code of the new piece, 0 for a queen
  bool a_note = false;     // true: `note` is the machine's own judgement
  float note = 0.0f;       // otherwise the move is judged by evalue_position
  std::string annotations; // "!", "?"... read from a movetext (replay) or sent by the opponent (network)

  // A move of the machine, with the note its search gave it.
  static CoupPartie de_la_machine(int col_s, int lig_s, int col_d, int lig_d, float note) {
    CoupPartie c;
    c.source = SourceCoup::MACHINE;
    c.col_s = col_s;
    c.lig_s = lig_s;
    c.col_d = col_d;
    c.lig_d = lig_d;
    c.a_note = true;
    c.note = note;
    return c;
  }
};

// Carries out the move on tab_echiquier and the board control of `controles`
// and records it: half-move counter, castling flags (also for a rook leaving
// or taken on its corner), the move-list line (marks: "?"/"!" from the
// evaluation for a move by hand, the movetext's annotations for a replay),
// the position and its state in the history, both movetexts, the evaluation
// in notes_coups[numero_coup] (not for a move by hand against the machine:
// that number's chart point is the machine's), derniere_note.
// When `controles` are the board window's, also: the caption and the status
// panel, the sound, the repetition test (a question, or a judgement in
// machine against machine), the test for mate and stalemate, the end of the
// game with its result when it ends, else the clock of the side to move and
// the opening lookup. A replay is judged but never ended here: its movetext
// carries its result. A move by hand in a network game goes to the opponent
// (liens_jeu().envoie_coup_reseau) before any box of its recording opens
// (mate, stalemate), except the move that repeats the position: it goes once
// its mover has answered the question, with "!A" after it on Yes.
// For a White move numero_coup is raised here (callers must not).
Verdict joue_coup_partie(ControlesPartie& controles, const CoupPartie& coup);
// The same on the game's controls (controles_jeu()).
Verdict joue_coup_partie(const CoupPartie& coup);

// True while joue_coup_partie carries a move out and records it (it may wait
// for a question or yield to the event loop): another source of moves waits.
bool coup_en_traitement();

// Is the game still on? No result is recorded. Every caller asks it before a
// move and again after any modal question, during which a clock may run out.
bool partie_en_cours();

// The position shown has stood on the board twice before (the third time
// now): a draw may be claimed. Needs the board window (compte_repetitions).
bool position_repetee();

// The game ends with `resultat` ("1-0", "0-1", "1/2-1/2") written as a
// token (a line of the opening base that ends with a result): the result
// line in the move list, the clocks stopped, the caption. Nothing happens
// when the game is already over or the text is no result.
void termine_par_resultat(const std::string& resultat);

// The end of the game without a move (the machine finds none for the side to
// move): mate when its king is attacked, else stalemate, announced and
// recorded as after a move. Returns MAT or PAT.
Verdict termine_sans_coup(bool defile);

// --- The position history's states ----------------------------------------
struct EtatPosition {
  std::string chaine;    // the historique_positions entry it belongs to
  EtatPlateau etat;
  int numero = 0;
  int demi_coups = 0;
  QString titre;         // the board window's caption for that position
};
// Kept beside historique_positions by memorise_position and
// memorise_controle: entry k is the state of position k when it was recorded.
extern std::vector<EtatPosition> etats_positions;
// Records the state for the history entry just appended.
void memorise_etat();
// The recorded state of position k, or null when none matches the history.
const EtatPosition* etat_position(int k);
// Puts back the state of position k into the shared state (board array, flags,
// side, move number, half-move counter); false (nothing changed) when none.
bool restaure_position(int k);

// The game cut after its first `lignes` move-list lines: later lines and
// positions go, both movetexts keep their first `lignes` half-moves, the
// result becomes "*", and the state of position `lignes` comes back.
void coupe_partie(ControlesPartie& controles, int lignes);
