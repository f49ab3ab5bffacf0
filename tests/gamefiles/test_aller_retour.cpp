// Real games with comments taken round: the program saves them as PGN, which
// pgn-extract reads and writes back for the program to load; a PGN file is
// copied to an XML list, which the program loads from an address. The moves,
// tags and comments come back as they were.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <set>

#include "chess/etat.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/export_pgn.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "tests/common/serveur_http.h"
#include "tests/gamefiles/aide_charge.h"

namespace {

// Checks and a mate, castling, disambiguation (Lasker - Thomas, London 1912);
// en passant and a promotion with a capture; names outside Windows-1252
// (Polish and Russian letters), which a PGN file keeps by going over to
// UTF-8 and an XML list as character references.
const std::string PARTIES =
    "[Event \"London\"]\n[Site \"London ENG\"]\n[Date \"1912.10.29\"]\n[Round \"?\"]\n"
    "[White \"Edward Lasker\"]\n[Black \"George Alan Thomas\"]\n[Result \"1-0\"]\n[ECO \"A84\"]\n"
    "[Annotator \"Cl\xC3\xA9ment\"]\n\n"
    "{Une chasse au roi c\xC3\xA9l\xC3\xA8\x62re.} 1.d4 e6 2.Nf3 f5 3.Nc3 Nf6 4.Bg5 Be7 5.Bxf6 Bxf6 6.e4 fxe4 "
    "7.Nxe4 b6 8.Ne5 O-O 9.Bd3 Bb7 10.Qh5 {Le sacrifice se pr\xC3\xA9pare.} Qe7 11.Qxh7+ {\"Dame!\"} Kxh7 "
    "12.Nxf6+ Kh6 13.Neg4+ Kg5 14.h4+ Kf4 15.g3+ Kf3 16.Be2+ Kg2 17.Rh2+ Kg1 18.Kd2# 1-0\n\n"
    "[Event \"Blitz \xE2\x80\x94 \xC5\x81\xC3\xB3\x64\xC5\xBA\"]\n[Site \"Krak\xC3\xB3w\"]\n[Date \"2024.02.03\"]\n"
    "[Round \"2\"]\n[White \"\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87\"]\n"
    "[Black \"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2\"]\n[Result \"*\"]\n\n"
    "1.e4 d5 2.e5 f5 3.exf6 {en passant} e6 4.fxg7 Ke7 5.gxh8=Q {une dame \xE2\x82\xAC} Nf6 *\n";

struct Jeu {
  std::string texte, resultat, entete;
  std::vector<std::string> commentaires;
};

Jeu jeu_en_main() { return {texte_partie, resultat_partie, entete_pgn, commentaires_coups}; }

// The tags of a header that an XML list holds (its elements; the result is
// the movetext's).
std::map<std::string, std::string> tags_xml(const std::string& entete) {
  static const std::set<std::string> elements = {"Event", "Site",     "Date",     "Round", "White",     "Black",
                                                 "WhiteElo", "BlackElo", "ECO",  "Opening", "Variation", "Comment"};
  std::map<std::string, std::string> t;
  for (const auto& [n, v] : pgn::tags_du_texte(entete))
    if (elements.count(n) && !v.empty()) t[n] = v;
  return t;
}

class AllerRetour : public TestChargePgn {
 protected:
  void TearDown() override {
    fenetres::decharge<sauve>();
    fenetres::decharge<xml>();
    TestChargePgn::TearDown();
  }
  // Makes a game read from a file the game in hand, as the loader does.
  Jeu charge(const pgn::PartieLue& p) {
    plateforme::BoitesEnTest::repond(boite::OK);
    charge_partie_externe(p, QStringLiteral("test"), QString());
    return jeu_en_main();
  }
};

}  // namespace

TEST_F(AllerRetour, LeProgrammeSauveEnPgnPgnExtractRelitLeProgrammeRecharge) {
  if (chemin_pgn_extract().isEmpty()) GTEST_SKIP() << "pgn-extract is not installed (tools/installe_paquets.sh)";
  const std::vector<pgn::PartieLue> sources = lit_texte(PARTIES);
  ASSERT_EQ(sources.size(), 2u);
  for (std::size_t i = 0; i < sources.size(); ++i) {
    SCOPED_TRACE(i);
    const Jeu avant = charge(sources[i]);
    ASSERT_FALSE(avant.texte.empty());

    affiche_sauve();
    sauve& f = *fenetres::existante<sauve>();
    const QString chemin = QDir(dossier()).filePath(QStringLiteral("sauvee%1.pgn").arg(i));
    f.Option1[1]->setChecked(true);
    plateforme::DialoguesEnTest::repond(chemin);
    plateforme::BoitesEnTest::repond(boite::OK);
    f.Command1->click();
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray octets = fichier.readAll();
    for (const QByteArray& ligne : octets.split('\n')) EXPECT_LE(ligne.size(), 81) << ligne.toStdString();
    // The moves in standard notation: the mate marked, no "e.p.".
    EXPECT_TRUE(i != 0 || octets.contains("18.Kd2# 1-0")) << octets.toStdString();
    EXPECT_TRUE(i != 1 || octets.contains("3.exf6 {en passant} 3...e6")) << octets.toStdString();

    QString erreurs;
    const std::vector<pgn::PartieLue> relues = relu_par_pgn_extract(chemin, &erreurs);
    EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
    ASSERT_EQ(relues.size(), 1u);
    const Jeu apres = charge(relues[0]);
    EXPECT_EQ(apres.texte, avant.texte);
    EXPECT_EQ(apres.resultat, avant.resultat);
    EXPECT_EQ(apres.commentaires, avant.commentaires);
    EXPECT_EQ(pgn::tags_du_texte(apres.entete), pgn::tags_du_texte(avant.entete));
  }
  // The names outside Windows-1252 are kept: the file went over to UTF-8.
  EXPECT_NE(entete_pgn.find("\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87"), std::string::npos) << entete_pgn;
}

TEST_F(AllerRetour, UnFichierPgnCopieEnXmlSeChargeDepuisUneAdresse) {
  const QString source = ecrit_fichier(PARTIES);
  const std::vector<pgn::PartieLue> sources = lit_toutes(source);
  ASSERT_EQ(sources.size(), 2u);
  std::vector<Jeu> directs;
  for (const pgn::PartieLue& p : sources) directs.push_back(charge(p));

  const QString liste = QDir(dossier()).filePath(QStringLiteral("copie.xml"));
  plateforme::BoitesEnTest::repond(boite::OK);
  pgn_vers_xml(source, liste, false);
  QFile fichier(liste);
  ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
  const QByteArray document = fichier.readAll();
  EXPECT_TRUE(document.contains("<White>&#321;ukasz &#379;\xF3&#322;&#263;</White>")) << document.toStdString();

  ServeurHttp serveur;
  serveur.repond(reponse_http(200, "OK", document));
  affiche_xml();
  xml& f = *fenetres::existante<xml>();
  f.Text1->setText(serveur.adresse(QStringLiteral("/copie.xml")));
  plateforme::BoitesEnTest::repond(boite::OK);
  f.Command2->click();
  ASSERT_TRUE(attend([&] { return !f.telechargement(); }));
  ASSERT_EQ(colonne(0).size(), 2);
  for (int i : {1, 0}) {
    SCOPED_TRACE(i);
    if (i == 0) {
      plateforme::BoitesEnTest::repond(boite::OK);
      double_clic(0);
    }
    const Jeu xml = jeu_en_main();
    const Jeu& pgn = directs[static_cast<std::size_t>(i)];
    EXPECT_EQ(xml.texte, pgn.texte);
    EXPECT_EQ(xml.resultat, pgn.resultat);
    EXPECT_EQ(xml.commentaires, pgn.commentaires);
    EXPECT_EQ(tags_xml(xml.entete), tags_xml(pgn.entete));
  }
}
