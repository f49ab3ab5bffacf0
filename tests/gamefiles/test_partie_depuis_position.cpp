// A game begun from a pasted position after a game loaded from a file: saved
// as PGN (alone and added to a file) and as XML, converted to XML, and read
// back here and by pgn-extract with the same moves and the same final
// position.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <map>
#include <string_view>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/notation.h"
#include "chess/repetitions.h"
#include "correspondence/champs_corres.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "localisation/textes_langue.h"
#include "platform/texte_court.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "platform/fichiers_texte.h"
#include "play/commandes_partie.h"
#include "play/mise_en_place.h"
#include "play/plateau.h"
#include "play/position_presse_papiers.h"
#include "tests/gamefiles/aide_charge.h"

namespace {

struct Coup {
  const char *de, *vers;
  const char* promotion;  // the letter typed for a pawn reaching the last row, or null
  bool mat = false;       // the move mates: the program says so
};

struct Cas {
  const char* nom;
  const char* fen;
  std::vector<Coup> coups;
  const char* movetext;  // as the file holds it
};

const Cas CAS[] = {
    {"White first, a promotion giving check", "4k3/P7/8/8/8/8/8/4K3 w - - 0 40",
     {{"a7", "a8", "Q"}, {"e8", "d7", nullptr}, {"a8", "b7", nullptr}}, "40.a8=Q+ Kd7 41.Qb7+ *"},
    {"Black first", "4k3/P7/8/8/8/8/8/4K3 b - - 3 40",
     {{"e8", "d7", nullptr}, {"a7", "a8", "Q"}, {"d7", "c7", nullptr}}, "40...Kd7 41.a8=Q Kc7 *"},
    {"a promotion that mates", "k7/2P5/1K6/8/8/8/8/8 w - - 0 60", {{"c7", "c8", "R", true}}, "60.c8=R# 1-0"},
    {"castling rights kept", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 20",
     {{"e1", "g1", nullptr}, {"e8", "c8", nullptr}}, "20.O-O O-O-O *"},
};

class PartieDepuisPosition : public TestChargePgn {
 protected:
  void TearDown() override {
    fenetres::decharge<sauve>();
    TestChargePgn::TearDown();
  }
  // Saves the game in hand through the save form to `chemin`.
  void enregistre(const QString& chemin, bool xml, bool ajoute) {
    affiche_sauve();
    sauve& f = *fenetres::existante<sauve>();
    f.Option1[xml ? 2 : 1]->setChecked(true);
    f.Check1->setChecked(ajoute);
    plateforme::DialoguesEnTest::repond(chemin);
    plateforme::BoitesEnTest::repond(boite::OK);
    f.Command1->click();
    fenetres::decharge<sauve>();
  }
  // The only game of an XML list, loaded as the address form loads it.
  void charge_xml(const QString& chemin) {
    QByteArray octets;
    ASSERT_TRUE(plateforme::lit_octets(chemin, octets, nullptr));
    std::vector<pgn::PartieXml> lues;
    QString erreur;
    ASSERT_TRUE(pgn::lit_liste_xml(octets, lues, &erreur)) << erreur.toStdString();
    ASSERT_EQ(lues.size(), 1u);
    plateforme::BoitesEnTest::repond(boite::OK);
    pgn::charge_partie(partie_du_document(lues[0]), 1);
  }
};

}  // namespace

TEST_F(PartieDepuisPosition, SeSauveSeRelitEtSeConvertitAvecSaPositionDeDepart) {
  const QString outil = chemin_pgn_extract();
  const QString fichier = ecrit_fichier(cinq_parties());
  const QString toutes = QDir(dossier()).filePath(QStringLiteral("toutes.pgn"));
  int n = 0;
  for (const Cas& c : CAS) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::efface();
    // A game from a file first: its tags must not follow the pasted game.
    plateforme::BoitesEnTest::repond(boite::OK);
    charge_pgn(0, fichier);
    ASSERT_FALSE(entete_pgn.empty());
    QGuiApplication::clipboard()->setText(QString::fromLatin1(c.fen));
    menu_coller_position_Click();
    ASSERT_EQ(fen_montree(), c.fen);
    for (const Coup& k : c.coups) {
      if (k.promotion) plateforme::BoitesEnTest::saisit(QString::fromLatin1(k.promotion));
      if (k.mat) plateforme::BoitesEnTest::repond(boite::OK);
      coup(k.de, k.vers);
    }
    ASSERT_EQ(fenetre().List1->count(), static_cast<int>(c.coups.size()) + (c.coups.back().mat ? 1 : 0));
    const std::string finale = fen_montree();
    const std::vector<std::string> coups = pgn::lit_movetext(texte_partie).coups;

    // PGN: the position named, the moves numbered from it, the marks.
    const QString chemin = QDir(dossier()).filePath(QStringLiteral("partie%1.pgn").arg(++n));
    enregistre(chemin, false, false);
    const QByteArray octets = octets_fichier(chemin);
    EXPECT_TRUE(octets.contains("[SetUp \"1\"]\r\n[FEN \"" + QByteArray(c.fen) + "\"]\r\n")) << octets.toStdString();
    EXPECT_TRUE(octets.contains("\r\n\r\n" + QByteArray(c.movetext) + "\r\n")) << octets.toStdString();
    EXPECT_FALSE(octets.contains("Smith")) << "a new game record";
    enregistre(toutes, false, true);

    // Read back here.
    plateforme::BoitesEnTest::repond(boite::OK);
    charge_pgn(0, chemin);
    EXPECT_EQ(fen_montree(), finale);
    EXPECT_EQ(pgn::lit_movetext(texte_partie).coups, coups);

    // Saved as XML by the form, and converted to XML: loaded back the same.
    const QString xml = QDir(dossier()).filePath(QStringLiteral("partie%1.xml").arg(n));
    enregistre(xml, true, false);
    charge_xml(xml);
    EXPECT_EQ(fen_montree(), finale) << "saved as XML";
    const QString converti = QDir(dossier()).filePath(QStringLiteral("converti%1.xml").arg(n));
    plateforme::BoitesEnTest::repond(boite::OK);
    pgn_vers_xml(chemin, converti, false);
    EXPECT_TRUE(plateforme::BoitesEnTest::textes().last().startsWith(QStringLiteral(" 1") + texte(268) + " 1"));
    charge_xml(converti);
    EXPECT_EQ(fen_montree(), finale) << "converted to XML";
    EXPECT_EQ(pgn::lit_movetext(texte_partie).coups, coups);

    if (outil.isEmpty()) continue;
    QString erreurs;
    const std::vector<pgn::PartieLue> relues = relu_par_pgn_extract(chemin, &erreurs, {QStringLiteral("-F")});
    EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
    ASSERT_EQ(relues.size(), 1u);
    EXPECT_EQ(pgn::lit_movetext(relues[0].movetext).coups.size(), coups.size());
    EXPECT_EQ(fen_finale_pgn_extract(relues[0]), finale);
  }
  // The games added one after the other to one file read back whole.
  const std::vector<pgn::PartieLue> lues = lit_toutes(toutes);
  ASSERT_EQ(lues.size(), std::size(CAS));
  for (std::size_t i = 0; i < lues.size(); ++i) EXPECT_EQ(lues[i].valeur_tag("FEN"), CAS[i].fen);
  if (outil.isEmpty()) GTEST_SKIP() << "pgn-extract is not installed (tools/installe_paquets.sh installs it)";
  QString erreurs;
  EXPECT_EQ(relu_par_pgn_extract(toutes, &erreurs).size(), std::size(CAS));
  EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
}

// --- A start position no game can reach, at every entry ---------------------------

namespace {

// The squares of a well-formed FEN board field, White at the bottom, taken
// without a check: what the set-up and a position string put on the board.
TableauCases pose_plateau(const std::string& fen) {
  TableauCases cases;
  int r = 8, f = 1;
  for (char ch : fen.substr(0, fen.find(' ')))
    if (ch == '/') r--, f = 1;
    else if (ch >= '1' && ch <= '8') f += ch - '0';
    else cases(f++, 9 - r) = code_de_lettre(2, ch);
  return cases;
}

class PositionRefusee : public PartieDepuisPosition {
 protected:
  // The box the entry showed, and whether the game in hand stayed as it was.
  QString refus(const std::function<void()>& entree) {
    plateforme::BoitesEnTest::efface();
    const std::string avant = fen_montree();
    plateforme::BoitesEnTest::repond(boite::OK);
    entree();
    EXPECT_EQ(fen_montree(), avant) << "the game in hand is kept";
    const QStringList t = plateforme::BoitesEnTest::textes();
    return t.isEmpty() ? QString() : t.last();
  }
};

}  // namespace

TEST_F(PositionRefusee, EveryEntryRefusesItAndNamesTheGameAndTheFault) {
  using D = DefautPosition;
  struct Cas {
    const char* nom;
    std::string fen;
    D defaut;
  };
  const Cas cas[] = {
      {"not a FEN", "garbage/ not a fen", D::TEXTE},
      {"1 MB", std::string(1 << 20, 'p') + "/8 w - - 0 1", D::TEXTE},
      {"no kings", "8/8/8/8/8/8/4P3/8 w - - 0 1", D::ROI_ABSENT},
      {"two White kings", "4k3/8/8/8/8/8/8/3KK3 w - - 0 1", D::ROIS},
      {"both kings in check", "r3k2R/8/8/8/8/8/8/R3K2r w - - 0 1", D::ECHEC},
      {"the side not to move in check", "4k2R/8/8/8/8/8/8/4K3 w - - 0 1", D::ECHEC},
      {"a pawn on the first rank", "4k3/8/8/8/8/8/8/P3K3 w - - 0 1", D::PION_EXTREME},
      {"17 White men", "QQQQQQQQ/PPPPPPPP/8/8/8/8/8/K6k w - - 0 1", D::HOMMES},
      {"18 White men", "QQQQQQQQ/PPPPPPPP/Q7/8/8/8/8/K6k w - - 0 1", D::HOMMES},
      {"9 White pawns", "4k3/P7/8/8/8/8/PPPPPPPP/4K3 w - - 0 1", D::PIONS},
      {"3 queens, 7 pawns", "QQQ5/8/8/7k/8/8/PPPPPPP1/4K3 w - - 0 1", D::PROMUES},
  };
  // The words of each fault, and the box of the paste and the set-up: 338 for
  // no FEN text, 176 for a missing king, else 709 naming the fault.
  const std::map<D, int> mots = {{D::TEXTE, 701}, {D::ROI_ABSENT, 702}, {D::ROIS, 702}, {D::PION_EXTREME, 703},
                                 {D::ECHEC, 704}, {D::HOMMES, 705}, {D::PIONS, 706}, {D::PROMUES, 707}};
  plateforme::BoitesEnTest::repond(boite::OK);
  charge_pgn(0, ecrit_fichier(cinq_parties(), QStringLiteral("cinq.pgn")));
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const QString raison = texte(mots.at(c.defaut));
    const QString boite = c.defaut == D::TEXTE        ? texte(338)
                          : c.defaut == D::ROI_ABSENT ? texte(176)
                                                      : texte(709).arg(raison);
    // A PGN file: its FEN tag with SetUp, then a move legal from the usual start.
    const std::string tags = "[White \"Anna\"]\r\n[Black \"Boris\"]\r\n[SetUp \"1\"]\r\n[FEN \"" + c.fen + "\"]\r\n\r\n";
    const QString fichier = ecrit_fichier(tags + "1. e4 *\r\n");
    // The box quotes the FEN as every box quotes a value: a huge one is cut short.
    const auto attendu = [&](int partie) {
      return plateforme::texte_court(texte(700).arg(partie).arg("Anna", "Boris", raison, QString::fromStdString(c.fen)));
    };
    EXPECT_LT(attendu(1).size(), 600);
    EXPECT_EQ(refus([&] { charge_pgn(0, fichier); }), attendu(1)) << "FEN tag";
    // An XML game list, its second game.
    const std::string xml = "<LIST><GAME><Move>1.d4 *</Move></GAME><GAME><White>Anna</White><Black>Boris</Black>"
                            "<SetUp>1</SetUp><FEN>" + c.fen + "</FEN><Move>1.e4 *</Move></GAME></LIST>";
    std::vector<pgn::PartieXml> lues;
    ASSERT_TRUE(pgn::lit_liste_xml(QByteArray::fromStdString(xml), lues, nullptr));
    ASSERT_EQ(lues.size(), 2u);
    EXPECT_EQ(refus([&] {
                charge_parties_externes({partie_du_document(lues[0]), partie_du_document(lues[1])}, 1, "a.xml", "");
              }),
              attendu(2))
        << "XML";
    // The paste of the FEN text.
    if (c.fen.size() < 100) {
      QGuiApplication::clipboard()->setText(QString::fromStdString(c.fen));
      EXPECT_EQ(refus(menu_coller_position_Click), boite) << "paste";
    }
    if (c.defaut == D::TEXTE) continue;
    const TableauCases cases = pose_plateau(c.fen);
    // The same board as a position string, on the board (White to move) and
    // in the correspondence windows (the side to move unknown).
    const QString chaine = QString::fromStdString(chaine_position_de([&](int k, int l) { return cases(k, l); }));
    QGuiApplication::clipboard()->setText(chaine);
    EXPECT_EQ(refus(menu_coller_position_Click), boite) << "position string";
    QString corres;
    const bool une_seule_echec = c.defaut == D::ECHEC && std::string_view(c.nom).starts_with("the side");
    EXPECT_EQ(diagramme_position(chaine, 2, &corres).has_value(), une_seule_echec) << "correspondence";
    if (!une_seule_echec) {
      EXPECT_EQ(corres, c.defaut == D::ECHEC ? texte(709).arg(texte(710)) : boite) << "correspondence";
    }
    // The set-up: the pieces placed on the board, then "Ok".
    entre_mise_en_place(fenetre());
    for (int k = 1; k <= 8; ++k)
      for (int l = 1; l <= 8; ++l) fenetre().Echiquier->Piece(k, l, cases(k, l));
    plateforme::BoitesEnTest::repond(boite::OK);
    EXPECT_FALSE(Command4_Click(fenetre())) << "set-up";
    EXPECT_EQ(plateforme::BoitesEnTest::textes().last(), boite) << "set-up";
    quitte_mise_en_place(fenetre());
  }
}

TEST_F(PositionRefusee, AFileLoadsItsGoodGamesAndACastlingWithoutItsRookIsDropped) {
  const std::string bonne = "[White \"A\"]\r\n[Black \"B\"]\r\n\r\n1. e4 *\r\n\r\n";
  const std::string sans_tour = "[White \"C\"]\r\n[Black \"D\"]\r\n[SetUp \"1\"]\r\n[FEN \"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1\"]\r\n\r\n1. O-O *\r\n\r\n";
  const std::string mauvaise = "[White \"E\"]\r\n[Black \"F\"]\r\n[SetUp \"1\"]\r\n[FEN \"8/8/8/8/8/8/4P3/8 w - - 0 1\"]\r\n\r\n1. e4 *\r\n\r\n";
  charge_pgn(1, ecrit_fichier(bonne + mauvaise + sans_tour));
  ASSERT_EQ(colonne(4), QStringList({"A", "E", "C"})) << "every game is listed";
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(0);
  EXPECT_EQ(texte_partie, "1.e4");
  EXPECT_EQ(refus([&] { double_clic(1); }),
            texte(700).arg(2).arg("E", "F", texte(702), "8/8/8/8/8/8/4P3/8 w - - 0 1"));
  EXPECT_EQ(icones(), QStringList({"main", "", ""})) << "the refused game is not marked loaded";
  // The rights of a king and rooks away from their squares are dropped: the
  // castling is refused, and played as read it moves the king alone.
  plateforme::BoitesEnTest::repond(boite::OK);
  plateforme::BoitesEnTest::repond(boite::OUI);
  double_clic(2);
  EXPECT_EQ(fen_montree().substr(0, fen_montree().find(' ')), "4k3/8/8/8/8/8/8/6K1");
  // The paste and the set-up drop them too.
  QGuiApplication::clipboard()->setText("4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1");
  menu_coller_position_Click();
  EXPECT_EQ(roque_interdit[BLANC], -1);
  EXPECT_EQ(roque_interdit[NOIR], -1);
  entre_mise_en_place(fenetre());
  fenetre().Echiquier->Piece(5, 8, ROI_BLANC);
  fenetre().Echiquier->Piece(8, 8, TOUR_BLANCHE);
  fenetre().Echiquier->Piece(5, 1, ROI_NOIR);
  ASSERT_TRUE(Command4_Click(fenetre()));
  EXPECT_EQ(roque_interdit[BLANC], ROQUE_PETIT_SEUL);
  EXPECT_EQ(roque_interdit[NOIR], -1);
}
