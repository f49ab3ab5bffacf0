#include "play/fen.h"

#include <cctype>
#include <sstream>
#include <vector>

#include "chess/notation.h"
#include "chess/regles.h"

namespace {

// Screen square of file f (1 = a) and chess row r (1..8).
void case_ecran(int f, int r, int couleur_en_bas, int& colonne, int& ligne) {
  if (couleur_en_bas == NOIR) {
    colonne = 9 - f;
    ligne = r;
  } else {
    colonne = f;
    ligne = 9 - r;
  }
}

bool que_des_chiffres(const std::string& t) {
  if (t.empty() || t.size() > 9) return false;
  for (char ch : t)
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
  return true;
}

// Castling letters of one side: king and rook on their first squares.
std::string droits(int couleur, const std::function<int(int, int)>& piece) {
  std::string d;
  const bool blanc = couleur == BLANC;
  const int r = blanc ? 1 : 8;
  const int roi = blanc ? ROI_BLANC : ROI_NOIR;
  const int tour = blanc ? TOUR_BLANCHE : TOUR_NOIRE;
  int c = 0, l = 0;
  case_ecran(5, r, couleur_joueur, c, l);
  if (piece(c, l) != roi) return d;
  case_ecran(8, r, couleur_joueur, c, l);
  if (piece(c, l) == tour) d += blanc ? 'K' : 'k';
  case_ecran(1, r, couleur_joueur, c, l);
  if (piece(c, l) == tour) d += blanc ? 'Q' : 'q';
  return d;
}

}  // namespace

std::string ecrit_fen(const std::function<int(int, int)>& piece) {
  std::string fen;
  for (int r = 8; r >= 1; --r) {
    int vides = 0;
    for (int f = 1; f <= 8; ++f) {
      int c = 0, l = 0;
      case_ecran(f, r, couleur_joueur, c, l);
      const int code = piece(c, l);
      if (code == CASE_VIDE || code < CASE_VIDE || code > ROI_BLANC) {
        ++vides;
        continue;
      }
      if (vides > 0) fen += std::to_string(vides);
      vides = 0;
      fen += lettre_piece(2, code);
    }
    if (vides > 0) fen += std::to_string(vides);
    fen += r > 1 ? '/' : ' ';
  }
  fen += dernier_trait == BLANC ? "b " : "w ";
  std::string roques;
  if (roque_interdit[BLANC] == 0) roques += droits(BLANC, piece);
  if (roque_interdit[NOIR] == 0) roques += droits(NOIR, piece);
  fen += (roques.empty() ? "-" : roques) + " ";
  const int passant = dernier_trait == BLANC ? passant_blanc : dernier_trait == NOIR ? passant_noir : 0;
  const int pc = passant / 10, pl = passant % 10;
  fen += (passant != 0 && pc >= 1 && pc <= 8 && pl >= 1 && pl <= 8 ? nom_case(pc, pl) : std::string("-")) + " ";
  fen += std::to_string(nb_demi_coups) + " ";
  fen += std::to_string(dernier_trait == NOIR ? numero_coup + 1 : numero_coup);
  return fen;
}

std::optional<PositionFen> lit_fen(const std::string& texte, int couleur_en_bas) {
  std::istringstream flux(texte);
  std::vector<std::string> champs;
  for (std::string champ; flux >> champ;) champs.push_back(champ);
  if (champs.size() < 2 || champs.size() > 6) return std::nullopt;

  PositionFen p;
  p.cases.vide();
  // Board.
  int r = 8, f = 0;
  bool roi_blanc = false, roi_noir = false;
  for (char ch : champs[0]) {
    if (ch == '/') {
      if (f != 8 || r == 1) return std::nullopt;
      --r;
      f = 0;
    } else if (ch >= '1' && ch <= '8') {
      f += ch - '0';
      if (f > 8) return std::nullopt;
    } else {
      const int code = code_de_lettre(2, ch);
      if (code == 0 || f >= 8) return std::nullopt;
      ++f;
      int c = 0, l = 0;
      case_ecran(f, r, couleur_en_bas, c, l);
      p.cases(c, l) = code;
      roi_blanc = roi_blanc || code == ROI_BLANC;
      roi_noir = roi_noir || code == ROI_NOIR;
    }
  }
  if (r != 1 || f != 8 || !roi_blanc || !roi_noir) return std::nullopt;
  // Side to move.
  if (champs[1] == "w")
    p.dernier_trait = NOIR;
  else if (champs[1] == "b")
    p.dernier_trait = BLANC;
  else
    return std::nullopt;
  // Castling.
  const std::string roques = champs.size() > 2 ? champs[2] : "-";
  if (roques != "-") {
    if (roques.size() > 4) return std::nullopt;
    for (char ch : roques) {
      // "KQkq", or the rooks' files of the other notation ("HAha").
      if (ch == 'K' || ch == 'Q' || (ch >= 'A' && ch <= 'H'))
        p.roque_blanc = 0;
      else if (ch == 'k' || ch == 'q' || (ch >= 'a' && ch <= 'h'))
        p.roque_noir = 0;
      else
        return std::nullopt;
    }
  }
  // En passant: the square passed over, on row 3 after White's two-step (Black
  // to move), on row 6 after Black's.
  const std::string passant = champs.size() > 3 ? champs[3] : "-";
  if (passant != "-") {
    if (passant.size() != 2 || passant[0] < 'a' || passant[0] > 'h') return std::nullopt;
    const int rang = passant[1] - '0';
    const bool blanc_vient = rang == 3 && p.dernier_trait == BLANC;
    const bool noir_vient = rang == 6 && p.dernier_trait == NOIR;
    if (!blanc_vient && !noir_vient) return std::nullopt;
    int c = 0, l = 0;
    case_ecran(passant[0] - 'a' + 1, rang, couleur_en_bas, c, l);
    (blanc_vient ? p.passant_blanc : p.passant_noir) = c * 10 + l;
  }
  // Counters.
  if (champs.size() > 4) {
    if (!que_des_chiffres(champs[4])) return std::nullopt;
    p.demi_coups = std::stoi(champs[4]);
  }
  int numero = 1;
  if (champs.size() > 5) {
    if (!que_des_chiffres(champs[5])) return std::nullopt;
    numero = std::stoi(champs[5]);
    if (numero > 32767) return std::nullopt;
    if (numero < 1) numero = 1;  // some writers start at 0
  }
  p.numero_coup = p.dernier_trait == NOIR ? numero - 1 : numero;
  return p;
}

void applique_position_fen(const PositionFen& p) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) tab_echiquier(c, l) = p.cases(c, l);
  dernier_trait = p.dernier_trait;
  roque_interdit[BLANC] = p.roque_blanc;
  roque_interdit[NOIR] = p.roque_noir;
  passant_blanc = p.passant_blanc;
  passant_noir = p.passant_noir;
  nb_demi_coups = p.demi_coups;
  numero_coup = p.numero_coup;
}
