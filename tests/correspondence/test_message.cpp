// The e-mail window: the three mails it composes, what it refuses, what a
// failed send leaves, and the main window's two commands that open it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/commandes.h"
#include "app/menu.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "platform/courriel.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "tests/correspondence/aide_message.h"

using plateforme::BoitesEnTest;

namespace {

const QString CRLF = QStringLiteral("\r\n");

}  // namespace

TEST_F(TestMessage, UnCourrierVideSEcritLibrementAvecSesPiecesJointesEtNeTouchePasALaPartie) {
  mode_jeux = 5;
  Menu principal;
  ASSERT_TRUE(principal.menu_pc_message->isEnabled());
  principal.menu_pc_message->trigger();
  message* m = fenetre();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->mode(), 3);
  EXPECT_EQ(m->windowTitle(), QStringLiteral("Envoyer un message"));
  EXPECT_EQ(m->txtfic->text(), QStringLiteral("(Aucun fichier joint)"));
  for (QLineEdit* champ : {m->txtTo, m->txtsubject}) EXPECT_TRUE(champ->text().isEmpty());
  EXPECT_TRUE(m->txtNoteText->toPlainText().isEmpty());

  // Two files: both go, the label names the last one.
  const QString premier = fichier("partie.pgn", "1.e4 e5 *\r\n");
  const QString second = fichier(QStringLiteral("données.txt"), "\x01\x02\xff");
  plateforme::DialoguesEnTest::repond(premier);
  m->Attach_Click();
  plateforme::DialoguesEnTest::repond(QString());  // a cancel adds nothing
  m->Attach_Click();
  plateforme::DialoguesEnTest::repond(second);
  m->Attach_Click();
  EXPECT_EQ(m->txtfic->text(), QStringLiteral("1 fichier joint : ") + second);
  ASSERT_EQ(plateforme::DialoguesEnTest::vus().size(), 3);
  EXPECT_EQ(plateforme::DialoguesEnTest::vus()[0].titre, QStringLiteral("Pièce jointe"));
  EXPECT_EQ(plateforme::DialoguesEnTest::vus()[0].filtre,
            QStringLiteral("Tous les fichiers(*.*)|*.*|Fichiers texte(*.txt)|*.txt"));

  saisit(QStringLiteral("  ami@exemple.org "), QStringLiteral("Une question"), QStringLiteral("Bonjour,\nça va ?"));
  m->Send_Click();
  ASSERT_EQ(transport->nb_envois(), 1);
  EXPECT_EQ(transport->arguments(1), (QStringList{"-i", "-f", "moi@exemple.fr", "--", "ami@exemple.org"}));
  const CourrielLu lu = recu(1);
  EXPECT_TRUE(lu.defauts.isEmpty()) << lu.defauts.join("\n").toStdString();
  EXPECT_EQ(lu.sujet, QStringLiteral("Une question"));
  EXPECT_EQ(lu.corps, QStringLiteral("Bonjour,\r\nça va ?\r\n"));
  ASSERT_EQ(lu.pieces.size(), 2);
  EXPECT_EQ(lu.pieces[0].contenu, "1.e4 e5 *\r\n");
  EXPECT_EQ(lu.pieces[1].nom_fichier, QStringLiteral("données.txt"));
  EXPECT_EQ(lu.pieces[1].contenu, QByteArray("\x01\x02\xff"));
  // The window goes once the mail is gone; no success box speaks of a game.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetre(), nullptr);
  EXPECT_TRUE(BoitesEnTest::textes().isEmpty());
}

TEST_F(TestMessage, LaPositionEnvoyeeEnFenEstCelleDeLEchiquierQuelQueSoitLeCampEnBas) {
  struct Cas {
    const char* coups;
    int couleur;
    const char* fen;
  };
  const Cas cas[] = {
      {"", BLANC, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
      {"", NOIR, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
      {"1.e4", BLANC, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},
      {"1.e4", NOIR, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},
      {"1.e4 e5 2.Ke2 Ke7 3.Nf3", BLANC, "rnbq1bnr/ppppkppp/8/4p3/4P3/5N2/PPPPKPPP/RNBQ1B1R b - - 3 3"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.coups) + (c.couleur == BLANC ? " white" : " black"));
    Menu principal;
    EXPECT_FALSE(principal.menu_envoi_position->isEnabled()) << "no game on the board";
    plateau_avec(c.coups, c.couleur);
    principal.actualise_menus();
    ASSERT_TRUE(principal.menu_envoi_position->isEnabled());
    principal.menu_envoi_position->trigger();
    message* m = fenetre();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->mode(), 2);
    EXPECT_EQ(m->txtsubject->text(), QStringLiteral("Morvandel - F.E.N. Format"));
    EXPECT_EQ(m->txtNoteText->toPlainText(), QString::fromLatin1(c.fen) + QLatin1Char('\n'));
    // No recipient yet: the send button does nothing.
    const int avant = transport->nb_envois();
    m->Send_Click();
    EXPECT_EQ(transport->nb_envois(), avant);
    m->txtTo->setText(QStringLiteral("ami@exemple.org"));
    m->Send_Click();
    ASSERT_EQ(transport->nb_envois(), avant + 1);
    EXPECT_EQ(recu(avant + 1).corps, QString::fromLatin1(c.fen) + CRLF);
    fenetres::decharge<message>();
    fenetres::decharge<plateau>();
  }
}

TEST_F(TestMessage, UnChampHostileOuUnExpediteurManquantEstRefuseEtLaFenetreResteOuverte) {
  commandes::envoie_message(3);
  message* m = fenetre();
  ASSERT_NE(m, nullptr);
  struct Cas {
    const char* a;
    const char* sujet;
    const char* de;
    int numero;  // the text of the box shown; %1 is the value as shown
  };
  const Cas cas[] = {
      {"ami@exemple.org\r\nBcc: tous@exemple.org", "Sujet", "moi@exemple.fr", 793},
      {"ami@exemple.org, autre@exemple.org", "Sujet", "moi@exemple.fr", 795},
      {"ami@exemple.org", "Sujet\r\nBcc: tous@exemple.org", "moi@exemple.fr", 796},
      {"ami@exemple.org", "Sujet", "moi@exemple.fr\nBcc: x@y.fr", 793},
      {"ami@exemple.org", "Sujet", "", 880},
      {"ami@exemple.org", "Sujet", "moi", 794},
  };
  // An English-interface user reads every refusal in English.
  passe_en_langue(2);
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.a + std::string(" / ") + c.sujet + " / " + c.de);
    adresse_mel = QString::fromUtf8(c.de);
    saisit(QString::fromUtf8(c.a), QString::fromUtf8(c.sujet), QStringLiteral("Corps"));
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    m->Send_Click();
    ASSERT_EQ(BoitesEnTest::textes().size(), 1);
    const QString vu = BoitesEnTest::textes()[0];
    EXPECT_TRUE(vu.startsWith(texte(c.numero).section("%1", 0, 0))) << vu.toStdString();
    EXPECT_TRUE(vu.endsWith(texte(c.numero).section("%1", 1))) << vu.toStdString();
    EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
    EXPECT_EQ(transport->nb_envois(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(fenetre(), m) << "the window stays for the user to mend the field";
  }
}

TEST_F(TestMessage, UnTransportEnPanneOuAbsentLeDitEtRienNEstEnregistreCommeEnvoye) {
  int enregistres = 0;
  liens_message().fiche_coup = [] { return std::optional<FicheCoup>(fiche_exemple()); };
  liens_message().enregistre_coup_envoye = [&enregistres](const FicheCoup&) {
    ++enregistres;
    return true;
  };
  texte_partie = "1.e4";
  commandes::envoie_message(1);
  message* m = fenetre();
  ASSERT_NE(m, nullptr);

  // The transport refuses: the reason is shown, the game is not touched, the
  // window stays for another try.
  transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/panne"), 69,
                                             QStringLiteral("connexion au serveur impossible"));
  BoitesEnTest::repond(boite::OK);
  m->Send_Click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].contains(QStringLiteral("connexion au serveur impossible")));
  EXPECT_EQ(enregistres, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(fenetre(), m);

  // The transport is gone altogether.
  plateforme::CourrielsEnTest::definit_programme(QString());
  BoitesEnTest::repond(boite::OK);
  m->Send_Click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 2);
  EXPECT_EQ(BoitesEnTest::textes()[1], plateforme::defaut_transport());
  EXPECT_EQ(enregistres, 0);

  // Back again: the move is recorded once, the success is said, the window goes.
  transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/repare"));
  BoitesEnTest::repond(boite::OK);
  m->Send_Click();
  EXPECT_EQ(transport->nb_envois(), 1);
  EXPECT_EQ(enregistres, 1);
  ASSERT_EQ(BoitesEnTest::textes().size(), 3);
  EXPECT_EQ(BoitesEnTest::textes()[2], texte(484));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetre(), nullptr);

  // Without any transport the window does not even open.
  plateforme::CourrielsEnTest::definit_programme(QString());
  BoitesEnTest::repond(boite::OK);
  commandes::envoie_message(3);
  EXPECT_EQ(fenetre(), nullptr);
  EXPECT_EQ(BoitesEnTest::textes().last(), plateforme::defaut_transport());
}

TEST_F(TestMessage, UneFenetreOuverteRevientDevantEtGardeSonModeAnnulerNEnvoieRien) {
  mode_jeux = 5;
  commandes::envoie_message(3);
  message* m = fenetre();
  ASSERT_NE(m, nullptr);
  m->txtNoteText->setPlainText(QStringLiteral("en cours"));
  commandes::envoie_message(1);  // a move mail asked while the blank one is open
  EXPECT_EQ(fenetre(), m);
  EXPECT_EQ(m->mode(), 3);
  EXPECT_EQ(m->txtNoteText->toPlainText(), QStringLiteral("en cours"));
  m->txtTo->setText(QStringLiteral("ami@exemple.org"));
  m->Command1_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetre(), nullptr);
  EXPECT_EQ(transport->nb_envois(), 0);
}

TEST_F(TestMessage, LesLibellesDeLaFenetreSuiventLaLangue) {
  cle_langue = 2;
  applique_langue();
  commandes::envoie_message(3);
  message* m = fenetre();
  ASSERT_NE(m, nullptr);
  const std::pair<QWidget*, int> libelles[] = {{m, 475}, {m->Label3, 476}, {m->Label5, 477}, {m->Send, 478},
                                               {m->Attach, 479}, {m->Command1, 211}, {m->txtfic, 480}};
  for (const auto& [controle, numero] : libelles) {
    const QString vu = controle == m ? m->windowTitle() : texte_montre(controle);
    EXPECT_EQ(vu, texte(numero)) << numero;
    EXPECT_FALSE(vu.isEmpty()) << numero;
  }
}
