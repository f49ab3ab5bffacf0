// The main window Menu: the MDI area that holds the board window and the
// other child windows, the menus and their commands, start-up and the end of
// the run.
//
// Every menu item is a QAction member named as the item (a submenu is a
// QMenu member whose menu action carries the same name); an item array keeps
// its indexes (menu_niv[0..3], choix_langue[1..8]) and its elements are named
// "menu_niv(0)", "choix_langue(1)". Handlers keep their event names and are
// the slots of the items. Checkable items behave as the program expects: a
// click runs the handler with the mark as it was, and the handler sets it.
#pragma once

#include <QMainWindow>
#include <QString>

class QAction;
class QMdiArea;
class QMenu;

class Menu : public QMainWindow {
  Q_OBJECT

 public:
  Menu();
  ~Menu() override;

  // Start-up, in the program's order (language object, recent files, paths,
  // built-in values, settings file, language and captions, opening database,
  // menu marks, first-start language dialog or new game, the game file named
  // on the command line). Returns false when the program must end at once
  // (an unknown key in the settings file, the language dialog's exit button).
  bool MDIForm_Load(const QString& ligne_commande = QString());
  // The end of the run: releases the per-move arrays of the game.
  void MDIForm_Terminate();

  // Play mode marks and the correspondence tools menu from mode_jeux, then
  // the title.
  void change_mode();
  // Title: program, version, level of the current profile, play mode.
  void titre_fenetre();
  // After the preferences are applied: the marks of sound, clocks,
  // coordinates, level and language from the settings, and those of the
  // colour from couleur_joueur.
  // The colour menu's marks from couleur_joueur (the colour drawn at the bottom).
  void marques_couleur();
  void marques_preferences();
  // The recent-files items from the per-user store (start-up only).
  void charge_fichiers_recents();

  QMdiArea* mdiArea = nullptr;

  // --- The menu tree ---------------------------------------------------------
  QMenu* menu_fichier = nullptr;
  QAction* menu_astuce = nullptr;
  QAction* menu_pref = nullptr;
  QMenu* menu_con = nullptr;
  QMenu* menu_ouverture = nullptr;
  QAction* menu_trans[3] = {};  // 1, 2
  QAction* menu_grille = nullptr;
  QMenu* menu_enrichir_base = nullptr;
  QAction* menu_enrichir[3] = {};
  QMenu* menu_imp = nullptr;
  QAction* menu_edt_eco = nullptr;
  QAction* menu_edt_enrichie = nullptr;
  QAction* menu_vider = nullptr;
  QAction* menu_repare = nullptr;
  QAction* menu_reorg = nullptr;
  QMenu* menu_part_pc = nullptr;
  QAction* menu_pc_message = nullptr;
  QMenu* menu_pc_edition = nullptr;
  QAction* menu_pc_edt[2] = {};
  QAction* menu_pc_grille = nullptr;
  QAction* mnuRecentFile[11] = {};  // 0 is the separator
  QAction* menu_quitter = nullptr;

  QMenu* menu_partie = nullptr;
  QAction* menu_nouvelle = nullptr;
  QAction* menu_charge = nullptr;
  QAction* menu_sauve = nullptr;
  QAction* menu_charge_fichier = nullptr;
  QAction* menu_sauve_fichier = nullptr;
  QAction* menu_charge_xml = nullptr;
  QAction* menu_copie_position[3] = {};  // 1, 2
  QAction* menu_coller_position = nullptr;
  QAction* menu_envoi_position = nullptr;
  QAction* menu_voir_ouvertures = nullptr;
  QAction* menu_position = nullptr;
  QAction* menu_modif_coup = nullptr;
  QAction* menu_abrege = nullptr;
  QAction* menu_not_comp = nullptr;
  QAction* menu_chasse = nullptr;
  QAction* affiche_log = nullptr;
  QAction* menu_stat = nullptr;
  QMenu* menu_edition = nullptr;
  QMenu* menu_edt_liste = nullptr;
  QAction* menu_edt_encours[3] = {};
  QAction* menu_edt_pc = nullptr;
  QAction* menu_recherche = nullptr;
  QAction* menu_propose_nul = nullptr;
  QAction* menu_abandon = nullptr;

  QMenu* menu_options = nullptr;
  QMenu* menu_mode = nullptr;
  QAction* mode_machine = nullptr;
  QAction* mode_libre = nullptr;
  QAction* mode_reseau = nullptr;
  QAction* mode_auto = nullptr;
  QAction* mode_corres = nullptr;
  QMenu* menu_niveau = nullptr;
  QAction* menu_niv[4] = {};
  QMenu* menu_couleur = nullptr;
  QAction* couleur_blanche = nullptr;
  QAction* couleur_noire = nullptr;
  QMenu* menu_notation = nullptr;
  QAction* notation_francaise = nullptr;
  QAction* notation_pgn = nullptr;
  QAction* notation_internationale = nullptr;
  QAction* menu_moteur = nullptr;
  QMenu* menu_analyse = nullptr;
  QAction* analyser_ouverture = nullptr;
  QAction* menu_active_son = nullptr;
  QAction* menu_active_horloge = nullptr;
  QAction* affiche_repere = nullptr;
  QAction* affiche_commentaire = nullptr;
  QMenu* menu_choix_langue = nullptr;
  QAction* choix_langue[9] = {};  // 1..8
  QAction* menu_sauve_option = nullptr;

  QMenu* menu_fenetre = nullptr;
  QAction* wa[4] = {};

  QMenu* menu_aide = nullptr;
  QAction* menu_sommaire = nullptr;
  QAction* menu_aide_sur = nullptr;
  QAction* menu_a_propos = nullptr;
  QAction* menu_release = nullptr;

 public slots:
  void affiche_commentaire_Click();
  void affiche_log_Click();
  void affiche_repere_Click();
  void analyser_ouverture_Click();
  void menu_active_horloge_Click();
  void menu_active_son_Click();
  void choix_langue_Click(int Index);
  void couleur_blanche_Click();
  void couleur_noire_Click();
  void menu_abrege_Click();
  void menu_not_comp_Click();
  void menu_aide_sur_Click();
  void menu_sommaire_Click();
  void menu_astuce_Click();     // app/astuce.cpp
  void menu_a_propos_Click();   // app/a_propos.cpp
  void menu_release_Click();    // app/nouvelle_version.cpp
  void menu_charge_Click();
  void menu_chasse_Click();
  void menu_stat_Click();
  void menu_voir_ouvertures_Click();
  // The opening base's commands (app/commandes_ouvertures.cpp).
  void menu_enrichir_Click(int Index);
  void menu_trans_Click(int Index);
  void menu_vider_Click();
  void menu_reorg_Click();
  void menu_repare_Click();
  void menu_grille_Click();
  void menu_pc_grille_Click();
  void menu_pc_message_Click();
  void menu_envoi_position_Click();
  void menu_niv_Click(int Index);
  void menu_nouvelle_Click();
  void menu_charge_fichier_Click();
  void menu_sauve_fichier_Click();
  void menu_sauve_Click();
  void menu_charge_xml_Click();
  void menu_quitter_Click();
  void menu_sauve_option_Click();
  void mnuRecentFile_Click(int Index);
  void mode_machine_Click();
  void mode_libre_Click();
  void mode_reseau_Click();
  void mode_auto_Click();
  void mode_corres_Click();
  void notation_francaise_Click();
  void notation_internationale_Click();
  void notation_pgn_Click();
  void wa_Click(int Index);

  // The one writer of the items' enabled state: each item is derived from
  // what the window can ask (board window loaded, machine busy, game still
  // on, play mode, opening lines to show, commands plugged in, clipboard).
  // It runs on plateforme::avis_etat()'s signal, a clipboard change and the
  // opening of the game menu.
  void actualise_menus();
  // The same, after a command was plugged in (app/commandes.h).
  void actualise_commandes();

 protected:
  // The close box while the machine thinks: its search stops and the window
  // closes once the machine is done.
  void closeEvent(QCloseEvent* event) override;

 private:
  void construit_menus();
  void marques_options();
};
