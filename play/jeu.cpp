#include "play/jeu.h"

#include <stdexcept>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "localisation/textes_langue.h"
#include "chess/etat.h"
#include "chess/repetitions.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/partie.h"
#include "play/patience.h"
#include "play/plateau.h"

int etat_clic = 0;
int premier_coup = 0;
float derniere_note = 0.0f;

void memorise_position() {
  const VuePartie* v = vue_partie();
  if (v == nullptr) throw std::runtime_error("Objet requis : la fenêtre de jeu n'est pas chargée");
  const VuePartie& vue = *v;
  historique_positions.push_back(chaine_position_de([&vue](int c, int l) { return vue.piece(c, l); }));
  memorise_etat();
}

void bascule_horloge(int couleur) {
  plateau* p = plateau::existante();
  if (active_horloge != 1 || p == nullptr) return;
  // The side that did not move is to move: its clock runs.
  p->demarre_horloge(couleur != couleur_joueur);
}

void arret_timers() {
  plateau* p = plateau::existante();
  if (p == nullptr) return;
  p->arrete_horloges();
  p->Timer4->Interval(0);
  p->Timer5->Interval(0);
  // The game has ended: the items that need a game on follow.
  plateforme::signale_changement();
}

QString texte_erreur(const std::exception& e) {
  using mvdechiquier::ErreurEchiquier;
  if (const auto* p = dynamic_cast<const ErreurEchiquier*>(&e)) {
    switch (p->numero()) {
      case ErreurEchiquier::FICHIER_INTROUVABLE: return texte(921).arg(p->objet());
      case ErreurEchiquier::IMAGE_INCORRECTE: return texte(922).arg(p->objet());
      case ErreurEchiquier::VALEUR_INCORRECTE: return texte(920).arg(p->objet());
      case ErreurEchiquier::INDICE_HORS_PLAGE: return texte(925).arg(p->objet());
      default: break;
    }
  }
  return QString::fromUtf8(e.what());
}

void joue_son(int numero) {
  if (active_son != 1) return;
  if (numero < 0 || numero > 14) throw std::out_of_range("Indice en dehors de la plage (son " + std::to_string(numero) + ")");
  if (!plateforme::joue_fichier_son(sons[numero]))
    plateforme::boite_message(QStringLiteral("Erreur rencontrée au cours de la tentative de lecture") +
                                  QStringLiteral(" du fichier son, il n'est sans doute pas accessible."),
                              boite::EXCLAMATION, QStringLiteral("Son WAV"));
}

LiensJeu& liens_jeu() {
  static LiensJeu l;
  return l;
}

void reponse_machine() {
  if (!liens_jeu().joue_machine) return;
  sablier(1);
  liens_jeu().joue_machine();
  sablier(0);
}
