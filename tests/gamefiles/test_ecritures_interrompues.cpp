// Game files survive a writer killed at any moment, a full disk and a
// folder that cannot be written: the old file stays whole or the new one is
// complete; a failure is said and no success is.
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <functional>

#include "chess/etat.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/sauve.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "tests/gamefiles/aide_pgn.h"

using plateforme::BoitesEnTest;

namespace {

QByteArray octets(const QString& chemin) { return octets_fichier(chemin, "<absent>"); }

// The bytes without the comment an XML list begins with, which holds the
// time it was written.
QByteArray sans_date(QByteArray o) {
  const qsizetype debut = o.indexOf("<!--");
  const qsizetype fin = debut < 0 ? -1 : o.indexOf("-->", debut);
  if (fin >= 0) o.remove(debut, fin + 3 - debut);
  return o;
}

class EcrituresParties : public TestPgn {
 protected:
  void SetUp() override {
    TestPgn::SetUp();
    texte_partie = "1.e4 e5 2.Nf3 Nc6";
    resultat_partie = "1-0";
    // A long game text, so that a kill can fall while it is written.
    texte_ = QStringLiteral("[Event \"Essai\"]\r\n[White \"Blanc\"]\r\n[Black \"Noir\"]\r\n\r\n1.e4 {") +
             QString(300000, QLatin1Char('c')) + QStringLiteral("} e5 2.Nf3 Nc6 1-0");
  }
  QString chemin(const char* nom) const { return QDir(dossier()).filePath(QString::fromLatin1(nom)); }
  QString texte_;
};

}  // namespace

// Each writer of game files, killed at moments spread over its work.
TEST_F(EcrituresParties, TuesEnRouteIlsLaissentLAncienOuLeNouveau) {
  const QString source = ecrit_fichier(beaucoup_de_parties(4000), QStringLiteral("source.pgn"));
  struct Cas {
    const char* quoi;
    const char* fichier;
    std::function<void(const QString&)> sauve;
  };
  const Cas cas[] = {
      {"pgn remplacé", "partie.pgn", [&](const QString& c) { ecrit_partie(c, texte_, false, false, nullptr); }},
      {"pgn ajouté", "partie.pgn", [&](const QString& c) { ecrit_partie(c, texte_, false, true, nullptr); }},
      {"xml remplacé", "partie.xml", [&](const QString& c) { ecrit_partie(c, texte_, true, false, nullptr); }},
      {"xml ajouté", "partie.xml", [&](const QString& c) { ecrit_partie(c, texte_, true, true, nullptr); }},
      {"copie en xml", "copie.xml",
       [&](const QString& c) {
         BoitesEnTest::repond(boite::OK);
         pgn_vers_xml(source, c, false);
       }},
      {"copie en pgn", "copie.pgn",
       [&](const QString& c) {
         BoitesEnTest::repond(boite::OK);
         pgn_vers_xml(source, c, true);
       }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    const QString f = chemin(c.fichier);
    // The old file: a game written by the same writer.
    QFile::remove(f);
    ASSERT_TRUE(ecrit_partie(f, QStringLiteral("[Event \"Ancienne\"]\r\n\r\n1.d4 d5 *"), QString(c.fichier).endsWith("xml"),
                             false, nullptr));
    const QByteArray ancien = octets(f);
    c.sauve(f);
    const QByteArray nouveau = octets(f);
    ASSERT_NE(nouveau, ancien);
    EXPECT_EQ(melanges_apres_tirs([&] { c.sauve(f); }, [&] { ecrit_octets(f, ancien); },
                                  [&] { return etat_apres_tir(octets(f), ancien, nouveau, sans_date); }, 10),
              QStringList());
    for (const QString& reste : fichiers_du_dossier(dossier())) {
      if (reste.startsWith(QLatin1Char('.'))) QFile::remove(chemin(qPrintable(reste)));
    }
  }
}

// A full disk or a folder that cannot be written: the copy of a game file
// says why, shows no count of games saved, and leaves the old file alone.
TEST_F(EcrituresParties, DisquePleinOuDossierProtegeLaCopieLeDit) {
  ASSERT_TRUE(met_droits(dossier(), 0755));
  const QString source = ecrit_fichier(beaucoup_de_parties(3000), QStringLiteral("source.pgn"));
  const QString sous_dossier = chemin("sortie");
  ASSERT_TRUE(QDir().mkpath(sous_dossier));
  const QString destination = sous_dossier + QStringLiteral("/copie.xml");
  struct Cas {
    const char* quoi;
    long long limite;
    bool protege;
    int numero;
  };
  const Cas cas[] = {{"disque plein", 20000, false, EFBIG}, {"dossier protégé", -1, true, EACCES}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    ecrit_octets(destination, "ancien");
    if (c.protege) {
      ASSERT_TRUE(met_droits(sous_dossier, 0555));
    }
    const QString rapport = dans_un_enfant(
        [&] {
          BoitesEnTest::efface();
          BoitesEnTest::repond(boite::OK);
          pgn_vers_xml(source, destination, false);
          return BoitesEnTest::textes().join(QLatin1Char('|'));
        },
        c.limite, c.protege);
    ASSERT_TRUE(met_droits(sous_dossier, 0755));
    EXPECT_TRUE(rapport.contains(QString::fromLocal8Bit(std::strerror(c.numero)))) << rapport.toStdString();
    EXPECT_FALSE(rapport.contains(texte(268))) << rapport.toStdString();
    EXPECT_EQ(octets(destination), "ancien");
    EXPECT_EQ(fichiers_du_dossier(sous_dossier), QStringList{QStringLiteral("copie.xml")});
  }
}
