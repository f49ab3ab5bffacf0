// The move reader: one token, on the starting position or on the position of
// a FEN line before it ("FEN\ntoken"), in the three letter styles. The board
// is neither read outside its squares nor changed, and every square given
// lies on the board or is 0.
#include <optional>
#include <stdexcept>

#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/notation.h"
#include "fuzz/cibles/cibles.h"

namespace fuzz {

namespace {
const char* const DEPART = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

bool sur_le_plateau_ou_nul(int colonne, int ligne) { return TableauCases::dans_tableau(colonne, ligne); }
}  // namespace

std::string decode_coup(const std::uint8_t* donnees, std::size_t taille) {
  const std::string entree(reinterpret_cast<const char*>(donnees), taille);
  const std::size_t saut = entree.find('\n');
  const int en_bas = taille % 2 ? NOIR : BLANC;
  std::optional<PositionFen> position;
  if (saut != std::string::npos) position = lit_fen(entree.substr(0, saut), en_bas);
  if (!position) position = lit_fen(DEPART, en_bas);
  const std::string jeton = saut == std::string::npos ? entree : entree.substr(saut + 1);

  reinitialise_etat_jeu();
  couleur_joueur = en_bas;
  applique_position_fen(*position);
  const TableauCases avant = tab_echiquier;
  const int couleur = dernier_trait == NOIR ? BLANC : NOIR;
  std::string resume;
  for (int style = 0; style <= 2; ++style) {
    std::string t = jeton, marques;
    int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
    try {
      ::decode_coup(couleur, style, t, cs, ls, cd, ld, code, marques);
    } catch (const std::out_of_range& e) {
      faute(std::string("the move reader left the board: ") + e.what());
    }
    if (!sur_le_plateau_ou_nul(cs, ls) || !sur_le_plateau_ou_nul(cd, ld))
      faute("the move reader gave a square off the board");
    if (!(tab_echiquier == avant)) faute("the move reader changed the board");
    resume += (style ? " " : "") + std::to_string(cs) + std::to_string(ls) + std::to_string(cd) + std::to_string(ld);
  }
  return resume;
}

}  // namespace fuzz
