#include "tests/chess/aide_moteur.h"

#include <sstream>

#include "chess/cases.h"
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
  std::istringstream in(fen);
  std::string placement, trait = "w", roques = "-", passant = "-";
  int demi = 0, numero = 1;
  in >> placement >> trait >> roques >> passant >> demi >> numero;
  tab_echiquier.vide();
  int rang = 8, fichier = 1;
  for (char ch : placement) {
    if (ch == '/') {
      --rang;
      fichier = 1;
    } else if (ch >= '1' && ch <= '8') {
      fichier += ch - '0';
    } else {
      const char sq[3] = {static_cast<char>('a' + fichier - 1), static_cast<char>('0' + rang), 0};
      tab_echiquier(col_de(sq), lig_de(sq)) = code_de_lettre(2, ch);
      ++fichier;
    }
  }
  roque_interdit[BLANC] = roques.find_first_of("KQ") == std::string::npos ? 1 : 0;
  roque_interdit[NOIR] = roques.find_first_of("kq") == std::string::npos ? 1 : 0;
  passant_blanc = passant_noir = 0;
  if (passant != "-") {
    const int code = col_de(passant.c_str()) * 10 + lig_de(passant.c_str());
    // The square passed over by the side that has just moved.
    (trait == "w" ? passant_noir : passant_blanc) = code;
  }
  numero_coup = numero;
  dernier_trait = trait == "w" ? NOIR : BLANC;
  return trait == "w" ? BLANC : NOIR;
}

void EnDeuxOrientations::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_poids();
  reinitialise_recherche();
  installe_observateur_recherche(nullptr);
  couleur_joueur = GetParam();
}

}  // namespace essai
