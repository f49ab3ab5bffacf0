#include "app/branchement.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "app/commandes.h"
#include "app/fichiers_recents.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "gamefiles/charge.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "chess/repetitions.h"
#include "correspondence/corres.h"
#include "correspondence/envoi_corres.h"
#include "correspondence/liens_corres.h"
#include "correspondence/message.h"
#include "localisation/textes_langue.h"
#include "network/branchement.h"
#include "openings/liens_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/fenetres.h"
#include "platform/plateforme.h"
#include "play/controles_partie.h"
#include "play/jeu.h"
#include "play/entete_partie.h"
#include "play/machine.h"
#include "play/nouvelle_partie.h"
#include "play/nulle_abandon.h"
#include "play/observateur_plateau.h"
#include "play/patience.h"
#include "play/liste_coup.h"
#include "play/plateau.h"

void branche_tout() {
  // Errors of the rules show in a message box.
  plateforme::installe();

  // The language's notation marks are set on the main window.
  installe_fenetre_menu([]() -> QObject* { return fenetres::existante<Menu>(); });

  // The opening base: the main window's comment item, the texts, the profile
  // in force, the progress window and the board window's mouse pointer.
  LiensOuvertures& o = liens_ouvertures();
  o = LiensOuvertures{};
  o.affiche_commentaire = [] {
    Menu* m = fenetres::existante<Menu>();
    return m && m->affiche_commentaire->isChecked();
  };
  o.decoche_affiche_commentaire = [] {
    if (Menu* m = fenetres::existante<Menu>()) m->affiche_commentaire->setChecked(false);
  };
  o.texte = [](int numero) { return texte(numero); };
  o.profil_moteur = [] { return profil_moteur; };
  o.patience = [] { return progression_patience(); };
  o.charge_liste_coup = []() -> ListeOuvertures* { return &fenetres::instance<liste_coup>(); };
  o.pointeur_piece = [](int code) {
    if (plateau* p = plateau::existante()) p->prend_icone_souris(code);
  };
  o.partie_depuis_debut = partie_depuis_debut;

  // The game: the board window's controls, the search shown on it, the
  // machine's answer to a human move.
  installe_controles_jeu(nullptr);
  installe_observateur_recherche(&observateur_plateau());
  installe_vue_partie([]() -> VuePartie* { return plateau::existante(); });
  pendant_recherche() = nullptr;
  LiensJeu& j = liens_jeu();
  j = LiensJeu{};
  j.joue_machine = joue_machine;
  j.couleur_choisie = [] {
    Menu* m = fenetres::existante<Menu>();
    return !m ? couleur_joueur : m->couleur_blanche->isChecked() ? BLANC : NOIR;
  };
  j.notation_choisie = [] {
    Menu* m = fenetres::existante<Menu>();
    if (!m) return style_notation;
    return m->notation_internationale->isChecked() ? 0 : m->notation_pgn->isChecked() ? 2 : 1;
  };
  j.menu_partie = [] {
    if (Menu* m = fenetres::existante<Menu>()) m->menu_partie->popup(QCursor::pos());
  };
  // Game files: each board window's game list, the notation of a loaded game.
  j.liste_parties = branche_liste_parties;
  j.fichier_recent = ajoute_fichier_recent;
  j.notation_pgn = [] {
    if (Menu* m = fenetres::existante<Menu>())
      m->notation_pgn_Click();
    else
      style_notation = 2;
  };
  j.choisit_couleur = [](int couleur) {
    couleur_joueur = couleur;
    if (Menu* m = fenetres::existante<Menu>()) m->marques_couleur();
  };
  j.choisit_notation = [](int style) {
    style_notation = style;
    if (Menu* m = fenetres::existante<Menu>())
      for (QAction* a : {m->notation_internationale, m->notation_francaise, m->notation_pgn})
        a->setChecked(a == (style == 1 ? m->notation_francaise : style == 2 ? m->notation_pgn : m->notation_internationale));
  };
  j.montre_corres = montre_corres;
  // The network game: its sends, its dialog, the closing of its connection.
  reseau::branche_reseau();

  // The main window's commands built apart from it.
  commandes::reinitialise();
  commandes::nouvelle_partie = menu_nouvelle_Click;
  commandes::charge_pgn = charge_pgn;
  commandes::montre_charge = affiche_charge;
  commandes::montre_sauve = affiche_sauve;
  commandes::montre_xml = affiche_xml;
  commandes::montre_corres = montre_corres;
  commandes::envoie_message = [](int mode) {
    message_mode = mode;
    montre_message();
  };
  // Correspondence play: the manager's windows open the e-mail window, which
  // reaches the game prepared for it.
  liens_corres() = LiensCorres{};
  liens_corres().montre_message = montre_message;
  liens_message() = LiensMessage{};
  liens_message().fiche_coup = fiche_coup_preparee;
  liens_message().enregistre_coup_envoye = enregistre_coup_de_fiche;

  // The main window's items follow what is plugged in.
  plateforme::signale_changement();
}
