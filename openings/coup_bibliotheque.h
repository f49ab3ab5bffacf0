// The book move: before the machine searches, the opening base may give the
// next move of a line that continues the moves played.
#pragma once

#include <QtGlobal>
#include <string>

// For the side `couleur` (2 White, 3 Black) to move after `coups`: when
// ACTIVE_BASE_CON is 1 for the engine profile in force, chooses a line of the
// opening base that continues the moves, cuts its next move and reads it
// into the source and target squares (screen coordinates) and `marques`
// (what decode_coup cut off the token). The line chosen is the first in the
// order: rating descending (no rating last), learned lines first, ECO code
// descending, longest line first; or, when OUVERTURE_ALEATOIRE is 1 for the
// profile, any of them, each equally likely. Lines that end with the moves
// have no next move and are left out. `note` is the rating of a learned line,
// 0 for any other. The board window's mouse pointer takes the icon of the
// piece found on the source square.
// Returns false, without touching the database, when the base is off for the
// profile; false when no line continues the moves, or when its next move is
// not a legal move of a piece of that colour on tab_echiquier. Errors are
// shown in a message box and give false.
bool coup_bibliotheque(int couleur, const std::string& coups, int& col_s, int& lig_s, int& col_d, int& lig_d,
                       std::string& marques, float& note);

// The key (Eco_cle) of the line the book move takes after `coups`, by the
// order above or at random; 0 when no line continues the moves. Throws
// plateforme::ErreurBase on a database error.
qint64 cle_ligne_bibliotheque(const std::string& coups, bool au_hasard);
