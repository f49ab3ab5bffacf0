// The repetition count over the position history.
#pragma once

#include <functional>
#include <cstddef>
#include <string>

// What the count reads of the board window: the pieces shown by the board
// control and the lines of the move list. The board window provides it.
class VuePartie {
 public:
  virtual ~VuePartie() = default;
  virtual int piece(int colonne, int ligne) const = 0;
  virtual int nb_lignes_liste() const = 0;
  virtual std::string ligne_liste(int indice) const = 0;
};

// The view in use; null while no board window exists. The program installs
// where it comes from once (the board window when one is loaded).
VuePartie* vue_partie();
void installe_vue_partie(std::function<VuePartie*()> source);

// chaine_position of a board read through `piece(colonne, ligne)`.
template <class F>
std::string chaine_position_de(F&& piece) {
  std::string s;
  s.reserve(64);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) s.push_back(static_cast<char>(32 + piece(c, l)));
  return s;
}

// The piece code that a chaine_position holds on (colonne, ligne); -1 when
// the text is too short to hold that square.
inline int piece_de_chaine(const std::string& chaine, int colonne, int ligne) {
  const std::size_t k = static_cast<std::size_t>((colonne - 1) * 8 + ligne - 1);
  return k < chaine.size() ? static_cast<unsigned char>(chaine[k]) - 32 : -1;
}

// How often the position shown now occurred earlier in the game; sets
// nb_demi_coups. Throws std::runtime_error when there is no board window or
// the move list is shorter than the history.
int compte_repetitions();
