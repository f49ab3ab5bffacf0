// Small helpers of the notation tests: chess squares in screen terms for the
// current orientation, diagrams drawn with White at the bottom, and the list
// of legal moves of one side.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "chess/cases.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "tests/common/aide_tests.h"

namespace aide_notation {

inline int col_de(const std::string& sq) { return case_de_nom(sq).colonne; }
inline int lig_de(const std::string& sq) { return case_de_nom(sq).ligne; }
inline int& case_de(const std::string& sq) { return tab_echiquier(col_de(sq), lig_de(sq)); }
// The chess name of a screen square.
inline std::string nom(int c, int l) { return nom_case(c, l); }

// A diagram as seen with White at the bottom (top line = row 8), turned when
// Black is at the bottom.
inline void pose(const std::vector<std::string>& lignes) {
  if (couleur_joueur == BLANC) {
    const char* ptr[8];
    for (int l = 0; l < 8; ++l) ptr[l] = lignes[l].c_str();
    pose_diagramme(ptr);
    return;
  }
  std::string tourne[8];
  const char* ptr[8];
  for (int l = 0; l < 8; ++l) {
    tourne[l] = lignes[7 - l];
    std::reverse(tourne[l].begin(), tourne[l].end());
    ptr[l] = tourne[l].c_str();
  }
  pose_diagramme(ptr);
}

// The square passed over by a two-step, as the rules store it.
inline int passant(const std::string& sq) { return col_de(sq) * 10 + lig_de(sq); }

struct Coup {
  int cs, ls, cd, ld;
  int promotion;  // type of the new piece, 0 when none
};

// Every legal move of `couleur`, each promotion once per piece.
inline std::vector<Coup> coups_legaux(int couleur) {
  std::vector<Coup> coups;
  for (int cs = 1; cs <= 8; ++cs)
    for (int ls = 1; ls <= 8; ++ls) {
      const int code = tab_echiquier(cs, ls);
      if (code == CASE_VIDE || couleur_piece(code) != couleur) continue;
      for (int cd = 1; cd <= 8; ++cd)
        for (int ld = 1; ld <= 8; ++ld) {
          if (!coup_legal(cs, ls, cd, ld)) continue;
          if (type_piece(code) == TYPE_PION && (ld == 1 || ld == 8)) {
            for (int t : {TYPE_DAME, TYPE_TOUR, TYPE_FOU, TYPE_CAVALIER}) coups.push_back({cs, ls, cd, ld, t});
          } else {
            coups.push_back({cs, ls, cd, ld, 0});
          }
        }
    }
  return coups;
}

}  // namespace aide_notation
