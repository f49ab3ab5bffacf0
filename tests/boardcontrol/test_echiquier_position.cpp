// The squares of the board control: start positions, piece writes, the
// pictures read for them and the errors that leave a square as it was.
#include <QFile>

#include "tests/boardcontrol/aide_echiquier.h"

using mvdechiquier::ErreurEchiquier;

namespace {

// Rows from the top, columns from the left.
constexpr int BLANCS_EN_BAS[8][8] = {
    {3, 4, 5, 6, 7, 5, 4, 3}, {2, 2, 2, 2, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}, {8, 8, 8, 8, 8, 8, 8, 8}, {9, 10, 11, 12, 13, 11, 10, 9}};
constexpr int NOIRS_EN_BAS[8][8] = {
    {9, 10, 11, 13, 12, 11, 10, 9}, {8, 8, 8, 8, 8, 8, 8, 8}, {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2, 2, 2}, {3, 4, 5, 7, 6, 5, 4, 3}};

// The error number of a call, 0 when it does not throw.
template <class F>
int erreur_de(F&& f) {
  try {
    f();
  } catch (const ErreurEchiquier& e) {
    return e.numero();
  }
  return 0;
}

}  // namespace

class PositionDepart : public TestEchiquier {
 protected:
  // Both the stored codes and the pictures shown match the table.
  void verifie(const int attendu[8][8]) {
    const QImage image = capture(echiquier);
    for (int l = 1; l <= 8; ++l)
      for (int c = 1; c <= 8; ++c) {
        const int code = attendu[l - 1][c - 1];
        EXPECT_EQ(echiquier.Piece(c, l), code) << "square " << c << ", " << l;
        const QColor vu = image.pixelColor(echiquier.rect_image(c, l).center());
        const QColor voulu = code == 1 ? GRIS : couleur_test(code);
        EXPECT_TRUE(proche(vu, voulu)) << "square " << c << ", " << l << " shows " << texte_couleur(vu);
      }
  }
};

TEST_F(PositionDepart, WhiteAtTheBottom) {
  prepare(2);
  verifie(BLANCS_EN_BAS);
  EXPECT_EQ(echiquier.Piece(5, 8), 13);
  EXPECT_EQ(echiquier.Piece(4, 1), 6);
  EXPECT_EQ(echiquier.PathImage(), jeu);
}

TEST_F(PositionDepart, BlackAtTheBottom) {
  prepare(3);
  verifie(NOIRS_EN_BAS);
  EXPECT_EQ(echiquier.Piece(4, 8), 7);
  EXPECT_EQ(echiquier.Piece(5, 1), 12);
}

TEST_F(PositionDepart, ReplacesWhateverWasOnTheBoard) {
  prepare(3);
  echiquier.Piece(4, 4, 12);
  echiquier.Piece(1, 8, 1);
  prepare(2);
  verifie(BLANCS_EN_BAS);
}

TEST_F(PositionDepart, AnyOtherColourGivesAnEmptyBoard) {
  static constexpr int VIDE[8][8] = {{1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1},
                                     {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1},
                                     {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}};
  for (int couleur : {1, 0, 4, -2}) {
    prepare(2);
    prepare(couleur);
    verifie(VIDE);
  }
}

TEST_F(TestEchiquier, BeforeAnySetUpEverySquareHoldsZero) {
  for (int c = 0; c <= 8; ++c)
    for (int l = 0; l <= 8; ++l) EXPECT_EQ(echiquier.Piece(c, l), 0);
  EXPECT_TRUE(echiquier.PathImage().isEmpty());
}

TEST_F(TestEchiquier, PieceWriteShowsTheNewPictureAndEmptySquaresShowTheBoard) {
  prepare(1);
  echiquier.Piece(3, 6, 11);
  EXPECT_EQ(echiquier.Piece(3, 6), 11);
  EXPECT_TRUE(proche(centre(3, 6), couleur_test(11)));
  echiquier.Piece(3, 6, 1);
  EXPECT_EQ(echiquier.Piece(3, 6), 1);
  EXPECT_TRUE(proche(centre(3, 6), GRIS));
}

TEST_F(TestEchiquier, EveryPieceWriteReadsItsIconFileAgain) {
  prepare(1);
  echiquier.Piece(4, 4, 8);
  // The file changes on disk: the next write of that code shows the new picture,
  // the square drawn before keeps the old one.
  QImage autre(36, 36, QImage::Format_ARGB32);
  autre.fill(QColor(0, 0, 0));
  ASSERT_TRUE(mvdechiquier::ecrit_ico(jeu + QStringLiteral("8.ico"), {autre}));
  echiquier.Piece(4, 5, 8);
  EXPECT_TRUE(proche(centre(4, 5), QColor(0, 0, 0)));
  EXPECT_TRUE(proche(centre(4, 4), couleur_test(8)));
  echiquier.Piece(4, 4, 8);
  EXPECT_TRUE(proche(centre(4, 4), QColor(0, 0, 0)));
}

TEST_F(TestEchiquier, InitFillsOrEmptiesEverySquare) {
  prepare(2);
  echiquier.Init(10);
  const QImage image = capture(echiquier);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      EXPECT_EQ(echiquier.Piece(c, l), 10);
      EXPECT_TRUE(proche(image.pixelColor(echiquier.rect_image(c, l).center()), couleur_test(10)));
    }
  echiquier.Init(1);
  const QImage vide = capture(echiquier);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      EXPECT_EQ(echiquier.Piece(c, l), 1);
      EXPECT_TRUE(proche(vide.pixelColor(echiquier.rect_image(c, l).center()), GRIS));
    }
  EXPECT_EQ(echiquier.Piece(0, 0), 0);  // the border is not a square
}

// --- Errors ---------------------------------------------------------------

TEST_F(TestEchiquier, SquaresOutsideTheBoardAreRefused) {
  prepare(2);
  const QImage avant = capture(echiquier);
  EXPECT_EQ(echiquier.Piece(0, 0), 0);
  EXPECT_EQ(echiquier.Piece(0, 5), 0);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(9, 1); }), 9);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(1, -1); }), 9);
  // A write needs a real square: the border has no picture to keep in step.
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(9, 1, 8); }), 9);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(3, 0, 8); }), 9);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(0, 0, 8); }), 9);
  EXPECT_EQ(echiquier.Piece(3, 0), 0);
  EXPECT_EQ(echiquier.Piece(0, 0), 0);
  EXPECT_EQ(capture(echiquier), avant);
}

TEST_F(TestEchiquier, CodesOutsideOneToThirteenAreRefused) {
  prepare(2);
  const QImage avant = capture(echiquier);
  for (int code : {0, 14, -1, 100}) {
    EXPECT_EQ(erreur_de([&] { echiquier.Piece(5, 8, code); }), 380) << code;
    EXPECT_EQ(erreur_de([&] { echiquier.Init(code); }), 380) << code;
  }
  EXPECT_EQ(echiquier.Piece(5, 8), 13);
  EXPECT_EQ(echiquier.Piece(1, 1), 3);
  EXPECT_EQ(capture(echiquier), avant);
}

TEST_F(TestEchiquier, AMissingIconIsAnErrorAndTheSquareKeepsCodeAndPicture) {
  prepare(2);
  ASSERT_TRUE(QFile::remove(jeu + QStringLiteral("6.ico")));
  const QImage avant = capture(echiquier);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(5, 8, 6); }), 53);
  EXPECT_EQ(echiquier.Piece(5, 8), 13);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(4, 4, 6); }), 53);
  EXPECT_EQ(echiquier.Piece(4, 4), 1);
  EXPECT_EQ(capture(echiquier), avant);
}

TEST_F(TestEchiquier, AnUnreadableIconIsAnErrorAndTheSquareKeepsCodeAndPicture) {
  prepare(2);
  QFile f(jeu + QStringLiteral("12.ico"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("not a picture at all");
  f.close();
  const QImage avant = capture(echiquier);
  EXPECT_EQ(erreur_de([&] { echiquier.Piece(5, 8, 12); }), 481);
  EXPECT_EQ(echiquier.Piece(5, 8), 13);
  EXPECT_EQ(capture(echiquier), avant);
}

TEST_F(TestEchiquier, InitWithAMissingIconChangesNoSquare) {
  prepare(3);
  ASSERT_TRUE(QFile::remove(jeu + QStringLiteral("9.ico")));
  const QImage avant = capture(echiquier);
  EXPECT_EQ(erreur_de([&] { echiquier.Init(9); }), 53);
  EXPECT_EQ(echiquier.Piece(1, 1), 9);
  EXPECT_EQ(echiquier.Piece(4, 4), 1);
  EXPECT_EQ(echiquier.Piece(4, 8), 7);
  EXPECT_EQ(capture(echiquier), avant);
}

TEST_F(TestEchiquier, SetUpWithAMissingIconChangesNothing) {
  prepare(2);
  echiquier.Piece(4, 4, 12);
  const QImage avant = capture(echiquier);
  // An icon folder lacking one picture of the start position.
  const QString incomplet = ecrit_jeu_test(dossier() + QStringLiteral("/incomplet"));
  ASSERT_TRUE(QFile::remove(incomplet + QStringLiteral("7.ico")));
  EXPECT_EQ(erreur_de([&] { echiquier.init_echiquier(3, incomplet, QString()); }), 53);
  EXPECT_EQ(echiquier.PathImage(), jeu);
  EXPECT_EQ(echiquier.Piece(4, 4), 12);
  EXPECT_EQ(echiquier.Piece(4, 8), 12);
  EXPECT_EQ(capture(echiquier), avant);
  // Writes still read from the folder kept before.
  echiquier.Piece(4, 4, 7);
  EXPECT_TRUE(proche(centre(4, 4), couleur_test(7)));
}

TEST_F(TestEchiquier, SetUpWithAMissingBoardPictureChangesNothing) {
  prepare(2);
  const QImage avant = capture(echiquier);
  EXPECT_EQ(erreur_de([&] {
              echiquier.init_echiquier(3, jeu, dossier() + QStringLiteral("/absent.bmp"));
            }),
            53);
  EXPECT_EQ(echiquier.Piece(5, 8), 13);
  EXPECT_EQ(capture(echiquier), avant);
}

// --- Board pictures ---------------------------------------------------------

TEST_F(TestEchiquier, AnEmptyBoardNameKeepsTheCurrentPicture) {
  const QString rouge = dossier() + QStringLiteral("/rouge.bmp");
  ecrit_plateau_uni(rouge, QColor(180, 40, 40));
  echiquier.init_echiquier(2, jeu, rouge);
  echiquier.init_echiquier(3, jeu, QString());
  EXPECT_TRUE(proche(centre(4, 4), QColor(180, 40, 40)));
  // The picture covers the whole control.
  const QImage image = capture(echiquier);
  EXPECT_TRUE(proche(image.pixelColor(image.width() - 1, image.height() - 1), QColor(180, 40, 40)));
  EXPECT_EQ(echiquier.Piece(4, 8), 7);  // the set-up itself went on
}

TEST_F(TestEchiquier, TheBuiltInPictureShowsUntilABoardFileIsLoaded) {
  const QImage integree = mvdechiquier::image_integree();
  EXPECT_EQ(integree.size(), QSize(295, 294));
  EXPECT_EQ(integree.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(integree.pixelColor(294, 293), QColor(Qt::white));

  auto clair = [](const QColor& c) {
    return c.red() >= 195 && c.red() <= 232 && c.green() >= 145 && c.green() <= 183 && c.blue() >= 80 &&
           c.blue() <= 117;
  };
  auto fonce = [](const QColor& c) {
    return c.red() >= 97 && c.red() <= 133 && c.green() >= 72 && c.green() <= 100 && c.blue() >= 31 &&
           c.blue() <= 51;
  };
  echiquier.init_echiquier(1, jeu, QString());
  const QImage image = capture(echiquier);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const QColor vu = image.pixelColor(echiquier.rect_image(c, l).center());
      if ((c + l) % 2 == 0)
        EXPECT_TRUE(clair(vu)) << "square " << c << ", " << l << " shows " << texte_couleur(vu);
      else
        EXPECT_TRUE(fonce(vu)) << "square " << c << ", " << l << " shows " << texte_couleur(vu);
    }
}

TEST_F(TestEchiquier, BackslashesInTheIconFolderAreReadAsSlashes) {
  QString dossier_windows = jeu;
  dossier_windows.replace(QLatin1Char('/'), QLatin1Char('\\'));
  echiquier.init_echiquier(2, dossier_windows, plateau);
  EXPECT_TRUE(proche(centre(5, 8), couleur_test(13)));
}

// --- Picture files ------------------------------------------------------------

TEST(ImagesIcones, TheEntryChosenIsTheSmallestLargeEnough) {
  QTemporaryDir dossier;
  ASSERT_TRUE(dossier.isValid());
  QImage petite(36, 36, QImage::Format_ARGB32), moyenne(72, 72, QImage::Format_ARGB32),
      grande(144, 144, QImage::Format_ARGB32);
  petite.fill(Qt::red);
  moyenne.fill(Qt::green);
  grande.fill(Qt::blue);
  const QString chemin = dossier.filePath(QStringLiteral("p.ico"));
  ASSERT_TRUE(mvdechiquier::ecrit_ico(chemin, {grande, petite, moyenne}));
  EXPECT_EQ(mvdechiquier::charge_image(chemin, 36).pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(mvdechiquier::charge_image(chemin, 0).width(), 36);
  EXPECT_EQ(mvdechiquier::charge_image(chemin, 37).pixelColor(5, 5), QColor(Qt::green));
  EXPECT_EQ(mvdechiquier::charge_image(chemin, 72).width(), 72);
  EXPECT_EQ(mvdechiquier::charge_image(chemin, 300).pixelColor(5, 5), QColor(Qt::blue));

  QImage trop_grande(257, 257, QImage::Format_ARGB32);
  trop_grande.fill(Qt::red);
  EXPECT_FALSE(mvdechiquier::ecrit_ico(dossier.filePath(QStringLiteral("t.ico")), {trop_grande}));
  EXPECT_FALSE(mvdechiquier::ecrit_ico(dossier.filePath(QStringLiteral("v.ico")), {}));
}

// The pictures the program ships with, as copied beside it.
TEST(ImagesLivrees, TheDefaultPieceSetIsTransparentAndTellsTheColoursApart) {
  const QString dossier = QStringLiteral(MVD_BUILD_DIR "/images/pieces/Morvandel/");
  for (int code = 2; code <= 13; ++code) {
    SCOPED_TRACE(code);
    const QImage image =
        mvdechiquier::charge_image(dossier + QString::number(code) + QStringLiteral(".ico"), 36)
            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(36, 36));  // drawn for the control's own size
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(35, 0).alpha(), 0);
    double somme = 0;
    int opaques = 0;
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < 36; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() < 250) continue;
        ++opaques;
        somme += c.lightness();
      }
    EXPECT_GT(opaques, 150);  // the piece fills a fair part of its square
    EXPECT_LT(opaques, 36 * 36 - 200);
    const double clarte = somme / std::max(1, opaques);
    if (code >= 8)
      EXPECT_GT(clarte, 120) << "a white piece should look light";
    else
      EXPECT_LT(clarte, 80) << "a black piece should look dark";
  }
  Echiquier e;
  e.init_echiquier(2, dossier, QStringLiteral(MVD_BUILD_DIR "/images/echiquier/echiquier.bmp"));
  e.init_echiquier(3, dossier, QString());
  EXPECT_EQ(e.Piece(4, 8), 7);
}

TEST(ImagesLivrees, TheBoardPictureFileHasLightAndDarkSquares) {
  const QImage image = mvdechiquier::charge_image(QStringLiteral(MVD_BUILD_DIR "/images/echiquier/echiquier.bmp"));
  EXPECT_EQ(image.size(), QSize(Echiquier::COTE_NORMAL, Echiquier::COTE_NORMAL));
  for (int c = 0; c < 8; ++c)
    for (int l = 0; l < 8; ++l) {
      const int clair = image.pixelColor(c * 37 + 18, l * 37 + 18).lightness();
      const int voisin = image.pixelColor(((c + 1) % 8) * 37 + 18, l * 37 + 18).lightness();
      if ((c + l) % 2 == 0) {
        EXPECT_GT(clair, voisin + 40) << c << ", " << l;
      }
    }
}
