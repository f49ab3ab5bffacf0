#include "app/commandes.h"

namespace commandes {

std::function<void(int, const QString&)> charge_pgn;
std::function<void()> nouvelle_partie;
std::function<void()> montre_corres;
std::function<void()> montre_charge;
std::function<void()> montre_sauve;
std::function<void()> montre_xml;
std::function<void(int)> envoie_message;

void reinitialise() {
  charge_pgn = nullptr;
  nouvelle_partie = nullptr;
  montre_corres = nullptr;
  montre_charge = nullptr;
  montre_sauve = nullptr;
  montre_xml = nullptr;
  envoie_message = nullptr;
}

}  // namespace commandes
