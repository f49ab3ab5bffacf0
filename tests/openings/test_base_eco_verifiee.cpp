// Opening the opening base checks what the lookups need, once: a base that
// lacks a table or a column is refused naming the file; a base without its
// indexes is said once and then served without them.
#include <QDir>
#include <QFile>
#include <cstdint>
#include <limits>

#include "chess/etat.h"
#include "chess/notation.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/coup_bibliotheque.h"
#include "openings/hasard.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/schemas_bases.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

class BaseEcoVerifiee : public TestOuvertures {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    QDir().mkpath(QDir(dossier()).filePath("base"));
    active_base_con[1] = 1;
    place_position_depart();
  }
  QString natif() const { return QDir::toNativeSeparators(chemin_base()); }
  // A base made of `schema`, then `lignes` lines continuing 1.e4 with e5.
  void fabrique(const QStringList& schema, int lignes, const QString& table = "ECO") {
    plateforme::BaseDonnees::cree(chemin_base(), schema);
    plateforme::BaseDonnees b(QStringLiteral("fabrique"));
    b.ouvre(chemin_base());
    b.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                             "INSERT INTO %2 (Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) "
                             "SELECT i, 'C20', 'Ligne ' || i, '1.e4 e5 2.a' || i || ' *', 0, NULL FROM n")
                  .arg(lignes)
                  .arg(table));
  }
  bool coup_noir(bool au_hasard, std::string& cible) {
    ouverture_aleatoire[1] = au_hasard ? 1 : 0;
    texte_partie = movetext_de_ligne("1.e4");
    int cs = 0, ls = 0, cd = 0, ld = 0;
    std::string marques;
    float note = 0;
    const bool ok = coup_bibliotheque(NOIR, texte_partie, cs, ls, cd, ld, marques, note);
    cible = ok ? nom_case(cd, ld) : std::string();
    return ok;
  }
};

const QString TABLE = QStringLiteral(
    "CREATE TABLE %1 (Eco_cle INTEGER PRIMARY KEY, Eco_code TEXT, Eco_libelle TEXT, Eco_coup TEXT NOT NULL, "
    "Eco_connaissance INTEGER NOT NULL DEFAULT 0, Eco_note REAL)");

TEST_F(BaseEcoVerifiee, ABaseWithoutWhatTheLookupsReadIsRefusedNamingTheFile) {
  struct Cas {
    const char* quoi;
    QStringList schema;  // empty: a zero-byte file
    QString raison;
  };
  const Cas cas[] = {
      {"zero-byte file", {}, texte(841)},
      {"other table only", {TABLE.arg("LIGNES")}, texte(841)},
      {"columns missing",
       {"CREATE TABLE ECO (Eco_cle INTEGER PRIMARY KEY, Eco_code TEXT, Eco_libelle TEXT, Eco_coup TEXT)"},
       texte(842).arg("Eco_connaissance, Eco_note")},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    QFile::remove(chemin_base());
    if (c.schema.isEmpty())
      QFile(chemin_base()).open(QIODevice::WriteOnly);
    else
      plateforme::BaseDonnees::cree(chemin_base(), c.schema);
    try {
      ouvre_base_eco(chemin_base());
      ADD_FAILURE() << "accepted";
    } catch (const plateforme::ErreurBase& e) {
      EXPECT_EQ(e.texte(), texte(840).arg(natif(), c.raison));
    }
    EXPECT_FALSE(db_eco.ouverte());
  }
  // A file that is no database names the file too.
  QFile::remove(chemin_base());
  ecrit_octets(chemin_base(), QByteArray(4096, 'x'));
  try {
    ouvre_base_eco(chemin_base());
    ADD_FAILURE() << "accepted";
  } catch (const plateforme::ErreurBase& e) {
    EXPECT_TRUE(e.texte().contains(natif())) << e.texte().toStdString();
  }
}

TEST_F(BaseEcoVerifiee, ABaseWithoutItsIndexesIsSaidOnceAndServesEveryLookup) {
  const QStringList schema = schemas::base_eco();
  struct Cas {
    const char* quoi;
    QStringList schema;
    QString table;
    QString manquants;
  };
  const Cas cas[] = {
      {"no index", {schema[0]}, "ECO", "ECO_coup, ECO_ordre"},
      {"ECO_ordre missing", {schema[0], schema[1]}, "ECO", "ECO_ordre"},
      {"ECO_coup on other columns", {schema[0], "CREATE INDEX ECO_coup ON ECO (Eco_code)", schema[2]}, "ECO",
       "ECO_coup"},
      {"ECO_coup partial",
       {schema[0], "CREATE INDEX ECO_coup ON ECO (Eco_coup, Eco_note, Eco_connaissance, Eco_code) WHERE Eco_note > 0",
        schema[2]},
       "ECO",
       "ECO_coup"},
      {"ECO a view", {TABLE.arg("LIGNES"), "CREATE VIEW ECO AS SELECT * FROM LIGNES"}, "LIGNES",
       "ECO_coup, ECO_ordre"},
  };
  // Below and above the number of lines where the random choice draws keys.
  for (int lignes : {30, 3000}) {
    for (const Cas& c : cas) {
      SCOPED_TRACE(std::string(c.quoi) + " " + std::to_string(lignes));
      db_eco.ferme();
      QFile::remove(chemin_base());
      fabrique(c.schema, lignes, c.table);
      plateforme::BoitesEnTest::efface();
      plateforme::BoitesEnTest::repond(boite::OK);
      ouvre_base_eco(chemin_base());
      ASSERT_EQ(plateforme::BoitesEnTest::textes(),
                QStringList({texte(843).arg(natif(), c.manquants)}));
      // Then every lookup answers without a box.
      std::string cible;
      for (bool au_hasard : {false, true, true, true}) {
        ASSERT_TRUE(coup_noir(au_hasard, cible));
        EXPECT_EQ(cible, "e5");
      }
      eco_courant.clear();
      cherche_ouverture(1, texte_partie);
      EXPECT_EQ(eco_courant, "C20");
      EXPECT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
    }
  }
  // The base as it is made says nothing.
  db_eco.ferme();
  QFile::remove(chemin_base());
  fabrique(schema, 30);
  plateforme::BoitesEnTest::efface();
  ouvre_base_eco(chemin_base());
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().isEmpty());
}

TEST_F(BaseEcoVerifiee, TheRandomLineIsDrawnOverKeysSpanningTheWholeRange) {
  const qint64 plus_grande = std::numeric_limits<qint64>::max();
  const qint64 plus_petite = std::numeric_limits<qint64>::min();
  struct Cas {
    qint64 bas, haut;
  };
  for (const Cas& c : {Cas{0, plus_grande}, Cas{plus_petite, plus_grande}, Cas{plus_petite, 0}}) {
    SCOPED_TRACE(std::to_string(c.bas) + ".." + std::to_string(c.haut));
    db_eco.ferme();
    QFile::remove(chemin_base());
    fabrique(schemas::base_eco(), 2600);
    plateforme::BaseDonnees b(QStringLiteral("cles"));
    b.ouvre(chemin_base());
    b.execute(QStringLiteral("UPDATE ECO SET Eco_cle = ? WHERE Eco_cle = 1"), {c.bas});
    b.execute(QStringLiteral("UPDATE ECO SET Eco_cle = ? WHERE Eco_cle = 2"), {c.haut});
    b.ferme();
    ouvre_base_eco(chemin_base());
    initialise_hasard(5);
    std::string cible;
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(coup_noir(true, cible));
      EXPECT_EQ(cible, "e5");
    }
  }
  // Draws over the widest span stay in it and reach both halves.
  initialise_hasard(11);
  bool haut = false, bas = false;
  for (int i = 0; i < 64; ++i) {
    const std::uint64_t t = tire_entier(std::numeric_limits<std::uint64_t>::max());
    (t >> 63 ? haut : bas) = true;
  }
  EXPECT_TRUE(haut && bas);
  for (int i = 0; i < 200; ++i) EXPECT_LE(tire_entier(2), 2u);
}

}  // namespace
