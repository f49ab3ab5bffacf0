// Printing a list view: pages by measured row height (0 rows, one page of
// rows, one more), the page form, hidden and zero-width columns, cells cut
// to their column, a failed print, and the board window's game list button.
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include "localisation/textes_langue.h"
#include "platform/imprimante.h"
#include "play/impression.h"
#include "play/modele_parties.h"
#include "play/plateau.h"
#include "tests/common/aide_pdf.h"
#include "tests/play/aide_plateau.h"

namespace {

class TestImpressionListe : public TestPlateau {
 protected:
  // A list of three columns (the middle one hidden) and `n` rows.
  void remplit(QTreeWidget& l, int n) {
    l.setColumnCount(3);
    l.setHeaderLabels({"Blanc", "Secret", "Noir"});
    l.setColumnWidth(0, 200);
    l.setColumnWidth(1, 100);
    l.setColumnWidth(2, 200);
    l.setColumnHidden(1, true);
    for (int i = 1; i <= n; ++i)
      new QTreeWidgetItem(&l, {QString("blanc%1").arg(i), "cache", QString("noir%1").arg(i)});
  }
  QStringList imprime(QTreeWidget& l, QString titre = "  liste des parties ") {
    EXPECT_TRUE(imprime_liste(l, titre, " Le 01/02/2026 à 10:00", "Arial", 10));
    EXPECT_EQ(titre, "LISTE DES PARTIES");
    EXPECT_EQ(impressions().size(), 1);
    if (impressions().isEmpty()) return {};
    const QStringList p = pages_pdf(impressions().back());
    EXPECT_EQ(nb_pages_pdf(impressions().back()), p.size());
    return p;
  }
};

TEST_F(TestImpressionListe, PagesFollowTheRowsThatFit) {
  const int n = lignes_table_par_page("Arial", 10);
  ASSERT_GT(n, 10);
  const struct {
    int lignes;
    int pages;
  } cas[] = {{0, 1}, {1, 1}, {n, 1}, {n + 1, 2}, {2 * n, 2}, {2 * n + 1, 3}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.lignes);
    plateforme::ImpressionsEnTest::efface();
    QTreeWidget l;
    remplit(l, c.lignes);
    const QStringList pages = imprime(l);
    ASSERT_EQ(pages.size(), c.pages);
    int lues = 0;
    for (int k = 0; k < pages.size(); ++k) {
      const QString page = pages[k];
      const QString numero = QString("Page %1/%2").arg(k + 1).arg(c.pages);
      EXPECT_TRUE(page.contains("LISTE DES PARTIES")) << page.toStdString();
      EXPECT_TRUE(page.contains(numero)) << page.toStdString();
      EXPECT_TRUE(page.contains("Le 01/02/2026 à 10:00"));
      EXPECT_TRUE(page.contains("Blanc") && page.contains("Noir"));
      EXPECT_TRUE(page.contains("Morvandel v5.0.1"));
      // Each page's rows, in order, and never more than fit.
      int ici = 0;
      for (const QString& ligne : lignes_page(page))
        if (ligne.startsWith("blanc")) {
          ++lues;
          ++ici;
          EXPECT_EQ(ligne.simplified(), QString("blanc%1 noir%1").arg(lues));
        }
      EXPECT_LE(ici, n);
      EXPECT_FALSE(page.contains("Secret") || page.contains("cache"));
    }
    EXPECT_EQ(lues, c.lignes);
  }
}

TEST_F(TestImpressionListe, ColumnsOfNoWidthTakeNoRoomAndCellsAreCut) {
  QTreeWidget l;
  remplit(l, 2);
  // Every column but one of no width: the one takes the whole page.
  l.header()->setMinimumSectionSize(0);
  l.header()->setStretchLastSection(false);
  l.setColumnWidth(0, 0);
  l.setColumnHidden(1, false);
  l.setColumnWidth(1, 0);
  l.topLevelItem(0)->setText(2, QString(400, 'W'));
  QStringList pages = imprime(l);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_FALSE(pages[0].contains("blanc"));
  EXPECT_TRUE(pages[0].contains("noir2"));
  const QString w = lignes_page(pages[0]).filter(QRegularExpression("^W+$")).value(0);
  EXPECT_GT(w.size(), 20);
  EXPECT_LT(w.size(), 400);

  // No width at all: the page head and foot, no row, no division by zero.
  plateforme::ImpressionsEnTest::efface();
  l.setColumnWidth(2, 0);
  pages = imprime(l);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("Page 1/1"));
  EXPECT_FALSE(pages[0].contains("noir"));
}

// A name or a move line longer than its column wraps within it: every word
// printed, in order, the rows below pushed down; rows of several lines take
// more pages, none split over two.
TEST_F(TestImpressionListe, LongValuesWrapWithinTheirColumn) {
  const int n = lignes_table_par_page("Arial", 10);
  QStringList mots;
  for (int i = 1; i <= 40; ++i) mots << QString("mot%1").arg(i);
  QTreeWidget l;
  remplit(l, 3);
  l.topLevelItem(1)->setText(0, mots.join(' '));
  const QStringList lignes = lignes_page(imprime(l).value(0));
  const int debut = lignes.indexOf(QRegularExpression("^mot1 .*noir2$"));
  ASSERT_GE(debut, 0) << lignes.join('\n').toStdString();
  QStringList lus;
  int k = debut;
  for (; k < lignes.size() && lignes[k].startsWith("mot"); ++k)
    lus << lignes[k].split(' ', Qt::SkipEmptyParts).filter(QRegularExpression("^mot\\d+$"));
  EXPECT_GT(k - debut, 1) << "the name takes more than one line";
  EXPECT_EQ(lus, mots);
  EXPECT_EQ(lignes.value(k).simplified(), "blanc3 noir3");

  // A page's worth of rows, each more than a line high: more than a page,
  // and each row's words on one page.
  plateforme::ImpressionsEnTest::efface();
  QTreeWidget d;
  remplit(d, n);
  for (int i = 0; i < n; ++i) d.topLevelItem(i)->setText(2, QString("noir%1 ").arg(i + 1) + mots.join(' '));
  const QStringList pages = imprime(d);
  EXPECT_GE(pages.size(), 2);
  for (const QString& page : pages)
    EXPECT_EQ(page.count(QRegularExpression("\\bmot1\\b")), page.count(QRegularExpression("\\bmot40\\b")));
}

TEST_F(TestImpressionListe, FooterDateFollowsTheLanguage) {
  const struct {
    int langue;
    QString date;
  } cas[] = {{1, QDate::currentDate().toString("dd/MM/yyyy")}, {2, QDate::currentDate().toString("MM/dd/yyyy")}};
  for (const auto& c : cas) {
    plateforme::ImpressionsEnTest::efface();
    cle_langue = c.langue;
    QTreeWidget l;
    remplit(l, 1);
    EXPECT_TRUE(imprime(l).value(0).contains(c.date)) << c.langue;
    EXPECT_TRUE(tampon_impression().startsWith(c.langue == 2 ? " The " : " Le "));
  }
}

TEST_F(TestImpressionListe, FailedPrintShowsTheErrorWithTheStopIcon) {
  QTreeWidget l;
  remplit(l, 3);
  plateforme::ImpressionsEnTest::echoue("Pas d'imprimante");
  plateforme::BoitesEnTest::repond(boite::OK);
  QString titre = "x";
  EXPECT_FALSE(imprime_liste(l, titre, "", "Arial", 10));
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte, "Pas d'imprimante");
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::CRITIQUE);
}

// The board window's button prints its game list, then says so; an empty
// list prints nothing; a failure is not called finished.
TEST_F(TestImpressionListe, BoardWindowButtonPrintsTheGameList) {
  ouvre();
  QTest::mouseClick(p->Command6, Qt::LeftButton);
  EXPECT_TRUE(impressions().isEmpty());
  EXPECT_TRUE(plateforme::BoitesEnTest::vues().isEmpty());

  const QString partie[ModeleParties::NB_TEXTES] = {"Linares", "", "", "", "Kasparov", "Karpov", "1-0"};
  p->modele_parties->prepare(0, partie);
  p->modele_parties->publie();
  plateforme::ImpressionsEnTest::echoue("Imprimante absente");
  plateforme::BoitesEnTest::repond(boite::OK);
  QTest::mouseClick(p->Command6, Qt::LeftButton);
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{"Imprimante absente"});

  plateforme::BoitesEnTest::efface();
  plateforme::BoitesEnTest::repond(boite::OK);
  QTest::mouseClick(p->Command6, Qt::LeftButton);
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{texte(220)});
  ASSERT_EQ(impressions().size(), 1);
  const QString page = pages_pdf(impressions()[0]).value(0);
  EXPECT_TRUE(page.contains(texte(173).toUpper())) << page.toStdString();
  EXPECT_TRUE(page.contains("Kasparov"));
  EXPECT_TRUE(page.contains("Karpov"));
}

}  // namespace
