#include "tests/correspondence/aide_corres.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/fenetres.h"
#include "platform/minuterie.h"
#include "platform/schemas_bases.h"
#include "platform/son.h"
#include "play/parametres.h"
#include "play/plateau.h"

void TestCorres::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_parametres();
  reglages_fenetre(5, false, false);
  profil_moteur = 1;
  nom_joueur[1] = QStringLiteral("Moi");
  adresse_mel = QStringLiteral("moi@exemple.org");
  niveau_elo[1] = 1600;
  lieu_jeu = QStringLiteral("Autun");
  liens_ouvertures().affiche_commentaire = [] { return false; };
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
  base_corres = QDir(dossier()).filePath(QStringLiteral("corres.db"));
  plateforme::BaseDonnees::cree(base_corres, schemas::base_corres());
  fixe_aujourdhui_essai(QDate(2026, 3, 12));
}

void TestCorres::TearDown() {
  fenetres::decharge<saisie_coup>();
  fenetres::decharge<prepare>();
  fenetres::decharge<corres>();
  fenetres::decharge<plateau>();
  decharge_comment();
  fixe_aujourdhui_essai(QDate());
  plateforme::SonsEnTest::desactive();
  TestMorvandel::TearDown();
}

qint64 TestCorres::ajoute(const QString& coups, bool jai_blanc, int notation, const QString& resultat) {
  return ajoute_partie(base_corres, partie_corres_essai(jai_blanc, coups, notation, resultat));
}

PartieCorres TestCorres::lue(qint64 cle) const {
  const std::optional<PartieCorres> p = lit_partie(base_corres, cle);
  if (!p) throw std::runtime_error("no such game");
  return *p;
}

corres& TestCorres::manager() {
  mode_saisie_corres = 2;
  montre_corres();
  c = fenetres::existante<corres>();
  if (!c) throw std::runtime_error("the manager did not load");
  return *c;
}

void TestCorres::clique(qint64 cle) {
  for (int i = 0; i < c->List1->topLevelItemCount(); ++i) {
    QTreeWidgetItem* ligne = c->List1->topLevelItem(i);
    if (ligne->data(0, Qt::UserRole).toString() == QStringLiteral("ref") + QString::number(cle)) {
      c->List1->setCurrentItem(ligne);
      const QRect r = c->List1->visualItemRect(ligne);
      QTest::mouseClick(c->List1->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
      return;
    }
  }
  throw std::runtime_error("no list row for that game");
}

QStringList TestCorres::colonne(int n) const {
  QStringList l;
  for (int i = 0; i < c->List1->topLevelItemCount(); ++i) l << c->List1->topLevelItem(i)->text(n);
  return l;
}

QStringList TestCorres::icones() const {
  QStringList l;
  for (int i = 0; i < c->List1->topLevelItemCount(); ++i)
    l << c->List1->topLevelItem(i)->data(0, Qt::UserRole + 1).toString();
  return l;
}

QStringList TestCorres::lignes_plateau() const {
  QStringList l;
  plateau* p = plateau::existante();
  if (!p) return l;
  for (int i = 0; i < p->List1->count(); ++i) l << p->List1->item(i)->text();
  return l;
}

void TestCorres::coup(const char* depart, const char* arrivee) {
  plateau* p = plateau::existante();
  if (!p) throw std::runtime_error("no board window");
  for (const char* n : {depart, arrivee}) {
    const auto k = case_de_nom(n);
    QTest::mouseClick(p->Echiquier, Qt::LeftButton, Qt::NoModifier, p->Echiquier->rect_image(k.colonne, k.ligne).center());
  }
}

prepare& TestCorres::prepare_partie(qint64 cle) {
  clique(cle);
  c->Command7->click();
  prepare* p = fenetres::existante<prepare>();
  if (!p) throw std::runtime_error("no prepare window");
  p->Command3->click();
  return *p;
}
