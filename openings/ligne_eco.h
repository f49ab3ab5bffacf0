// Turning a line of moves, as an opening list or a PGN file writes it
// ("1. e4 e5 2. Nf3"), into the program's own movetext ("1.e4 e5 2.Nf3"),
// by playing every move on the shared board with the program's rules.
#pragma once

#include <string>

// Plays `coups` from the start position (couleur_joueur as it stands, White to
// move) and returns the movetext, exactly as texte_partie holds it after
// these moves. Move numbers ("1.", "1...") are skipped; a result or "*" ends
// the line. Throws std::runtime_error naming the first token that is not a
// legal move. Leaves the final position on tab_echiquier.
std::string movetext_de_ligne(const std::string& coups);
