#include "network/branchement.h"

#include "network/connexion.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "platform/avis_etat.h"
#include "play/jeu.h"
#include "play/nulle_abandon.h"

namespace reseau {

void branche_reseau() {
  // A fresh network state: whatever an earlier wiring left is closed.
  Reseau::detruit();
  liens_jeu().envoie_reseau = [](const QString& message) { Reseau::instance().envoie(message); };
  liens_jeu().envoie_coup_reseau = [](int col_s, int lig_s, int col_d, int lig_d, const QString& texte_coup) {
    Reseau::instance().envoie(message_coup(col_s, lig_s, col_d, lig_d, texte_coup));
  };
  liens_jeu().partie_reseau_active = [] { return partie_reseau_active(); };
  liens_jeu().nulle_proposee = [] {
    const Reseau* r = Reseau::existante();
    return r && r->partie_active() && r->nul_en_attente();
  };
  liens_jeu().montre_connexion = montre_connexion;
  ferme_connexion_reseau() = [] {
    if (Reseau* r = Reseau::existante()) r->ferme();
  };
  plateforme::signale_changement();
}

void debranche_reseau() {
  Reseau::detruit();
  liens_jeu().envoie_reseau = nullptr;
  liens_jeu().envoie_coup_reseau = nullptr;
  liens_jeu().partie_reseau_active = nullptr;
  liens_jeu().nulle_proposee = nullptr;
  liens_jeu().montre_connexion = nullptr;
  ferme_connexion_reseau() = nullptr;
}

bool partie_reseau_active() {
  const Reseau* r = Reseau::existante();
  return r && r->partie_active();
}

}  // namespace reseau
