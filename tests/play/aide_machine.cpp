#include "tests/play/aide_machine.h"

#include <QDir>
#include <QFileInfo>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/poids.h"
#include "chess/regles.h"
#include "chess/repetitions.h"
#include "openings/base_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "platform/schemas_bases.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/observateur_plateau.h"

void TestMachine::SetUp() {
  TestPlateau::SetUp();
  reinitialise_reglages_ouvertures();
  analyse_ouverture = 0;
  liens_jeu().joue_machine = joue_machine;
  profondeur_max[1] = 0;
  profondeur_max[2] = 0;
  ouverture_defaut[1] = QStringLiteral("e4");
  ouverture_defaut[2].clear();
  machine_trace_coup = 1;
  dernier_coup_joue.clear();
  pendant_recherche() = nullptr;
}

void TestMachine::TearDown() {
  db_eco.ferme();
  TestPlateau::TearDown();
}

std::string TestMachine::montree() const {
  return chaine_position_de([this](int c, int l) { return p->Echiquier->Piece(c, l); });
}

std::string TestMachine::tableau_courant() {
  return chaine_position_de([](int c, int l) { return tab_echiquier(c, l); });
}

void TestMachine::place(std::initializer_list<const char*> pieces, int trait) {
  tab_echiquier.vide();
  for (const char* piece : pieces) {
    const int code = code_de_lettre(2, piece[0]);
    ASSERT_NE(code, 0) << piece;
    tab_echiquier(colonne_de(piece + 1), ligne_de(piece + 1)) = code;
  }
  p->montre_tab_echiquier();
  p->List1->clear();
  historique_positions.clear();
  memorise_position();
  texte_partie.clear();
  texte_partie_longue.clear();
  dernier_trait = trait;
  roque_interdit[BLANC] = roque_interdit[NOIR] = -1;
  passant_blanc = passant_noir = 0;
}

int TestMachine::joue_automatique(int max) {
  int n = 0;
  while (n < max && p->Timer4->tick()) ++n;
  return n;
}

std::vector<std::string> demi_coups(const std::string& texte) {
  std::vector<std::string> coups;
  size_t i = 0;
  while (i < texte.size()) {
    while (i < texte.size() && texte[i] == ' ') ++i;
    size_t j = i;
    while (j < texte.size() && texte[j] != ' ') ++j;
    std::string jeton = texte.substr(i, j - i);
    const size_t point = jeton.find_last_of('.');
    // "12.Nf3" or "12." alone; "e.p." stays with its move.
    if (point != std::string::npos && jeton.find("e.p.") == std::string::npos) jeton = jeton.substr(point + 1);
    if (!jeton.empty()) coups.push_back(jeton);
    i = j;
  }
  return coups;
}

int TestMachine::rejoue_et_compare(const std::string& texte) {
  place_position_depart();
  roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  passant_blanc = passant_noir = 0;
  numero_coup = 0;
  dernier_trait = NOIR;
  const std::vector<std::string> coups = demi_coups(texte);
  int k = 0;
  for (const std::string& c : coups) {
    const int couleur = k % 2 == 0 ? BLANC : NOIR;
    std::string jeton = c;
    int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
    std::string marques;
    decode_coup(couleur, 2, jeton, cs, ls, cd, ld, code, marques);
    if (cs == 0 || !coup_legal(cs, ls, cd, ld)) {
      ADD_FAILURE() << "half-move " << k + 1 << " '" << c << "' cannot be played";
      return -1;
    }
    if (couleur == BLANC) ++numero_coup;
    joue_coup(cs, ls, cd, ld, 0);
    ++k;
    if (static_cast<size_t>(k) >= historique_positions.size() || historique_positions[k] != tableau_courant()) {
      ADD_FAILURE() << "after half-move " << k << " '" << c << "' the position is not the recorded one";
      return -1;
    }
  }
  return k;
}
