// The printer service: scale, measures, pages, the page break by measured
// line height with header and footer, the PDF of the test seam, the preview
// window, failures.
#include <QFileInfo>

#include "platform/imprimante.h"
#include "tests/common/aide_pdf.h"
#include "tests/common/aide_tests.h"

using plateforme::ErreurImpression;
using plateforme::Imprimante;
using plateforme::ImpressionsEnTest;

namespace {

class TestImprimante : public TestMorvandel {};

TEST_F(TestImprimante, MeasuresFollowTheFontAndTheScale) {
  Imprimante imp;
  imp.police("Courier New");
  imp.taille(12);
  const double h12 = imp.hauteur_ligne();
  const double l12 = imp.largeur_texte("MMMMMMMMMM");
  EXPECT_GT(h12, 0.5);
  EXPECT_LT(h12, 5.0);
  // A fixed pitch: ten "i" as wide as ten "M".
  EXPECT_NEAR(imp.largeur_texte("iiiiiiiiii"), l12, 1e-6);
  imp.taille(24);
  EXPECT_NEAR(imp.hauteur_ligne(), 2 * h12, 0.1 * h12);
  // Half the scale's height: each unit twice as high.
  imp.echelle(100, 50);
  EXPECT_NEAR(imp.hauteur_ligne(), h12, 0.1 * h12);
  imp.annule();
}

TEST_F(TestImprimante, PrintMovesToTheNextLineAndSplitsAtLineEnds) {
  Imprimante imp;
  const double h = imp.hauteur_ligne();
  imp.x(40);
  imp.y(10);
  imp.imprime("un\r\ndeux\rtrois\nquatre");
  EXPECT_DOUBLE_EQ(imp.x(), 0);
  EXPECT_NEAR(imp.y(), 10 + 4 * h, 1e-9);
  imp.imprime(QString());
  EXPECT_NEAR(imp.y(), 10 + 5 * h, 1e-9);
  EXPECT_EQ(imp.page(), 1);
  imp.nouvelle_page();
  EXPECT_EQ(imp.page(), 2);
  EXPECT_DOUBLE_EQ(imp.y(), 0);
  ASSERT_TRUE(imp.termine());
  ASSERT_EQ(impressions().size(), 1);
  EXPECT_EQ(nb_pages_pdf(impressions()[0]), 2);
  const QStringList lignes = lignes_page(pages_pdf(impressions()[0])[0]);
  EXPECT_EQ(lignes, (QStringList{"un", "deux", "trois", "quatre"}));
}

// A long text goes on over as many pages as it needs, each with the header
// and the footer, and no line below the text's limit.
TEST_F(TestImprimante, LongTextBreaksByMeasuredHeightWithHeaderAndFooter) {
  Imprimante imp;
  imp.taille(12);
  int pieds = 0, tetes = 0;
  double plus_bas = 0;
  imp.limite_texte(
      80,
      [&] {
        ++pieds;
        imp.x(0);
        imp.y(90);
        imp.imprime(QString("pied %1").arg(imp.page()));
      },
      [&] {
        ++tetes;
        imp.imprime(QString("tete %1").arg(imp.page()));
        imp.y(10);
      });
  QStringList attendues;
  for (int i = 1; i <= 120; ++i) {
    attendues << QString("ligne %1").arg(i);
    const double avant = imp.y();
    imp.imprime(attendues.back());
    if (avant >= 10) plus_bas = std::max(plus_bas, imp.y());
  }
  const int pages = imp.page();
  ASSERT_TRUE(imp.termine());
  EXPECT_LE(plus_bas, 80 + 1e-9);
  EXPECT_GE(pages, 2);
  EXPECT_EQ(pieds, pages - 1);
  EXPECT_EQ(tetes, pages - 1);
  const QStringList texte = pages_pdf(impressions()[0]);
  ASSERT_EQ(texte.size(), pages);
  EXPECT_EQ(nb_pages_pdf(impressions()[0]), pages);
  QStringList lues;
  for (int p = 0; p < texte.size(); ++p) {
    QStringList lignes = lignes_page(texte[p]);
    if (p > 0) {
      ASSERT_FALSE(lignes.isEmpty());
      EXPECT_EQ(lignes.takeFirst(), QString("tete %1").arg(p + 1));
    }
    if (p < texte.size() - 1) {
      ASSERT_FALSE(lignes.isEmpty());
      EXPECT_EQ(lignes.takeLast(), QString("pied %1").arg(p + 1));
    }
    lues << lignes;
  }
  EXPECT_EQ(lues, attendues);
}

TEST_F(TestImprimante, RoomForLinesIsMeasuredAgainstTheLimit) {
  Imprimante imp;
  const double h = imp.hauteur_ligne();
  imp.limite_texte(50);
  imp.y(50 - 3 * h);
  EXPECT_TRUE(imp.place_pour(3));
  EXPECT_FALSE(imp.place_pour(4));
  imp.annule();
}

TEST_F(TestImprimante, LinesAndAccentedTextReachThePdf) {
  Imprimante imp(Imprimante::Destination::imprimante, "essai");
  imp.paysage(true);
  imp.ligne(0, 13, 100, 13);
  imp.y(20);
  imp.imprime("Edition terminée à 10:00");
  ASSERT_TRUE(imp.termine());
  EXPECT_TRUE(pages_pdf(impressions()[0]).join("").contains("Edition terminée à 10:00"));
  // A second job after the first is a second file.
  Imprimante autre;
  autre.imprime("x");
  ASSERT_TRUE(autre.termine());
  EXPECT_EQ(impressions().size(), 2);
}

TEST_F(TestImprimante, CancelledOrDroppedJobPrintsNothing) {
  {
    Imprimante imp;
    imp.imprime("perdu");
    imp.annule();
    EXPECT_FALSE(imp.termine());
  }
  {
    Imprimante imp;
    imp.imprime("abandonné");
  }
  EXPECT_TRUE(impressions().isEmpty());
}

TEST_F(TestImprimante, FailedJobThrowsItsTextAndWritesNoFile) {
  ImpressionsEnTest::echoue("Imprimante hors ligne");
  Imprimante imp;
  imp.imprime("rien");
  try {
    imp.termine();
    FAIL() << "the failure was not reported";
  } catch (const ErreurImpression& e) {
    EXPECT_EQ(e.texte(), "Imprimante hors ligne");
  }
  EXPECT_TRUE(impressions().isEmpty());
  // The next job is sound again.
  Imprimante suivante;
  suivante.imprime("ok");
  EXPECT_TRUE(suivante.termine());
}

// The preview window opens, draws the pages and closes, no printer needed.
TEST_F(TestImprimante, PreviewOpensAndClosesWithoutPrinter) {
  ImpressionsEnTest::apercu_reel(true);
  Imprimante imp(Imprimante::Destination::apercu, "aperçu");
  imp.imprime("page une");
  imp.nouvelle_page();
  imp.imprime("page deux");
  ASSERT_TRUE(imp.termine());
  EXPECT_EQ(ImpressionsEnTest::apercus(), 1);
  ASSERT_EQ(impressions().size(), 1);
  EXPECT_EQ(nb_pages_pdf(impressions()[0]), 2);
}

}  // namespace
