#include "app/menu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QUrl>
#include <exception>
#include <functional>

#include "app/commandes.h"
#include "app/etats.h"
#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "app/modes.h"
#include "app/parametre_moteur.h"
#include "app/preferences.h"
#include "play/parametres.h"
#include "chess/poids.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "langlib/langue.h"
#include "app/dialogue_langue.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/maintenance_eco.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "platform/avis_etat.h"
#include "platform/base_donnees.h"
#include "network/branchement.h"
#include "play/commandes_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/nouvelle_partie.h"
#include "play/partie.h"
#include "play/plateau.h"
#include "play/impression.h"
#include "play/prises.h"
#include "play/stats.h"
#include "platform/lancement.h"
#include "platform/reglages_utilisateur.h"

namespace {

QString nom_element(const char* nom, int indice) {
  const QString s = QString::fromLatin1(nom);
  return indice >= 0 ? fenetres::nom_indice(s, indice) : s;
}

QString programme() { return QString::fromUtf8(NOM_PROGRAMME); }

}  // namespace

// --- Construction ---------------------------------------------------------------

Menu::Menu() {
  setObjectName(QStringLiteral("Menu"));
  setWindowTitle(programme());
  mdiArea = new QMdiArea(this);
  mdiArea->setObjectName(QStringLiteral("mdiArea"));
  setCentralWidget(mdiArea);
  // A window that does not fit the area is reached by scrolling.
  mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  resize(1000, 720);
  construit_menus();
  // The main window is the registry's one Menu, whoever created it.
  fenetres::enregistre(this);
}

Menu::~Menu() {
  MDIForm_Terminate();
  fenetres::retire(this);
}

void Menu::construit_menus() {
  QMenuBar* barre = menuBar();

  // A submenu; its menu action carries the same name, so that captions and
  // tests address either.
  auto sous_menu = [this](QWidget* parent, const char* nom) {
    QMenu* m = new QMenu(parent);
    m->setObjectName(QString::fromLatin1(nom));
    m->menuAction()->setObjectName(QString::fromLatin1(nom));
    if (auto* barre_parent = qobject_cast<QMenuBar*>(parent))
      barre_parent->addMenu(m);
    else
      static_cast<QMenu*>(parent)->addMenu(m);
    return m;
  };
  // An item; a checkable one gets its mark back before the handler runs, so
  // the handler sees the mark as it was when the user clicked.
  auto element = [this](QMenu* parent, const char* nom, int indice, bool cochable, std::function<void()> f) {
    QAction* a = new QAction(parent);
    a->setObjectName(nom_element(nom, indice));
    a->setCheckable(cochable);
    parent->addAction(a);
    if (f)
      connect(a, &QAction::triggered, this, [a, f] {
        if (a->isCheckable()) a->setChecked(!a->isChecked());
        f();
      });
    return a;
  };
  auto simple = [&](QMenu* parent, const char* nom, std::function<void()> f = nullptr) {
    return element(parent, nom, -1, false, std::move(f));
  };
  auto cochable = [&](QMenu* parent, const char* nom, std::function<void()> f) {
    return element(parent, nom, -1, true, std::move(f));
  };

  // File
  menu_fichier = sous_menu(barre, "menu_fichier");
  menu_astuce = simple(menu_fichier, "menu_astuce", [this] { menu_astuce_Click(); });
  menu_pref = simple(menu_fichier, "menu_pref", [] { ::menu_pref_Click(); });
  menu_fichier->addSeparator();
  menu_con = sous_menu(menu_fichier, "menu_con");
  menu_ouverture = sous_menu(menu_con, "menu_ouverture");
  for (int i = 1; i <= 2; ++i)
    menu_trans[i] = element(menu_ouverture, "menu_trans", i, false, [this, i] { menu_trans_Click(i); });
  menu_ouverture->addSeparator();
  menu_grille = simple(menu_ouverture, "menu_grille", [this] { menu_grille_Click(); });
  menu_con->addSeparator();
  menu_enrichir_base = sous_menu(menu_con, "menu_enrichir_base");
  for (int i = 0; i <= 2; ++i)
    menu_enrichir[i] = element(menu_enrichir_base, "menu_enrichir", i, false, [this, i] { menu_enrichir_Click(i); });
  menu_imp = sous_menu(menu_con, "menu_imp");
  menu_edt_eco = simple(menu_imp, "menu_edt_eco", [] { ::menu_edt_eco_Click(); });
  menu_edt_enrichie = simple(menu_imp, "menu_edt_enrichie", [] { ::menu_edt_enrichie_Click(); });
  menu_vider = simple(menu_con, "menu_vider", [this] { menu_vider_Click(); });
  menu_con->addSeparator();
  menu_repare = simple(menu_con, "menu_repare", [this] { menu_repare_Click(); });
  menu_reorg = simple(menu_con, "menu_reorg", [this] { menu_reorg_Click(); });
  menu_part_pc = sous_menu(menu_fichier, "menu_part_pc");
  menu_pc_message = simple(menu_part_pc, "menu_pc_message", [this] { menu_pc_message_Click(); });
  menu_pc_edition = sous_menu(menu_part_pc, "menu_pc_edition");
  for (int i = 0; i <= 1; ++i)
    menu_pc_edt[i] = element(menu_pc_edition, "menu_pc_edt", i, false, [i] { ::menu_pc_edt_Click(i); });
  menu_part_pc->addSeparator();
  menu_pc_grille = simple(menu_part_pc, "menu_pc_grille", [this] { menu_pc_grille_Click(); });
  mnuRecentFile[0] = element(menu_fichier, "mnuRecentFile", 0, false, nullptr);
  mnuRecentFile[0]->setSeparator(true);
  for (int i = 1; i <= 10; ++i)
    mnuRecentFile[i] = element(menu_fichier, "mnuRecentFile", i, false, [this, i] { mnuRecentFile_Click(i); });
  menu_fichier->addSeparator();
  menu_quitter = simple(menu_fichier, "menu_quitter", [this] { menu_quitter_Click(); });

  // Game
  menu_partie = sous_menu(barre, "menu_partie");
  menu_nouvelle = simple(menu_partie, "menu_nouvelle", [this] { menu_nouvelle_Click(); });
  menu_charge = simple(menu_partie, "menu_charge", [this] { menu_charge_Click(); });
  menu_sauve = simple(menu_partie, "menu_sauve", [this] { menu_sauve_Click(); });
  menu_partie->addSeparator();
  menu_charge_fichier = simple(menu_partie, "menu_charge_fichier", [this] { menu_charge_fichier_Click(); });
  menu_sauve_fichier = simple(menu_partie, "menu_sauve_fichier", [this] { menu_sauve_fichier_Click(); });
  menu_partie->addSeparator();
  menu_charge_xml = simple(menu_partie, "menu_charge_xml", [this] { menu_charge_xml_Click(); });
  menu_partie->addSeparator();
  for (int i = 1; i <= 2; ++i)
    menu_copie_position[i] = element(menu_partie, "menu_copie_position", i, false, [i] { ::menu_copie_position_Click(i); });
  menu_coller_position = simple(menu_partie, "menu_coller_position", [] { ::menu_coller_position_Click(); });
  menu_partie->addSeparator();
  menu_envoi_position = simple(menu_partie, "menu_envoi_position", [this] { menu_envoi_position_Click(); });
  menu_partie->addSeparator();
  menu_voir_ouvertures = simple(menu_partie, "menu_voir_ouvertures", [this] { menu_voir_ouvertures_Click(); });
  menu_position = simple(menu_partie, "menu_position", [] { ::menu_position_Click(); });
  menu_modif_coup = simple(menu_partie, "menu_modif_coup", [] { ::menu_modif_coup_Click(); });
  menu_partie->addSeparator();
  menu_abrege = simple(menu_partie, "menu_abrege", [this] { menu_abrege_Click(); });
  menu_not_comp = simple(menu_partie, "menu_not_comp", [this] { menu_not_comp_Click(); });
  menu_partie->addSeparator();
  menu_chasse = simple(menu_partie, "menu_chasse", [this] { menu_chasse_Click(); });
  affiche_log = simple(menu_partie, "affiche_log", [this] { affiche_log_Click(); });
  menu_stat = simple(menu_partie, "menu_stat", [this] { menu_stat_Click(); });
  menu_partie->addSeparator();
  menu_edition = sous_menu(menu_partie, "menu_edition");
  menu_edt_liste = sous_menu(menu_edition, "menu_edt_liste");
  for (int i = 0; i <= 2; ++i)
    menu_edt_encours[i] = element(menu_edt_liste, "menu_edt_encours", i, false, [i] { ::menu_edt_encours_Click(i); });
  menu_edt_pc = simple(menu_edition, "menu_edt_pc");
  menu_recherche = simple(menu_partie, "menu_recherche");
  menu_partie->addSeparator();
  menu_propose_nul = simple(menu_partie, "menu_propose_nul", [] { ::menu_propose_nul_Click(); });
  menu_abandon = simple(menu_partie, "menu_abandon", [] { ::menu_abandon_Click(); });

  // Options
  menu_options = sous_menu(barre, "menu_options");
  menu_mode = sous_menu(menu_options, "menu_mode");
  mode_machine = cochable(menu_mode, "mode_machine", [this] { mode_machine_Click(); });
  mode_libre = cochable(menu_mode, "mode_libre", [this] { mode_libre_Click(); });
  mode_reseau = cochable(menu_mode, "mode_reseau", [this] { mode_reseau_Click(); });
  mode_auto = cochable(menu_mode, "mode_auto", [this] { mode_auto_Click(); });
  menu_mode->addSeparator();
  mode_corres = cochable(menu_mode, "mode_corres", [this] { mode_corres_Click(); });
  menu_niveau = sous_menu(menu_options, "menu_niveau");
  for (int i = 0; i <= 3; ++i)
    menu_niv[i] = element(menu_niveau, "menu_niv", i, true, [this, i] { menu_niv_Click(i); });
  menu_couleur = sous_menu(menu_options, "menu_couleur");
  couleur_blanche = cochable(menu_couleur, "couleur_blanche", [this] { couleur_blanche_Click(); });
  couleur_noire = cochable(menu_couleur, "couleur_noire", [this] { couleur_noire_Click(); });
  menu_notation = sous_menu(menu_options, "menu_notation");
  notation_francaise = cochable(menu_notation, "notation_francaise", [this] { notation_francaise_Click(); });
  notation_pgn = cochable(menu_notation, "notation_pgn", [this] { notation_pgn_Click(); });
  notation_internationale =
      cochable(menu_notation, "notation_internationale", [this] { notation_internationale_Click(); });
  menu_options->addSeparator();
  menu_moteur = simple(menu_options, "menu_moteur", [] { ::menu_moteur_Click(); });
  menu_analyse = sous_menu(menu_options, "menu_analyse");
  analyser_ouverture = cochable(menu_analyse, "analyser_ouverture", [this] { analyser_ouverture_Click(); });
  menu_options->addSeparator();
  menu_active_son = cochable(menu_options, "menu_active_son", [this] { menu_active_son_Click(); });
  menu_active_horloge = cochable(menu_options, "menu_active_horloge", [this] { menu_active_horloge_Click(); });
  affiche_repere = cochable(menu_options, "affiche_repere", [this] { affiche_repere_Click(); });
  affiche_commentaire = cochable(menu_options, "affiche_commentaire", [this] { affiche_commentaire_Click(); });
  menu_options->addSeparator();
  menu_choix_langue = sous_menu(menu_options, "menu_choix_langue");
  for (int i = 1; i <= 8; ++i)
    choix_langue[i] = element(menu_choix_langue, "choix_langue", i, true, [this, i] { choix_langue_Click(i); });
  menu_options->addSeparator();
  menu_sauve_option = simple(menu_options, "menu_sauve_option", [this] { menu_sauve_option_Click(); });

  // Window
  menu_fenetre = sous_menu(barre, "menu_fenetre");
  for (int i = 0; i <= 3; ++i) wa[i] = element(menu_fenetre, "wa", i, false, [this, i] { wa_Click(i); });

  // Help
  menu_aide = sous_menu(barre, "menu_aide");
  menu_sommaire = simple(menu_aide, "menu_sommaire", [this] { menu_sommaire_Click(); });
  menu_aide_sur = simple(menu_aide, "menu_aide_sur", [this] { menu_aide_sur_Click(); });
  menu_aide->addSeparator();
  menu_a_propos = simple(menu_aide, "menu_a_propos", [this] { menu_a_propos_Click(); });
  menu_release = simple(menu_aide, "menu_release", [this] { menu_release_Click(); });

  // Marks and visibility of the items when the window is created; whether
  // they are enabled is for actualise_menus.
  for (QAction* a : {mode_machine, couleur_blanche, notation_francaise, analyser_ouverture, menu_active_son,
                     menu_active_horloge, affiche_commentaire, choix_langue[1]})
    a->setChecked(true);
  menu_enrichir[0]->setVisible(false);
  menu_recherche->setVisible(false);
  for (QAction* a : mnuRecentFile) a->setVisible(false);

  // Keyboard shortcuts.
  const std::pair<QAction*, QKeySequence> raccourcis[] = {
      {menu_abrege, QKeySequence(Qt::CTRL | Qt::Key_A)},
      {menu_charge, QKeySequence(Qt::CTRL | Qt::Key_C)},
      {menu_enrichir[1], QKeySequence(Qt::CTRL | Qt::Key_E)},
      {menu_charge_fichier, QKeySequence(Qt::CTRL | Qt::Key_F)},
      {menu_stat, QKeySequence(Qt::CTRL | Qt::Key_G)},
      {menu_edt_encours[1], QKeySequence(Qt::CTRL | Qt::Key_I)},
      {menu_nouvelle, QKeySequence(Qt::CTRL | Qt::Key_N)},
      {menu_voir_ouvertures, QKeySequence(Qt::CTRL | Qt::Key_O)},
      {menu_pref, QKeySequence(Qt::CTRL | Qt::Key_P)},
      {affiche_repere, QKeySequence(Qt::CTRL | Qt::Key_R)},
      {menu_sauve, QKeySequence(Qt::CTRL | Qt::Key_S)},
      {menu_chasse, QKeySequence(Qt::CTRL | Qt::Key_T)},
      {menu_charge_xml, QKeySequence(Qt::CTRL | Qt::Key_U)},
      {menu_copie_position[1], QKeySequence(Qt::CTRL | Qt::Key_Insert)},
      {menu_coller_position, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
  };
  for (const auto& [a, touches] : raccourcis) a->setShortcut(touches);

  // Whatever the items depend on raises one signal.
  connect(&plateforme::avis_etat(), &plateforme::AvisEtat::change, this, &Menu::actualise_menus);
  connect(menu_partie, &QMenu::aboutToShow, this, &Menu::actualise_menus);
  actualise_menus();
}

void Menu::actualise_commandes() { actualise_menus(); }

void Menu::actualise_menus() {
  plateau* fenetre_jeu = plateau::existante();
  const bool jeu = fenetre_jeu && !fenetre_jeu->dechargee();
  const bool libre = !machine_occupee();
  const bool en_cours = jeu && partie_en_cours();
  // A network game: both boards must stay the same, so nothing but the
  // moves of the game changes this one; the draw offer waits for the game to
  // run on its connection.
  const bool reseau = jeu && mode_jeux == 3;
  const bool reseau_branche = static_cast<bool>(liens_jeu().montre_connexion);
  const bool pgn = static_cast<bool>(commandes::charge_pgn);
  auto active = [](QAction* a, bool oui) {
    if (a && a->isEnabled() != oui) a->setEnabled(oui);
  };

  // What is not built yet stays off.
  for (QAction* a : {menu_enrichir[0], menu_edt_pc, notation_internationale})
    active(a, false);
  active(mode_reseau, reseau_branche);
  active(mode_corres, static_cast<bool>(commandes::montre_corres));

  // The opening base: none of its commands while the machine reads it or
  // one of its long jobs runs.
  for (QAction* a : {menu_trans[1], menu_trans[2], menu_enrichir[1], menu_enrichir[2], menu_vider, menu_repare,
                     menu_reorg, menu_grille})
    active(a, libre && !base_occupee());
  active(menu_pc_grille, true);
  // Mail: an empty one at any time, the position while a game is on the board.
  const bool courrier = static_cast<bool>(commandes::envoie_message);
  active(menu_pc_message, courrier);
  active(menu_envoi_position, courrier && jeu && libre);

  // The game menu.
  active(menu_nouvelle, libre && commandes::nouvelle_partie &&
                            ((!jeu && (mode_jeux == 1 || mode_jeux == 2 || mode_jeux == 4 ||
                                       (mode_jeux == 3 && reseau_branche))) ||
                             (mode_jeux == 5 && commandes::montre_corres)));
  active(menu_charge, libre && !reseau && (pgn || (mode_jeux == 5 && commandes::montre_corres)));
  for (int i = 1; i <= 10; ++i) active(mnuRecentFile[i], libre && !reseau && pgn);
  active(menu_charge_fichier, libre && !reseau && commandes::montre_charge);
  active(menu_sauve_fichier, libre && commandes::montre_charge);
  active(menu_charge_xml, libre && !reseau && commandes::montre_xml);
  // A game on the board, or the one left in hand after the board was closed, can be saved.
  active(menu_sauve, libre && commandes::montre_sauve && (jeu || !texte_partie.empty()));
  for (int i = 1; i <= 2; ++i) active(menu_copie_position[i], jeu && libre);
  // The clipboard may be filled by any program at any time: the paste reads
  // it when chosen, and a text that is no position does nothing.
  active(menu_coller_position, jeu && libre && !reseau);
  active(menu_voir_ouvertures, libre && ouvertures_a_montrer());
  active(menu_position, libre && !reseau);
  active(menu_modif_coup, jeu && libre && !reseau);
  active(menu_chasse, jeu);
  for (int i = 0; i <= 2; ++i) active(menu_edt_encours[i], jeu);
  // Both wait for the machine's search, if one runs, before they end the game.
  active(menu_propose_nul, en_cours && (!reseau || reseau::partie_reseau_active()));
  active(menu_abandon, en_cours);

  // The options a game in hand fixes.
  for (QMenu* m : {menu_mode, menu_couleur, menu_notation}) active(m->menuAction(), !jeu);
  active(menu_active_horloge, !jeu);
  active(menu_moteur, !jeu && libre);
  if (mode_jeux >= 1 && mode_jeux <= 5) active(menu_part_pc->menuAction(), mode_jeux == 5);
}

// --- Start-up and end of the run -----------------------------------------------------

bool Menu::MDIForm_Load(const QString& ligne_commande) {
  // 1. The language object.
  objet_langue();
  // 2. The recent files.
  charge_fichiers_recents();
  // 3 and 4. Paths, built-in values, the run's start values.
  reinitialise_parametres();
  couleur_joueur = BLANC;
  historique_positions.clear();
  resultat_partie = "*";
  actualise_menus();

  // 5. The settings file.
  if (plateforme::est_fichier(fichier_ini)) {
    const LectureParametres lecture = lit_parametres(fichier_ini);
    if (!lecture.lu) {
      plateforme::boite_erreur(lecture.erreur);
    } else if (!lecture.cle_inconnue.isEmpty()) {
      // No language is applied yet: the message is taken in French.
      const QString debut = objet_langue().affiche_texte(10 + 100);
      plateforme::boite_erreur(debut + QDir::toNativeSeparators(fichier_ini) + QStringLiteral("\r\n -> (") +
                               lecture.cle_inconnue + QStringLiteral(") incorrecte !"));
      return false;
    }
    if (!lecture.valeurs_rejetees.isEmpty()) plateforme::boite_erreur(lecture.message_rejet());
    change_mode();
  } else {
    valeurs_sans_fichier();
    sauve_parametres(fichier_ini);
    change_mode();
  }

  // 6. Language, captions, language and level marks, title.
  applique_langue();
  affiche_libelles(this);
  for (int i = 1; i <= 8; ++i) {
    choix_langue[i]->setVisible(true);
    choix_langue[i]->setChecked(i == cle_langue);
  }
  titre_fenetre();
  for (int i = 0; i <= 3; ++i) menu_niv[i]->setChecked(i == profondeur_max[profil_moteur]);

  // From here on an error shows its text and skips every later step; the
  // window stays open.
  try {
    // 7. Absolute paths, the opening database.
    base_eco = plateforme::chemin_absolu(base_eco);
    file_log = plateforme::chemin_absolu(file_log);
    base_corres = plateforme::chemin_absolu(base_corres);
    supprime_restes_maintenance(base_eco);
    if (analyse_ouverture == 1) ouvre_base_eco(base_eco);

    // 8. Menu marks of the options.
    marques_options();

    // 9. The language dialog at a first start, else a new game.
    if (first_startup == 1) {
      Language dialogue(this);
      if (dialogue.exec() != QDialog::Accepted) return false;
    } else if (aff_nouvelle == 1) {
      menu_nouvelle_Click();
    }

    // 10. A game file named on the command line.
    if (!ligne_commande.isEmpty() && plateforme::est_fichier(ligne_commande) && commandes::charge_pgn) {
      fichier_pgn = ligne_commande;
      commandes::charge_pgn(1, ligne_commande);
      ajoute_fichier_recent(ligne_commande);
    }
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_erreur(e.texte());
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromUtf8(e.what()));
  }
  return true;
}

void Menu::marques_options() {
  affiche_repere->setChecked(aff_repere != 0);
  menu_active_son->setChecked(active_son != 0);
  menu_active_horloge->setChecked(active_horloge != 0);
  couleur_joueur = deb_blanc == 1 ? BLANC : NOIR;
  marques_couleur();
}

void Menu::marques_couleur() {
  couleur_blanche->setChecked(couleur_joueur == BLANC);
  couleur_noire->setChecked(couleur_joueur == NOIR);
}

void Menu::marques_preferences() {
  menu_active_son->setChecked(active_son != 0);
  menu_active_horloge->setChecked(active_horloge != 0);
  affiche_repere->setChecked(aff_repere != 0);
  marques_couleur();
  for (int i = 0; i <= 3; ++i) menu_niv[i]->setChecked(i == profondeur_max[profil_moteur]);
  for (int i = 1; i <= 8; ++i) choix_langue[i]->setChecked(i == cle_langue);
}

void Menu::MDIForm_Terminate() {
  historique_positions.assign(1, std::string());
  notes_coups.assign(1, 0.0f);
  commentaires_coups.assign(1, std::string());
}

// --- Mode and title ---------------------------------------------------------------

void Menu::change_mode() {
  if (mode_jeux >= 1 && mode_jeux <= 5) {
    QAction* modes[5] = {mode_machine, mode_libre, mode_reseau, mode_auto, mode_corres};
    for (int i = 0; i < 5; ++i) modes[i]->setChecked(i + 1 == mode_jeux);
  }
  titre_fenetre();
  plateforme::signale_changement();
}

void Menu::titre_fenetre() {
  QString titre = programme() + QStringLiteral(" - ") + texte(83) + QLatin1Char(' ') + texte_version();
  const int niveau = profondeur_max[profil_moteur];
  // A level or mode outside the known ones (a hand-edited file) shows no text
  // rather than an unrelated one.
  if (niveau >= 0 && niveau <= 4) titre += QStringLiteral(" - ") + texte(84 + niveau);
  if (mode_jeux >= 1 && mode_jeux <= 5) titre += QStringLiteral(" - ") + texte(50 + mode_jeux);
  setWindowTitle(titre);
}

void change_mode() {
  if (Menu* m = fenetres::existante<Menu>()) m->change_mode();
}

void titre_fenetre() {
  if (Menu* m = fenetres::existante<Menu>()) m->titre_fenetre();
}

// --- Recent files -------------------------------------------------------------------

void Menu::charge_fichiers_recents() {
  const QStringList l = fichiers_recents();
  for (int k = 1; k <= l.size() && k <= 10; ++k) {
    mnuRecentFile[0]->setVisible(true);
    QString chemin_affiche = l[k - 1];
    chemin_affiche.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a "&" of the path stays a "&"
    mnuRecentFile[k]->setText(QLatin1Char('&') + QString::number(k) + QLatin1Char(' ') + chemin_affiche);
    mnuRecentFile[k]->setData(l[k - 1]);
    mnuRecentFile[k]->setVisible(true);
  }
}

void Menu::mnuRecentFile_Click(int Index) {
  if (Index < 1 || Index > 10) return;
  const QString chemin = mnuRecentFile[Index]->data().toString();
  if (!plateforme::est_fichier(chemin)) {
    plateforme::boite_erreur(texte(270));
    return;
  }
  if (!commandes::charge_pgn) return;
  fichier_pgn = chemin;
  commandes::charge_pgn(1, chemin);
  ajoute_fichier_recent(chemin);
}

// --- Option toggles ------------------------------------------------------------------

namespace {
void bascule(QAction* a, int& reglage) {
  if (a->isChecked()) {
    reglage = 0;
    a->setChecked(false);
  } else {
    reglage = 1;
    a->setChecked(true);
  }
}
}  // namespace

void Menu::affiche_repere_Click() { bascule(affiche_repere, aff_repere); }
void Menu::analyser_ouverture_Click() { bascule(analyser_ouverture, analyse_ouverture); }
void Menu::menu_active_horloge_Click() { bascule(menu_active_horloge, active_horloge); }
void Menu::menu_active_son_Click() { bascule(menu_active_son, active_son); }

// --- Choices ----------------------------------------------------------------------------

void Menu::choix_langue_Click(int Index) {
  if (Index < 1 || Index > 8) return;
  cle_langue = Index;
  for (int i = 1; i <= 8; ++i) choix_langue[i]->setChecked(i == Index);
  applique_langue();
  affiche_libelles(this);
  titre_fenetre();
}

void Menu::couleur_blanche_Click() {
  const bool blanc = !couleur_blanche->isChecked();
  couleur_joueur = blanc ? BLANC : NOIR;
  couleur_blanche->setChecked(blanc);
  couleur_noire->setChecked(!blanc);
}

void Menu::couleur_noire_Click() {
  const bool blanc = couleur_noire->isChecked();
  couleur_joueur = blanc ? BLANC : NOIR;
  couleur_blanche->setChecked(blanc);
  couleur_noire->setChecked(!blanc);
}

void Menu::menu_niv_Click(int Index) {
  if (Index < 0 || Index > 3) return;
  profondeur_max[profil_moteur] = Index;
  titre_fenetre();
  for (int i = 0; i <= 3; ++i) menu_niv[i]->setChecked(i == Index);
}

namespace {
void choisit_notation(Menu* m, QAction* choisie, int style) {
  if (choisie->isChecked()) return;
  style_notation = style;
  for (QAction* a : {m->notation_francaise, m->notation_pgn, m->notation_internationale})
    a->setChecked(a == choisie);
}
}  // namespace

void Menu::notation_francaise_Click() { choisit_notation(this, notation_francaise, 1); }
void Menu::notation_internationale_Click() { choisit_notation(this, notation_internationale, 0); }
void Menu::notation_pgn_Click() { choisit_notation(this, notation_pgn, 2); }

void Menu::mode_machine_Click() {
  mode_jeux = 1;
  change_mode();
}
void Menu::mode_libre_Click() {
  mode_jeux = 2;
  change_mode();
}
void Menu::mode_reseau_Click() {
  mode_jeux = 3;
  change_mode();
}
void Menu::mode_auto_Click() {
  mode_jeux = 4;
  change_mode();
}
void Menu::mode_corres_Click() {
  mode_jeux = 5;
  change_mode();
}

// --- Commands ------------------------------------------------------------------------------

void Menu::affiche_commentaire_Click() {
  if (affiche_commentaire->isChecked()) {
    affiche_commentaire->setChecked(false);
    decharge_comment();
  } else {
    affiche_commentaire->setChecked(true);
    fenetres::montre_enfant(fenetre_comment());
  }
}

// The opening lines that continue the game in hand.
void Menu::menu_voir_ouvertures_Click() { montre_ouvertures_possibles(); }

void Menu::menu_chasse_Click() {
  prises* p = prises::existante();
  fenetres::montre_enfant_au_centre(p ? p : new prises());
}

void Menu::menu_stat_Click() {
  stats* s = stats::existante();
  fenetres::montre_enfant_au_centre(s ? s : new stats());
}

void Menu::affiche_log_Click() {
  if (QFileInfo(file_log).isFile())
    plateforme::ouvre_fichier_externe(file_log);  // a failure is ignored
  else
    plateforme::boite_erreur(texte(101));
}

void Menu::menu_abrege_Click() {
  plateforme::boite_message(QString::fromStdString(entete_pgn + texte_partie + " " + resultat_partie),
                            boite::INFORMATION, texte(173));
}

void Menu::menu_not_comp_Click() {
  plateforme::boite_message(QString::fromStdString(entete_pgn + texte_partie_longue + " " + resultat_partie),
                            boite::INFORMATION, texte(174));
}

namespace {
// The help pages: the contents page, or its index of keywords.
void ouvre_aide(const QString& ancre) {
  if (!QFileInfo(fichier_aide).isFile()) {
    plateforme::boite_erreur(texte(913).arg(QDir::toNativeSeparators(fichier_aide)));
    return;
  }
  QUrl adresse = QUrl::fromLocalFile(fichier_aide);
  if (!ancre.isEmpty()) adresse.setFragment(ancre);
  plateforme::ouvre_adresse(adresse.toString());
}
}  // namespace

void Menu::menu_aide_sur_Click() { ouvre_aide(QStringLiteral("index")); }
void Menu::menu_sommaire_Click() { ouvre_aide(QString()); }

void Menu::menu_charge_Click() {
  if (mode_jeux == 5) {
    mode_saisie_corres = 2;
    if (commandes::montre_corres) commandes::montre_corres();
    return;
  }
  if (!commandes::charge_pgn) return;
  try {
    const QString chemin = plateforme::choisit_fichier_a_ouvrir(
        texte(214), texte(215) + QStringLiteral(" PGN (*.pgn)|*.pgn"), plateforme::chemin_appli(), QString());
    if (chemin.isEmpty()) return;
    // The board window's game list reloads from fichier_pgn: it names the
    // file just opened, as it does for the recent files.
    fichier_pgn = chemin;
    commandes::charge_pgn(0, chemin);
    ajoute_fichier_recent(chemin);
  } catch (const std::exception&) {
    // errors ignored, as for every file dialog command
  }
}

void Menu::menu_charge_fichier_Click() {
  if (!commandes::montre_charge) return;
  mode_charge = 0;
  commandes::montre_charge();
}

void Menu::menu_sauve_fichier_Click() {
  if (!commandes::montre_charge) return;
  mode_charge = 1;
  commandes::montre_charge();
}

void Menu::menu_sauve_Click() {
  if (commandes::montre_sauve) commandes::montre_sauve();
}

void Menu::menu_charge_xml_Click() {
  if (commandes::montre_xml) commandes::montre_xml();
}

void Menu::menu_nouvelle_Click() {
  if (commandes::nouvelle_partie) commandes::nouvelle_partie();
}

void Menu::menu_pc_message_Click() {
  if (commandes::envoie_message) commandes::envoie_message(3);
}

void Menu::menu_envoi_position_Click() {
  if (commandes::envoie_message) commandes::envoie_message(2);
}

void Menu::menu_quitter_Click() {
  // The machine thinks: its search stops, the program ends once it is done.
  if (machine_occupee()) {
    arrete_machine();
    apres_machine([fenetre = QPointer<Menu>(this)] {
      if (fenetre) fenetre->menu_quitter_Click();
    });
    return;
  }
  hide();
  mdiArea->closeAllSubWindows();
  fenetres::decharge_plus_tard(this);
  QCoreApplication::quit();
}

void Menu::closeEvent(QCloseEvent* event) {
  if (!machine_occupee()) {
    QMainWindow::closeEvent(event);
    return;
  }
  event->ignore();
  arrete_machine();
  apres_machine([fenetre = QPointer<Menu>(this)] {
    if (fenetre) fenetre->close();
  });
}

void Menu::menu_sauve_option_Click() {
  if (sauve_parametres(fichier_ini)) plateforme::boite_message(texte(400), boite::EXCLAMATION);
  change_mode();
}

void Menu::wa_Click(int Index) {
  const QList<QMdiSubWindow*> fenetres_ouvertes = mdiArea->subWindowList();
  QList<QMdiSubWindow*> visibles;
  for (QMdiSubWindow* s : fenetres_ouvertes)
    if (s->isVisible() && !s->isMinimized()) visibles << s;
  const QRect zone = mdiArea->viewport()->rect();
  switch (Index) {
    case 0:
      mdiArea->cascadeSubWindows();
      break;
    case 1:  // one above the other, each the full width
    case 2: {  // side by side, each the full height
      const int n = static_cast<int>(visibles.size());
      for (int i = 0; i < n; ++i) {
        QMdiSubWindow* s = visibles[i];
        if (s->isMaximized()) s->showNormal();
        if (Index == 1) {
          const int h = zone.height() / n;
          s->setGeometry(0, i * h, zone.width(), i == n - 1 ? zone.height() - i * h : h);
        } else {
          const int w = zone.width() / n;
          s->setGeometry(i * w, 0, i == n - 1 ? zone.width() - i * w : w, zone.height());
        }
      }
      break;
    }
    case 3: {  // the minimized windows in a row along the bottom
      int x = 0;
      for (QMdiSubWindow* s : fenetres_ouvertes) {
        if (!s->isMinimized()) continue;
        const QSize t = s->size();
        s->move(x, zone.height() - t.height());
        x += t.width();
      }
      break;
    }
    default:
      break;
  }
}
