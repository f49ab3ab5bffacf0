#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "tests/common/aide_tests.h"

using namespace plateforme;

class PlatformBase : public TestMorvandel {};

TEST_F(PlatformBase, PathsAreMadeAbsoluteUnderTheProgramFolder) {
  const QString d = dossier();
  EXPECT_EQ(chemin_absolu("\\base\\eco.db"), QDir::cleanPath(d + "/base/eco.db"));
  EXPECT_EQ(chemin_absolu("base/eco.db"), QDir::cleanPath(d + "/base/eco.db"));
  EXPECT_EQ(chemin_absolu("/tmp/x.log"), "/tmp/x.log");
  EXPECT_EQ(chemin_natif("a\\b\\c.pgn"), "a/b/c.pgn");
}

TEST_F(PlatformBase, TextFilesAreWindows1252WithCrlf) {
  const QString f = dossier() + "/essai.txt";
  ASSERT_TRUE(ecrit_lignes(f, {"Échec au Roi !", "€ – œ"}));
  QFile brut(f);
  ASSERT_TRUE(brut.open(QIODevice::ReadOnly));
  const QByteArray octets = brut.readAll();
  EXPECT_EQ(octets, QByteArray("\xC9" "chec au Roi !\r\n\x80 \x96 \x9C\r\n"));
  QStringList lignes;
  ASSERT_TRUE(lit_lignes(f, lignes));
  EXPECT_EQ(lignes, QStringList({"Échec au Roi !", "€ – œ"}));
}

TEST_F(PlatformBase, ReadingAcceptsLfOnlyAndKeepsEmptyLines) {
  const QString f = dossier() + "/lf.txt";
  QFile brut(f);
  ASSERT_TRUE(brut.open(QIODevice::WriteOnly));
  brut.write("a\n\nb\r\nc");
  brut.close();
  QStringList lignes;
  ASSERT_TRUE(lit_lignes(f, lignes));
  EXPECT_EQ(lignes, QStringList({"a", "", "b", "c"}));
  QString erreur;
  EXPECT_FALSE(lit_lignes(dossier() + "/absent.txt", lignes, &erreur));
  EXPECT_FALSE(erreur.isEmpty());
}

TEST_F(PlatformBase, AppendAddsToTheEnd) {
  const QString f = dossier() + "/journal.log";
  ASSERT_TRUE(ajoute_texte(f, "un\r\n"));
  ASSERT_TRUE(ajoute_texte(f, "deux\r\n"));
  QStringList lignes;
  ASSERT_TRUE(lit_lignes(f, lignes));
  EXPECT_EQ(lignes, QStringList({"un", "deux"}));
}

TEST_F(PlatformBase, BoxesTakeQueuedAnswersAndAreRecorded) {
  BoitesEnTest::repond(boite::OUI);
  EXPECT_EQ(boite_message("Proposer la partie NULLE ?", boite::OUI_NON + boite::QUESTION), boite::OUI);
  BoitesEnTest::saisit("D");
  EXPECT_EQ(boite_saisie("Pièce ?", "Promotion"), "D");
  ASSERT_EQ(BoitesEnTest::vues().size(), 2);
  EXPECT_EQ(BoitesEnTest::vues()[0].titre, "Morvandel");
  EXPECT_EQ(BoitesEnTest::vues()[1].titre, "Promotion");
  EXPECT_TRUE(BoitesEnTest::vues()[1].saisie);
}

// A real box shows its text as it stands: a nickname such as "<b>Bob</b>"
// typed by a remote player is never read as markup.
TEST_F(PlatformBase, ARealBoxShowsItsTextAsPlainText) {
  BoitesEnTest::desactive();
  Qt::TextFormat format = Qt::RichText;
  QString vu;
  QTimer essai;
  essai.setInterval(10);
  QObject::connect(&essai, &QTimer::timeout, [&] {
    auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!b) return;
    essai.stop();
    format = b->textFormat();
    vu = b->text();
    b->button(QMessageBox::Ok)->click();
  });
  essai.start();
  boite_message(QStringLiteral("Acceptez-vous une nouvelle partie avec '<b>Bob</b>' ?"));
  BoitesEnTest::active([](const QString& texte) { ADD_FAILURE() << "unexpected box: " << texte.toStdString(); });
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(vu, QStringLiteral("Acceptez-vous une nouvelle partie avec '<b>Bob</b>' ?"));
}
