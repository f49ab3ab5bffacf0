// The fuzz targets replayed by the test build: every input of the seed
// corpus and every input that once broke a promise, each row with what the
// reader must make of it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <string>

#include "fuzz/cibles/cibles.h"
#include "platform/boites.h"
#include "tests/common/aide_tests.h"

namespace {

QString dossier_corpus(const std::string& cible) {
  return QStringLiteral(MVD_SOURCE_DIR "/fuzz/corpus/") + QString::fromStdString(cible);
}

// The target's verdict on the bytes of one file; a broken promise fails the test.
std::string rejoue(const std::string& cible, const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << chemin.toStdString();
    return {};
  }
  const QByteArray octets = f.readAll();
  const fuzz::FonctionCible c = fuzz::cible(cible);
  if (!c) {
    ADD_FAILURE() << "no target " << cible;
    return {};
  }
  struct Apres {
    ~Apres() { fuzz::apres_entree(); }
  } apres;
  try {
    return c(reinterpret_cast<const std::uint8_t*>(octets.constData()), static_cast<std::size_t>(octets.size()));
  } catch (const fuzz::Faute& e) {
    ADD_FAILURE() << cible << " " << chemin.toStdString() << ": " << e.what();
    return {};
  }
}

class Cibles : public TestMorvandel {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    fuzz::faute_arrete(false);
    fuzz::prepare(MVD_BUILD_DIR);
  }
  void TearDown() override {
    // The boxes the readers show are theirs to show; the next test fails on any again.
    plateforme::BoitesEnTest::active([](const QString& texte) {
      ADD_FAILURE() << "unexpected box: " << texte.toStdString();
    });
    TestMorvandel::TearDown();
  }
};

class CorpusEntier : public Cibles, public ::testing::WithParamInterface<const char*> {};

const char* const CIBLES[] = {"fen",     "chaine_position", "decode_coup", "parametres", "parametres_moteur",
                              "csv_eco", "reseau",          "version",     "pgn",        "xml",
                              "corres"};

}  // namespace

// Every file of a target's corpus keeps every promise.
TEST_P(CorpusEntier, AucunePromesseRompue) {
  const QDir d(dossier_corpus(GetParam()));
  const QStringList fichiers = d.entryList(QDir::Files);
  ASSERT_FALSE(fichiers.isEmpty()) << "no corpus for " << GetParam();
  for (const QString& f : fichiers) {
    SCOPED_TRACE(f.toStdString());
    rejoue(GetParam(), d.filePath(f));
  }
}
INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusEntier, ::testing::ValuesIn(CIBLES));

// Inputs with a known verdict: the seeds that pin a reader's choice, and the
// inputs that once failed (named "regression-*"), kept in the corpus.
TEST_F(Cibles, Verdicts) {
  struct Cas {
    const char* cible;
    const char* fichier;
    std::string attendu;
  };
  const Cas cas[] = {
      {"fen", "depart", "accepté rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
      {"fen", "roques_colonnes", "accepté r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"},
      {"fen", "champs_courts", "accepté 8/8/8/8/8/8/8/K6k w - - 0 1"},
      {"fen", "echec_refuse", "refusé"},
      {"fen", "mauvais_rang", "refusé"},
      {"fen", "regression-lent-nul", "refusé"},
      {"chaine_position", "depart", "chaîne"},
      {"chaine_position", "sans_roi", "rien"},
      {"chaine_position", "fen_blancs", "fen"},
      // "Nf3" (three bytes: Black at the bottom) in English letters; "N" is no
      // French piece letter.
      {"decode_coup", "cavalier", "2133 0000 2133"},
      {"parametres", "rejets", "lu 3"},
      {"parametres", "inconnue", "clé inconnue 0"},
      {"parametres_moteur", "refus", "refusé"},
      {"parametres_moteur", "deux_fois", "chargé 2"},
      {"csv_eco", "guillemets", "importé 2"},
      {"csv_eco", "non_ferme", "refusé"},
      {"csv_eco", "trop_de_champs", "refusé"},
      // A name that begins with U+FEFF lost it through an export and an import
      // (the first file's lines hold no moves that play: it is refused now).
      {"csv_eco", "regression-marque-en-tete-de-champ", "refusé"},
      {"csv_eco", "marque_en_tete_de_champ", "importé 2"},
      // Text after a closing quote, and moves that do not play.
      {"csv_eco", "texte_apres_guillemet", "refusé"},
      {"csv_eco", "pas_des_coups", "refusé"},
      // The first byte gives the length of the first piece: the rest comes in one.
      {"reseau", "colles", "#>#"},
      // A move cut after its four digits, and a draw answer glued to a move
      // cut after its "!": each comes out as from the stream in one piece.
      {"reseau", "regression-coup-coupe", "#"},
      {"reseau", "regression-nulle-apres-coup", "#!/"},
      // A move cut after a chat line, a draw refusal after a move's "!"; an
      // acceptance and a promotion cut before their ends.
      {"reseau", "chat_puis_coup", ">##!"},
      {"reseau", "promotion_lente", "@#"},
      {"version", "annonce", "version 1"},
      {"version", "casse", "erreur"},
      {"version", "pas_version", "sans version"},
      {"pgn", "eco_c", "5 parties"},
      {"pgn", "sans_tags", "2 parties"},
      // A tab between moves is written as a blank: the moves stay apart.
      {"xml", "regression-tabulation", "2 parties"},
      {"xml", "casse", "erreur"},
      {"xml", "liste", "2 parties"},
      {"corres", "recu_blancs", "reçu 1.e4"},
      {"corres", "envoi_francais", "envoi Cc6"},
      {"corres", "pas_son_tour", "reçu refusé"},
      // A move after the game's result would be stored where no reading finds it.
      {"corres", "regression-apres-resultat", "reçu refusé"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.cible) + "/" + c.fichier);
    EXPECT_EQ(rejoue(c.cible, dossier_corpus(c.cible) + QLatin1Char('/') + QLatin1String(c.fichier)), c.attendu);
  }
}
