// A correspondence game played by mail between two players, each with a
// correspondence base of their own: each move played on the board, pasted,
// mailed through the stand-in sendmail, read from the mail and entered on
// the other side, until both bases hold the same game.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "correspondence/corres.h"
#include "correspondence/message.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "localisation/textes_langue.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "platform/schemas_bases.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "boardcontrol/echiquier.h"
#include "tests/common/aide_courriel.h"
#include "tests/correspondence/aide_corres.h"

using plateforme::BoitesEnTest;

namespace {

class PartieParCourriel : public TestCorres {
 protected:
  void SetUp() override {
    TestCorres::SetUp();
    transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/transport"));
    base_blanc = base_corres;
    base_noir = QDir(dossier()).filePath(QStringLiteral("noir.db"));
    plateforme::BaseDonnees::cree(base_noir, schemas::base_corres());
  }
  // Everything closed, then the manager of `base` with its one game shown.
  void passe_a(const QString& base) {
    fenetres::decharge<message>();
    fenetres::decharge<saisie_coup>();
    fenetres::decharge<prepare>();
    fenetres::decharge<corres>();
    fenetres::decharge<plateau>();
    base_corres = base;
    manager();
    clique(1);
  }
  // The user's move: prepared, played, pasted, mailed. The mail's new move.
  QString envoie(const char* depart, const char* arrivee) {
    c->Command7->click();
    prepare* p = fenetres::existante<prepare>();
    if (!p) {
      ADD_FAILURE() << "no prepare window; boxes: " << BoitesEnTest::textes().join(" | ").toStdString();
      return QString();
    }
    p->Command3->click();
    coup(depart, arrivee);
    p->Text1->setText(QString::fromStdString(chaine_du_controle(*plateau::existante()->Echiquier)));
    p->Command2->click();
    message* m = fenetres::existante<message>();
    if (!m) return QString();
    BoitesEnTest::repond(boite::OK);  // "sent and recorded"
    m->Send->click();
    const CourrielLu lu = lit_courriel(transport->entree(transport->nb_envois()));
    const QRegularExpressionMatch nouveau =
        QRegularExpression(QStringLiteral("Nouveau coup \\(PGN\\): (\\S+)\\r\\n")).match(lu.corps);
    return nouveau.hasMatch() ? nouveau.captured(1) : QString();
  }
  // The opponent's move read from the mail, entered with its number when it
  // is White's.
  void recoit(const QString& coup) {
    c->Command6->click();
    saisie_coup* s = fenetres::existante<saisie_coup>();
    BoitesEnTest::repond(boite::OK);  // "taken into account"
    s->Text2->setText(coup);
    s->Command2->click();
  }

  std::unique_ptr<FauxSendmail> transport;
  QString base_blanc, base_noir;
};

TEST_F(PartieParCourriel, TroisToursDansLesDeuxSens) {
  ajoute("", true, 1);
  base_corres = base_noir;
  ajoute("", false, 2);  // the opponent keeps the game in English letters
  struct Tour {
    const char* blanc[2];
    const char* noir[2];
    const char* mail_blanc;     // the move in White's mail (French letters)
    const char* recu_par_noir;  // what Black types: White's move with its number, in English
    const char* mail_noir;      // the move in Black's mail (English letters)
    const char* recu_par_blanc; // what White types, in French
  } tours[] = {
      {{"e2", "e4"}, {"e7", "e5"}, "e4", "1.e4", "e5", "e5"},
      {{"g1", "f3"}, {"b8", "c6"}, "Cf3", "2.Nf3", "Nc6", "Cc6"},
      {{"f1", "b5"}, {"a7", "a6"}, "Fb5", "3.Bb5", "a6", "a6"},
  };
  int tour = 0;
  for (const Tour& t : tours) {
    ++tour;
    SCOPED_TRACE(tour);
    passe_a(base_blanc);
    EXPECT_EQ(envoie(t.blanc[0], t.blanc[1]), QString::fromUtf8(t.mail_blanc));
    passe_a(base_noir);
    recoit(QString::fromUtf8(t.recu_par_noir));
    clique(1);
    EXPECT_EQ(envoie(t.noir[0], t.noir[1]), QString::fromUtf8(t.mail_noir));
    passe_a(base_blanc);
    recoit(QString::fromUtf8(t.recu_par_blanc));
  }
  EXPECT_EQ(transport->nb_envois(), 6);
  base_corres = base_blanc;
  EXPECT_EQ(lue(1).coups, "1.e4 e5 2.Cf3 Cc6 3.Fb5 a6");
  EXPECT_EQ(lue(1).dernier_envoye, "Fb5");
  EXPECT_EQ(lue(1).dernier_recu, "a6");
  base_corres = base_noir;
  EXPECT_EQ(lue(1).coups, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6");
  EXPECT_EQ(lue(1).dernier_envoye, "a6");
  // The first mail went to Black's address with the French move.
  const CourrielLu premier = lit_courriel(transport->entree(1));
  EXPECT_TRUE(premier.corps.contains("Nouveau coup (PGN): e4\r\n"));
  EXPECT_TRUE(transport->arguments(1).contains("lui@exemple.org"));
}

}  // namespace
