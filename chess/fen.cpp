#include "chess/fen.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "chess/cases.h"
#include "chess/coups.h"
#include "chess/regles.h"

namespace {

bool que_des_chiffres(const std::string& t) {
  if (t.empty() || t.size() > 9) return false;
  for (char ch : t)
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
  return true;
}

// The code on file f, rank r of a board read through `piece` in the
// orientation `en_bas`.
int code_en(const std::function<int(int, int)>& piece, int f, int r, int en_bas) {
  const CaseEcran e = case_ecran(f, r, en_bas);
  return piece(e.colonne, e.ligne);
}

// Whether the king of `couleur` and the rook of `aile` stand on their first
// squares.
bool roi_et_tour_en_place(const std::function<int(int, int)>& piece, int couleur, int aile, int en_bas) {
  const bool blanc = couleur == BLANC;
  const int r = blanc ? 1 : 8;
  return code_en(piece, 5, r, en_bas) == (blanc ? ROI_BLANC : ROI_NOIR) &&
         code_en(piece, aile == AILE_ROI ? 8 : 1, r, en_bas) == (blanc ? TOUR_BLANCHE : TOUR_NOIRE);
}

// The board, the orientation and the side that moved last of a position
// being read, put on the shared board for the rules' attack count, then
// given back as they were.
class PlateauEmprunte {
 public:
  PlateauEmprunte(const TableauCases& cases, int en_bas) : plateau_(tab_echiquier), en_bas_(couleur_joueur) {
    tab_echiquier = cases;
    couleur_joueur = en_bas;
  }
  ~PlateauEmprunte() {
    tab_echiquier = plateau_;
    couleur_joueur = en_bas_;
  }
  PlateauEmprunte(const PlateauEmprunte&) = delete;
  PlateauEmprunte& operator=(const PlateauEmprunte&) = delete;

 private:
  TableauCases plateau_;
  int en_bas_;
};

}  // namespace

std::string ecrit_fen(const std::function<int(int, int)>& piece) {
  std::string fen;
  for (int r = 8; r >= 1; --r) {
    int vides = 0;
    for (int f = 1; f <= 8; ++f) {
      const int code = code_en(piece, f, r, couleur_joueur);
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
  const struct {
    int couleur, aile;
    char lettre;
  } ailes[4] = {{BLANC, AILE_ROI, 'K'}, {BLANC, AILE_DAME, 'Q'}, {NOIR, AILE_ROI, 'k'}, {NOIR, AILE_DAME, 'q'}};
  for (const auto& a : ailes)
    if (roque_permis(a.couleur, a.aile) && roi_et_tour_en_place(piece, a.couleur, a.aile, couleur_joueur))
      roques += a.lettre;
  fen += (roques.empty() ? "-" : roques) + " ";
  const int passant = dernier_trait == BLANC ? passant_blanc : dernier_trait == NOIR ? passant_noir : 0;
  const int pc = passant / 10, pl = passant % 10;
  fen += (passant != 0 && pc >= 1 && pc <= 8 && pl >= 1 && pl <= 8 ? nom_case(pc, pl) : std::string("-")) + " ";
  fen += std::to_string(nb_demi_coups) + " ";
  fen += std::to_string(dernier_trait == NOIR ? numero_coup + 1 : numero_coup);
  return fen;
}

DefautPosition defaut_plateau(const TableauCases& cases) {
  // By colour, then by type.
  int nombre[4][8] = {};
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = cases(c, l);
      if (code <= CASE_VIDE || code > ROI_BLANC) continue;
      const int t = type_piece(code);
      // A pawn never stands on the first or the last rank, in either orientation.
      if (t == TYPE_PION && (l == 1 || l == 8)) return DefautPosition::PION_EXTREME;
      ++nombre[couleur_piece(code)][t];
    }
  for (const int couleur : {BLANC, NOIR})
    if (nombre[couleur][TYPE_ROI] == 0) return DefautPosition::ROI_ABSENT;
  for (const int couleur : {BLANC, NOIR})
    if (nombre[couleur][TYPE_ROI] > 1) return DefautPosition::ROIS;
  for (const int couleur : {BLANC, NOIR}) {
    const int* n = nombre[couleur];
    if (n[TYPE_PION] > 8) return DefautPosition::PIONS;
    const int hommes = n[TYPE_PION] + n[TYPE_TOUR] + n[TYPE_CAVALIER] + n[TYPE_FOU] + n[TYPE_DAME] + n[TYPE_ROI];
    if (hommes > 16) return DefautPosition::HOMMES;
    // Each piece beyond the starting set was a pawn once.
    const int promues = std::max(0, n[TYPE_DAME] - 1) + std::max(0, n[TYPE_TOUR] - 2) +
                        std::max(0, n[TYPE_FOU] - 2) + std::max(0, n[TYPE_CAVALIER] - 2);
    if (promues > 8 - n[TYPE_PION]) return DefautPosition::PROMUES;
  }
  return DefautPosition::AUCUN;
}

DefautPosition defaut_position(const TableauCases& cases, int couleur_en_bas, int dernier) {
  if (const DefautPosition d = defaut_plateau(cases); d != DefautPosition::AUCUN) return d;
  const PlateauEmprunte emprunt(cases, couleur_en_bas);
  if (dernier == BLANC || dernier == NOIR) {
    // The side that has just moved cannot be in check.
    if (echecs_au_roi(dernier) > 0) return DefautPosition::ECHEC;
  } else if (echecs_au_roi(BLANC) > 0 && echecs_au_roi(NOIR) > 0) {
    return DefautPosition::DEUX_ECHECS;
  }
  return DefautPosition::AUCUN;
}

int roques_en_place(const TableauCases& cases, int couleur, int couleur_en_bas, int roques) {
  const auto piece = [&cases](int c, int l) { return cases(c, l); };
  const bool tenu[2] = {roques == 0 || roques == ROQUE_PETIT_SEUL, roques == 0 || roques == ROQUE_GRAND_SEUL};
  return valeur_roques(tenu[AILE_ROI] && roi_et_tour_en_place(piece, couleur, AILE_ROI, couleur_en_bas),
                       tenu[AILE_DAME] && roi_et_tour_en_place(piece, couleur, AILE_DAME, couleur_en_bas));
}

std::optional<PositionFen> lit_fen(const std::string& texte, int couleur_en_bas, DefautPosition* defaut) {
  DefautPosition rien;
  DefautPosition& d = defaut ? *defaut : rien;
  d = DefautPosition::TEXTE;
  std::istringstream flux(texte);
  std::vector<std::string> champs;
  for (std::string champ; flux >> champ;) {
    champs.push_back(champ);
    if (champs.size() > 6) return std::nullopt;
  }
  if (champs.size() < 2) return std::nullopt;

  PositionFen p;
  p.cases.vide();
  const auto piece = [&p](int c, int l) { return p.cases(c, l); };
  // Board.
  int r = 8, f = 0;
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
      if (code == CASE_VIDE) continue;
      const CaseEcran e = case_ecran(f, r, couleur_en_bas);
      p.cases(e.colonne, e.ligne) = code;
    }
  }
  if (r != 1 || f != 8) return std::nullopt;
  // Side to move.
  if (champs[1] == "w")
    p.dernier_trait = NOIR;
  else if (champs[1] == "b")
    p.dernier_trait = BLANC;
  else
    return std::nullopt;
  // Castling, one wing per letter.
  const std::string roques = champs.size() > 2 ? champs[2] : "-";
  bool ailes[4][2] = {};
  if (roques != "-") {
    if (roques.size() > 4) return std::nullopt;
    for (char ch : roques) {
      const bool blanc = std::isupper(static_cast<unsigned char>(ch));
      const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      int aile = -1;
      if (l == 'k' || l == 'h')
        aile = AILE_ROI;
      else if (l == 'q' || l == 'a')
        aile = AILE_DAME;
      else if (l < 'b' || l > 'g')
        return std::nullopt;
      if (aile >= 0) ailes[blanc ? BLANC : NOIR][aile] = true;
    }
  }
  // En-passant field, its form.
  const std::string passant = champs.size() > 3 ? champs[3] : "-";
  if (passant != "-" && (passant.size() != 2 || passant[0] < 'a' || passant[0] > 'h' || passant[1] < '1' ||
                         passant[1] > '8'))
    return std::nullopt;
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

  // The text is a FEN text: is its position one a game can reach?
  d = defaut_position(p.cases, couleur_en_bas, p.dernier_trait);
  if (d != DefautPosition::AUCUN) return std::nullopt;
  // A castling letter whose king and rook have left their squares is dropped.
  for (const int couleur : {BLANC, NOIR})
    (couleur == BLANC ? p.roque_blanc : p.roque_noir) =
        roques_en_place(p.cases, couleur, couleur_en_bas, valeur_roques(ailes[couleur][AILE_ROI], ailes[couleur][AILE_DAME]));
  // En passant: the square passed over, on rank 3 after White's two-step
  // (Black to move), on rank 6 after Black's; it is empty, the pawn stands
  // just beyond it and the square it came from is empty.
  if (passant != "-") {
    d = DefautPosition::PASSANT;
    const int fichier = passant[0] - 'a' + 1;
    const int rang = passant[1] - '0';
    const bool blanc_vient = rang == 3 && p.dernier_trait == BLANC;
    const bool noir_vient = rang == 6 && p.dernier_trait == NOIR;
    if (!blanc_vient && !noir_vient) return std::nullopt;
    const int sens = blanc_vient ? 1 : -1;
    if (code_en(piece, fichier, rang, couleur_en_bas) != CASE_VIDE ||
        code_en(piece, fichier, rang + sens, couleur_en_bas) != (blanc_vient ? PION_BLANC : PION_NOIR) ||
        code_en(piece, fichier, rang - sens, couleur_en_bas) != CASE_VIDE)
      return std::nullopt;
    const CaseEcran e = case_ecran(fichier, rang, couleur_en_bas);
    (blanc_vient ? p.passant_blanc : p.passant_noir) = e.colonne * 10 + e.ligne;
  }
  d = DefautPosition::AUCUN;
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
