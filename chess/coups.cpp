#include "chess/coups.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"

namespace {

struct Deplacement {
  bool en_passant = false;
  bool roque = false;
  int code_pris = CASE_VIDE;
};

// A king moving between the castling columns of the current orientation.
bool est_roque(int code, int col_s, int col_d) {
  if (type_piece(code) != TYPE_ROI) return false;
  if (couleur_joueur == BLANC) return col_s == 5 && (col_d == 7 || col_d == 3);
  return col_s == 4 && (col_d == 2 || col_d == 6);
}

// A pawn landing diagonally, on an empty square, on the square passed over by
// the other side's last two-step.
bool prise_en_passant(int code, int col_s, int col_d, int lig_d) {
  if (type_piece(code) != TYPE_PION || col_s == col_d) return false;
  if (tab_echiquier(col_d, lig_d) != CASE_VIDE) return false;
  const int passant = couleur_piece(code) == BLANC ? passant_noir : passant_blanc;
  return passant != 0 && passant == col_d * 10 + lig_d;
}

// Moves the pieces on tab_echiquier: rook of a castling, pawn taken en
// passant, the piece itself (`arrivee` is what lands on the target). No flags.
Deplacement deplace(int col_s, int lig_s, int col_d, int lig_d, int arrivee) {
  const int code = tab_echiquier(col_s, lig_s);
  Deplacement d;
  d.code_pris = tab_echiquier(col_d, lig_d);
  if (prise_en_passant(code, col_s, col_d, lig_d)) {
    // The pawn taken stands beside the target, on the row the mover came from.
    const bool blanc_en_bas = couleur_joueur == BLANC;
    const int pas = (couleur_piece(code) == BLANC) == blanc_en_bas ? 1 : -1;
    if (lig_d + pas >= 1 && lig_d + pas <= 8) {
      d.en_passant = true;
      d.code_pris = tab_echiquier(col_d, lig_d + pas);
      tab_echiquier(col_d, lig_d + pas) = CASE_VIDE;
    }
  }
  // A king's two-step is a castling only with its own rook in that corner of
  // its row: a move played as read never brings a rook out of nothing.
  const int col_tour = col_d > col_s ? 8 : 1;
  const int tour = couleur_piece(code) == BLANC ? TOUR_BLANCHE : TOUR_NOIRE;
  if (est_roque(code, col_s, col_d) && lig_s == lig_d && tab_echiquier(col_tour, lig_s) == tour) {
    d.roque = true;
    const int col_arrivee = col_d > col_s ? col_d - 1 : col_d + 1;
    tab_echiquier(col_tour, lig_d) = CASE_VIDE;
    tab_echiquier(col_arrivee, lig_d) = tour;
  }
  tab_echiquier(col_s, lig_s) = CASE_VIDE;
  tab_echiquier(col_d, lig_d) = arrivee;
  return d;
}

int piece_promue(int code_pion, int code_promotion) {
  const bool blanc = couleur_piece(code_pion) == BLANC;
  int type = type_piece(code_promotion);
  if (type == TYPE_AUCUN || type == TYPE_PION || type == TYPE_ROI) type = TYPE_DAME;
  return blanc ? type + 6 : type;
}

}  // namespace

int echecs_au_roi(int couleur) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int p = tab_echiquier.brut(c, l);
      if (type_piece(p) == TYPE_ROI && couleur_piece(p) == couleur) return nb_attaques(p, c, l, couleur);
    }
  return 0;
}

bool coup_legal(int col_s, int lig_s, int col_d, int lig_d) {
  const int code = tab_echiquier(col_s, lig_s);
  if (code == CASE_VIDE) return false;
  if (!coup_valide(code, col_s, lig_s, tab_echiquier(col_d, lig_d), col_d, lig_d)) return false;
  const TableauCases avant = tab_echiquier;
  deplace(col_s, lig_s, col_d, lig_d, code);
  const bool attaque = echecs_au_roi(couleur_piece(code)) > 0;
  tab_echiquier = avant;
  return !attaque;
}

CoupJoue execute_coup(int col_s, int lig_s, int col_d, int lig_d, int code_promotion) {
  const int code = tab_echiquier(col_s, lig_s);
  (void)tab_echiquier(col_d, lig_d);  // both squares checked before anything changes
  if (code == CASE_VIDE || type_piece(code) == TYPE_AUCUN)
    throw std::invalid_argument("Pas de pièce à jouer en " + std::to_string(col_s) + ", " +
                                std::to_string(lig_s));
  const int couleur = couleur_piece(code);
  CoupJoue coup;
  coup.code = code;
  const bool promotion = type_piece(code) == TYPE_PION && (lig_d == 1 || lig_d == 8);
  coup.promotion = promotion ? piece_promue(code, code_promotion) : 0;

  const Deplacement d = deplace(col_s, lig_s, col_d, lig_d, promotion ? coup.promotion : code);
  coup.en_passant = d.en_passant;
  coup.roque = d.roque;
  coup.code_pris = d.code_pris;

  if (type_piece(code) == TYPE_ROI) roque_interdit[couleur] = -1;
  // A move from or onto a corner of a home row ends the castling of that
  // corner's wing: its rook has left, or has been taken there.
  for (const auto& [c, l] : {std::pair{col_s, lig_s}, std::pair{col_d, lig_d}})
    if (c == 1 || c == 8)
      for (int k : {BLANC, NOIR})
        if (l == rangee_roi(k)) retire_roque(k, aile_du_coin(c));
  const bool deux_pas = type_piece(code) == TYPE_PION && std::abs(lig_s - lig_d) == 2;
  (couleur == BLANC ? passant_blanc : passant_noir) = deux_pas ? col_s * 10 + (lig_s + lig_d) / 2 : 0;
  dernier_trait = couleur;
  return coup;
}

CoupJoue joue_coup(int col_s, int lig_s, int col_d, int lig_d, int code_promotion) {
  // What the texts need of the position before the move.
  const int code_dst = tab_echiquier(col_d, lig_d);
  const std::string indice =
      tab_echiquier(col_s, lig_s) == CASE_VIDE ? std::string() : desambiguisation(col_s, lig_s, col_d, lig_d);

  CoupJoue coup = execute_coup(col_s, lig_s, col_d, lig_d, code_promotion);

  coup.texte_long =
      notation_coup(numero_coup, coup.code, col_s, lig_s, code_dst, col_d, lig_d, coup.en_passant ? 1 : 0);
  if (coup.en_passant) coup.texte_long += "e.p.";
  if (coup.promotion) {
    const int style = style_notation == 1 ? 1 : 2;
    coup.texte_long += '=';
    coup.texte_long += lettre_piece(style, type_piece(coup.promotion) + 6);  // upper case
  }
  coup.texte_long += std::string(static_cast<size_t>(echecs_au_roi(couleur_adverse(couleur_piece(coup.code)))), '+');
  coup.texte_court = notation_abregee(rogne(coup.texte_long), indice);
  return coup;
}

EtatPlateau sauve_etat() {
  EtatPlateau e;
  e.plateau = tab_echiquier;
  for (int i = 0; i < 4; ++i) e.roque[i] = roque_interdit[i];
  e.passant_b = passant_blanc;
  e.passant_n = passant_noir;
  e.trait = dernier_trait;
  return e;
}

void restaure_etat(const EtatPlateau& e) {
  tab_echiquier = e.plateau;
  for (int i = 0; i < 4; ++i) roque_interdit[i] = e.roque[i];
  passant_blanc = e.passant_b;
  passant_noir = e.passant_n;
  dernier_trait = e.trait;
}

bool lit_coup_legal(int couleur, const std::string& jeton, int& col_s, int& lig_s, int& col_d, int& lig_d,
                    int& promotion) {
  return lit_coup_legal(couleur, 2, jeton, col_s, lig_s, col_d, lig_d, promotion);
}

bool lit_coup_legal(int couleur, int style, const std::string& jeton, int& col_s, int& lig_s, int& col_d, int& lig_d,
                    int& promotion) {
  std::string t = jeton, marques;
  int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
  decode_coup(couleur, style, t, cs, ls, cd, ld, code, marques);
  if (cs < 1 || cs > 8 || ls < 1 || ls > 8 || cd < 1 || cd > 8 || ld < 1 || ld > 8) return false;
  if (couleur_piece(tab_echiquier(cs, ls)) != couleur) return false;
  bool legal = coup_legal(cs, ls, cd, ld);
  if (!legal) {
    const int type = type_piece(tab_echiquier(cs, ls));
    int ac = 0, al = 0;
    if ((type == TYPE_TOUR || type == TYPE_CAVALIER) && cherche_piece_identique(cs, ls, ac, al) &&
        coup_legal(ac, al, cd, ld)) {
      cs = ac;
      ls = al;
      legal = true;
    }
  }
  if (!legal) return false;
  promotion = 0;
  if (const auto egal = marques.find('='); egal != std::string::npos && egal + 1 < marques.size())
    promotion = code_de_lettre(style == 1 ? 1 : 2, marques[egal + 1]);
  col_s = cs;
  lig_s = ls;
  col_d = cd;
  lig_d = ld;
  return true;
}
