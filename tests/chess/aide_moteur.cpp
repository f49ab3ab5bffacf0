#include "tests/chess/aide_moteur.h"

#include <optional>
#include <sstream>

#include "chess/cases.h"
#include "chess/fen.h"
#include "chess/regles.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "chess/recherche.h"

namespace essai {

int col_de(const char* sq) { return case_de_nom(sq).colonne; }
int lig_de(const char* sq) { return case_de_nom(sq).ligne; }

std::string nom_de(int colonne, int ligne) { return nom_case(colonne, ligne); }

int piece_en(const char* sq) { return tab_echiquier(col_de(sq), lig_de(sq)); }

void pose(const std::string& pieces) {
  tab_echiquier.vide();
  std::istringstream in(pieces);
  std::string mot;
  while (in >> mot) {
    ASSERT_EQ(mot.size(), 3u) << mot;
    const int code = code_de_lettre(2, mot[0]);
    ASSERT_NE(code, 0) << mot;
    tab_echiquier(col_de(mot.c_str() + 1), lig_de(mot.c_str() + 1)) = code;
  }
}

int pose_fen(const std::string& fen) {
  const std::optional<PositionFen> p = lit_fen(fen, couleur_joueur);
  if (!p) {
    ADD_FAILURE() << "not a position: " << fen;
    return BLANC;
  }
  applique_position_fen(*p);
  // numero_coup holds the text's full-move number.
  if (p->dernier_trait == NOIR) ++numero_coup;
  return couleur_adverse(p->dernier_trait);
}

void EnDeuxOrientations::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_poids();
  reinitialise_recherche();
  installe_observateur_recherche(nullptr);
  couleur_joueur = GetParam();
}

}  // namespace essai
