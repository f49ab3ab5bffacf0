// Chess squares and screen squares. A screen square is (colonne, ligne) of
// tab_echiquier; a chess square is its file (1 for a .. 8 for h) and rank
// (1..8). With White at the bottom file f and rank r are colonne f and ligne
// 9 - r; with Black at the bottom the board is turned: colonne 9 - f, ligne r.
#pragma once

#include <string>
#include <string_view>

#include "chess/etat.h"

struct CaseEcran {
  int colonne = 0;
  int ligne = 0;
  bool operator==(const CaseEcran&) const = default;
};

// The screen square of file `fichier` and rank `rangee` with `en_bas` (BLANC
// or NOIR) drawn at the bottom.
CaseEcran case_ecran(int fichier, int rangee, int en_bas);
// The file and the rank shown by a screen colonne and ligne.
int fichier_de_colonne(int colonne, int en_bas);
int rangee_de_ligne(int ligne, int en_bas);

// The screen square of a square name ("e4": a file letter a..h, a rank digit
// 1..8, and nothing after them); {0, 0} when the text is not one. Without
// `en_bas`, in the current orientation couleur_joueur.
CaseEcran case_de_nom(std::string_view nom, int en_bas);
CaseEcran case_de_nom(std::string_view nom);

// The name of a screen square ("e4"); without `en_bas`, in the current
// orientation.
std::string nom_case(int colonne, int ligne, int en_bas);
std::string nom_case(int colonne, int ligne);
