#include "chess/repetitions.h"

#include <stdexcept>

#include "chess/etat.h"
#include "chess/outils.h"

namespace {
std::function<VuePartie*()>& source_vue() {
  static std::function<VuePartie*()> f;
  return f;
}
}  // namespace

VuePartie* vue_partie() { return source_vue() ? source_vue()() : nullptr; }

void installe_vue_partie(std::function<VuePartie*()> source) { source_vue() = std::move(source); }

namespace {

// The move text of list line k: Black's lines after "..... ", White's after the first ".".
std::string coup_de_ligne(const std::string& ligne, int k) {
  if (k % 2 == 1) {
    const auto p = ligne.find("..... ");
    return rogne(p == std::string::npos ? ligne : ligne.substr(p + 6));
  }
  const auto p = ligne.find('.');
  return rogne(p == std::string::npos ? ligne : ligne.substr(p + 1));
}

bool irreversible(const std::string& coup) {
  return coup.find('x') != std::string::npos || (coup.size() == 5 && coup != "O-O-O");
}

}  // namespace

int compte_repetitions() {
  const VuePartie* v = vue_partie();
  if (v == nullptr) throw std::runtime_error("Objet requis : la fenêtre de jeu n'est pas chargée");
  const VuePartie& vue = *v;
  const std::string courante = chaine_position_de([&vue](int c, int l) { return vue.piece(c, l); });
  const int n = nb_positions();
  if (n - 1 > vue.nb_lignes_liste())
    throw std::runtime_error("Indice en dehors de la plage : liste des coups plus courte que l'historique");
  int nb = 0;
  int dernier_irreversible = -1;
  for (int k = 0; k <= n - 2; ++k) {
    if (historique_positions[k] == courante) ++nb;
    if (irreversible(coup_de_ligne(vue.ligne_liste(k), k))) dernier_irreversible = k;
  }
  nb_demi_coups = n >= 2 ? (n - 1) - (dernier_irreversible + 1) : 0;
  return nb;
}
