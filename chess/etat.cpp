#include "chess/etat.h"

TableauCases tab_echiquier;
int couleur_joueur = BLANC;
int dernier_trait = NOIR;
int roque_interdit[4] = {0, 0, 0, 0};
int passant_blanc = 0;
int passant_noir = 0;
int numero_coup = 0;
std::vector<std::string> historique_positions;
int nb_demi_coups = 0;

std::string texte_partie;
std::string texte_partie_longue;
std::string resultat_partie = "*";
std::string entete_pgn;
std::vector<float> notes_coups;
std::vector<std::string> commentaires_coups;

int style_notation = 1;
const std::string lettres_pieces[3] = {"", ".ptcfdrPTCFDR", ".prnbqkPRNBQK"};

char lettre_piece(int style, int code) {
  if (style < 1 || style > 2 || code < 1 || code > 13) return ' ';
  return lettres_pieces[style][code - 1];
}

int code_de_lettre(int style, char lettre) {
  if (style < 1 || style > 2) return 0;
  const auto p = lettres_pieces[style].find(lettre);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

namespace {
bool couleur_de_roque(int couleur) { return couleur == BLANC || couleur == NOIR; }
}  // namespace

bool roque_permis(int couleur, int aile) {
  if (!couleur_de_roque(couleur)) return false;
  const int v = roque_interdit[couleur];
  if (v == 0) return true;
  return aile == AILE_ROI ? v == ROQUE_PETIT_SEUL : aile == AILE_DAME && v == ROQUE_GRAND_SEUL;
}

int valeur_roques(bool aile_roi, bool aile_dame) {
  return aile_roi ? (aile_dame ? 0 : ROQUE_PETIT_SEUL) : (aile_dame ? ROQUE_GRAND_SEUL : -1);
}

void definit_roques(int couleur, bool aile_roi, bool aile_dame) {
  if (!couleur_de_roque(couleur)) return;
  roque_interdit[couleur] = valeur_roques(aile_roi, aile_dame);
}

void retire_roque(int couleur, int aile) {
  definit_roques(couleur, aile != AILE_ROI && roque_permis(couleur, AILE_ROI),
                 aile != AILE_DAME && roque_permis(couleur, AILE_DAME));
}

void TableauCases::vide() {
  cases_.fill(0);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) cases_[c + 9 * l] = CASE_VIDE;
}

void reinitialise_etat_jeu() {
  tab_echiquier.vide();
  couleur_joueur = BLANC;
  dernier_trait = NOIR;
  for (int& r : roque_interdit) r = 0;
  passant_blanc = passant_noir = 0;
  numero_coup = 0;
  historique_positions.clear();
  nb_demi_coups = 0;
  texte_partie.clear();
  texte_partie_longue.clear();
  resultat_partie = "*";
  entete_pgn.clear();
  notes_coups.clear();
  commentaires_coups.clear();
  style_notation = 1;
}

void place_position_depart() {
  tab_echiquier.vide();
  // Row of pieces from colonne 1 to 8 as seen with White at the bottom.
  static const int arriere[8] = {TYPE_TOUR, TYPE_CAVALIER, TYPE_FOU, TYPE_DAME,
                                 TYPE_ROI, TYPE_FOU, TYPE_CAVALIER, TYPE_TOUR};
  const int bas = couleur_joueur == NOIR ? NOIR : BLANC;
  const int haut = bas == BLANC ? NOIR : BLANC;
  auto code = [](int type, int couleur) { return couleur == BLANC ? type + 6 : type; };
  for (int c = 1; c <= 8; ++c) {
    // With Black at the bottom the board is turned: colonne c shows file 9 - c.
    const int fichier = bas == BLANC ? c : 9 - c;
    tab_echiquier(c, 8) = code(arriere[fichier - 1], bas);
    tab_echiquier(c, 7) = code(TYPE_PION, bas);
    tab_echiquier(c, 2) = code(TYPE_PION, haut);
    tab_echiquier(c, 1) = code(arriere[fichier - 1], haut);
  }
}

void place_debut_partie() {
  place_position_depart();
  dernier_trait = NOIR;
  for (int& r : roque_interdit) r = 0;
  passant_blanc = passant_noir = 0;
  numero_coup = 0;
  nb_demi_coups = 0;
}
