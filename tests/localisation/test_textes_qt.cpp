// Qt's own texts follow the program's language.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "tests/common/aide_tests.h"

namespace {

class TextesQt : public TestMorvandel {
 protected:
  void TearDown() override {
    cle_langue = 1;
    applique_langue();
    TestMorvandel::TearDown();
  }
};

struct BoutonsAttendus {
  int cle;
  const char* oui;
  const char* non;
};

TEST_F(TextesQt, LesBoutonsOuiNonSuiventChaqueLangue) {
  const BoutonsAttendus lignes[] = {
      {1, "&Oui", "&Non"}, {2, "&Yes", "&No"},  {3, "&Sì", "&No"},   {4, "&Sí", "&No"},
      {5, "&Ja", "&Nein"}, {6, "&Sim", "&Não"}, {7, "&Да", "&Нет"}, {8, "&Tak", "&Nie"},
  };
  // English last too: going back to a language without its own texts must
  // drop the previous translation.
  for (const auto& ligne : lignes) {
    cle_langue = ligne.cle;
    applique_langue();
    QMessageBox boite(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(boite.button(QMessageBox::Yes)->text(), QString::fromUtf8(ligne.oui)) << ligne.cle;
    EXPECT_EQ(boite.button(QMessageBox::No)->text(), QString::fromUtf8(ligne.non)) << ligne.cle;
  }
  cle_langue = 2;
  applique_langue();
  QMessageBox boite(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(boite.button(QMessageBox::Yes)->text(), "&Yes");
}

}  // namespace
