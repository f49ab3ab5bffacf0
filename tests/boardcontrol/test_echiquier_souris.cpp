// Mouse input on the board control: which square, which events, and the
// Enabled flag that shuts them off.
#include <QTest>

#include "tests/boardcontrol/aide_echiquier.h"

class SourisEchiquier : public TestEchiquier {
 protected:
  void SetUp() override {
    TestEchiquier::SetUp();
    prepare(2);
  }
  Ecouteur ecoute{echiquier};
};

TEST_F(SourisEchiquier, AClickOnEverySquareReportsItsColumnAndRow) {
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      ecoute.evenements.clear();
      const QRect r = echiquier.rect_image(c, l);
      QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, r.center());
      const int index = (l - 1) * 8 + c;
      const float x = static_cast<float>(r.center().x() - r.left());
      const float y = static_cast<float>(r.center().y() - r.top());
      const std::vector<EvenementSouris> attendu = {{'D', c, l, index, 1, 0, x, y},
                                                    {'U', c, l, index, 1, 0, x, y},
                                                    {'C', c, l, 0, 0, 0, 0, 0}};
      EXPECT_EQ(ecoute.evenements, attendu) << "square " << c << ", " << l;
    }
}

TEST_F(SourisEchiquier, TheCornersOfASquareImageBelongToIt) {
  // Image 51 is column 3, row 7; its first and last pixels both report it.
  const QRect r = echiquier.rect_image(3, 7);
  for (const QPoint& p : {r.topLeft(), r.bottomRight(), QPoint(r.left(), r.bottom())}) {
    ecoute.evenements.clear();
    QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, p);
    ASSERT_EQ(ecoute.evenements.size(), 3u);
    EXPECT_EQ(ecoute.evenements[0].index, 51);
    EXPECT_EQ(ecoute.evenements[2], (EvenementSouris{'C', 3, 7, 0, 0, 0, 0, 0}));
  }
}

TEST_F(SourisEchiquier, AClickBetweenOrBeyondTheSquaresReportsNothing) {
  const QRect a = echiquier.rect_image(1, 1);
  const QRect h = echiquier.rect_image(8, 8);
  const QPoint points[] = {
      {a.right() + 1, a.center().y()},   // between columns 1 and 2
      {a.center().x(), a.bottom() + 1},  // between rows 1 and 2
      {a.right() + 1, a.bottom() + 1},   // where four squares meet
      {h.right() + 1, h.center().y()},   // right of the last column
      {h.center().x(), echiquier.height() - 1},
  };
  for (const QPoint& p : points) {
    ASSERT_EQ(echiquier.image_sous(p), 0) << p.x() << ", " << p.y();
    QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseClick(&echiquier, Qt::RightButton, Qt::NoModifier, p);
  }
  EXPECT_TRUE(ecoute.evenements.empty());
}

TEST_F(SourisEchiquier, OtherButtonsAndKeysArePassedOnWithoutAClick) {
  const QRect r = echiquier.rect_image(6, 2);
  QTest::mouseClick(&echiquier, Qt::RightButton, Qt::ControlModifier, r.topLeft() + QPoint(4, 9));
  QTest::mouseClick(&echiquier, Qt::MiddleButton, Qt::ShiftModifier | Qt::AltModifier, r.topLeft());
  const std::vector<EvenementSouris> attendu = {{'D', 6, 2, 14, 2, 2, 4, 9},
                                                {'U', 6, 2, 14, 2, 2, 4, 9},
                                                {'D', 6, 2, 14, 4, 5, 0, 0},
                                                {'U', 6, 2, 14, 4, 5, 0, 0}};
  EXPECT_EQ(ecoute.evenements, attendu);
}

TEST_F(SourisEchiquier, AReleaseOnAnotherSquareGoesToTheFirstAndIsNoClick) {
  const QRect depart = echiquier.rect_image(2, 2);
  const QRect arrivee = echiquier.rect_image(2, 4);
  QTest::mousePress(&echiquier, Qt::LeftButton, Qt::NoModifier, depart.center());
  QTest::mouseRelease(&echiquier, Qt::LeftButton, Qt::NoModifier, arrivee.center());
  ASSERT_EQ(ecoute.evenements.size(), 2u);
  EXPECT_EQ(ecoute.evenements[0].genre, 'D');
  EXPECT_EQ(ecoute.evenements[1].genre, 'U');
  EXPECT_EQ(ecoute.evenements[1].index, 10);
  EXPECT_EQ(ecoute.evenements[1].y, static_cast<float>(arrivee.center().y() - depart.top()));
  // Nothing is left over for the next gesture.
  ecoute.evenements.clear();
  QTest::mouseRelease(&echiquier, Qt::LeftButton, Qt::NoModifier, arrivee.center());
  EXPECT_TRUE(ecoute.evenements.empty());
}

TEST_F(SourisEchiquier, WhileEnabledIsFalseTheBoardTakesNoMouseInput) {
  echiquier.Enabled(false);
  EXPECT_FALSE(echiquier.Enabled());
  EXPECT_TRUE(echiquier.isEnabled());  // not the widget's own state
  const QPoint p = echiquier.rect_image(5, 2).center();
  QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, p);
  QTest::mouseClick(&echiquier, Qt::RightButton, Qt::NoModifier, p);
  EXPECT_TRUE(ecoute.evenements.empty());

  // Written by name, as a property page does.
  ASSERT_TRUE(echiquier.setProperty("Enabled", true));
  EXPECT_TRUE(echiquier.Enabled());
  QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, p);
  ASSERT_EQ(ecoute.evenements.size(), 3u);
  EXPECT_EQ(ecoute.evenements[2], (EvenementSouris{'C', 5, 2, 0, 0, 0, 0, 0}));
}

TEST_F(SourisEchiquier, TheSquaresFollowTheControlsSize) {
  echiquier.resize(2 * Echiquier::COTE_NORMAL, 2 * Echiquier::COTE_NORMAL);
  EXPECT_EQ(echiquier.pas_grille(), 74);
  EXPECT_EQ(echiquier.cote_image(), 72);
  QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, QPoint(7 * 74 + 70, 6 * 74 + 1));
  QTest::mouseClick(&echiquier, Qt::LeftButton, Qt::NoModifier, QPoint(73, 10));  // a gap
  ASSERT_EQ(ecoute.evenements.size(), 3u);
  EXPECT_EQ(ecoute.evenements[2], (EvenementSouris{'C', 8, 7, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(proche(centre(8, 7), couleur_test(8)));
  EXPECT_TRUE(proche(centre(4, 1), couleur_test(6)));
}
