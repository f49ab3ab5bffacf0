// The FEN reader: any text, both orientations. A text taken is written back
// the same in both orientations, and what is written is taken again and
// written the same (the writer's text is one the reader takes).
#include <optional>

#include "chess/etat.h"
#include "chess/fen.h"
#include "fuzz/cibles/cibles.h"

namespace fuzz {

namespace {

// The text the writer gives for a position read with `en_bas` at the bottom.
std::string ecrit_depuis(const PositionFen& p, int en_bas) {
  reinitialise_etat_jeu();
  couleur_joueur = en_bas;
  applique_position_fen(p);
  return ecrit_fen([](int c, int l) { return tab_echiquier(c, l); });
}

}  // namespace

std::string fen(const std::uint8_t* donnees, std::size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(donnees), taille);
  const std::optional<PositionFen> blanc = lit_fen(texte, BLANC);
  const std::optional<PositionFen> noir = lit_fen(texte, NOIR);
  if (blanc.has_value() != noir.has_value()) faute("the orientation decides whether a FEN text is taken");
  if (!blanc) return "refusé";
  const std::string ecrit = ecrit_depuis(*blanc, BLANC);
  if (ecrit_depuis(*noir, NOIR) != ecrit) faute("the two orientations write different texts: " + ecrit);
  const std::optional<PositionFen> relu = lit_fen(ecrit, BLANC);
  if (!relu) faute("the written text is refused: " + ecrit);
  if (ecrit_depuis(*relu, BLANC) != ecrit) faute("the written text does not write back the same: " + ecrit);
  return "accepté " + ecrit;
}

}  // namespace fuzz
