// The files of the opening base survive a writer killed at any moment, a
// full disk and a folder that cannot be written: the old file stays whole
// or the new one is complete, and a failure is said, never a success.
#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/csv_eco.h"
#include "openings/maintenance_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "play/parametres.h"
#include "tests/openings/aide_ouvertures.h"

using plateforme::BoitesEnTest;
using plateforme::DialoguesEnTest;

namespace {

QByteArray octets(const QString& chemin) { return octets_fichier(chemin, "<absent>"); }

// What a kill left of a file: "ancien", "nouveau" or its size.
QString etat_fichier(const QString& chemin, const QByteArray& ancien, const QByteArray& nouveau) {
  return etat_apres_tir(octets(chemin), ancien, nouveau);
}

class EcrituresInterrompues : public TestOuvertures {
 protected:
  // A base of `n` lines, closed again.
  void base_de(int n) {
    QList<LigneEco> lignes;
    for (int i = 0; i < n; ++i)
      lignes << LigneEco(QStringLiteral("A%1").arg(i % 100, 2, 10, QLatin1Char('0')),
                         QStringLiteral("Ligne ; \"%1\"").arg(i), QStringLiteral("1.e4 e5 2.Nf3 a%1 *").arg(i),
                         i % 2 == 0, i % 3 ? QVariant(i * 0.5) : QVariant());
    cree_base(lignes);
    base_eco = chemin_base();
    db_eco.ferme();
  }
  // The rows of the base file, read on a connection of its own.
  QStringList rangees(const QString& chemin) {
    plateforme::BaseDonnees b(QStringLiteral("test_rangees"));
    b.ouvre(chemin);
    QStringList r;
    for (auto rs = b.requete(QStringLiteral("SELECT * FROM ECO ORDER BY Eco_cle")); !rs.fin(); rs.suivant())
      r << rs.texte(QStringLiteral("Eco_coup")) + rs.texte(QStringLiteral("Eco_libelle"));
    b.ferme();
    return r;
  }
};

TEST_F(EcrituresInterrompues, ExportCsvTueEnRoute) {
  base_de(5000);
  const QString csv = QDir(dossier()).filePath(QStringLiteral("eco.csv"));
  const QByteArray ancien = "Eco_cle;Eco_code\r\n1;A00\r\n";
  QByteArray nouveau;
  {
    ecrit_octets(csv, ancien);
    exporte_table_eco(base_eco, csv);
    nouveau = octets(csv);
    ASSERT_GT(nouveau.size(), 100000);
  }
  EXPECT_EQ(melanges_apres_tirs([&] { exporte_table_eco(base_eco, csv); }, [&] { ecrit_octets(csv, ancien); },
                                [&] { return etat_fichier(csv, ancien, nouveau); }),
            QStringList());
}

TEST_F(EcrituresInterrompues, CompactageTueEnRoute) {
  base_de(5000);
  const QString base = chemin_base();
  const QStringList lignes = rangees(base);
  {
    plateforme::BaseDonnees b(QStringLiteral("test_trous"));
    b.ouvre(base);
    b.execute(QStringLiteral("DELETE FROM ECO WHERE Eco_cle % 2 = 0"));
    b.ferme();
  }
  const QStringList restantes = rangees(base);
  const QByteArray ancien = octets(base);
  const QString dossier_base = QFileInfo(base).path();
  const QStringList melanges = melanges_apres_tirs(
      [&] {
        ouvre_base_eco(base);
        BoitesEnTest::repond(boite::OUI);
        BoitesEnTest::repond(boite::OK);
        reorganise_base_eco();
      },
      [&] {
        for (const QString& f : fichiers_du_dossier(dossier_base)) QFile::remove(dossier_base + QLatin1Char('/') + f);
        ecrit_octets(base, ancien);
      },
      [&] {
        const QByteArray o = octets(base);
        if (o == ancien) return QStringLiteral("ancien");
        // The compacted file is smaller and holds the same rows.
        if (o.size() < ancien.size() && rangees(base) == restantes) return QStringLiteral("nouveau");
        return QStringLiteral("%1 bytes").arg(o.size());
      });
  EXPECT_EQ(melanges, QStringList());
  EXPECT_NE(restantes, lignes);
}

TEST_F(EcrituresInterrompues, ReglagesTuesEnRoute) {
  const QString ini = QDir(dossier()).filePath(QStringLiteral("morvandel.ini"));
  ASSERT_TRUE(sauve_parametres(ini));
  const QByteArray ancien = octets(ini);
  lieu_jeu = QString(40000, QLatin1Char('x'));
  nom_joueur[1] = QStringLiteral("Élodie, la nouvelle");
  ASSERT_TRUE(sauve_parametres(ini));
  const QByteArray nouveau = octets(ini);
  EXPECT_EQ(melanges_apres_tirs([&] { sauve_parametres(ini); }, [&] { ecrit_octets(ini, ancien); },
                                [&] { return etat_fichier(ini, ancien, nouveau); }),
            QStringList());
}

// A full disk (a file that cannot grow past a size) and a folder that cannot
// be written: the export and the compaction say why, show no success and
// leave the old file and nothing else.
TEST_F(EcrituresInterrompues, DisquePleinEtDossierProtege) {
  // The unprivileged child must reach the files.
  ASSERT_TRUE(met_droits(dossier(), 0755));
  base_de(3000);
  const QString base = chemin_base();
  const QString dossier_base = QFileInfo(base).path();
  const QString csv = QDir(dossier()).filePath(QStringLiteral("sortie/eco.csv"));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(csv).path()));
  const QByteArray ancien_csv = "Eco_cle;Eco_code\r\n1;A00\r\n";
  const QByteArray ancienne_base = octets(base);
  struct Cas {
    const char* quoi;
    bool compactage;
    long long limite;   // file size limit, -1 none
    bool protege;       // the folder is made read-only
    QString erreur;     // what the message must hold
  };
  const Cas cas[] = {
      {"export, disque plein", false, 50000, false, QString::fromLocal8Bit(std::strerror(EFBIG))},
      {"export, dossier protégé", false, -1, true, QString::fromLocal8Bit(std::strerror(EACCES))},
      {"compactage, disque plein", true, 50000, false, QString()},
      {"compactage, dossier protégé", true, -1, true, QString()},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    ecrit_octets(csv, ancien_csv);
    for (const QString& f : fichiers_du_dossier(dossier_base)) QFile::remove(dossier_base + QLatin1Char('/') + f);
    ecrit_octets(base, ancienne_base);
    const QString dossier_vise = c.compactage ? dossier_base : QFileInfo(csv).path();
    if (c.protege) {
      ASSERT_TRUE(met_droits(dossier_vise, 0555));
    }
    const QString rapport = dans_un_enfant(
        [&] {
          BoitesEnTest::efface();
          ouvre_base_eco(base);
          if (c.compactage) {
            BoitesEnTest::repond(boite::OUI);
            BoitesEnTest::repond(boite::OK);
            reorganise_base_eco();
          } else {
            DialoguesEnTest::repond(csv);
            BoitesEnTest::repond(boite::OUI);  // ready to export
            BoitesEnTest::repond(boite::OUI);  // replace the file
            BoitesEnTest::repond(boite::OK);
            exporte_eco_csv();
          }
          return BoitesEnTest::textes().join(QLatin1Char('|'));
        },
        c.limite, c.protege);
    if (c.protege) {
      ASSERT_TRUE(met_droits(dossier_vise, 0755));
    }
    EXPECT_FALSE(rapport.startsWith(QLatin1Char('<'))) << rapport.toStdString();
    EXPECT_FALSE(rapport.contains(texte(275))) << rapport.toStdString();
    EXPECT_FALSE(rapport.contains(QStringLiteral("succès"))) << rapport.toStdString();
    if (!c.erreur.isEmpty()) {
      EXPECT_TRUE(rapport.contains(c.erreur)) << rapport.toStdString();
    }
    EXPECT_EQ(octets(csv), ancien_csv);
    EXPECT_EQ(octets(base), ancienne_base);
    EXPECT_EQ(fichiers_du_dossier(QFileInfo(csv).path()), QStringList{QStringLiteral("eco.csv")});
    EXPECT_EQ(fichiers_du_dossier(dossier_base), QStringList{QStringLiteral("eco.db")});
  }
}

}  // namespace
