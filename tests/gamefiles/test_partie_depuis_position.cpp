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

#include "chess/etat.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "localisation/textes_langue.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "platform/fichiers_texte.h"
#include "play/commandes_partie.h"
#include "play/plateau.h"
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
    pgn::charge_partie(partie_du_document(lues[0]));
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
