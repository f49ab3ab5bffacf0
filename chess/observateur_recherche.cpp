#include "chess/observateur_recherche.h"

#include <ctime>

namespace {
ObservateurRecherche* installe = nullptr;
}

void installe_observateur_recherche(ObservateurRecherche* observateur) { installe = observateur; }
ObservateurRecherche* observateur_recherche() { return installe; }

std::string ObservateurRecherche::texte(int numero) const {
  switch (numero) {
    case 330: return "* Recherche meilleur coup N° ";
    case 331: return " (BLANC) - début : ";
    case 332: return " (NOIR) - début : ";
    default: return {};
  }
}

std::string ObservateurRecherche::heure() const {
  const std::time_t maintenant = std::time(nullptr);
  std::tm local{};
  localtime_r(&maintenant, &local);
  char tampon[16];
  std::strftime(tampon, sizeof tampon, "%H:%M:%S", &local);
  return tampon;
}
