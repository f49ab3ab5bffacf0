// The shared position and game record of the program.
//
// The board is the array tab_echiquier (0..8, 0..8), square (colonne, ligne)
// at element colonne + 9 * ligne, in screen coordinates: colonne left to
// right, ligne top to bottom as drawn, couleur_joueur at the bottom.
// Rows and columns 0 are off-board sentinels; an index outside 0..8 is an
// error (std::out_of_range), never a read outside the array.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Piece codes (code_piece).
enum : int {
  CASE_VIDE = 1,
  PION_NOIR = 2, TOUR_NOIRE = 3, CAVALIER_NOIR = 4, FOU_NOIR = 5, DAME_NOIRE = 6, ROI_NOIR = 7,
  PION_BLANC = 8, TOUR_BLANCHE = 9, CAVALIER_BLANC = 10, FOU_BLANC = 11, DAME_BLANCHE = 12, ROI_BLANC = 13,
};
// Piece types (type_piece).
enum : int { TYPE_AUCUN = 1, TYPE_PION = 2, TYPE_TOUR = 3, TYPE_CAVALIER = 4, TYPE_FOU = 5, TYPE_DAME = 6, TYPE_ROI = 7 };
// Colour codes (code_couleur).
enum : int { COULEUR_AUCUNE = 1, BLANC = 2, NOIR = 3 };

// A board array of the program: Integer (0 To 8, 0 To 8).
class TableauCases {
 public:
  TableauCases() { vide(); }
  int& operator()(int colonne, int ligne) { return cases_[indice(colonne, ligne)]; }
  int operator()(int colonne, int ligne) const { return cases_[indice(colonne, ligne)]; }
  // Unchecked access for inner loops whose coordinates are already in 0..8.
  int& brut(int colonne, int ligne) { return cases_[colonne + 9 * ligne]; }
  int brut(int colonne, int ligne) const { return cases_[colonne + 9 * ligne]; }
  // The 81 elements, square (colonne, ligne) at colonne + 9 * ligne.
  int* donnees() { return cases_.data(); }
  const int* donnees() const { return cases_.data(); }
  // Element 0, 0 stays 0; the 64 squares become empty.
  void vide();
  static bool dans_tableau(int colonne, int ligne) {
    return colonne >= 0 && colonne <= 8 && ligne >= 0 && ligne <= 8;
  }
  bool operator==(const TableauCases&) const = default;

 private:
  static int indice(int colonne, int ligne) {
    if (!dans_tableau(colonne, ligne))
      throw std::out_of_range("Indice en dehors de la plage (case " + std::to_string(colonne) + ", " +
                              std::to_string(ligne) + ")");
    return colonne + 9 * ligne;
  }
  std::array<int, 81> cases_{};
};

// --- The position -------------------------------------------------------
extern TableauCases tab_echiquier;
extern int couleur_joueur;      // the human's colour, drawn at the bottom
extern int dernier_trait;       // the colour that made the last move (3 at the start)
// Castling rights, indexed by code_couleur, both wings of a colour in one
// value: 0 while both wings may castle, ROQUE_PETIT_SEUL when only the king's
// wing (O-O) is left, ROQUE_GRAND_SEUL when only the queen's wing (O-O-O) is;
// any other value (-1 as the program writes it): no more castling. Writing 0
// gives a colour both wings back (new game, set-up), -1 takes both away.
extern int roque_interdit[4];
extern int passant_blanc;       // colonne * 10 + ligne of the square passed by White's last two-step, 0 none
extern int passant_noir;        // the same for Black
extern int numero_coup;         // the current full move number, 0 before the first move
extern std::vector<std::string> historique_positions;  // one chaine_position per position
extern int nb_demi_coups;       // half-moves since the last capture or pawn move

// The wings, as in roque_permis: the king's wing (O-O) and the queen's (O-O-O).
enum : int { AILE_ROI = 0, AILE_DAME = 1 };
inline constexpr int ROQUE_PETIT_SEUL = 16;
inline constexpr int ROQUE_GRAND_SEUL = 32;
// Whether `couleur` may still castle on `aile` (false for a colour other than 2 or 3).
bool roque_permis(int couleur, int aile);
// The value of roque_interdit for a colour holding these wings.
int valeur_roques(bool aile_roi, bool aile_dame);
// Sets both wings of `couleur` at once.
void definit_roques(int couleur, bool aile_roi, bool aile_dame);
// Takes one wing away from `couleur`; the other one stays as it was.
void retire_roque(int couleur, int aile);

inline int nb_positions() { return static_cast<int>(historique_positions.size()); }

// --- The game in hand ---------------------------------------------------
extern std::string texte_partie;         // movetext, short notation, English letters
extern std::string texte_partie_longue;  // the same game in long notation
extern std::string resultat_partie;      // "*", "1-0", "0-1", "1/2-1/2"
extern std::string entete_pgn;           // PGN tag lines joined by CRLF
extern std::vector<float> notes_coups;   // evaluation per move
extern std::vector<std::string> commentaires_coups;  // comment per move

// --- Notation -----------------------------------------------------------
extern int style_notation;  // 1 French letters, 2 English letters, 0 squares only
// Piece letters indexed by style (1, 2) and read at position code_piece
// counted from 1: lettre_piece(style, code) is lettres_pieces[style][code - 1].
extern const std::string lettres_pieces[3];
// The letter of a code in style 1 or 2 ('.' for an empty square, ' ' when out of range).
char lettre_piece(int style, int code);
// The code of a letter in style 1 or 2, 0 when the letter is not one of them.
int code_de_lettre(int style, char lettre);

// Puts the position and the game record back to their start-of-run state:
// empty board, White at the bottom, nothing played.
void reinitialise_etat_jeu();

// Sets the start position on tab_echiquier with couleur_joueur at the bottom.
void place_position_depart();
// The same with nothing played yet: White to move at move 0, every castling
// allowed, no en-passant square, no half-move counted.
void place_debut_partie();
