// The database layer: opening only existing files, bound values, record
// sets, adding and updating, definitions, closing and compaction.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/base_donnees.h"
#include "platform/schemas_bases.h"
#include "tests/common/aide_tests.h"

using plateforme::BaseDonnees;
using plateforme::ErreurBase;

// Texts read in test failures.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class TestBaseDonnees : public TestMorvandel {
 protected:
  QString chemin(const QString& nom) const { return QDir(dossier()).filePath(nom); }
  // A new opening base with three lines, open in `base`.
  void base_de_trois(BaseDonnees& base) {
    BaseDonnees::cree(chemin("eco.db"), schemas::base_eco());
    base.ouvre(chemin("eco.db"));
    for (const char* coup : {"1.e4 *", "1.e4 e5 *", "1.d4 *"})
      base.ajoute("ECO", {{"Eco_code", "X"}, {"Eco_coup", coup}});
  }
};

TEST_F(TestBaseDonnees, MissingFileIsAnErrorAndCreatesNothing) {
  BaseDonnees base("essai");
  const QString absent = chemin("base/eco.db");
  try {
    base.ouvre(absent);
    FAIL() << "a missing file was opened";
  } catch (const ErreurBase& e) {
    EXPECT_TRUE(e.texte().contains("eco.db")) << e.texte().toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(absent));
  EXPECT_FALSE(QFileInfo::exists(chemin("base")));
  EXPECT_FALSE(base.ouverte());
  EXPECT_THROW(base.ouvre(QString()), ErreurBase);
  EXPECT_THROW(base.requete("SELECT 1"), ErreurBase);
}

TEST_F(TestBaseDonnees, FolderOrForeignFileIsRefusedAndLeftUntouched) {
  BaseDonnees base("essai");
  EXPECT_THROW(base.ouvre(dossier()), ErreurBase);
  const QByteArray contenu(2048, 'z');
  ecrit_octets(chemin("texte.db"), contenu);
  EXPECT_THROW(base.ouvre(chemin("texte.db")), ErreurBase);
  EXPECT_FALSE(base.ouverte());
  EXPECT_EQ(octets_fichier(chemin("texte.db"), "<absent>"), contenu);
}

TEST_F(TestBaseDonnees, ValuesAreStoredAndComparedAsGiven) {
  BaseDonnees base("essai");
  base_de_trois(base);
  // Quotes and SQL are text; a leading U+FEFF or U+FFFE is not a byte-order
  // mark of the value (SQLite would drop the one, and byte-swap the text
  // after the other). SQLite reads the noncharacter U+FFFE back as U+FFFD.
  const QChar bom(0xFEFF), inverse(0xFFFE), remplace(0xFFFD);
  const struct {
    QString donne, relu;
  } cas[] = {{"Anderssen's Opening'); DROP TABLE ECO; --", {}},
             {bom + QString("Amar"), {}},
             {inverse + QString("Amar"), remplace + QString("Amar")},
             {QString(bom) + bom + "x", {}},
             {QString(bom), {}},
             {"Am" + QString(bom) + "ar", {}}};
  int lignes = 3;
  for (const auto& c : cas) {
    const QString& nom = c.donne;
    const QString relu = c.relu.isNull() ? nom : c.relu;
    SCOPED_TRACE(nom.toStdString());
    const qint64 cle = base.ajoute("ECO", {{"Eco_code", "A00"}, {"Eco_libelle", nom}, {"Eco_coup", "1.a3 *"}});
    ++lignes;
    EXPECT_EQ(base.valeur("SELECT Eco_libelle FROM ECO WHERE Eco_cle = ?", {cle}).toString(), relu);
    EXPECT_EQ(base.valeur("SELECT length(Eco_libelle) FROM ECO WHERE Eco_cle = ?", {cle}).toInt(), nom.size());
    EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO WHERE Eco_libelle = ?", {nom}).toInt(), 1);
    base.met_a_jour("ECO", {{"Eco_coup", nom}}, "Eco_cle", cle);
    EXPECT_EQ(base.valeur("SELECT Eco_coup FROM ECO WHERE Eco_cle = ?", {cle}).toString(), relu);
    plateforme::Instruction ajout = base.instruction("INSERT INTO ECO (Eco_code, Eco_coup) VALUES ('B00', ?)");
    ajout.execute({nom});
    ++lignes;
    EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO WHERE Eco_code = 'B00' AND Eco_coup = ?", {nom}).toInt(), 1);
    base.execute("DELETE FROM ECO WHERE Eco_code = 'B00'");
    --lignes;
  }
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO WHERE Eco_coup = ?", {"x' OR '1'='1"}).toInt(), 0);
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), lignes);
}

TEST_F(TestBaseDonnees, RecordSetMovesAboutAndReadsColumnsWithoutRegardToCase) {
  BaseDonnees base("essai");
  base_de_trois(base);
  auto rs = base.requete("SELECT * FROM ECO ORDER BY Eco_cle");
  ASSERT_FALSE(rs.fin());
  EXPECT_EQ(rs.texte("ECO_COUP"), "1.e4 *");
  EXPECT_EQ(rs.nb(), 3);
  EXPECT_EQ(rs.texte("eco_coup"), "1.e4 *") << "counting keeps the current row";
  ASSERT_TRUE(rs.dernier());
  EXPECT_EQ(rs.valeur("Eco_cle").toInt(), 3);
  EXPECT_FALSE(rs.suivant());
  EXPECT_TRUE(rs.fin());
  ASSERT_TRUE(rs.va_a(1));
  EXPECT_EQ(rs.texte("Eco_coup"), "1.e4 e5 *");
  EXPECT_EQ(rs.texte("Eco_libelle"), "") << "an absent value reads as an empty text";
  EXPECT_TRUE(rs.valeur("Eco_note").isNull());
  EXPECT_EQ(rs.valeur("Eco_connaissance").toInt(), 0);
  EXPECT_THROW(rs.valeur("Eco_inconnue"), ErreurBase);
  EXPECT_EQ(rs.colonnes(), QStringList({"Eco_cle", "Eco_code", "Eco_libelle", "Eco_coup", "Eco_connaissance", "Eco_note"}));

  auto aucun = base.requete("SELECT * FROM ECO WHERE Eco_coup = ?", {"1.c4 *"});
  EXPECT_TRUE(aucun.fin());
  EXPECT_EQ(aucun.nb(), 0);
  EXPECT_THROW(aucun.valeur("Eco_cle"), ErreurBase);
}

TEST_F(TestBaseDonnees, UpdateChangesOnlyTheKeyedRowAndErrorsCarryTheDatabaseText) {
  BaseDonnees base("essai");
  base_de_trois(base);
  EXPECT_EQ(base.met_a_jour("ECO", {{"Eco_note", 35.5}, {"Eco_connaissance", 1}}, "Eco_cle", 2), 1);
  EXPECT_EQ(base.met_a_jour("ECO", {{"Eco_note", 1}}, "Eco_cle", 99), 0);
  EXPECT_DOUBLE_EQ(base.valeur("SELECT Eco_note FROM ECO WHERE Eco_cle = 2").toDouble(), 35.5);
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO WHERE Eco_note IS NULL").toInt(), 2);
  EXPECT_EQ(base.execute("DELETE FROM ECO WHERE Eco_connaissance = ?", {true}), 1);
  try {
    base.requete("SELECT * FROM TABLE_ABSENTE");
    FAIL();
  } catch (const ErreurBase& e) {
    EXPECT_TRUE(e.texte().contains("TABLE_ABSENTE")) << e.texte().toStdString();
  }
  // Only SQLite's booleans go into a flag column.
  EXPECT_THROW(base.ajoute("ECO", {{"Eco_coup", "1.c4 *"}, {"Eco_connaissance", -1}}), ErreurBase);
}

TEST_F(TestBaseDonnees, TransactionIsUndoneWhenTheWorkFails) {
  BaseDonnees base("essai");
  base_de_trois(base);
  EXPECT_THROW(base.transaction([&] {
    base.ajoute("ECO", {{"Eco_coup", "1.c4 *"}});
    base.ajoute("ECO", {{"Eco_code", "sans coup"}});  // Eco_coup is required
  }),
               ErreurBase);
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), 3);
  base.transaction([&] { base.ajoute("ECO", {{"Eco_coup", "1.c4 *"}}); });
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), 4);
}

TEST_F(TestBaseDonnees, DefinitionsOfTheOpeningTable) {
  BaseDonnees base("essai");
  base_de_trois(base);
  EXPECT_EQ(base.tables(), QStringList({"ECO"}));
  const auto colonnes = base.colonnes("ECO");
  QStringList noms;
  for (const auto& c : colonnes) noms << c.nom;
  EXPECT_EQ(noms, QStringList({"Eco_cle", "Eco_code", "Eco_libelle", "Eco_coup", "Eco_connaissance", "Eco_note"}));
  EXPECT_TRUE(colonnes[0].cle_primaire);
  EXPECT_EQ(colonnes[0].type, "INTEGER");
  EXPECT_FALSE(colonnes[3].cle_primaire);
  EXPECT_THROW(base.colonnes("PARTIE"), ErreurBase);
  // The prefix lookup is served by an index on the line text.
  const QString plan = base.requete("EXPLAIN QUERY PLAN SELECT * FROM ECO WHERE Eco_coup >= ? AND Eco_coup < ?",
                                    {"1.e4 ", "1.e4!"})
                           .texte("detail");
  EXPECT_TRUE(plan.contains("INDEX ECO_coup")) << plan.toStdString();
}

TEST_F(TestBaseDonnees, CorrespondenceTableNamesAndCounter) {
  BaseDonnees::cree(chemin("corres.db"), schemas::base_corres());
  BaseDonnees base("essai");
  base.ouvre(chemin("corres.db"));
  QStringList noms;
  for (const auto& c : base.colonnes("PARTIE")) noms << c.nom;
  EXPECT_EQ(noms, QStringList({"Cle", "Cle adverse", "Lieu", "JAIBLANC", "BLANC", "NOIR", "Mel Blanc", "Mel Noir",
                               "Elo Blanc", "Elo Noir", "Date debut", "Date fin", "Resultat", "Avertir", "Move",
                               "notation", "Date coup envoyé", "Dernier coup envoyé", "Date coup recu",
                               "Dernier coup recu"}));
  const plateforme::Champs partie = {{"BLANC", "Dupont"},        {"NOIR", "O'Brien"},
                                     {"Mel Blanc", "d@ex.org"},  {"Mel Noir", "o@ex.org"},
                                     {"Date debut", "2005-03-01"}, {"Dernier coup envoyé", "e4"}};
  const qint64 premiere = base.ajoute("PARTIE", partie);
  const qint64 seconde = base.ajoute("PARTIE", partie);
  EXPECT_GT(premiere, 0);
  EXPECT_EQ(seconde, premiere + 1);
  base.execute("DELETE FROM PARTIE WHERE Cle = ?", {seconde});
  EXPECT_EQ(base.ajoute("PARTIE", partie), seconde + 1) << "a key is never given twice";
  auto rs = base.requete("SELECT * FROM PARTIE WHERE Cle = ?", {premiere});
  EXPECT_EQ(rs.texte("NOIR"), "O'Brien");
  EXPECT_EQ(rs.texte("Cle adverse"), "");
  EXPECT_EQ(rs.valeur("JAIBLANC").toInt(), 0);
  EXPECT_EQ(base.met_a_jour("PARTIE", {{"Dernier coup recu", "e5"}}, "Cle", premiere), 1);
  // Required columns.
  EXPECT_THROW(base.ajoute("PARTIE", {{"BLANC", "Seul"}}), ErreurBase);
}

TEST_F(TestBaseDonnees, CloseReopenAndCompactKeepTheRows) {
  BaseDonnees base("essai");
  base_de_trois(base);
  base.ferme();
  EXPECT_FALSE(base.ouverte());
  EXPECT_THROW(base.valeur("SELECT count(*) FROM ECO"), ErreurBase);
  base.rouvre();
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), 3);
  EXPECT_TRUE(base.verifie().isEmpty());

  const QString copie = chemin("ecN.db");
  base.compacte_vers(copie);
  EXPECT_THROW(base.compacte_vers(copie), ErreurBase) << "an existing target is not overwritten";
  BaseDonnees compacte("essai-copie");
  compacte.ouvre(copie);
  EXPECT_EQ(compacte.valeur("SELECT group_concat(Eco_coup, '|') FROM (SELECT Eco_coup FROM ECO ORDER BY Eco_cle)").toString(), "1.e4 *|1.e4 e5 *|1.d4 *");
  EXPECT_THROW(BaseDonnees::cree(copie, schemas::base_eco()), ErreurBase);
}

TEST_F(TestBaseDonnees, TwoConnectionsToOneFileSeeEachOthersRows) {
  BaseDonnees base("essai");
  base_de_trois(base);
  BaseDonnees seconde("essai-2");
  seconde.ouvre(chemin("eco.db"));
  seconde.ajoute("ECO", {{"Eco_coup", "1.c4 *"}});
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), 4);
}

// valeur() keeps its statements: run again with other values, they read the
// file as it is now, hold no lock between calls (the other connection
// writes, compaction copies), and go with the connection.
TEST_F(TestBaseDonnees, KeptStatementsReadTheFileAsItIsAndHoldNoLock) {
  BaseDonnees base("essai");
  base_de_trois(base);
  const QString compte = "SELECT count(*) FROM ECO WHERE Eco_coup LIKE ?";
  EXPECT_EQ(base.valeur(compte, {"1.e4%"}).toInt(), 2);
  EXPECT_EQ(base.valeur(compte, {"1.d4%"}).toInt(), 1);
  BaseDonnees seconde("essai-2");
  seconde.ouvre(chemin("eco.db"));
  // Writes and a transaction of the other connection are not blocked.
  seconde.transaction([&] { seconde.ajoute("ECO", {{"Eco_coup", "1.d4 d5 *"}}); });
  EXPECT_EQ(base.valeur(compte, {"1.d4%"}).toInt(), 2);
  EXPECT_EQ(seconde.execute("DELETE FROM ECO WHERE Eco_coup = ?", {"1.e4 *"}), 1);
  EXPECT_EQ(base.valeur(compte, {"1.e4%"}).toInt(), 1);
  base.compacte_vers(chemin("copie.db"));
  // A statement that fails leaves the kept ones usable.
  EXPECT_THROW(base.valeur("SELECT count(*) FROM ECO WHERE Eco_coup = ?", {}), ErreurBase);
  EXPECT_EQ(base.valeur(compte, {"1.%"}).toInt(), 3);
  // Another file opened on the same connection: the statement is prepared
  // again for it.
  BaseDonnees::cree(chemin("vide.db"), schemas::base_eco());
  base.ouvre(chemin("vide.db"));
  EXPECT_EQ(base.valeur(compte, {"1.%"}).toInt(), 0);
}

// After a failed statement the connection is opened anew at the next one,
// never inside a transaction; what was set or made on it then holds.
TEST_F(TestBaseDonnees, AFailedStatementOpensTheConnectionAnewOnceOutsideATransaction) {
  BaseDonnees base("essai");
  base_de_trois(base);
  const QString compte = "SELECT count(*) FROM ECO";
  auto echoue = [&] { EXPECT_THROW(base.valeur("SELECT * FROM ABSENTE"), ErreurBase); };
  base.transaction([&] {
    base.ajoute("ECO", {{"Eco_coup", "1.c4 *"}});
    echoue();
    base.ajoute("ECO", {{"Eco_coup", "1.b3 *"}});
  });
  EXPECT_EQ(base.valeur(compte).toInt(), 5) << "the rows before the failure are committed";
  base.regle("PRAGMA cache_size = -16384");
  echoue();
  base.execute("CREATE TEMP TABLE vue (x)");
  EXPECT_EQ(base.valeur("SELECT count(*) FROM vue").toInt(), 0);
  EXPECT_EQ(base.valeur("PRAGMA cache_size").toInt(), -16384);
  // The kept statement of a base emptied and put back byte for byte.
  const QByteArray octets = octets_fichier(chemin("eco.db"));
  ecrit_octets(chemin("eco.db"), {});
  EXPECT_THROW(base.valeur(compte), ErreurBase);
  ecrit_octets(chemin("eco.db"), octets);
  EXPECT_EQ(base.valeur(compte).toInt(), 5);
}

// lecture() runs reads in one transaction of their own, or in the one
// already open; either way the next transaction can start.
TEST_F(TestBaseDonnees, ReadsRunInOneTransactionOrInTheOneOpen) {
  BaseDonnees base("essai");
  base_de_trois(base);
  BaseDonnees seconde("essai-2");
  seconde.ouvre(chemin("eco.db"));
  seconde.valeur("PRAGMA busy_timeout = 0");  // refused at once, not after a wait
  const int vus = base.lecture([&] {
    const int avant = base.valeur("SELECT count(*) FROM ECO").toInt();
    // The reads see one state of the file: a row the other connection
    // could not add meanwhile (the file is locked for reading), or would
    // add after.
    EXPECT_THROW(seconde.execute("BEGIN EXCLUSIVE"), ErreurBase);
    return avant + base.valeur("SELECT count(*) FROM ECO").toInt();
  });
  EXPECT_EQ(vus, 6);
  seconde.ajoute("ECO", {{"Eco_coup", "1.c4 *"}});
  base.transaction([&] {
    base.ajoute("ECO", {{"Eco_coup", "1.b3 *"}});
    EXPECT_EQ(base.lecture([&] { return base.valeur("SELECT count(*) FROM ECO").toInt(); }), 5);
  });
  EXPECT_THROW(base.lecture([&]() -> int { throw ErreurBase("echec"); }), ErreurBase);
  base.transaction([&] { base.ajoute("ECO", {{"Eco_coup", "1.g3 *"}}); });
  EXPECT_EQ(seconde.valeur("SELECT count(*) FROM ECO").toInt(), 6);
}

}  // namespace
