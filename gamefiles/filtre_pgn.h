// The tag filter of PGN game files: one rule for listing games and for
// copying the games that pass.
//
// Each criterion is the beginning of a tag's value: "Dup" keeps a game whose
// White is "Dupont, A.". The tag is found by its whole name ("Date" is not
// "EventDate", "White" is not "WhiteElo"); letters compare without regard to
// case, accented ones included ("élodie" finds "ÉLODIE"). An empty criterion
// passes every game; a criterion on a tag the game does not have fails it.
// With `lesdeux` the White and Black criteria each look at both players:
// a game passes when its White or its Black value begins with the criterion.
#pragma once

#include <QString>

#include "gamefiles/lecture_pgn.h"

namespace pgn {

// The caller fills the criteria (from the [FILTRE] settings or a form).
struct CriteresFiltre {
  QString blanc, noir, resultat, eco, site, event, date, ronde;
  bool lesdeux = false;

  bool vide() const;
};

// True when the game passes every criterion.
bool passe_filtre(const PartieLue& partie, const CriteresFiltre& criteres);

// The game limit of a listing: max_seuil_partie brought into 1..32767.
int limite_liste(int max_seuil);

}  // namespace pgn
