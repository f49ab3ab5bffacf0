// A second, plain statement of the evaluation and the search, written square
// by square from the rules with coup_valide, nb_attaques, case_attaquee and
// compte_attaques_lignes, on the checked board accessors, with no speed work.
// The tests run it beside the program's search on many positions: both must
// give the same notes, moves and counters.
#pragma once

#include <string>

namespace reference {

float evalue_position(int couleur);

struct Choix {
  std::string texte;
  int col_s = 0, lig_s = 0, col_d = 0, lig_d = 0;
  float note = 0;
};
// choix_coup_machine without display.
Choix choix_coup_machine(int couleur);

}  // namespace reference
