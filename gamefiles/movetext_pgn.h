// The movetext of a PGN game: its main line, its comments, and the
// program's own movetext made from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gamefiles/lecture_pgn.h"

namespace pgn {

// What a PGN movetext holds for the game in hand.
struct MovetextLu {
  // The moves of the main line as written, without move numbers, numeric
  // annotations ("$1"), annotation marks ("!", "?!"...) or "e.p.".
  std::vector<std::string> coups;
  // The comments of the main line: element 0 before the first move, element
  // k after the k-th half-move; two comments on one move are joined by a
  // blank. Comments inside variations are left out with them.
  std::vector<std::string> commentaires;
  std::string resultat;  // the result token, empty when there is none
  bool commentaire_ouvert = false;  // a "{" without its "}"
  // The first move number written and whether it names a Black move ("12...").
  int premier_numero = 0;
  bool noir_d_abord = false;
};

// Reads a movetext: "{...}" comments (over several lines), ";" comments to the
// end of the line, nested variations "( ... )", move numbers alone or joined
// ("12.", "12...", "12.e4", "12...e5", "12. e4"), numeric annotations,
// annotation marks alone or joined ("e4!", "Nf3!?"), "e.p." alone or joined,
// and a result token, which ends the reading.
MovetextLu lit_movetext(std::string_view movetext);

// True when a token has the shape of a move in English letters (castling,
// or a piece letter, hints and a target square, a promotion, check marks):
// what may be given to the move reader without it complaining.
bool ressemble_a_un_coup(std::string_view t);

// The moves in the program's own form, numbered from `numero` (the number of
// the first move, White's unless `noir_d_abord`): "1.e4 e5 2.Nf3",
// "12...Nc6 13.Nf3".
std::string texte_numerote(const std::vector<std::string>& coups, int numero, bool noir_d_abord);

// The program's own movetext of a game: every move played from the start
// position, or from the position of `fen` when it is not empty, and written
// as the board window writes it after the same moves ("1.e4 e5 2.Nf3", no
// result, no annotation). From the first move that cannot be played, the
// moves follow as written (numbered), so the replay meets and reports them.
// The shared board and position state are left as they were.
std::string movetext_programme(const MovetextLu& m, const std::string& fen);

}  // namespace pgn

// The main line's comments of a loaded game go to commentaires_coups (which
// starts again from nothing: element 0 is the comment before the first move,
// element k the one after the k-th half-move); with the comment window's item
// ticked each is shown there as "{", the text, "}" on a line. Returns the
// main line without comments, variations or annotations, numbered from 1
// ("1.e4 e5 2.Nf3"), followed by the result token when there is one. An
// unclosed "{" shows "Erreur de syntaxe dans le fichier PGN !"; the text after
// it is a comment.
std::string extrait_commentaires_pgn(const std::string& movetext);
// The same reading, giving what was read (the comments stored as above).
pgn::MovetextLu extrait_commentaires(const std::string& movetext);

// The movetext of the game in hand with its comments put back: element 0
// before the first move, element k as "{text}" after the k-th half-move,
// counting moves (never searching for a move number, so "1." is not found in
// "41."). A comment beyond the last move goes at the end.
std::string insere_commentaires(const std::string& movetext);
