#include "localisation/libelles.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>
#include <QtDebug>
#include <map>

#include "localisation/libelles_aide.h"
#include "localisation/libelles_corres.h"
#include "localisation/libelles_fichiers.h"
#include "localisation/libelles_message.h"
#include "localisation/libelles_ouvertures.h"
#include "localisation/libelles_plateau.h"
#include "localisation/libelles_preferences.h"
#include "localisation/textes_langue.h"
#include "platform/fenetres.h"

namespace {

using namespace lignes_libelles;

// The main window's menu items (its title comes from titre_fenetre).
std::vector<Libelle> table_menu() {
  return {
      L("menu_fichier", 1),
      L("menu_partie", 2),
      L("menu_options", 3),
      L("menu_fenetre", 4),
      L("menu_aide", 5),
      L("menu_astuce", 6),
      L("menu_pref", 7),
      L("menu_con", 8),
      L("menu_ouverture", 9),
      L("menu_trans", 1, 10),
      L("menu_trans", 2, 11),
      L("menu_grille", 12),
      L("menu_enrichir_base", 13),
      L("menu_enrichir", 0, 14),
      L("menu_enrichir", 1, 15),
      L("menu_enrichir", 2, 117),
      L("menu_imp", 16),
      L("menu_edt_eco", 17),
      L("menu_edt_enrichie", 18),
      L("menu_vider", 19),
      L("menu_repare", 20),
      L("menu_reorg", 21),
      L("menu_part_pc", 22),
      L("menu_pc_message", 23),
      L("menu_pc_edition", 16),
      L("menu_pc_edt", 0, 24),
      L("menu_pc_edt", 1, 25),
      L("menu_pc_grille", 26),
      L("menu_quitter", 27),
      L("menu_nouvelle", 28),
      L("menu_charge", 29),
      L("menu_sauve", 30),
      L("menu_charge_fichier", 31),
      L("menu_sauve_fichier", 32),
      L("menu_charge_xml", 33),
      L("menu_copie_position", 1, 34),
      L("menu_copie_position", 2, 103),
      L("menu_coller_position", 35),
      L("menu_envoi_position", 99),
      L("menu_voir_ouvertures", 36),
      L("menu_moteur", 37),
      L("menu_position", 38),
      L("menu_modif_coup", 39),
      L("menu_abrege", 40),
      L("menu_not_comp", 41),
      L("menu_chasse", 42),
      L("affiche_log", 43),
      L("menu_stat", 44),
      L("menu_edition", 16),
      L("menu_edt_liste", 45),
      L("menu_edt_encours", 0, 640),
      L("menu_edt_encours", 1, 641),
      L("menu_edt_encours", 2, 642),
      L("menu_edt_pc", 46),
      L("menu_recherche", 47),
      L("menu_propose_nul", 48),
      L("menu_abandon", 49),
      L("menu_mode", 50),
      L("mode_machine", 51),
      L("mode_libre", 52),
      L("mode_reseau", 53),
      L("mode_auto", 54),
      L("mode_corres", 55),
      L("menu_niveau", 56),
      L("menu_niv", 0, 57),
      L("menu_niv", 1, 58),
      L("menu_niv", 2, 59),
      L("menu_niv", 3, 60),
      L("menu_couleur", 61),
      L("couleur_blanche", 62),
      L("couleur_noire", 63),
      L("menu_notation", 64),
      L("notation_francaise", 65),
      L("notation_pgn", 66),
      L("notation_internationale", 67),
      L("menu_analyse", 68),
      L("analyser_ouverture", 69),
      L("menu_active_son", 70),
      L("menu_active_horloge", 71),
      L("affiche_repere", 72),
      L("affiche_commentaire", 73),
      L("menu_sauve_option", 74),
      L("menu_choix_langue", 190),
      L("choix_langue", 1, 191),
      L("choix_langue", 2, 192),
      L("choix_langue", 3, 193),
      L("choix_langue", 4, 194),
      L("choix_langue", 5, 195),
      L("choix_langue", 6, 196),
      L("choix_langue", 7, 197),
      L("choix_langue", 8, 198),
      L("wa", 0, 75),
      L("wa", 1, 76),
      L("wa", 2, 77),
      L("wa", 3, 78),
      L("menu_sommaire", 79),
      L("menu_aide_sur", 80),
      L("menu_a_propos", 81),
      L("menu_release", 82),
  };
}

// The companion windows of the board window.
std::vector<Libelle> table_comment() {
  return {
      L(nullptr, 140),
      L("voir_coup", 141),
      L("Command1", 142),
  };
}

std::vector<Libelle> table_prises() {
  return {
      L(nullptr, 287),
      L("Frame1", 288),
      L("Frame2", 289),
  };
}

std::vector<Libelle> table_stats() {
  return {
      L(nullptr, 300),
      L("Command1", 211),
      L("Command2", 301),
  };
}

// The connection dialog of a network game (its title is set by the dialog).
std::vector<Libelle> table_connexion() {
  return {
      L("Option1", 1, 261),
      L("Option1", 0, 262),
      L("Label12", 263),
      L("Label1", 264),
      L("Label11", 265),
      L("Label13", 266),
      L("SSCommand1", 211),
      L("SSCommand2", 267),
  };
}

// The windows the dispatch knows, by name. The other windows' tables join
// this map as those windows are built.
const std::map<QString, std::vector<Libelle>>& tables() {
  static const std::map<QString, std::vector<Libelle>> t = {
      {QStringLiteral("Menu"), table_menu()},
      {QStringLiteral("comment"), table_comment()},
      {QStringLiteral("prises"), table_prises()},
      {QStringLiteral("stats"), table_stats()},
      {QStringLiteral("plateau"), table_plateau()},
      {QStringLiteral("patience"), table_patience()},
      {QStringLiteral("charge"), table_charge()},
      {QStringLiteral("sauve"), table_sauve()},
      {QStringLiteral("xml"), table_xml()},
      {QStringLiteral("frmTip"), table_frmTip()},
      {QStringLiteral("frmAbout"), table_frmAbout()},
      {QStringLiteral("release"), table_release()},
      {QStringLiteral("pref"), table_pref()},
      {QStringLiteral("parametre"), table_parametre()},
      {QStringLiteral("connexion"), table_connexion()},
      {QStringLiteral("liste_coup"), table_liste_coup()},
      {QStringLiteral("frmDataGrid"), table_frmDataGrid()},
      {QStringLiteral("corres"), table_corres()},
      {QStringLiteral("prepare"), table_prepare()},
      {QStringLiteral("saisie_coup"), table_saisie_coup()},
      {QStringLiteral("message"), table_message()},
  };
  return t;
}

QString nom_cible(const Libelle& l) {
  const QString nom = QString::fromLatin1(l.controle);
  return l.indice >= 0 && !l.onglet ? fenetres::nom_indice(nom, l.indice) : nom;
}

void pose(QObject* cible, QWidget* fenetre, const Libelle& l, const QString& texte) {
  if (l.onglet) {
    if (auto* onglets = qobject_cast<QTabWidget*>(cible)) onglets->setTabText(l.indice, texte);
  } else if (cible == fenetre) {
    fenetre->setWindowTitle(texte);
  } else if (auto* action = qobject_cast<QAction*>(cible)) {
    action->setText(texte);
  } else if (auto* menu = qobject_cast<QMenu*>(cible)) {
    menu->setTitle(texte);
  } else if (auto* bouton = qobject_cast<QAbstractButton*>(cible)) {
    bouton->setText(texte);
  } else if (auto* etiquette = qobject_cast<QLabel*>(cible)) {
    etiquette->setText(texte);
  } else if (auto* cadre = qobject_cast<QGroupBox*>(cible)) {
    cadre->setTitle(texte);
  } else {
    cible->setProperty("text", texte);
  }
}

}  // namespace

const std::vector<Libelle>* libelles_de(const QString& nom_fenetre) {
  const auto it = tables().find(nom_fenetre);
  return it == tables().end() ? nullptr : &it->second;
}

QObject* cible_libelle(QWidget* fenetre, const Libelle& l) {
  if (!l.controle) return fenetre;
  const QString nom = nom_cible(l);
  if (l.onglet) return fenetre->findChild<QTabWidget*>(nom);
  // A menu item first (a submenu's action carries the submenu's name), then
  // any control.
  if (QAction* a = fenetre->findChild<QAction*>(nom)) return a;
  return fenetre->findChild<QWidget*>(nom);
}

void affiche_libelles(QWidget* fenetre) {
  if (!fenetre) return;
  const QString nom = fenetre->objectName();
  const std::vector<Libelle>* table = libelles_de(nom);
  if (!table) return;
  QWidget* cible_fenetre = fenetre;
  for (const Libelle& l : *table) {
    QString t = texte(l.numero);
    if (l.prefixe) t.prepend(QString::fromUtf8(l.prefixe));
    if (l.suffixe) t.append(QString::fromUtf8(l.suffixe));
    QObject* cible = cible_libelle(cible_fenetre, l);
    if (!cible) {
      // A missing control is a fault of the window's design: say so and go on
      // with the other captions.
      qWarning().noquote() << "affiche_libelles:" << nom << "has no control" << nom_cible(l);
      continue;
    }
    pose(cible, cible_fenetre, l, t);
  }
}

QString sans_raccourcis(const QString& texte) {
  QString t;
  t.reserve(texte.size());
  for (qsizetype i = 0; i < texte.size(); ++i) {
    if (texte[i] == QLatin1Char('&')) {
      if (i + 1 < texte.size() && texte[i + 1] == QLatin1Char('&')) t += texte[++i];
      continue;
    }
    t += texte[i];
  }
  return t;
}
