#include "platform/plateforme.h"

#include <QString>

#include "chess/messages.h"
#include "platform/boites.h"

namespace plateforme {
void installe() {
  installe_afficheur_erreur([](const std::string& texte, const std::string& titre) {
    boite_erreur(QString::fromStdString(texte), QString::fromStdString(titre));
  });
}
}  // namespace plateforme
