// The connection dialog: what it shows, cancel, the port it accepts, and the
// new-game command that opens it in a network game.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "localisation/textes_langue.h"
#include "network/connexion.h"
#include "network/reseau.h"
#include "play/nouvelle_partie.h"
#include "tests/network/aide_reseau.h"

using plateforme::BoitesEnTest;
using reseau::Phase;
using reseau::Reseau;

TEST_F(TestReseau, TheDialogShowsTheSettingsAndTheLanguageTexts) {
  for (int mode : {0, 1}) {
    ip_mode_serveur = mode;
    ip_adresse_host = QStringLiteral("192.0.2.7");
    ip_num_port = QStringLiteral("6000");
    ip_nom_utilisateur = QStringLiteral("Zoë");
    montre_connexion();
    connexion* d = fenetres::existante<connexion>();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), texte(260));
    EXPECT_TRUE(d->Option1[mode]->isChecked());
    EXPECT_FALSE(d->Option1[1 - mode]->isChecked());
    EXPECT_EQ(d->Option1[1]->text(), texte(261));
    EXPECT_EQ(d->Option1[0]->text(), texte(262));
    EXPECT_EQ(d->Label1->text(), texte(264));
    EXPECT_EQ(d->SSCommand1->text(), texte(211));
    EXPECT_EQ(d->SSCommand2->text(), texte(267));
    EXPECT_EQ(d->Frame1->title(), QStringLiteral("&Paramètres de connexion"));
    EXPECT_EQ(d->Text1->text(), ip_adresse_host);
    EXPECT_EQ(d->Text2->text(), ip_num_port);
    EXPECT_EQ(d->Text3->text(), ip_nom_utilisateur);
    fenetres::decharge(d);
  }
}

TEST_F(TestReseau, CancelChangesNothing) {
  ip_mode_serveur = 0;
  montre_connexion();
  connexion* d = fenetres::existante<connexion>();
  d->Option1[1]->setChecked(true);
  d->Text2->setText(QStringLiteral("7000"));
  d->Text3->setText(QStringLiteral("Autre"));
  d->SSCommand1->click();
  laisse_passer();
  EXPECT_FALSE(fenetres::existante<connexion>());
  EXPECT_EQ(ip_mode_serveur, 0);
  EXPECT_EQ(ip_num_port, QStringLiteral("5555"));
  EXPECT_EQ(ip_nom_utilisateur, QStringLiteral("Joueur1"));
  EXPECT_FALSE(plateau::existante());
  EXPECT_FALSE(Reseau::existante());
}

TEST_F(TestReseau, OnlyPortsOneTo65535AreAccepted) {
  struct Cas {
    const char* texte;
    int port;
  };
  for (const Cas& c : {Cas{"1", 1}, Cas{" 5555 ", 5555}, Cas{"65535", 65535}, Cas{"0", 0}, Cas{"65536", 0},
                       Cas{"-1", 0}, Cas{"80x", 0}, Cas{"", 0}, Cas{"1e3", 0}, Cas{"000080", 0}})
    EXPECT_EQ(port_reseau(QString::fromLatin1(c.texte)), c.port) << c.texte;
}

TEST_F(TestReseau, AListeningPortThatCannotBeUsedIsReportedAndTheDialogStays) {
  QTcpServer occupe;
  ASSERT_TRUE(occupe.listen(QHostAddress::Any, 0));
  struct Cas {
    QString port;
    int numero;     // the program's sentence
    bool detail;    // followed by the system's words
    int pseudo = 7; // the nickname's length in the settings; 2040: its box names the limit, 32
  };
  for (const int cle : {1, 2})
  for (const Cas& c : {Cas{QStringLiteral("70000"), 905, false}, Cas{QString::number(occupe.serverPort()), 906, true},
                       Cas{QStringLiteral("32"), 927, false, 2040}}) {
    SCOPED_TRACE(testing::Message() << "key " << cle << ", port " << c.port.toStdString());
    passe_en_langue(cle);
    BoitesEnTest::efface();
    ip_nom_utilisateur = QString(c.pseudo, QLatin1Char('n'));
    montre_connexion();
    connexion* d = fenetres::existante<connexion>();
    d->Option1[1]->setChecked(true);
    d->Text2->setText(c.port);
    BoitesEnTest::repond(boite::OK);
    d->SSCommand2->click();
    laisse_passer();
    ASSERT_EQ(BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(BoitesEnTest::vues()[0].titre, QStringLiteral("Attention"));
    const QString phrase = texte(c.numero).arg(c.port);
    if (c.detail)
      EXPECT_TRUE(BoitesEnTest::textes()[0].startsWith(phrase + "\n")) << BoitesEnTest::textes()[0].toStdString();
    else
      EXPECT_EQ(BoitesEnTest::textes()[0], phrase);
    EXPECT_TRUE(fenetres::existante<connexion>());
    EXPECT_FALSE(plateau::existante());
    EXPECT_EQ(Reseau::instance().port_ecoute(), 0);
    fenetres::decharge<connexion>();
  }
}

TEST_F(TestReseau, TheNewGameCommandOpensTheDialogInANetworkGame) {
  EXPECT_TRUE(nouvelle_partie_possible());
  menu_nouvelle_Click();
  EXPECT_TRUE(fenetres::existante<connexion>());
  EXPECT_FALSE(plateau::existante());
  // Started: the board window is there and the command waits for it to go.
  ecoute_par_dialogue();
  laisse_passer();
  EXPECT_FALSE(fenetres::existante<connexion>());
  EXPECT_EQ(Reseau::instance().phase(), Phase::ATTENTE);
  EXPECT_FALSE(nouvelle_partie_possible());
}
