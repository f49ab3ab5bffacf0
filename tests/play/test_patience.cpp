// The progress window, its percentage bar and the hourglass.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "openings/liens_ouvertures.h"
#include "platform/evenements.h"
#include "play/boite_image.h"
#include "play/patience.h"
#include "tests/common/aide_tests.h"

namespace {

class Patience : public TestMorvandel {
 protected:
  void TearDown() override {
    patience::decharge();
    sablier(0);
    TestMorvandel::TearDown();
  }
};

// How many pixels of row y are the bar's colour (blue on a white box).
int pixels_bleus(const QImage& image, int y) {
  int n = 0;
  for (int x = 0; x < image.width(); ++x)
    if (image.pixelColor(x, y) == QColor(0, 0, 255)) ++n;
  return n;
}

}  // namespace

TEST_F(Patience, LaBarreRemplitLaPartDemandeeDepuisLaGauche) {
  patience& p = patience::instance();
  p.Picture1->setFixedSize(200, 20);
  affiche_progression(*p.Picture1, 50);
  const QImage& im = p.Picture1->image();
  ASSERT_EQ(im.width(), 200);
  // Row 1 lies above the text: only the bar is there.
  EXPECT_EQ(pixels_bleus(im, 1), 100);
  EXPECT_EQ(im.pixelColor(0, 1), QColor(0, 0, 255));
  EXPECT_EQ(im.pixelColor(99, 1), QColor(0, 0, 255));
  EXPECT_EQ(im.pixelColor(100, 1), QColor(255, 255, 255));

  affiche_progression(*p.Picture1, 100);
  EXPECT_EQ(pixels_bleus(p.Picture1->image(), 1), 200);
  affiche_progression(*p.Picture1, 0);
  EXPECT_EQ(pixels_bleus(p.Picture1->image(), 1), 0) << "0 draws no bar";
}

TEST_F(Patience, LeTexteEstInverseSousLaBarre) {
  patience& p = patience::instance();
  p.Picture1->setFixedSize(200, 20);
  // With no bar the text is drawn in blue around the middle.
  affiche_progression(*p.Picture1, 1);
  QImage sans_barre = p.Picture1->image().copy();
  int bleus_texte = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 60; x < 140; ++x)
      if (sans_barre.pixelColor(x, y) == QColor(0, 0, 255)) ++bleus_texte;
  EXPECT_GT(bleus_texte, 10) << "the percentage is written";
  // Under a full bar every text pixel shows white on blue.
  affiche_progression(*p.Picture1, 100);
  int blancs = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x)
      if (p.Picture1->image().pixelColor(x, y) == QColor(255, 255, 255)) ++blancs;
  EXPECT_GT(blancs, 10);
  EXPECT_LT(blancs, 400);
}

TEST_F(Patience, LeBoutonArreterDemandeLArretSansFermerLaFenetre) {
  arret_demande = false;
  patience& p = patience::instance();
  p.show();
  EXPECT_EQ(p.objectName(), "patience");
  EXPECT_EQ(p.Command1->objectName(), "Command1");
  QTest::mouseClick(p.Command1, Qt::LeftButton);
  EXPECT_TRUE(arret_demande);
  QTest::mouseClick(p.Command1, Qt::LeftButton);
  EXPECT_TRUE(arret_demande);
  EXPECT_EQ(patience::existante(), &p);
  EXPECT_TRUE(p.isVisible());
  patience::decharge();
  EXPECT_EQ(patience::existante(), nullptr);
  EXPECT_NE(&patience::instance(), nullptr) << "created again on the next use";
}

TEST_F(Patience, SablierNeConnaitQueUnEtZero) {
  sablier(0);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
  sablier(1);
  EXPECT_TRUE(plateforme::curseur_attente_actif());
  sablier(2);
  EXPECT_TRUE(plateforme::curseur_attente_actif()) << "2 leaves the pointer as it is";
  sablier(0);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
  sablier(7);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
}

TEST_F(Patience, LesTravauxDeLaBaseDOuverturesPassentParLaFenetre) {
  ASSERT_TRUE(liens_ouvertures().patience);
  FenetreProgression* f = liens_ouvertures().patience();
  ASSERT_NE(f, nullptr);
  f->montre(QStringLiteral("Chargement de essai.pgn"));
  patience* p = patience::existante();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->isVisible());
  EXPECT_EQ(p->windowTitle(), "Chargement de essai.pgn");
  EXPECT_EQ(p->Command1->text(), "&Arrêter") << "captioned when it loads";
  f->definit_libelle(QStringLiteral("12 parties"));
  EXPECT_EQ(p->Label1->text(), "12 parties");
  p->Picture1->setFixedSize(100, 40);
  f->progression(30);
  EXPECT_EQ(pixels_bleus(p->Picture1->image(), 1), 30);
  f->ferme();
  EXPECT_EQ(patience::existante(), nullptr);
}
