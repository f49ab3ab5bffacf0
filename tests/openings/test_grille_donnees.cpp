// The data grid over a table: loading, filter, sort, head clicks, edits and
// deletions with their confirmations.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>

#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/grille_donnees.h"
#include "openings/maintenance_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/modele_table.h"
#include "tests/openings/aide_ouvertures.h"

using plateforme::BoitesEnTest;

namespace {

class Grille : public TestOuvertures {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    cree_base({{"C20", "Pion roi", "1.e4 e5 *", false, 10},
               {"B20", "Sicilienne", "1.e4 c5 *", true, 30},
               {"A40", "Pion dame", "1.d4 *", false, 20}});
    grille = new frmDataGrid;
    ASSERT_TRUE(grille->Form_Load(chemin_base(), QStringLiteral("ECO")));
  }
  void TearDown() override {
    delete grille;
    TestOuvertures::TearDown();
  }
  // A column of the grid, top to bottom.
  QStringList colonne(const char* nom) const {
    plateforme::ModeleTable* m = grille->modele();
    const int c = m->record().indexOf(QString::fromLatin1(nom));
    QStringList l;
    for (int r = 0; r < m->rowCount(); ++r) l << m->data(m->index(r, c)).toString();
    return l;
  }
  frmDataGrid* grille = nullptr;
};

TEST_F(Grille, LaGrilleMontreLaTable) {
  EXPECT_EQ(grille->windowTitle(), QStringLiteral("ECO"));
  EXPECT_EQ(grille->modele()->rowCount(), 3);
  EXPECT_EQ(colonne("Eco_code"), (QStringList{"C20", "B20", "A40"}));
  const std::pair<QPushButton*, int> boutons[] = {
      {grille->cmdRefresh, 180}, {grille->cmdSort, 181}, {grille->cmdFilter, 182}, {grille->cmdClose, 183}};
  for (const auto& [b, n] : boutons) EXPECT_EQ(b->text(), texte(n));
}

TEST_F(Grille, UnFichierOuUneTableAbsentsSontSignales) {
  struct Cas {
    QString base, table;
  } cas[] = {{QDir(dossier()).filePath(QStringLiteral("absente.db")), QStringLiteral("ECO")},
             {chemin_base(), QStringLiteral("PARTIE")}};
  for (const Cas& c : cas) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    frmDataGrid g;
    EXPECT_FALSE(g.Form_Load(c.base, c.table));
    EXPECT_EQ(BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(BoitesEnTest::vues().first().style, boite::OK_SEUL);
  }
  // A long record source is named by its kind.
  const QString longue = QString(51, QLatin1Char('T'));
  db_eco.execute(QStringLiteral("CREATE TABLE %1 (x)").arg(longue));
  frmDataGrid g;
  ASSERT_TRUE(g.Form_Load(chemin_base(), longue));
  EXPECT_EQ(g.windowTitle(), QStringLiteral("Instruction SQL"));
}

TEST_F(Grille, UnFiltreEstVerifieAvantDeServir) {
  struct Cas {
    const char* filtre;
    bool accepte;
    QStringList codes;  // after it
    QString message;  // part of the refusal
  } cas[] = {
      {"Eco_code = 'B20'", true, {"B20"}, ""},
      {"Eco_note >= 20 AND Eco_libelle LIKE 'P%'", true, {"A40"}, ""},
      {"Eco_zzz = 1", false, {"C20", "B20", "A40"}, texte(820) + "\nno such column"},
      {"1=1; DELETE FROM ECO", false, {"C20", "B20", "A40"}, ";"},
      {"1) OR (1", false, {"C20", "B20", "A40"}, texte(813)},
      {"Eco_code = 'x' --", false, {"C20", "B20", "A40"}, texte(814)},
      {"Eco_code = 'B20' /* x */", false, {"C20", "B20", "A40"}, texte(814)},
      {"Eco_code = 'x' /*", false, {"C20", "B20", "A40"}, texte(814)},
      {"Eco_libelle = '/*' OR Eco_libelle = '--'", true, {}, ""},
      {"Eco_code = 'a;b'", true, {}, ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.filtre);
    grille->modele()->setFilter(QString());
    grille->modele()->select();
    BoitesEnTest::efface();
    BoitesEnTest::saisit(QString::fromUtf8(c.filtre));
    if (!c.accepte) BoitesEnTest::repond(boite::OK);
    grille->cmdFilter->click();
    EXPECT_EQ(colonne("Eco_code"), c.codes);
    if (!c.accepte) {
      ASSERT_EQ(BoitesEnTest::textes().size(), 2);
      EXPECT_TRUE(BoitesEnTest::textes()[1].contains(c.message)) << BoitesEnTest::textes()[1].toStdString();
    }
  }
  EXPECT_EQ(lignes_base().size(), 3);
  // An empty answer changes nothing.
  BoitesEnTest::saisit(QString());
  grille->cmdFilter->click();
  EXPECT_TRUE(colonne("Eco_code").isEmpty());
}

TEST_F(Grille, UnTriNAccepteQuUneColonneConnue) {
  struct Cas {
    const char* tri;
    QStringList codes;  // empty: refused, order kept
    QString message;
  } cas[] = {
      {"[Eco_code] desc", {"C20", "B20", "A40"}, ""},
      {"Eco_code", {"A40", "B20", "C20"}, ""},
      {"eco_note DESC", {"B20", "A40", "C20"}, ""},
      {"[Eco_zzz]", {}, texte(821) + "\nno such column"},
      {"Eco_code; DROP TABLE ECO", {}, texte(818)},
      {"Eco_code desc, Eco_note", {}, texte(818)},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tri);
    const QStringList avant = colonne("Eco_code");
    BoitesEnTest::efface();
    BoitesEnTest::saisit(QString::fromLatin1(c.tri));
    if (c.codes.isEmpty()) BoitesEnTest::repond(boite::OK);
    grille->cmdSort->click();
    EXPECT_EQ(colonne("Eco_code"), c.codes.isEmpty() ? avant : c.codes);
    if (c.codes.isEmpty()) {
      EXPECT_TRUE(BoitesEnTest::textes().last().contains(c.message))
          << BoitesEnTest::textes().last().toStdString();
    }
  }
  EXPECT_EQ(lignes_base().size(), 3);
}

// A click on a column head sorts by it, descending when a modifier key was
// held at the last mouse press in the grid, which stays so until a press
// without one.
TEST_F(Grille, UnClicSurLEnTeteTrie) {
  const int code = grille->modele()->record().indexOf(QStringLiteral("Eco_code"));
  grille->show();
  QTest::mouseClick(grille->grdDataGrid->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
  EXPECT_EQ(grille->etat_touches, 1);
  grille->grdDataGrid_HeadClick(code);
  EXPECT_EQ(colonne("Eco_code"), (QStringList{"C20", "B20", "A40"}));
  EXPECT_TRUE(grille->tri.isEmpty());
  grille->grdDataGrid_HeadClick(code);
  EXPECT_EQ(colonne("Eco_code"), (QStringList{"C20", "B20", "A40"}));
  QTest::mouseClick(grille->grdDataGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(grille->etat_touches, 0);
  grille->grdDataGrid_HeadClick(code);
  EXPECT_EQ(colonne("Eco_code"), (QStringList{"A40", "B20", "C20"}));
}

TEST_F(Grille, ModificationsEtSuppressionsApresConfirmation) {
  plateforme::ModeleTable* m = grille->modele();
  const int libelle = m->record().indexOf(QStringLiteral("Eco_libelle"));
  for (int reponse : {boite::NON, boite::OUI}) {
    SCOPED_TRACE(reponse);
    BoitesEnTest::efface();
    BoitesEnTest::repond(reponse);
    ASSERT_TRUE(m->setData(m->index(0, libelle), QStringLiteral("Ouverture \"x\"; y")));
    m->submit();
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(188)});
    const QString attendu = reponse == boite::OUI ? QStringLiteral("Ouverture \"x\"; y") : QStringLiteral("Pion roi");
    EXPECT_EQ(lignes_base()[0].libelle, attendu);
    EXPECT_EQ(colonne("Eco_libelle")[0], attendu);
  }
  for (int reponse : {boite::NON, boite::OUI}) {
    SCOPED_TRACE(reponse);
    BoitesEnTest::efface();
    BoitesEnTest::repond(reponse);
    grille->show();
    grille->grdDataGrid->selectRow(1);
    QTest::keyClick(grille->grdDataGrid, Qt::Key_Delete);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(187)});
    EXPECT_EQ(lignes_base().size(), reponse == boite::OUI ? 2 : 3);
    EXPECT_EQ(m->rowCount(), reponse == boite::OUI ? 2 : 3);
  }
  EXPECT_EQ(coups_base(), (QStringList{"1.e4 e5 *", "1.d4 *"}));
}

// While the grid holds the opening base, compaction is refused.
TEST_F(Grille, LaGrilleOuverteBloqueLaReorganisation) {
  base_eco = chemin_base();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  reorganise_base_eco();
  EXPECT_TRUE(BoitesEnTest::textes().last().contains(QStringLiteral("grille")));
  delete grille;
  grille = nullptr;
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  reorganise_base_eco();
  EXPECT_EQ(BoitesEnTest::textes().last(), QStringLiteral("La base de données est réorganisée avec succès !"));
}

}  // namespace
