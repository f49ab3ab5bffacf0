// The model of the board window's game list: the texts each column shows,
// games joining the rows in one insertion, and, step by step, sorting,
// loading games and refilling with the icons and the current row staying on
// their games.
#include <QPixmap>
#include <QSignalSpy>
#include <QTreeView>

#include "play/modele_parties.h"
#include "tests/common/aide_tests.h"

namespace {

QIcon icone(Qt::GlobalColor couleur) {
  QPixmap p(8, 8);
  p.fill(couleur);
  return QIcon(p);
}

struct Partie {
  std::int64_t debut;
  QString textes[ModeleParties::NB_TEXTES];  // Event, Site, Date, Round, White, Black, Result
};

// Five games: equal Events (a stable sort keeps them in the order before),
// a game without Site, Date or Round, lower case names, a name outside
// Latin-1.
const Partie PARTIES[] = {
    {0, {"Open", "dijon", "2001.??.??", "10", "Smith", "Jones", "1-0"}},
    {100, {"Open", "Paris", "2000.01.02", "2", "Jones", "Smith", "0-1"}},
    {200, {"Rapide", "", "", "", QString::fromUtf8("L\xC3\xA9on"), "Dupont", "1/2-1/2"}},
    {300, {"open", "paris", "1999", "1", "dupont", QString::fromUtf8("L\xC3\xA9on"), "*"}},
    {400, {"Open", "Dijon", "2003", "3", QString::fromUtf8("\xC3\x9Cnal \xCE\xA9mega"), "Jones", "1-0"}},
};

class TestModeleParties : public TestMorvandel {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    modele.definit_icones(choisie, chargee);
    vue.setModel(&modele);
  }
  void remplit(const QString& chemin) {
    modele.commence(chemin);
    for (const Partie& p : PARTIES) modele.prepare(p.debut, p.textes);
    modele.publie();
  }
  // The offsets of the rows, top to bottom.
  std::vector<std::int64_t> ordre() const {
    std::vector<std::int64_t> o;
    for (int i = 0; i < modele.rowCount(); ++i) o.push_back(modele.debut(i));
    return o;
  }
  // The icon of each row: "main", "validation" or "".
  QStringList icones() const {
    QStringList l;
    for (int i = 0; i < modele.rowCount(); ++i) {
      const QIcon ic = modele.index(i, 0).data(Qt::DecorationRole).value<QIcon>();
      l << (ic.isNull() ? QString()
            : ic.cacheKey() == choisie.cacheKey() ? QStringLiteral("main")
            : ic.cacheKey() == chargee.cacheKey() ? QStringLiteral("validation")
                                                  : QStringLiteral("?"));
    }
    return l;
  }

  const QIcon choisie = icone(Qt::red), chargee = icone(Qt::blue);
  ModeleParties modele;
  QTreeView vue;
};

// Each column's text for one game: capitals for Site, Date and Result, the
// round's key, Latin-1 and other characters kept; the texts as read; the
// alignments.
TEST_F(TestModeleParties, ColumnsShowTheTagsOfTheGame) {
  remplit("a.pgn");
  const struct {
    int ligne, colonne;
    QString montre, valeur;
    int alignement;
  } cas[] = {
      {0, 0, "Open", "Open", 0},
      {0, 1, "DIJON", "dijon", 0},
      {0, 2, "2001.??.??", "2001.??.??", Qt::AlignHCenter | Qt::AlignVCenter},
      {0, 3, "10", "10", Qt::AlignHCenter | Qt::AlignVCenter},
      {0, 6, "1-0", "1-0", 0},
      {0, 7, "000010", "", 0},
      {2, 1, "", "", 0},
      {2, 4, QString::fromUtf8("L\xC3\xA9on"), QString::fromUtf8("L\xC3\xA9on"), 0},
      {2, 7, "", "", 0},
      {3, 1, "PARIS", "paris", 0},
      {3, 4, "dupont", "dupont", 0},
      {4, 4, QString::fromUtf8("\xC3\x9Cnal \xCE\xA9mega"), QString::fromUtf8("\xC3\x9Cnal \xCE\xA9mega"), 0},
      {4, 5, "Jones", "Jones", 0},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(testing::Message() << c.ligne << "," << c.colonne);
    const QModelIndex i = modele.index(c.ligne, c.colonne);
    EXPECT_EQ(i.data().toString(), c.montre);
    EXPECT_EQ(modele.texte(c.ligne, c.colonne), c.montre);
    EXPECT_EQ(modele.valeur(c.ligne, c.colonne), c.valeur);
    EXPECT_EQ(i.data(Qt::TextAlignmentRole).toInt(), c.alignement);
  }
  EXPECT_EQ(modele.columnCount(), 8);
  EXPECT_EQ(modele.debut(4), 400);
  EXPECT_EQ(modele.debut(5), -1) << "outside the rows";
  EXPECT_EQ(cle_ronde(" 7 "), "000007");
  EXPECT_EQ(cle_ronde("-2"), "-2");
  EXPECT_EQ(cle_ronde("3.1"), "3.1");

  // A text longer than a cell keeps is cut, the rest of the row intact.
  const QString long_texte(ModeleParties::LONGUEUR_MAX + 10, QChar(0x3A9));
  const QString textes[ModeleParties::NB_TEXTES] = {long_texte, "s", "d", "r", "w", "b", "*"};
  modele.prepare(500, textes);
  modele.publie();
  EXPECT_EQ(modele.valeur(5, 0), long_texte.left(ModeleParties::LONGUEUR_MAX));
  EXPECT_EQ(modele.valeur(5, 4), "w");
  EXPECT_EQ(modele.valeur(5, 6), "*");
}

// Games prepared join the rows only when published, in one insertion; a
// sort meanwhile leaves them after the rows.
TEST_F(TestModeleParties, PreparedGamesJoinInOneInsertion) {
  modele.commence("a.pgn");
  QSignalSpy insertions(&modele, &QAbstractItemModel::rowsInserted);
  for (int i = 0; i < 3; ++i) modele.prepare(PARTIES[i].debut, PARTIES[i].textes);
  EXPECT_EQ(modele.rowCount(), 0);
  modele.publie();
  EXPECT_EQ(modele.rowCount(), 3);
  for (int i = 3; i < 5; ++i) modele.prepare(PARTIES[i].debut, PARTIES[i].textes);
  modele.sort(4, Qt::DescendingOrder);
  EXPECT_EQ(ordre(), (std::vector<std::int64_t>{0, 200, 100}));
  modele.publie();
  modele.publie();
  EXPECT_EQ(ordre(), (std::vector<std::int64_t>{0, 200, 100, 300, 400})) << "the late games after the sorted rows";
  ASSERT_EQ(insertions.size(), 2);
  EXPECT_EQ(insertions[1][1].toInt(), 3);
  EXPECT_EQ(insertions[1][2].toInt(), 4);
}

// One sequence of steps on one list: after each, the games' order, their
// icons and the view's current game (the game at 300 is made current at
// the start).
TEST_F(TestModeleParties, IconsAndCurrentRowFollowTheirGames) {
  enum Etape { CHARGE, TRI, TRI_DESCENDANT, RELIT, AUTRE_FICHIER, VIDE_ET_REMET };
  const struct {
    Etape etape;
    std::int64_t argument;  // the game loaded, the column sorted on
    std::vector<std::int64_t> ordre;
    QStringList icones;
    std::int64_t courante;
  } cas[] = {
      {CHARGE, 100, {0, 100, 200, 300, 400}, {"", "main", "", "", ""}, 300},
      {CHARGE, 300, {0, 100, 200, 300, 400}, {"", "validation", "", "main", ""}, 300},
      // The Round column sorts on the round's key: no round first, 10 last.
      {TRI, 7, {200, 300, 100, 400, 0}, {"", "main", "validation", "", ""}, 300},
      // Equal Events keep the order before; "open" after "Rapide".
      {TRI, 0, {100, 400, 0, 200, 300}, {"validation", "", "", "", "main"}, 300},
      // Site in capitals: "dijon" equals "Dijon"; no Site first.
      {TRI, 1, {200, 400, 0, 100, 300}, {"", "", "", "validation", "main"}, 300},
      {TRI_DESCENDANT, 4, {400, 300, 0, 200, 100}, {"", "main", "", "", "validation"}, 300},
      {CHARGE, 0, {400, 300, 0, 200, 100}, {"", "validation", "main", "", "validation"}, 300},
      {CHARGE, 0, {400, 300, 0, 200, 100}, {"", "validation", "main", "", "validation"}, 300},
      // The same file listed again: the icons come back on their games.
      {RELIT, 0, {0, 100, 200, 300, 400}, {"main", "validation", "", "validation", ""}, -1},
      {VIDE_ET_REMET, 0, {0, 100, 200, 300, 400}, {"main", "validation", "", "validation", ""}, -1},
      // Another file: none of its games has been loaded.
      {AUTRE_FICHIER, 0, {0, 100, 200, 300, 400}, {"", "", "", "", ""}, -1},
      {RELIT, 0, {0, 100, 200, 300, 400}, {"", "", "", "", ""}, -1},
  };
  remplit("a.pgn");
  vue.setCurrentIndex(modele.index(3, 2));
  for (const auto& c : cas) {
    SCOPED_TRACE(testing::Message() << "step " << (&c - cas));
    switch (c.etape) {
      case CHARGE: modele.marque_chargee(c.argument); break;
      case TRI: modele.sort(static_cast<int>(c.argument)); break;
      case TRI_DESCENDANT: modele.sort(static_cast<int>(c.argument), Qt::DescendingOrder); break;
      case RELIT: remplit("a.pgn"); break;
      case AUTRE_FICHIER: remplit("b.pgn"); break;
      case VIDE_ET_REMET:
        modele.vide();
        EXPECT_EQ(modele.rowCount(), 0);
        for (const Partie& p : PARTIES) modele.prepare(p.debut, p.textes);
        modele.publie();
        break;
    }
    EXPECT_EQ(ordre(), c.ordre);
    EXPECT_EQ(icones(), c.icones);
    EXPECT_EQ(modele.debut(vue.currentIndex().isValid() ? vue.currentIndex().row() : -1), c.courante);
    if (c.courante >= 0) {
      EXPECT_EQ(vue.currentIndex().column(), 2);
    }
  }
  EXPECT_EQ(modele.fichier(), "a.pgn");
  EXPECT_EQ(modele.choisie(), -1);
}

}  // namespace
