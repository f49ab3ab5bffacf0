// Copying the games that pass the filter to a new PGN or XML file, from the
// function and from the load form in its extract mode.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "gamefiles/charge.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"
#include "play/patience.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

class Conversion : public TestPgn {
 protected:
  void TearDown() override {
    fenetres::decharge<charge>();
    EXPECT_EQ(patience::existante(), nullptr) << "the progress window is gone after a copy";
    TestPgn::TearDown();
  }
  QString sortie(const char* nom) { return QDir(dossier()).filePath(QString::fromLatin1(nom)); }
};

}  // namespace

TEST_F(Conversion, LesPartiesQuiPassentLeFiltreSontCopieesEnXmlOuEnPgn) {
  const QString source = ecrit_fichier(cinq_parties());
  entete_pgn = "[Event \"La partie en main\"]\r\n\r\n";
  struct Cas {
    const char* blanc;
    bool pgn;
    std::vector<std::string> blancs;  // White of the games copied, in order
  };
  const Cas cas[] = {
      {"", false, {"Smith, J", "Jones", "L\xC3\xA9on", "Dupont", "Smithson"}},
      {"smith", false, {"Smith, J", "Smithson"}},
      {"smith", true, {"Smith, J", "Smithson"}},
      {"personne", false, {}},
      {"personne", true, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.blanc << (c.pgn ? " PGN" : " XML"));
    plateforme::BoitesEnTest::efface();
    critere_blanc = QString::fromLatin1(c.blanc);
    const QString destination = sortie(c.pgn ? "copie.pgn" : "copie.xml");
    plateforme::BoitesEnTest::repond(boite::OK);
    pgn_vers_xml(source, destination, c.pgn);
    ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
    EXPECT_EQ(plateforme::BoitesEnTest::textes()[0],
              QStringLiteral(" %1 parties sauvegardées sur  5 dans le fichier %2").arg(c.blancs.size()).arg(destination));
    // The recent files reopen as PGN: only a PGN copy goes there.
    EXPECT_EQ(fichiers_recents().contains(destination), c.pgn);
    std::vector<std::string> blancs;
    if (c.pgn) {
      for (const pgn::PartieLue& p : lit_toutes(destination)) blancs.push_back(p.valeur_tag("White"));
    } else {
      std::vector<pgn::PartieXml> parties;
      QString erreur;
      ASSERT_TRUE(pgn::lit_liste_xml(octets_fichier(destination), parties, &erreur)) << erreur.toStdString();
      for (const pgn::PartieXml& p : parties) {
        for (const auto& [nom, valeur] : p.tags)
          if (nom == "White") blancs.push_back(valeur);
      }
    }
    EXPECT_EQ(blancs, c.blancs);
    EXPECT_EQ(entete_pgn, "[Event \"La partie en main\"]\r\n\r\n") << "the game in hand keeps its tags";
  }
  // No game passes: the list holds nothing, the file is still a whole list.
  const QList<QByteArray> lignes = octets_fichier(sortie("copie.xml")).split('\n');
  ASSERT_EQ(lignes.size(), 5);
  EXPECT_EQ(lignes[2], "<LIST>\r");
  EXPECT_EQ(lignes[3], "</LIST>\r");
}

TEST_F(Conversion, LaCopieGardeLesCoupsEtSeRelitParPgnExtract) {
  const QString source = ecrit_fichier(cinq_parties());
  plateforme::BoitesEnTest::repond(boite::OK);
  pgn_vers_xml(source, sortie("copie.xml"), false);
  std::vector<pgn::PartieXml> parties;
  ASSERT_TRUE(pgn::lit_liste_xml(octets_fichier(sortie("copie.xml")), parties));
  ASSERT_EQ(parties.size(), 5u);
  // A movetext with comments and a variation, on one line; the result at its end.
  EXPECT_EQ(parties[0].coups, "1.e4 {Le meilleur.} e5 2.Nf3 (2.f4) Nc6 3.Bb5 1-0");
  EXPECT_EQ(parties[2].coups, "1.c4 e5 1/2-1/2");
  EXPECT_TRUE(octets_fichier(sortie("copie.xml")).contains("<Comment></Comment>\r\n"));

  plateforme::BoitesEnTest::repond(boite::OK);
  pgn_vers_xml(source, sortie("copie.pgn"), true);
  const std::vector<pgn::PartieLue> lues = lit_toutes(sortie("copie.pgn"));
  const std::vector<pgn::PartieLue> origine = lit_toutes(source);
  ASSERT_EQ(lues.size(), origine.size());
  for (std::size_t i = 0; i < lues.size(); ++i) {
    EXPECT_EQ(lues[i].lignes_tags, origine[i].lignes_tags) << i;
    EXPECT_EQ(lues[i].movetext, origine[i].movetext) << i;
  }
  const QString outil = chemin_pgn_extract();
  if (outil.isEmpty()) GTEST_SKIP() << "pgn-extract is not installed (tools/installe_paquets.sh installs it)";
  QString erreurs;
  EXPECT_EQ(relu_par_pgn_extract(sortie("copie.pgn"), &erreurs).size(), 5u);
  EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
}

TEST_F(Conversion, UnCommentairePointVirguleNAvalePasLaSuiteEtChaquePartieFinitParSonResultat) {
  // A ";" comment at a line end, then a game that the file cuts short.
  const QString source = ecrit_fichier(
      "[White \"A\"]\n[Result \"1-0\"]\n\n1.e4 ; le meilleur coup\ne5 2.Nf3 Nc6 1-0\n\n"
      "[White \"B\"]\n[Result \"0-1\"]\n\n1.d4 d5 ; la suite manque");
  const std::vector<std::vector<std::string>> coups = {{"e4", "e5", "Nf3", "Nc6"}, {"d4", "d5"}};
  const std::vector<std::string> resultats = {"1-0", "0-1"};
  for (bool pgn : {false, true}) {
    SCOPED_TRACE(pgn ? "PGN" : "XML");
    const QString destination = sortie(pgn ? "copie.pgn" : "copie.xml");
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    pgn_vers_xml(source, destination, pgn);
    std::vector<std::string> movetexts;
    if (pgn) {
      for (const pgn::PartieLue& p : lit_toutes(destination)) movetexts.push_back(p.movetext);
    } else {
      std::vector<pgn::PartieXml> parties;
      ASSERT_TRUE(pgn::lit_liste_xml(octets_fichier(destination), parties));
      for (const pgn::PartieXml& p : parties) movetexts.push_back(p.coups);
    }
    ASSERT_EQ(movetexts.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      const pgn::MovetextLu m = pgn::lit_movetext(movetexts[i]);
      EXPECT_EQ(m.coups, coups[i]) << movetexts[i];
      EXPECT_EQ(m.resultat, resultats[i]) << movetexts[i];
    }
    if (pgn && !chemin_pgn_extract().isEmpty()) {
      QString erreurs;
      EXPECT_EQ(relu_par_pgn_extract(destination, &erreurs).size(), 2u);
      EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
    }
  }
}

TEST_F(Conversion, UnArretGardeLesPartiesCopieesEtFermeLaListe) {
  const QString source = ecrit_fichier(beaucoup_de_parties(5000));
  // The stop is clicked at the second pause, after 2 x 300 games.
  const long entre_pauses = 300;
  plateforme::PausesEnTest::tous_les(entre_pauses);
  plateforme::PausesEnTest::temoin([](long numero) {
    if (patience* w = patience::existante(); w && numero == 2) w->Command1->click();
  });
  plateforme::BoitesEnTest::repond(boite::OK);
  pgn_vers_xml(source, sortie("copie.xml"), false);
  std::vector<pgn::PartieXml> parties;
  ASSERT_TRUE(pgn::lit_liste_xml(octets_fichier(sortie("copie.xml")), parties)) << "the list is closed";
  EXPECT_EQ(parties.size(), static_cast<std::size_t>(2 * entre_pauses));
  ASSERT_FALSE(parties.empty());
  // The games copied are the first ones, whole.
  const auto& tags = parties.back().tags;
  EXPECT_NE(std::find(tags.begin(), tags.end(), std::make_pair(std::string("White"), "J" + std::to_string(2 * entre_pauses - 1))),
            tags.end());
  EXPECT_EQ(plateforme::BoitesEnTest::textes().value(0),
            QStringLiteral(" %1 parties sauvegardées sur  %1 dans le fichier %2").arg(parties.size()).arg(sortie("copie.xml")));
}

TEST_F(Conversion, UneSourceAbsenteOuUneDestinationImpossibleEstSignalee) {
  const QString source = ecrit_fichier(cinq_parties());
  struct Cas {
    QString source, destination;
    const char* message;
  };
  const Cas cas[] = {
      {sortie("absent.pgn"), sortie("copie.xml"), "Le fichier est inconnu !"},
      {source, sortie("absent/copie.xml"), "absent"},
      // Writing over the source would lose its games.
      {source, source, "est le fichier lu"},
      {source, QDir(dossier()).filePath(QStringLiteral("./parties.pgn")), "est le fichier lu"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.message);
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    entete_pgn = "[Event \"La partie en main\"]\r\n\r\n";
    pgn_vers_xml(c.source, c.destination, true);
    EXPECT_EQ(octets_fichier(source), QByteArray::fromStdString(cinq_parties()));
    EXPECT_EQ(entete_pgn, "[Event \"La partie en main\"]\r\n\r\n");
    ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
    EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].contains(QString::fromUtf8(c.message)))
        << plateforme::BoitesEnTest::textes()[0].toStdString();
    EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
    EXPECT_FALSE(QFile::exists(sortie("copie.xml")));
    EXPECT_TRUE(fichiers_recents().isEmpty());
  }
}

TEST_F(Conversion, UneCopieQuiEchoueLaisseLAncienFichierEntier) {
  const QString source = ecrit_fichier(beaucoup_de_parties(400));
  const QString ancien = ecrit_fichier("ancien", QStringLiteral("copie.xml"));
  // A file cannot grow beyond 4000 bytes in the child: the disk is full.
  const QString rapport = dans_un_enfant(
      [&] {
        plateforme::BoitesEnTest::repond(boite::OK);
        pgn_vers_xml(source, ancien, false);
        const QStringList t = plateforme::BoitesEnTest::textes();
        return t.size() == 1 ? t[0] : QStringLiteral("%1 messages").arg(t.size());
      },
      4000);
  EXPECT_TRUE(rapport.startsWith(QStringLiteral("Impossible d'écrire le fichier ") + ancien)) << rapport.toStdString();
  EXPECT_EQ(octets_fichier(ancien), "ancien");
  EXPECT_EQ(fichiers_du_dossier(dossier()).size(), 2) << "no new file left behind";
}

TEST_F(Conversion, LeFormulaireDExtractionCopieVersLeFichierChoisi) {
  const QString source = ecrit_fichier(cinq_parties());
  const QString existant = ecrit_fichier("ancien", QStringLiteral("existant.pgn"));
  mode_charge = 1;
  affiche_charge();
  charge& f = *fenetres::existante<charge>();
  EXPECT_FALSE(f.Command4->isEnabled()) << "no source file yet";
  f.Text1->setText(source);
  EXPECT_TRUE(f.Command4->isEnabled());
  f.Text2->setText(QStringLiteral("Dupont"));
  f.Option1[1]->click();
  EXPECT_FALSE(f.Check3->isEnabled());

  // No to the overwrite question: nothing is written.
  plateforme::DialoguesEnTest::repond(existant);
  plateforme::BoitesEnTest::repond(boite::NON);
  f.Command4->click();
  EXPECT_EQ(octets_fichier(existant), "ancien");
  EXPECT_EQ(plateforme::BoitesEnTest::textes().value(0), existant + QStringLiteral(" existe, voulez-vous l'écraser ?"));

  plateforme::BoitesEnTest::efface();
  plateforme::DialoguesEnTest::repond(existant);
  plateforme::BoitesEnTest::repond(boite::OUI);
  plateforme::BoitesEnTest::repond(boite::OK);
  f.Command4->click();
  EXPECT_EQ(plateforme::DialoguesEnTest::vus().last().filtre, QStringLiteral("Fichiers PGN (*.pgn)|*.pgn"));
  const std::vector<pgn::PartieLue> lues = lit_toutes(existant);
  ASSERT_EQ(lues.size(), 1u);
  EXPECT_EQ(lues[0].valeur_tag("White"), "Dupont");
  EXPECT_EQ(critere_blanc, QStringLiteral("Dupont")) << "the criteria are stored as for a listing";
  EXPECT_EQ(fichier_pgn, source);
  EXPECT_NE(fenetres::existante<charge>(), nullptr) << "the form stays open";
}
