// The first-start language dialog.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "langlib/langue.h"
#include "app/dialogue_langue.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/lancement.h"
#include "tests/common/aide_tests.h"

namespace {

class DialogueLangue : public TestMorvandel {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    first_startup = 1;
    fenetres::instance<Menu>();
  }
  QByteArray fichier() { return octets_fichier(fichier_ini); }
};

}  // namespace

TEST_F(DialogueLangue, ShowsFixedTextsAndTheWelcomeTitle) {
  Language d;
  EXPECT_EQ(d.objectName(), "Language");
  EXPECT_EQ(d.windowTitle(), "Morvandel v5.0.1 -  Welcome!");
  EXPECT_EQ(d.Frame->title(), "Choisissez une langue / Preference language");
  const char* const attendus[9] = {nullptr, "Français", "English", "Italiano", "Español",
                                   "Deutsch", "Portuguese", "Russian", "Pole"};
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(d.Command1[i]->text(), QString::fromUtf8(attendus[i]));
    EXPECT_EQ(d.findChild<QPushButton*>("Command1(" + QString::number(i) + ")"), d.Command1[i]);
  }
  EXPECT_EQ(d.Command2->text(), "E&xit");
  EXPECT_EQ(d.Label4->text(), "WEB:");
  for (int i = 0; i <= 9; ++i) EXPECT_NE(d.findChild<QLabel*>("Image(" + QString::number(i) + ")"), nullptr) << i;
  // Not localised: the dispatch leaves it alone.
  cle_langue = 2;
  applique_langue();
  affiche_libelles(&d);
  EXPECT_EQ(d.Command2->text(), "E&xit");
}

TEST_F(DialogueLangue, RussianAppliesTheLanguageAndStoresIt) {
  Language d;
  d.Command1[7]->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(cle_langue, 7);
  EXPECT_EQ(first_startup, 0);
  EXPECT_EQ(base_texte, 6010);
  EXPECT_EQ(style_notation, 2);
  Menu& m = fenetres::instance<Menu>();
  EXPECT_TRUE(m.notation_pgn->isChecked());
  EXPECT_FALSE(m.notation_francaise->isChecked());
  EXPECT_EQ(m.menu_fichier->title(), objet_langue().affiche_texte(6011));
  const QByteArray f = fichier();
  EXPECT_TRUE(f.contains("\r\nCLE_LANGUE=7\r\n"));
  EXPECT_TRUE(f.startsWith("[GENERAL]\r\nFIRST_STARTUP=0\r\n"));
}

TEST_F(DialogueLangue, FrenchChecksTheFrenchNotation) {
  style_notation = 2;
  fenetres::instance<Menu>().notation_francaise->setChecked(false);
  fenetres::instance<Menu>().notation_pgn->setChecked(true);
  Language d;
  d.Command1[1]->click();
  EXPECT_EQ(cle_langue, 1);
  EXPECT_EQ(style_notation, 1);
  EXPECT_TRUE(fenetres::instance<Menu>().notation_francaise->isChecked());
  EXPECT_FALSE(fenetres::instance<Menu>().notation_pgn->isChecked());
  EXPECT_EQ(fenetres::instance<Menu>().menu_fichier->title(), "&Fichier");
}

TEST_F(DialogueLangue, ExitWritesNothingAndKeepsTheFirstStartFlag) {
  Language d;
  d.Command2->click();
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(first_startup, 1);
  EXPECT_EQ(cle_langue, 1);
  EXPECT_TRUE(fichier().isEmpty());
}

TEST_F(DialogueLangue, TheLinkOpensTheWebSite) {
  Language d;
  d.show();
  QTest::mouseClick(d.Label3, Qt::LeftButton);
  EXPECT_EQ(plateforme::LancementsEnTest::demandes(), QStringList({"adresse:https://morvandel.example.org"}));
  EXPECT_EQ(d.Label3->text(), "https://morvandel.example.org");
}
