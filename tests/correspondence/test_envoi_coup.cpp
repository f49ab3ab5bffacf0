// The move mail records its move in the game it was composed for: once the
// mail has gone, whatever became of the preparation window, and only while
// that game still holds the moves the mail quoted.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "correspondence/base_corres.h"
#include "correspondence/corres.h"
#include "correspondence/message.h"
#include "correspondence/prepare.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "play/position_presse_papiers.h"
#include "tests/common/aide_courriel.h"
#include "tests/correspondence/aide_corres.h"

using plateforme::BoitesEnTest;

namespace {

class EnvoiDuCoup : public TestCorres {
 protected:
  void SetUp() override {
    TestCorres::SetUp();
    transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/transport"));
  }
  // The move mail of game `cle` after `depart`-`arrivee`, composed and open.
  message& compose(qint64 cle, const char* depart, const char* arrivee) {
    manager();
    prepare& p = prepare_partie(cle);
    coup(depart, arrivee);
    ControlesPartie controles{plateau::existante()->Echiquier, plateau::existante()->List1};
    copie_position(controles, 1);
    p.Text1->setText(QGuiApplication::clipboard()->text());
    p.Command2->click();
    message* m = fenetres::existante<message>();
    if (!m) throw std::runtime_error("no message window");
    return *m;
  }
  std::unique_ptr<FauxSendmail> transport;
};

}  // namespace

TEST_F(EnvoiDuCoup, LaPreparationFermeeLeCoupVaDansLaPartieDuMessage) {
  const qint64 autre = ajoute("1.d4 d5", true, 1);
  const qint64 cle = ajoute("1.e4 e5", true, 1);
  message& m = compose(cle, "g1", "f3");
  // The preparation window is closed and another game chosen before the mail goes.
  fenetres::decharge<prepare>();
  clique(autre);
  BoitesEnTest::repond(boite::OK);
  m.Send->click();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(484)});
  ASSERT_EQ(transport->nb_envois(), 1);
  EXPECT_TRUE(lit_courriel(transport->entree(1)).corps.contains(QStringLiteral("Nouveau coup (PGN): Cf3\r\n")));
  EXPECT_EQ(lue(cle).coups, QStringLiteral("1.e4 e5 2.Cf3"));
  EXPECT_EQ(lue(cle).dernier_envoye, QStringLiteral("Cf3"));
  EXPECT_EQ(lue(autre).coups, QStringLiteral("1.d4 d5"));
  EXPECT_TRUE(lue(autre).dernier_envoye.isEmpty());
}

TEST_F(EnvoiDuCoup, UnePartieQuiAChangeDepuisLeMessageNEnregistreRien) {
  const qint64 cle = ajoute("", true, 1);
  message& m = compose(cle, "e2", "e4");
  // Meanwhile the game's moves change in the base (the data grid, another window).
  ASSERT_TRUE(enregistre_coup_recu(base_corres, cle, QStringLiteral("1.d4"), QStringLiteral("1.d4"),
                                   QDate(2026, 3, 11)));
  BoitesEnTest::repond(boite::OK);
  m.Send->click();
  EXPECT_EQ(transport->nb_envois(), 1) << "the mail went";
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].endsWith(texte(878).section("%1", 1))) << BoitesEnTest::textes()[0].toStdString();
  EXPECT_EQ(lue(cle).coups, QStringLiteral("1.d4"));
  EXPECT_TRUE(lue(cle).dernier_envoye.isEmpty());
  // The window closes all the same: the mail cannot be sent a second time.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<message>(), nullptr);
}

TEST_F(EnvoiDuCoup, UnePartieSupprimeeDepuisLeMessageNEnregistreRien) {
  const qint64 cle = ajoute("", true, 1);
  message& m = compose(cle, "e2", "e4");
  ASSERT_TRUE(supprime_partie(base_corres, cle));
  BoitesEnTest::repond(boite::OK);
  m.Send->click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].endsWith(texte(877).section("%1", 1))) << BoitesEnTest::textes()[0].toStdString();
  EXPECT_FALSE(lit_partie(base_corres, cle).has_value());
}
