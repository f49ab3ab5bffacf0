// Playing one move on the shared board, the one way every caller does it:
// the human's move on the board window, the machine's move, the replay of a
// movetext and the builder of the opening base.
//
// Who does what around joue_coup:
// - Before: the caller decides the move is to be played (coup_legal below, or
//   its own question) and, for a White move, raises numero_coup by one first,
//   so the long text of White's first move reads "1." (the board window and
//   the replay raise it before writing the text; the machine's move writes
//   numero_coup + 1 and raises it just after, which comes to the same text).
//   A Black move leaves numero_coup alone.
// - joue_coup: writes the texts from the position before the move, then
//   carries out the move on tab_echiquier (rook of a castling, pawn taken en
//   passant, promoted piece) and updates roque_interdit, passant_blanc or
//   passant_noir, and dernier_trait. Nothing else.
// - After: the caller adds its evaluation mark ("?" or "!") if it shows one,
//   appends the texts to texte_partie and texte_partie_longue, records the
//   position, fills its move list, and so on.
//
// There is no undo: a caller that tries moves and takes them back (the search,
// the legality test) keeps an EtatPlateau from sauve_etat() and gives it back
// to restaure_etat().
#pragma once

#include <string>

#include "chess/etat.h"

struct CoupJoue {
  int code = 0;          // the moving piece's code before the move (the pawn for a promotion)
  int code_pris = 0;     // the code of the piece taken (the pawn for en passant), 1 when none
  bool en_passant = false;
  bool roque = false;
  int promotion = 0;     // the code of the new piece, 0 when none
  std::string texte_long;   // " 12.Cg1-f3+", with the marks; no "?" or "!"
  std::string texte_court;  // " 12.Nf3", with the disambiguation a reader needs
};

// Plays (col_s, lig_s) -> (col_d, lig_d) on tab_echiquier. The source must
// hold a piece (std::invalid_argument otherwise) and every coordinate be in
// 1..8 (std::out_of_range otherwise). The move is not tested.
//
// - Long text: notation_coup with the current numero_coup, the moving code,
//   the target's code before the move and the en-passant flag, followed with
//   no blanks by "e.p." after an en-passant capture, "=" and the promotion
//   letter (French in style_notation 1, English otherwise), and one "+" per
//   piece checking the other side's king once the move is made.
// - Short text: notation_abregee of the trimmed long text, with the
//   disambiguation computed on the board before the move.
// - Castling (a king moving between the castling columns of the current
//   orientation, the table of the move writer): the rook of that side moves
//   from the corner to the square the king passed over.
// - En passant: a pawn landing on the square the other side's pawn passed over
//   with its last two-step (passant_noir for White, passant_blanc for Black)
//   removes that pawn.
// - Promotion: a pawn reaching row 1 or 8 becomes code_promotion; 0 (or a pawn
//   or king code) gives a queen. A code of the other colour is read by its
//   type, so a bare type (TYPE_DAME, TYPE_CAVALIER...) works too.
// - Castling rights (roque_interdit, per wing): a king move (castling or not)
//   takes both wings of its colour away; a move from or onto a corner of a
//   home row takes that corner's wing away from the colour whose home row it
//   is (the rook left its corner, or was taken there).
// - The mover's own en-passant square becomes colonne * 10 + the row passed
//   over after a pawn's two-step, 0 after any other move of that side.
// - dernier_trait becomes the mover's colour.
CoupJoue joue_coup(int col_s, int lig_s, int col_d, int lig_d, int code_promotion);

// The same move without the texts (both left empty), for callers that play
// and take back many moves and write none: the board and the flags change
// exactly as with joue_coup.
CoupJoue execute_coup(int col_s, int lig_s, int col_d, int lig_d, int code_promotion);

// True when the piece on (col_s, lig_s) may move to (col_d, lig_d): coup_valide
// accepts it and, once it is made (with the pawn taken en passant removed), the
// mover's king is not attacked. A side without a king is never in check. The
// board is left as it was.
bool coup_legal(int col_s, int lig_s, int col_d, int lig_d);

// The number of pieces attacking the king of `couleur` (the first one found,
// colonnes outside, lignes inside); 0 when that side has no king.
int echecs_au_roi(int couleur);

// A move token in English letters, without its number ("Nf3", "exd5",
// "O-O", "e8=Q+"), read as a move of `couleur` on tab_echiquier: its squares
// (screen coordinates) and the code of the promotion piece (0 for none or a
// queen). A rook or knight move whose written origin names the other of two
// like pieces is taken from the one that can make it. False when the token
// is no legal move of that side.
bool lit_coup_legal(int couleur, const std::string& jeton, int& col_s, int& lig_s, int& col_d, int& lig_d,
                    int& promotion);
// The same with the letters of `style` (1 French, otherwise English).
bool lit_coup_legal(int couleur, int style, const std::string& jeton, int& col_s, int& lig_s, int& col_d, int& lig_d,
                    int& promotion);

// The part of the shared state a move changes.
struct EtatPlateau {
  TableauCases plateau;
  int roque[4] = {0, 0, 0, 0};
  int passant_b = 0;
  int passant_n = 0;
  int trait = 0;
};
EtatPlateau sauve_etat();
void restaure_etat(const EtatPlateau& etat);

// Keeps the position and the notation in force while a line of moves is
// played on the shared board to read or check it (an opening line, a PGN
// game), and puts them back when it goes.
class PositionGardee {
 public:
  PositionGardee()
      : etat_(sauve_etat()),
        couleur_(couleur_joueur),
        numero_(numero_coup),
        demi_(nb_demi_coups),
        style_(style_notation) {}
  ~PositionGardee() {
    restaure_etat(etat_);
    couleur_joueur = couleur_;
    numero_coup = numero_;
    nb_demi_coups = demi_;
    style_notation = style_;
  }
  PositionGardee(const PositionGardee&) = delete;
  PositionGardee& operator=(const PositionGardee&) = delete;

 private:
  EtatPlateau etat_;
  int couleur_, numero_, demi_, style_;
};
