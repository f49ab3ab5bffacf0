#include "play/nulle_abandon.h"

#include <QListWidget>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/messages.h"
#include "chess/outils.h"
#include "chess/recherche.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/plateau.h"

namespace {

QString nombre(float v) { return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::fromStdString(texte_nombre(v)); }

}  // namespace

std::function<void()>& ferme_connexion_reseau() {
  static std::function<void()> f;
  return f;
}

void conclut_nulle() {
  plateau* p = plateau::existante();
  if (!p) return;
  p->ajoute_ligne_liste(QStringLiteral("1/2-1/2"));
  resultat_partie = "1/2-1/2";
  memorise_position();
  arret_timers();
  p->selectionne_derniere_ligne();
}

QString texte_evaluations(float blanc, float noir) { return texte(115) + nombre(blanc) + texte(116) + nombre(noir); }

void propose_nulle() {
  plateau* p = plateau::existante();
  if (!p || resultat_partie != "*") return;
  // The machine's evaluation reads the board: the offer waits for its search.
  if (machine_occupee()) {
    propose_nulle_apres_recherche();
    return;
  }
  if (mode_jeux == 3) {
    // Nothing to offer before the game runs on its connection.
    if (!liens_jeu().partie_reseau_active || !liens_jeu().partie_reseau_active()) return;
    if (plateforme::boite_message(texte(328) + QStringLiteral("\r\n") + texte(328), boite::OUI_NON) ==
            boite::OUI &&
        liens_jeu().envoie_reseau)
      liens_jeu().envoie_reseau(QStringLiteral("/"));
    return;
  }
  juge_nulle();
}

void juge_nulle() {
  if (!plateau::existante() || resultat_partie != "*") return;
  const float eb = evalue_position(BLANC);
  const float en = evalue_position(NOIR);
  const float machine = couleur_joueur == BLANC ? en : eb;
  if (machine < 0.0f && numero_coup > 10) {
    const QString question =
        texte(336) + QStringLiteral("\r\n") + texte_evaluations(eb, en) + QStringLiteral("\r\n\r\n") + texte(114);
    if (plateforme::boite_message(question, boite::OUI_NON) != boite::OUI) return;
    conclut_nulle();
  } else {
    plateforme::boite_message(texte(335) + QStringLiteral("\r\n") + texte_evaluations(eb, en), boite::EXCLAMATION);
  }
}

void abandonne_partie(bool depuis_plateau) {
  if (plateforme::boite_message(texte(92), boite::OUI_NON) != boite::OUI) return;
  // The board window stays while the machine plays on it: the search stops,
  // its move is not played, and the window closes once the machine is done.
  if (machine_occupee()) {
    arrete_machine();
    apres_machine([] {
      if (plateau* p = plateau::existante()) p->close();
    });
    return;
  }
  // The wire has no word for a resignation: the opponent sees the connection close.
  if (mode_jeux == 3 && ferme_connexion_reseau()) ferme_connexion_reseau()();
  plateau* p = plateau::existante();
  if (!p) return;
  if (depuis_plateau)
    fenetres::decharge_plus_tard(p);
  else
    fenetres::decharge(p);
}
