#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "platform/texte_court.h"
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

namespace {

// A real box as the user sees it: its text, its format, whether it fits the screen.
struct BoiteReelle { QString texte; Qt::TextFormat format = Qt::RichText; bool dans_ecran = false;
                     QMessageBox::StandardButton defaut = QMessageBox::NoButton; };

BoiteReelle montre_boite_reelle(const QString& texte, int style = boite::OK_SEUL) {
  BoitesEnTest::desactive();
  BoiteReelle vue;
  QTimer essai;
  essai.setInterval(10);
  QObject::connect(&essai, &QTimer::timeout, [&] {
    auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!b) return;
    essai.stop();
    vue = {b->text(), b->textFormat(), b->screen()->availableGeometry().contains(b->frameGeometry()),
           b->standardButton(b->defaultButton())};
    b->done(0);
  });
  essai.start();
  boite_message(texte, style);
  BoitesEnTest::active([](const QString& t) { ADD_FAILURE() << "unexpected box: " << t.toStdString(); });
  return vue;
}

}  // namespace

// A real box shows its text as it stands: a nickname such as "<b>Bob</b>"
// typed by a remote player is never read as markup.
TEST_F(PlatformBase, ARealBoxShowsItsTextAsPlainText) {
  const BoiteReelle vue = montre_boite_reelle(QStringLiteral("Acceptez-vous une nouvelle partie avec '<b>Bob</b>' ?"));
  EXPECT_EQ(vue.format, Qt::PlainText);
  EXPECT_EQ(vue.texte, QStringLiteral("Acceptez-vous une nouvelle partie avec '<b>Bob</b>' ?"));
  // A question whose safe answer is No (a refused move of the peer) keeps it under Enter.
  EXPECT_EQ(montre_boite_reelle(QStringLiteral("?"), boite::OUI_NON + boite::DEFAUT_2).defaut, QMessageBox::No);
}

// Whatever a file or a person gave, ten megabytes of it, a box quotes a
// readable part of it, keeps the program's sentence around it and fits the
// screen; a text of ordinary length is shown whole.
TEST_F(PlatformBase, ABoxQuotesAReadablePartOfAHugeValueAndFitsTheScreen) {
  auto dix_mo = [](const QString& motif) { return motif.repeated(10 * 1000 * 1000 / motif.size()); };
  const struct {
    QString avant, valeur, apres;
    bool coupe = false;  // cut though shorter than 1000 characters
  } cas[] = {
      {"Valeur « ", dix_mo("9"), " » refusée pour NIVEAU_ELO."},
      {"[Event \"", dix_mo("Open de Paris "), "\"]\n1.e4 e5 *"},
      {"Joueur : ", dix_mo(QString::fromUtf8("\xF0\x9F\x98\x80")), " !"},
      {"Fichier introuvable : /home/moi/", dix_mo("dossier/"), "partie.pgn"},
      {"Position : ", dix_mo("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 "), "."},
      {"Message reçu :\n", dix_mo("ligne\n"), "fin"},
      {"Message reçu :\n", dix_mo(QString("mot ").repeated(250) + "\n"), "fin"},
      {QStringLiteral("Une phrase du programme, %1. ").repeated(12), "", ""},
      {"Problèmes :", QStringLiteral("\n- une page illisible").repeated(14), ""},
      {"", QStringLiteral("ligne\n").repeated(19), "fin"},
      {"", QStringLiteral("ligne\n").repeated(20), "fin", true},
  };
  for (const auto& c : cas) {
    const QString texte = c.avant + c.valeur + c.apres;
    SCOPED_TRACE(texte.left(40).toStdString());
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    boite_message(texte);
    const QString vu = BoitesEnTest::textes().value(0);
    const bool entier = texte.size() < 1000 && !c.coupe;
    EXPECT_EQ(vu == texte, entier) << vu.toStdString();
    EXPECT_LT(vu.count(QLatin1Char('\n')), LIGNES_BOITE_MAX);
    for (const QString& l : vu.split(QLatin1Char('\n'))) EXPECT_LE(l.size(), LIGNE_BOITE_MAX);
    EXPECT_TRUE(vu.startsWith(c.avant + c.valeur.left(20)) && vu.endsWith(c.apres)) << vu.left(300).toStdString();
    EXPECT_TRUE(QStringView(vu).isValidUtf16());
    const BoiteReelle reelle = montre_boite_reelle(texte);
    EXPECT_TRUE(reelle.dans_ecran);
    EXPECT_TRUE(entier ? reelle.texte == texte : reelle.texte.size() <= vu.size());
  }
  // One value alone: its first characters and "…", never half of a character.
  EXPECT_EQ(cite("NIVEAU_ELO"), "NIVEAU_ELO");
  EXPECT_EQ(cite(QString(80, QLatin1Char('x'))), QString(80, QLatin1Char('x')));
  EXPECT_EQ(cite(QString(81, QLatin1Char('x'))), QString(80, QLatin1Char('x')) + QChar(0x2026));
  EXPECT_EQ(cite(QString(10 * 1000 * 1000, QLatin1Char('9'))), QString(CITATION_MAX, QLatin1Char('9')) + QChar(0x2026));
  EXPECT_EQ(cite(dix_mo(QString::fromUtf8("\xF0\x9F\x98\x80")), 3), QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0x2026));
}
