// The opening base that ships with the program, and the replay that builds
// it: every line must be legal under the program's own rules and written
// exactly as the game record holds those moves.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <sstream>

#include "chess/etat.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/schemas_bases.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

const QString BASE_LIVREE = QStringLiteral(MVD_BUILD_DIR "/base/eco.db");

// The moves of a line, without their numbers.
std::vector<std::string> coups_sans_numeros(const std::string& ligne) {
  std::vector<std::string> coups;
  std::istringstream flux(ligne);
  for (std::string jeton; flux >> jeton;) {
    const std::size_t chiffres = jeton.find_first_not_of("0123456789");
    if (chiffres > 0 && chiffres != std::string::npos && jeton[chiffres] == '.')
      jeton.erase(0, jeton.find_first_not_of('.', chiffres));
    coups.push_back(jeton);
  }
  return coups;
}

class TestLigneEco : public TestOuvertures, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    couleur_joueur = GetParam();
  }
};

TEST_P(TestLigneEco, WritesTheGameRecordsOwnMovetext) {
  EXPECT_EQ(movetext_de_ligne("1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O"),
            "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O");
  // Check marks go, a disambiguation stays, en passant is marked.
  EXPECT_EQ(movetext_de_ligne("1. d4 Nf6 2. Nd2 e5 3. dxe5 Ng4 4. Ngf3 Bc5 5. e4 Bxf2+"),
            "1.d4 Nf6 2.Nd2 e5 3.dxe5 Ng4 4.Ngf3 Bc5 5.e4 Bxf2");
  EXPECT_EQ(movetext_de_ligne("1.e4 d5 2.exd5 e5 3.dxe6"), "1.e4 d5 2.exd5 e5 3.dxe6e.p.");
  EXPECT_EQ(movetext_de_ligne("1. e4 e5 2. Nf3 *"), "1.e4 e5 2.Nf3") << "a terminator ends the line";
  EXPECT_EQ(movetext_de_ligne(""), "");
  EXPECT_EQ(dernier_trait, NOIR);
}

TEST_P(TestLigneEco, AMoveTheRulesRefuseStopsTheLine) {
  EXPECT_THROW(movetext_de_ligne("1. e4 e5 2. Ke3"), std::runtime_error);
  // The knight on c3 shields its king from the bishop on b4.
  EXPECT_THROW(movetext_de_ligne("1. e4 e6 2. d4 Bb4+ 3. Nc3 Nf6 4. Nd5"), std::runtime_error);
  EXPECT_THROW(movetext_de_ligne("1. e4 e4"), std::runtime_error) << "the same square twice";
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, TestLigneEco, ::testing::Values(BLANC, NOIR),
                         [](const auto& info) { return info.param == BLANC ? "BlancEnBas" : "NoirEnBas"; });

class TestBaseLivree : public TestOuvertures {};

int lignes_sources() {
  int n = 0;
  const QDir dossier(QStringLiteral(MVD_SOURCE_DIR "/data-src/eco"));
  for (const QString& nom : dossier.entryList({"*.tsv"}, QDir::Files)) {
    QFile f(dossier.filePath(nom));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream flux(&f);
    flux.readLine();  // header
    while (!flux.atEnd())
      if (!flux.readLine().trimmed().isEmpty()) ++n;
  }
  return n;
}

TEST_F(TestBaseLivree, HoldsEveryLineOfTheSourcesInTheTablesForm) {
  ASSERT_TRUE(QFile::exists(BASE_LIVREE));
  ouvre_base_eco(BASE_LIVREE);
  const int n = db_eco.valeur("SELECT count(*) FROM ECO").toInt();
  EXPECT_EQ(n, lignes_sources());
  EXPECT_GT(n, 3000);
  EXPECT_EQ(db_eco.valeur("SELECT min(Eco_cle) FROM ECO").toInt(), 1);
  EXPECT_EQ(db_eco.valeur("SELECT max(Eco_cle) FROM ECO").toInt(), n);
  EXPECT_EQ(db_eco.valeur("SELECT count(*) FROM ECO WHERE Eco_connaissance <> 0 OR Eco_note IS NOT NULL").toInt(), 0);
  const QRegularExpression code(QStringLiteral("^[A-E][0-9][0-9]$"));
  const QRegularExpression forme(QStringLiteral("^1\\.\\S+( \\S+)* \\*$"));
  auto rs = db_eco.requete("SELECT Eco_code, Eco_libelle, Eco_coup FROM ECO");
  for (; !rs.fin(); rs.suivant()) {
    ASSERT_TRUE(code.match(rs.texte("Eco_code")).hasMatch()) << rs.texte("Eco_code").toStdString();
    ASSERT_FALSE(rs.texte("Eco_libelle").isEmpty());
    ASSERT_TRUE(forme.match(rs.texte("Eco_coup")).hasMatch()) << rs.texte("Eco_coup").toStdString();
  }
  QStringList index;
  auto ix = db_eco.requete("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'ECO' ORDER BY name");
  for (; !ix.fin(); ix.suivant()) index << ix.texte("name");
  EXPECT_EQ(index, QStringList({"ECO_coup", "ECO_ordre"}));
}

// Every line replays through the rules and gives back its own text, with
// either colour at the bottom of the board.
TEST_F(TestBaseLivree, EveryLineReplaysLegallyInBothOrientations) {
  ouvre_base_eco(BASE_LIVREE);
  std::vector<std::string> lignes;
  auto rs = db_eco.requete("SELECT Eco_coup FROM ECO ORDER BY Eco_cle");
  for (; !rs.fin(); rs.suivant()) lignes.push_back(rs.texte("Eco_coup").toStdString());
  for (const int bas : {BLANC, NOIR}) {
    int fautes = 0;
    for (const std::string& ligne : lignes) {
      couleur_joueur = bas;
      const std::string coups = ligne.substr(0, ligne.size() - 2);
      try {
        const std::string rejoue = movetext_de_ligne(coups);
        if (rejoue != coups && ++fautes < 5) ADD_FAILURE() << coups << " gives " << rejoue;
      } catch (const std::exception& e) {
        if (++fautes < 5) ADD_FAILURE() << coups << ": " << e.what();
      }
    }
    EXPECT_EQ(fautes, 0) << "with colour " << bas << " at the bottom";
  }
  // Read one after the other, in key order and back, each sharing what it
  // shares with its neighbour.
  LecteurLignes lecteur;
  for (const bool retour : {false, true}) {
    int fautes = 0;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
      const std::string& ligne = lignes[retour ? lignes.size() - 1 - i : i];
      const std::string coups = ligne.substr(0, ligne.size() - 2);
      std::string texte;
      std::size_t lus = 0;
      if ((!lecteur.lit(coups_sans_numeros(coups), texte, lus) || texte != coups) && ++fautes < 5)
        ADD_FAILURE() << coups << " gives " << texte << " (" << lus << " moves)";
    }
    EXPECT_EQ(fautes, 0) << (retour ? "backwards" : "in key order");
  }
}

// Lines read one after the other on a kept board give what each gives played
// alone from the start, whatever the line before left on the board, and the
// board is the user's again after each.
TEST_P(TestLigneEco, LinesReadInARowGiveWhatEachGivesAlone) {
  const std::vector<std::vector<const char*>> suites = {
      // Castling after a line that took the right away.
      {"e4 e5 Nf3 Nc6 Bc4 Bc5 Ke2", "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O", "e4 e5 Nf3 Nc6 Bc4 Bc5 Ke2 Nf6 O-O"},
      // En passant right after the two-step, and no longer one move later.
      {"e4 f5 e5 d5 Nf3", "e4 f5 e5 d5 exd6", "e4 f5 e5 d5 Nf3 Nc6 exd6"},
      // A line inside the one before; one that fails, then one that goes past
      // where it failed; a line shorter than all.
      {"d4 d5 c4 e6 Nc3", "d4 d5", "d4 d5 c4 Ke7", "d4 d5 c4 dxc4 Nc3", "d4"},
      // A promotion, then a line that parts just before it.
      {"h4 g5 hxg5 h6 gxh6 Nf6 h7 Ng8 hxg8=Q", "h4 g5 hxg5 h6 gxh6 Nf6 h7 Rg8"},
  };
  for (const auto& suite : suites) {
    LecteurLignes lecteur;
    for (const char* ligne : suite) {
      SCOPED_TRACE(ligne);
      const std::vector<std::string> coups = coups_sans_numeros(ligne);
      const std::vector<std::string> seule = prefixes_de_coups(coups, static_cast<int>(coups.size()));
      place_position_depart();
      const TableauCases plateau = tab_echiquier;
      std::string texte;
      std::size_t lus = 0;
      const bool lue = lecteur.lit(coups, texte, lus);
      ASSERT_EQ(lue, seule.size() == coups.size());
      EXPECT_EQ(lue ? texte : std::to_string(lus), lue ? seule.back() : std::to_string(seule.size()));
      EXPECT_TRUE(tab_echiquier == plateau);
      EXPECT_EQ(couleur_joueur, GetParam());
    }
  }
}

TEST_F(TestBaseLivree, NamesWellKnownOpenings) {
  const QString copie = QDir(dossier()).filePath("eco.db");
  ASSERT_TRUE(QFile::copy(BASE_LIVREE, copie));
  ouvre_base_eco(copie);
  cherche_ouverture(1, "1.e4 e5 2.Nf3 Nc6 3.Bb5");
  EXPECT_EQ(eco_courant, "C60");
  EXPECT_TRUE(ouverture_courante.startsWith("Ruy Lopez")) << ouverture_courante.toStdString();
  cherche_ouverture(1, "1.e4 c5");
  EXPECT_EQ(eco_courant, "B20");
  cherche_ouverture(1, "1.d4 d5 2.c4");
  EXPECT_EQ(eco_courant, "D06");
  EXPECT_EQ(texte_commentaire().count('\n'), 3);
}

TEST_F(TestBaseLivree, CorrespondenceBaseShipsEmptyWithItsTable) {
  plateforme::BaseDonnees corres("corres-livree");
  corres.ouvre(QStringLiteral(MVD_BUILD_DIR "/base/corres.db"));
  EXPECT_EQ(corres.tables(), QStringList({"PARTIE"}));
  EXPECT_EQ(corres.valeur("SELECT count(*) FROM PARTIE").toInt(), 0);
  EXPECT_EQ(corres.colonnes("PARTIE").size(), 20);
}

}  // namespace
