#include "app/commandes.h"

namespace commandes {

std::function<void(int, const QString&)> charge_pgn;
std::function<void()> nouvelle_partie;
std::function<void()> montre_corres;
std::function<void(int)> envoie_message;

void reinitialise() {
  charge_pgn = nullptr;
  nouvelle_partie = nullptr;
  montre_corres = nullptr;
  envoie_message = nullptr;
}

}  // namespace commandes
