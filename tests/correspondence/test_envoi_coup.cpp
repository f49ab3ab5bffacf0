// The move mail records its move in the game it was composed for: once the
// mail has gone, whatever became of the preparation window, and only while
// that game still holds the moves the mail quoted.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <vector>

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

TEST_F(EnvoiDuCoup, UnePartieChangeeOuSupprimeeDepuisLeMessageNEnregistreRien) {
  struct Cas {
    const char* nom;
    std::function<void(qint64)> entre_temps;
    int refus;
  };
  const std::vector<Cas> cas = {
      // The game's moves change in the base (the data grid, another window).
      {"moves changed",
       [](qint64 cle) {
         ASSERT_TRUE(enregistre_coup_recu(base_corres, cle, QStringLiteral("1.d4"), QStringLiteral("1.d4"),
                                          QDate(2026, 3, 11)));
       },
       878},
      {"game deleted", [](qint64 cle) { ASSERT_TRUE(supprime_partie(base_corres, cle)); }, 877},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    BoitesEnTest::efface();
    fenetres::decharge<prepare>();
    fenetres::decharge<corres>();
    const qint64 cle = ajoute("", true, 1);
    message& m = compose(cle, "e2", "e4");
    const int envois = transport->nb_envois();
    c.entre_temps(cle);
    BoitesEnTest::repond(boite::OK);
    m.Send->click();
    EXPECT_EQ(transport->nb_envois(), envois + 1) << "the mail went";
    ASSERT_EQ(BoitesEnTest::textes().size(), 1);
    EXPECT_TRUE(BoitesEnTest::textes()[0].endsWith(texte(c.refus).section("%1", 1)))
        << BoitesEnTest::textes()[0].toStdString();
    const auto reste = lit_partie(base_corres, cle);
    EXPECT_EQ(reste.has_value(), c.refus == 878);
    if (reste) {
      EXPECT_EQ(reste->coups, QStringLiteral("1.d4"));
      EXPECT_TRUE(reste->dernier_envoye.isEmpty());
    }
    // The window closes all the same: the mail cannot be sent a second time.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fenetres::existante<message>(), nullptr);
  }
}
