// Upkeep of the opening base: emptying the learned lines, compaction, repair.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <cerrno>
#include <cstring>

#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/maintenance_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/fichiers_texte.h"
#include "platform/schemas_bases.h"
#include "tests/openings/aide_ouvertures.h"

using plateforme::BoitesEnTest;

namespace {

class Entretien : public TestOuvertures {
 protected:
  void SetUp() override {
    TestOuvertures::SetUp();
    active_base_con[1] = active_base_con[2] = 1;
    base_eco = chemin_base();
  }
  // The files of the base's folder.
  QStringList fichiers() const {
    return QDir(QFileInfo(chemin_base()).path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  QByteArray octets_base() const { return octets_fichier(chemin_base()); }
  // A base of `n` lines whose table pages come first in the file, then the
  // pages of its indexes. Left closed.
  void cree_base_en_pages(int n) {
    QDir().mkpath(QFileInfo(chemin_base()).path());
    const QStringList schema = schemas::base_eco();
    plateforme::BaseDonnees::cree(chemin_base(), {schema.first()});
    plateforme::BaseDonnees b(QStringLiteral("construction"));
    b.ouvre(chemin_base());
    b.transaction([&] {
      for (int i = 1; i <= n; ++i)
        b.ajoute(QStringLiteral("ECO"),
                 {{QStringLiteral("Eco_code"), QStringLiteral("C%1").arg(i % 100)},
                  {QStringLiteral("Eco_libelle"), QStringLiteral("Ouverture numéro %1").arg(i)},
                  {QStringLiteral("Eco_coup"), QStringLiteral("1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 %1 *").arg(i)}});
    });
    for (int k = 1; k < schema.size(); ++k) b.execute(schema[k]);
    page_ = b.valeur(QStringLiteral("PRAGMA page_size")).toInt();
    pages_ = b.valeur(QStringLiteral("PRAGMA page_count")).toInt();
  }
  // Overwrites page `numero` (from 1) of the closed base with garbage.
  void abime_page(int numero, int octets = -1) {
    QFile f(chemin_base());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(static_cast<qint64>(numero - 1) * page_));
    f.write(QByteArray(octets < 0 ? page_ : octets, '\x5A'));
  }
  int page_ = 4096;
  int pages_ = 0;
};

TEST_F(Entretien, ViderNeRetireQueLesLignesApprises) {
  cree_base({{"C20", "a", "1.e4 e5 *", false, 50},
             {"C20", "a", "1.e4 e5 2.Nf3 1-0", true, 10},
             {"B20", "b", "1.e4 c5 *", false},
             {"B20", "b", "1.e4 c5 2.c3 *", true}});
  // Base off for the profile in force: refused, nothing goes.
  active_base_con[1] = 0;
  BoitesEnTest::repond(boite::OK);
  vide_base_connaissance();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(227)});
  EXPECT_EQ(lignes_base().size(), 4);
  // No to the question: nothing goes.
  active_base_con[1] = 1;
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::NON);
  vide_base_connaissance();
  EXPECT_EQ(lignes_base().size(), 4);
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  vide_base_connaissance();
  EXPECT_EQ(BoitesEnTest::textes(), (QStringList{texte(225), texte(226)}));
  EXPECT_EQ(coups_base(), (QStringList{"1.e4 e5 *", "1.e4 c5 *"}));
}

TEST_F(Entretien, LaReorganisationGardeChaqueLigneEtRouvreLaBase) {
  cree_base({{"C20", "a", "1.e4 e5 *"}, {"B20", "b", "1.e4 c5 *"}, {"A00", "c", "1.a3 *"}});
  db_eco.execute(QStringLiteral("DELETE FROM ECO WHERE Eco_code = 'A00'"));
  const QStringList avant = coups_base();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  reorganise_base_eco();
  EXPECT_EQ(BoitesEnTest::textes().last(), QStringLiteral("La base de données est réorganisée avec succès !"));
  ASSERT_TRUE(db_eco.ouverte());
  EXPECT_EQ(coups_base(), avant);
  EXPECT_EQ(par_index_eco(QStringLiteral("ECO_coup")), QStringLiteral(" INDEXED BY ECO_coup"));
  EXPECT_EQ(fichiers(), QStringList{"eco.db"}) << "no file of the job is left";
}

TEST_F(Entretien, LesRestesDUnTravailInterrompuPartentEtRienDAutre) {
  cree_base({{"C20", "a", "1.e4 e5 *"}});
  const QString dossier = QFileInfo(chemin_base()).path();
  const QString uuid = QStringLiteral("0f8e2c4a-9b1d-4e7f-a3c5-6d2b8e9f1a07");
  // What a compaction or a repair killed part way leaves, and files that
  // only look like it.
  const QStringList restes = {"eco.db.compacte-" + uuid, "eco.db.compacte-" + uuid + "-journal",
                              "eco.db.reparee-" + uuid, "eco.db.reparee-" + uuid + "-wal"};
  const QStringList gardes = {"eco.db.endommagee-20261210-101500", "eco.db.compacte-copie", "autre.db.compacte-" + uuid,
                              "eco.db.compacte-" + uuid + ".bak", "eco.db"};
  // The command, and the start of the program (which calls the same function).
  const std::pair<const char*, std::function<void()>> moments[] = {
      {"compaction", [] { BoitesEnTest::repond(boite::OUI), BoitesEnTest::repond(boite::OK), reorganise_base_eco(); }},
      {"start-up", [this] { EXPECT_EQ(supprime_restes_maintenance(chemin_base()), 4); }},
  };
  for (const auto& [moment, lance] : moments) {
    SCOPED_TRACE(moment);
    for (const QString& nom : restes + gardes.mid(0, gardes.size() - 1)) {
      QFile f(QDir(dossier).filePath(nom));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("x");
    }
    lance();
    QStringList attendu = gardes;
    attendu.sort();
    EXPECT_EQ(fichiers(), attendu);
    for (const QString& nom : gardes.mid(0, gardes.size() - 1)) QFile::remove(QDir(dossier).filePath(nom));
  }
  EXPECT_EQ(coups_base(), QStringList{"1.e4 e5 *"});
}

TEST_F(Entretien, CompactageEtReparationRefusesPendantQueLaGrilleTientLaBase) {
  cree_base({{"C20", "a", "1.e4 e5 *"}});
  const QByteArray avant = octets_base();
  plateforme::BaseDonnees grille(QStringLiteral("grille_test"));
  grille.ouvre(chemin_base());
  for (auto commande : {reorganise_base_eco, repare_base_eco}) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OUI);
    BoitesEnTest::repond(boite::OK);
    commande();
    EXPECT_EQ(BoitesEnTest::textes().last(), texte(852).arg(QDir::toNativeSeparators(chemin_base())));
    EXPECT_TRUE(db_eco.ouverte());
    EXPECT_EQ(octets_base(), avant);
  }
  // A No to the first question does nothing either.
  grille.ferme();
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::NON);
  reorganise_base_eco();
  EXPECT_EQ(fichiers(), QStringList{"eco.db"});
}

TEST_F(Entretien, UneBaseSaineNEstPasReparee) {
  cree_base({{"C20", "a", "1.e4 e5 *"}});
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  repare_base_eco();
  EXPECT_EQ(BoitesEnTest::textes().last(), texte(854));
  EXPECT_EQ(fichiers(), QStringList{"eco.db"});
  EXPECT_TRUE(db_eco.ouverte());
}

// A damaged base: the rows that can be read go to a new base put in its
// place, the damaged file is kept beside it, and the message says so.
TEST_F(Entretien, UneBaseAbimeeEstRecupereeDansUneNouvelleBase) {
  struct Cas {
    const char* quoi;
    bool derniere_page;  // an index page, else a page of the table's rows
    bool toutes;         // every row comes back
  } cas[] = {{"index", true, true}, {"lignes", false, false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    QDir(QFileInfo(chemin_base()).path()).removeRecursively();
    db_eco.ferme();
    cree_base_en_pages(2000);
    ASSERT_GT(pages_, 20);
    abime_page(c.derniere_page ? pages_ : 6);
    const QByteArray abimee = octets_base();
    BilanReparation bilan = repare_fichier_eco(chemin_base());
    ASSERT_EQ(bilan.issue, BilanReparation::REPAREE);
    EXPECT_FALSE(bilan.problemes.isEmpty());
    EXPECT_EQ(bilan.pertes, !c.toutes);
    if (c.toutes)
      EXPECT_EQ(bilan.lignes, 2000);
    else
      EXPECT_TRUE(bilan.lignes > 1000 && bilan.lignes < 2000) << bilan.lignes;
    // The damaged file is kept as it was, beside the new base.
    QFile ancienne(bilan.ancienne);
    ASSERT_TRUE(ancienne.open(QIODevice::ReadOnly));
    EXPECT_EQ(ancienne.readAll(), abimee);
    EXPECT_EQ(fichiers().size(), 2);
    ouvre_base_eco(chemin_base());
    EXPECT_TRUE(db_eco.verifie().isEmpty());
    EXPECT_EQ(lignes_base().size(), bilan.lignes);
    // Every row kept is the row it was.
    EXPECT_EQ(db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO WHERE Eco_coup = "
                                           "'1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 ' || Eco_cle || ' *'"))
                  .toInt(),
              bilan.lignes);
  }
}

// When the repaired base cannot take the damaged one's place, the damaged
// file goes back under its own name: the base is never left missing.
TEST_F(Entretien, UneReparationQuiNePeutSeMettreEnPlaceRemetLaBaseDOrigine) {
  cree_base_en_pages(200);
  abime_page(pages_);
  const QByteArray abimee = octets_base();
  // The renames of a repair: the damaged base aside, then the new one in its
  // place (which fails here).
  plateforme::DisqueEnTest::renommage_en_echec(2, EIO);
  EXPECT_THROW(repare_fichier_eco(chemin_base()), std::runtime_error);
  plateforme::DisqueEnTest::efface();
  EXPECT_EQ(octets_base(), abimee);
  EXPECT_EQ(fichiers(), QStringList{"eco.db"}) << "neither the new base nor a copy is left";
  // The command says why and opens the base it left in place.
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  plateforme::DisqueEnTest::renommage_en_echec(2, EIO);
  repare_base_eco();
  plateforme::DisqueEnTest::efface();
  ASSERT_EQ(BoitesEnTest::textes().size(), 2);
  EXPECT_TRUE(BoitesEnTest::textes().last().contains(QString::fromLocal8Bit(std::strerror(EIO))))
      << BoitesEnTest::textes().last().toStdString();
  EXPECT_EQ(octets_base(), abimee);
  EXPECT_TRUE(db_eco.ouverte());
  EXPECT_EQ(lignes_base().size(), 200);
}

// The command says what it did, and a file nothing can be read from stays
// in place untouched.
TEST_F(Entretien, UnFichierIllisibleResteEnPlace) {
  cree_base_en_pages(50);
  abime_page(1, 100);
  const QByteArray avant = octets_base();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);  // the base cannot be opened again
  BoitesEnTest::repond(boite::OK);
  repare_base_eco();
  const QStringList textes = BoitesEnTest::textes();
  ASSERT_EQ(textes.size(), 3);
  EXPECT_TRUE(textes.last().startsWith(texte(857).arg(QDir::toNativeSeparators(chemin_base())) + "\n"))
      << textes.last().toStdString();
  EXPECT_EQ(octets_base(), avant);
  EXPECT_EQ(fichiers(), QStringList{"eco.db"});
  EXPECT_FALSE(db_eco.ouverte());
}

TEST_F(Entretien, LaCommandeDeReparationAnnonceLesLignesRecuperees) {
  cree_base_en_pages(500);
  abime_page(pages_);
  ouvre_base_eco(chemin_base());
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  repare_base_eco();
  const QString message = BoitesEnTest::textes().last();
  EXPECT_TRUE(message.startsWith(texte(856).arg(500).section("%2", 0, 0)) ||
              message.startsWith(texte(855).arg(500).section("%2", 0, 0)))
      << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral(".endommagee-")));
  ASSERT_TRUE(db_eco.ouverte());
  EXPECT_EQ(lignes_base().size(), 500);
}

}  // namespace
