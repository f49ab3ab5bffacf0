#include "platform/avis_etat.h"

namespace plateforme {

AvisEtat& avis_etat() {
  static AvisEtat a;
  return a;
}

void signale_changement() { emit avis_etat().change(); }

}  // namespace plateforme
