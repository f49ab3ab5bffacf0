// Lines, circles and the highlight frame, checked on the control's pixels,
// and the colour values the host passes.
#include "tests/boardcontrol/aide_echiquier.h"

using mvdechiquier::couleur_rgb;
using mvdechiquier::valeur_rgb;

namespace {
const QColor JAUNE(255, 255, 0);
const QColor ROUGE(255, 0, 0);
const QColor VERT(0, 255, 0);
const QColor BLEU(0, 0, 255);
}  // namespace

TEST(CouleursEchiquier, ValuesAreBlueGreenRedFromTheHighByte) {
  EXPECT_EQ(couleur_rgb(65535), JAUNE);
  EXPECT_EQ(couleur_rgb(255), ROUGE);
  EXPECT_EQ(couleur_rgb(65280), VERT);
  EXPECT_EQ(couleur_rgb(0xFF0000), BLEU);
  EXPECT_EQ(couleur_rgb(0x123456), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(couleur_rgb(0), QColor(0, 0, 0));
  EXPECT_EQ(couleur_rgb(0x7F123456), QColor(0x56, 0x34, 0x12));  // the top byte is not a colour
  EXPECT_EQ(valeur_rgb(QColor(0x56, 0x34, 0x12)), 0x123456);
  EXPECT_EQ(valeur_rgb(JAUNE), 65535);
}

class DessinEchiquier : public TestEchiquier {
 protected:
  void SetUp() override {
    TestEchiquier::SetUp();
    prepare(1);
  }
  // The pixel of a board point.
  QColor vu(const QImage& image, double x, double y) {
    const QPointF p = echiquier.point_ecran(x, y);
    return image.pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
  }
};

TEST_F(DessinEchiquier, ALineShowsOnEmptySquaresPassesUnderPiecesAndGoesWithClearAll) {
  // Square (5, 5) holds a piece; (5, 6) and (5, 7) are empty. A yellow move
  // line of width 2 from the centre of (5, 7) to the centre of (5, 5).
  echiquier.Piece(5, 5, 8);
  echiquier.trace_ligne(5, 7, 5, 5, 65535, 0.5f, 1, 2);
  QImage image = capture(echiquier);
  EXPECT_TRUE(proche(vu(image, 5.5, 6.5), JAUNE)) << texte_couleur(vu(image, 5.5, 6.5));
  EXPECT_TRUE(proche(vu(image, 5.5, 7.2), JAUNE));
  // Width 2 and style 1: solid, as a dashed style shows only at width 1.
  for (double y = 5.6; y < 7.5; y += 0.05)
    EXPECT_FALSE(proche(vu(image, 5.5, y), GRIS)) << "gap in the line at " << y;
  // Under the piece the line is hidden; in the thin gap between two square
  // images the board, and the line on it, shows through.
  EXPECT_TRUE(proche(vu(image, 5.5, 5.7), couleur_test(8)));
  const int fente = echiquier.rect_image(5, 5).bottom() + 1;
  EXPECT_TRUE(proche(image.pixelColor(static_cast<int>(echiquier.point_ecran(5.5, 1).x()), fente), JAUNE));
  // Not beyond its ends, and not beside it.
  EXPECT_TRUE(proche(vu(image, 5.5, 7.8), GRIS));
  EXPECT_TRUE(proche(vu(image, 5.2, 6.5), GRIS));
  EXPECT_EQ(echiquier.nb_traces(), 1);

  // It lasts until clear_all, which leaves the pieces.
  echiquier.Piece(2, 2, 9);
  image = capture(echiquier);
  EXPECT_TRUE(proche(vu(image, 5.5, 6.5), JAUNE));
  echiquier.clear_all();
  image = capture(echiquier);
  EXPECT_TRUE(proche(vu(image, 5.5, 6.5), GRIS));
  EXPECT_TRUE(proche(image.pixelColor(static_cast<int>(echiquier.point_ecran(5.5, 1).x()), fente), GRIS));
  EXPECT_TRUE(proche(vu(image, 5.5, 5.7), couleur_test(8)));
  EXPECT_TRUE(proche(vu(image, 2.5, 2.5), couleur_test(9)));
  EXPECT_EQ(echiquier.nb_traces(), 0);
}

TEST_F(DessinEchiquier, ALineShowsThroughTheTransparentPartOfAnIcon) {
  // An icon whose top half is transparent.
  QImage demi(36, 36, QImage::Format_ARGB32);
  demi.fill(Qt::transparent);
  for (int y = 18; y < 36; ++y)
    for (int x = 0; x < 36; ++x) demi.setPixelColor(x, y, couleur_test(9));
  ASSERT_TRUE(mvdechiquier::ecrit_ico(jeu + QStringLiteral("9.ico"), {demi}));
  echiquier.Piece(3, 3, 9);
  echiquier.trace_ligne(3, 1, 3, 8, 0xFF0000, 0.5f, 0, 3);
  const QImage image = capture(echiquier);
  const QRect r = echiquier.rect_image(3, 3);
  const int x = static_cast<int>(echiquier.point_ecran(3.5, 1).x());
  EXPECT_TRUE(proche(image.pixelColor(x, r.top() + 8), BLEU));
  EXPECT_TRUE(proche(image.pixelColor(x, r.top() + 28), couleur_test(9)));
  EXPECT_TRUE(proche(image.pixelColor(r.left() + 3, r.top() + 8), GRIS));
}

TEST_F(DessinEchiquier, ACircleFitsTheSquareAndIsHollow) {
  echiquier.trace_cercle(3, 4, 255, 0.5f, 1, 2);
  const QImage image = capture(echiquier);
  // On the circle: the top, bottom, left and right of square (3, 4).
  EXPECT_TRUE(proche(vu(image, 3.5, 4.0), ROUGE, 40)) << texte_couleur(vu(image, 3.5, 4.0));
  EXPECT_TRUE(proche(vu(image, 3.5, 4.98), ROUGE, 40));
  EXPECT_TRUE(proche(vu(image, 3.01, 4.5), ROUGE, 40));
  EXPECT_TRUE(proche(vu(image, 3.99, 4.5), ROUGE, 40));
  // Inside and outside it.
  EXPECT_TRUE(proche(vu(image, 3.5, 4.5), GRIS));
  EXPECT_TRUE(proche(vu(image, 3.04, 4.04), GRIS));
  EXPECT_TRUE(proche(vu(image, 3.5, 5.3), GRIS));
  echiquier.clear_all();
  EXPECT_TRUE(proche(vu(capture(echiquier), 3.5, 4.0), GRIS));
}

TEST_F(DessinEchiquier, ADashedStyleShowsAtWidthOneAndTheInvisibleStyleDrawsNothing) {
  echiquier.trace_ligne(1, 2, 8, 2, 65280, 0.5f, 1, 1);
  echiquier.trace_ligne(1, 5, 8, 5, 65280, 0.5f, 5, 1);
  const QImage image = capture(echiquier);
  int traits = 0, trous = 0;
  const int y = static_cast<int>(echiquier.point_ecran(1, 2.5).y());
  for (int x = 5; x < 290; ++x) {
    const QColor c = image.pixelColor(x, y);
    if (proche(c, GRIS, 10)) ++trous;
    else if (c.green() > 150 && c.red() < 100) ++traits;
  }
  EXPECT_GT(traits, 40);
  EXPECT_GT(trous, 40);
  const int y5 = static_cast<int>(echiquier.point_ecran(1, 5.5).y());
  for (int x = 5; x < 290; ++x) EXPECT_TRUE(proche(image.pixelColor(x, y5), GRIS)) << x;
}

TEST_F(DessinEchiquier, TheHighlightFrameShowsOverThePiecesUntilClearAll) {
  echiquier.Piece(4, 4, 11);
  echiquier.trace_shape(4, 4, 65280, 0.5f, 1, 2);
  EXPECT_TRUE(echiquier.pointeur_visible());
  QImage image = capture(echiquier);
  const QRect r = echiquier.rect_image(4, 4);
  // Its border runs over the piece's picture; the inside stays the piece.
  EXPECT_TRUE(proche(image.pixelColor(r.left(), r.center().y()), VERT));
  EXPECT_TRUE(proche(image.pixelColor(r.center().x(), r.top()), VERT));
  EXPECT_TRUE(proche(image.pixelColor(r.center()), couleur_test(11)));
  EXPECT_TRUE(proche(image.pixelColor(r.left() + 6, r.center().y()), couleur_test(11)));

  // Moved, not copied, by the next call.
  echiquier.trace_shape(6, 2, 255, 0.5f, 1, 2);
  image = capture(echiquier);
  EXPECT_TRUE(proche(image.pixelColor(r.left(), r.center().y()), couleur_test(11)));
  const QRect r2 = echiquier.rect_image(6, 2);
  EXPECT_TRUE(proche(image.pixelColor(r2.left(), r2.center().y()), ROUGE));

  echiquier.clear_all();
  EXPECT_FALSE(echiquier.pointeur_visible());
  EXPECT_TRUE(proche(capture(echiquier).pixelColor(r2.left(), r2.center().y()), GRIS));
}

TEST_F(DessinEchiquier, ANewBoardPictureTakesTheDrawingsAwayAnEmptyNameKeepsThem) {
  echiquier.trace_cercle(5, 5, 65535, 0.5f, 1, 2);
  echiquier.trace_shape(2, 2, 255, 0.5f, 1, 2);
  echiquier.init_echiquier(3, jeu, QString());
  EXPECT_TRUE(proche(vu(capture(echiquier), 5.5, 5.0), JAUNE, 40));
  prepare(3);
  EXPECT_TRUE(proche(vu(capture(echiquier), 5.5, 5.0), GRIS));
  // The highlight frame is not drawn on the picture: it stays.
  EXPECT_TRUE(echiquier.pointeur_visible());
  const QRect r = echiquier.rect_image(2, 2);
  EXPECT_TRUE(proche(capture(echiquier).pixelColor(r.left(), r.center().y()), ROUGE));
}
