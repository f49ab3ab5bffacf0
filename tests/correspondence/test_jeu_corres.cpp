// A correspondence game played round by round: loaded onto the board,
// the user's move checked and recorded as sent, the opponent's move entered,
// the position pasted into the preparation window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "correspondence/corres.h"
#include "correspondence/envoi_corres.h"
#include "correspondence/liens_corres.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/partie.h"
#include "play/plateau.h"
#include "tests/correspondence/aide_corres.h"

using plateforme::BoitesEnTest;

namespace {

class JeuCorres : public TestCorres {
 protected:
  // The opponent's move typed into saisie_coup and validated.
  // With `recu`, the date the move came is typed too.
  QStringList saisit(qint64 cle, const char* coup, bool accepte, const char* recu = nullptr) {
    clique(cle);
    c->Command6->click();
    saisie_coup* s = fenetres::existante<saisie_coup>();
    if (!s) throw std::runtime_error("no saisie_coup window");
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    if (recu) s->MaskEdBox3->setText(QString::fromLatin1(recu));
    s->Text2->setText(QStringLiteral("?"));  // any change enables the button, even to empty
    s->Text2->setText(QString::fromUtf8(coup));
    s->Command2->click();
    const QStringList vus = BoitesEnTest::textes();
    if (!accepte) fenetres::decharge<saisie_coup>();
    QCoreApplication::processEvents();
    return vus;
  }
};

TEST_F(JeuCorres, LaPartieChargeeSurLEchiquierContinueSesCoups) {
  const qint64 cle = ajoute("1.e4 e5 2.Cf3 Cc6", true, 1);
  manager();
  clique(cle);
  c->picture1->click();
  plateau* p = plateau::existante();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->windowTitle(), texte(409) + " N° 0001/0012");
  EXPECT_EQ(style_notation, 1);
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_EQ(entete_pgn,
            "[Event \"PC/0001/0012\"]\r\n[Site \"REMOTE\"]\r\n[Date \"2026.03.01\"]\r\n[White \"Moi\"]\r\n"
            "[Black \"Lui\"]\r\n[WhiteElo \"1600\"]\r\n[BlackElo \"1700\"]\r\n\r\n");
  // No "*" stays in the game: the last move's line is selected.
  ASSERT_EQ(lignes_plateau().size(), 4);
  EXPECT_EQ(p->List1->currentRow(), 3);
  EXPECT_TRUE(partie_en_cours());
  coup("f1", "c4");
  EXPECT_EQ(lignes_plateau().size(), 5);
  EXPECT_EQ(texte_partie.find('*'), std::string::npos) << texte_partie;
}

// Even against the machine, a game loaded with the remote player to move waits for its move.
TEST_F(JeuCorres, ContreLaMachineLeCoupAdverseResteAuJoueurDistant) {
  mode_jeux = 1;
  const qint64 cle = ajoute("1.e4 e5 2.Cf3", true, 1);
  manager();
  clique(cle);
  c->picture1->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(lignes_plateau().size(), 3);
  EXPECT_EQ(dernier_trait, BLANC);
}

TEST_F(JeuCorres, UnePartieFinieMontreSonResultatEtLeDernierCoupSelectionne) {
  const qint64 cle = ajoute("1.e4 e5 2.Fc4 Cc6 3.Dh5 Cf6 4.Dxf7#", true, 1, "1-0");
  manager();
  clique(cle);
  c->Check2->setChecked(false);  // the fields as displayed are what is loaded
  c->picture1->click();
  EXPECT_EQ(couleur_joueur, NOIR);
  const QStringList l = lignes_plateau();
  ASSERT_EQ(l.size(), 8);
  EXPECT_EQ(l.last(), "1-0");
  EXPECT_EQ(plateau::existante()->List1->currentRow(), 6);
  EXPECT_FALSE(partie_en_cours());
}

TEST_F(JeuCorres, UnePartieDeTroisToursEntreLeJoueurEtLAdversaire) {
  const qint64 cle = ajoute("", true, 1);
  manager();
  struct Tour {
    const char* depart;
    const char* arrivee;
    const char* envoye;   // the move sent
    const char* adverse;  // the opponent's answer
    const char* apres;    // the stored list afterwards
    const char* recu;     // the day the answer came
  } tours[] = {
      {"e2", "e4", "e4", "e5", "1.e4 e5", "14/03/2026"},
      {"g1", "f3", "Cf3", "Cc6", "1.e4 e5 2.Cf3 Cc6", "20/03/2026"},
      {"e1", "e2", "Re2", "Cf6", "1.e4 e5 2.Cf3 Cc6 3.Re2 Cf6", "02/04/2026"},
  };
  for (const Tour& t : tours) {
    SCOPED_TRACE(t.envoye);
    prepare_partie(cle);
    coup(t.depart, t.arrivee);
    QString erreur;
    const std::optional<CoupEnvoye> e = coup_a_envoyer_prepare(&erreur);
    ASSERT_TRUE(e) << erreur.toStdString();
    EXPECT_EQ(e->coup, t.envoye);
    ASSERT_TRUE(enregistre_envoi(*e, &erreur)) << erreur.toStdString();
    EXPECT_EQ(lue(cle).dernier_envoye, t.envoye);
    EXPECT_EQ(lue(cle).date_envoi, QDate(2026, 3, 12));
    EXPECT_EQ(icones(), QStringList{"validation"});
    fenetres::decharge<prepare>();
    // A second move is not sent before the opponent's.
    EXPECT_EQ(saisit(cle, t.adverse, true, t.recu), QStringList{texte(473)});
    EXPECT_EQ(lue(cle).coups, t.apres);
    EXPECT_EQ(lue(cle).dernier_recu, t.adverse);
    // The day it came is the received move's; the sent move keeps its own.
    EXPECT_EQ(lue(cle).date_recu, QDate::fromString(QString::fromLatin1(t.recu), QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(lue(cle).date_envoi, QDate(2026, 3, 12));
    EXPECT_EQ(lue(cle).dernier_envoye, t.envoye);
    EXPECT_EQ(icones(), QStringList{"main"});
  }
}

TEST_F(JeuCorres, LeCoupAdverseEstRefuseAvantToutEnregistrement) {
  const qint64 noirs = ajoute("", false, 1);  // the user has Black: White's move expected
  const qint64 blancs = ajoute("1.e4", true, 1);
  manager();
  struct Cas {
    qint64 cle;
    const char* coup;
    QString message;  // first box
  } cas[] = {
      {noirs, "e4", texte(471)},
      {blancs, "1...e5", texte(472)},
      {blancs, "", texte(470)},
      {blancs, "e4", texte(470) + " (e4)"},
      {noirs, "1.Re2", texte(470) + " (Re2)"},
  };
  for (const Cas& k : cas) {
    SCOPED_TRACE(k.coup);
    const QStringList vus = saisit(k.cle, k.coup, false);
    ASSERT_FALSE(vus.isEmpty());
    EXPECT_EQ(vus.first(), k.message);
  }
  EXPECT_EQ(lue(noirs).coups, "");
  EXPECT_EQ(lue(blancs).coups, "1.e4");
  // The move goes to the game the window was opened for, whatever the list
  // shows when it is validated.
  clique(blancs);
  c->List1->setCurrentItem(c->List1->topLevelItem(0));  // the highlight moved on by keyboard
  c->Command6->click();
  saisie_coup* s = fenetres::existante<saisie_coup>();
  ASSERT_NE(s, nullptr);
  clique(noirs);
  s->Text2->setText("e5");
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OK);
  s->Command2->click();
  EXPECT_EQ(lue(blancs).coups, "1.e4 e5");
  EXPECT_EQ(lue(noirs).coups, "");
}

TEST_F(JeuCorres, LaPositionCollEeEstDessineeDepuisLaBoite) {
  const qint64 cle = ajoute("", true, 1);
  const qint64 autre = ajoute("", true, 1);
  manager();
  prepare& p = prepare_partie(cle);
  EXPECT_TRUE(p.Frame2->isEnabled());
  EXPECT_EQ(p.Frame1->title(), texte(450) + "0001/0012");
  clique(autre);  // its game goes onto the board only while the manager shows it
  BoitesEnTest::repond(boite::OK);
  p.Command3->click();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(934).arg("0001")});
  const QString chaine = QString::fromStdString(chaine_du_controle(*plateau::existante()->Echiquier));
  p.Text1->setText(chaine);
  EXPECT_EQ(p.grille->text(),
            "t c f d r f c t \r\np p p p p p p p \r\n. . . . . . . . \r\n. . . . . . . . \r\n"
            ". . . . . . . . \r\n. . . . . . . . \r\nP P P P P P P P \r\nT C F D R F C T \r\n");
  EXPECT_TRUE(p.Command2->isEnabled());
  // A text that is not a position string, or a position without both kings.
  QString sans_roi = chaine;
  sans_roi.replace(QChar(32 + ROI_NOIR), QChar(32 + CASE_VIDE));
  for (const auto& [mauvais, refus] : {std::pair{QStringLiteral("abc"), 499}, std::pair{sans_roi, 176}}) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    p.Text1->setText(mauvais);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(refus)});
    EXPECT_TRUE(p.Text1->text().isEmpty());
  }
  // The message window opens through its hook, in move mode.
  int messages = 0;
  liens_corres().montre_message = [&] { ++messages; };
  p.Command2->click();
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(message_mode, 1);
}

}  // namespace
