// Turning a line of moves, as an opening list or a PGN file writes it
// ("1. e4 e5 2. Nf3"), into the program's own movetext ("1.e4 e5 2.Nf3"),
// by playing every move on the shared board with the program's rules.
#pragma once

#include <string>
#include <vector>

#include "chess/coups.h"

// Plays `coups` from the start position (couleur_joueur as it stands, White to
// move) and returns the movetext, exactly as texte_partie holds it after
// these moves. Move numbers ("1.", "1...") are skipped; a result or "*" ends
// the line. Throws std::runtime_error naming the first token that is not a
// legal move. Leaves the final position on tab_echiquier.
std::string movetext_de_ligne(const std::string& coups);

// The movetext after each of the first `max_demi_coups` half-moves of
// `coups` (the moves of a main line, without numbers), played from the start
// position: "1.e4", "1.e4 e5", "1.e4 e5 2.Nf3"... It stops at the first token
// that is not a legal move (a result among them). The shared position, move
// number, orientation and notation are as they were afterwards.
std::vector<std::string> prefixes_de_coups(const std::vector<std::string>& coups, int max_demi_coups);

// Lines of moves checked one after another, each from the start position as
// prefixes_de_coups plays it, on a board kept from one line to the next: the
// moves a line shares with the line before are not played again, the board
// is put back as it stood after them. The shared position, move number,
// orientation and notation are as they were after each line.
class LecteurLignes {
 public:
  // The movetext after all of `coups` (moves without numbers) in `texte`, as
  // prefixes_de_coups gives it after the last; false when one of them is a
  // result or no legal move, `lus` then the number of moves before it.
  bool lit(const std::vector<std::string>& coups, std::string& texte, std::size_t& lus);

 private:
  // One move of the last line read, and the board and movetext after it.
  struct Pas {
    std::string coup;
    EtatPlateau apres;
    int numero = 0;
    std::string texte;
  };
  std::vector<Pas> pas_;
};
