#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
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
struct BoiteReelle {
  QString texte;
  Qt::TextFormat format = Qt::RichText;
  bool dans_ecran = false;
};

BoiteReelle montre_boite_reelle(const QString& texte) {
  BoitesEnTest::desactive();
  BoiteReelle vue;
  QTimer essai;
  essai.setInterval(10);
  QObject::connect(&essai, &QTimer::timeout, [&] {
    auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!b) return;
    essai.stop();
    vue.format = b->textFormat();
    vue.texte = b->text();
    vue.dans_ecran = b->screen()->availableGeometry().size().expandedTo(b->frameGeometry().size()) ==
                     b->screen()->availableGeometry().size();
    b->button(QMessageBox::Ok)->click();
  });
  essai.start();
  boite_message(texte);
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
}

// Whatever a file or a person gave, ten megabytes of it, a box quotes a
// readable part and fits the screen; the program's own sentence around it
// stays, and a text of ordinary length is shown whole.
TEST_F(PlatformBase, ABoxQuotesAReadablePartOfAHugeValueAndFitsTheScreen) {
  constexpr qsizetype DIX_MO = 10 * 1000 * 1000;
  auto repete = [](const QString& motif) { return motif.repeated(DIX_MO / motif.size()); };
  struct Cas {
    const char* nom;
    QString avant, valeur, apres;
    bool entier;  // shown as it stands
  };
  const QString phrase = QString::fromUtf8(
      "Значение ключа NIVEAU_ELO в файле morvandel.ini не является числом от 0 до 3000: "
      "сохраняется встроенное значение. Исправьте файл в текстовом редакторе или выберите уровень в окне "
      "настроек, затем перезапустите программу, чтобы изменение вступило в силу полностью и навсегда.");
  const std::vector<Cas> cas = {
      {"a setting's value", "Valeur « ", QString(DIX_MO, QLatin1Char('9')), " » refusée pour NIVEAU_ELO.", false},
      {"a tag with blanks", "[Event \"", repete("Open de Paris "), "\"]\n1.e4 e5 *", false},
      {"a name of two-unit characters", "Joueur : ", repete(QString::fromUtf8("\xF0\x9F\x98\x80")), " !", false},
      {"a path", "Fichier introuvable : /home/moi/", repete("dossier/"), "partie.pgn", false},
      {"a position", "Position refusée : ", repete("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 "), ".", false},
      {"a received message of many lines", "Message reçu :\n", repete("ligne\n"), "fin", false},
      {"a received message of many long lines", "Message reçu :\n", repete(QString("mot ").repeated(250) + "\n"), "fin", false},
      {"the program's longest sentence", phrase, "", "", true},
      {"a list of fifteen lines", "Problèmes :", QStringLiteral("\n- une page illisible").repeated(14), "", true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const QString texte = c.avant + c.valeur + c.apres;
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    boite_message(texte);
    ASSERT_EQ(BoitesEnTest::textes().size(), 1);
    const QString vu = BoitesEnTest::textes()[0];
    if (c.entier) {
      EXPECT_EQ(vu, texte);
    } else {
      const QStringList lignes = vu.split(QLatin1Char('\n'));
      EXPECT_LE(lignes.size(), LIGNES_BOITE_MAX);
      for (const QString& l : lignes) EXPECT_LE(l.size(), LIGNE_BOITE_MAX);
      EXPECT_TRUE(vu.startsWith(c.avant + c.valeur.left(20))) << vu.left(200).toStdString();
      EXPECT_TRUE(vu.endsWith(c.apres)) << vu.right(200).toStdString();
      EXPECT_TRUE(vu.contains(QChar(0x2026)));
      EXPECT_TRUE(QStringView(vu).isValidUtf16());
    }
    const BoiteReelle reelle = montre_boite_reelle(texte);
    EXPECT_TRUE(reelle.dans_ecran);
    if (c.entier) {
      EXPECT_EQ(reelle.texte, texte);
    }
    EXPECT_LE(reelle.texte.size(), vu.size());
  }
}

// The quote of one value alone: whole when short, else its first characters
// and "…", never half of a character.
TEST_F(PlatformBase, AQuoteKeepsItsFirstCharacters) {
  const QString rire = QString::fromUtf8("\xF0\x9F\x98\x80");
  struct Cas {
    QString valeur;
    int max;
    QString attendu;
  } cas[] = {
      {"NIVEAU_ELO", CITATION_MAX, "NIVEAU_ELO"},
      {QString(CITATION_MAX, QLatin1Char('9')), CITATION_MAX, QString(CITATION_MAX, QLatin1Char('9'))},
      {QString(10 * 1000 * 1000, QLatin1Char('9')), CITATION_MAX, QString(CITATION_MAX, QLatin1Char('9')) + QChar(0x2026)},
      {"e4" + rire + rire, 3, "e4" + QString(QChar(0x2026))},
      {"e4" + rire + rire, 4, "e4" + rire + QChar(0x2026)},
  };
  for (const Cas& c : cas) EXPECT_EQ(cite(c.valeur, c.max), c.attendu) << c.valeur.left(20).toStdString();
}
