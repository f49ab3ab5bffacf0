// Both boards of a network game keep one game: an earlier position looked
// at, a move cut by the network, a silent connection, chat that looks like a
// move, a refused move, the end of the connection, a repetition and a draw
// leave the two sides with the same moves, result and clocks.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "openings/comment.h"
#include "platform/minuterie.h"
#include "play/parametres.h"
#include "play/jeu.h"
#include "play/nulle_abandon.h"
#include "play/partie.h"
#include "tests/network/aide_reseau.h"

using boite::NON;
using boite::OK;
using boite::OUI;
using plateforme::BoitesEnTest;
using reseau::Phase;
using reseau::Reseau;

class MemePartie : public TestReseau {
 protected:
  // A half-move: by the peer (its text as sent) or by this side.
  struct Demi {
    bool pair;
    const char* de;
    const char* a;
    const char* texte;
  };
  // Plays the half-moves in turn; each of the peer's is in the list before
  // the next goes, each of ours has reached the peer.
  void joue(const std::vector<Demi>& demis) {
    for (const Demi& d : demis) {
      const int lignes = p->List1->count();
      if (d.pair) {
        envoie_pair(coup_pair(d.de, d.a, d.texte));
        ASSERT_TRUE(attend([&] { return p->List1->count() == lignes + 1; })) << d.texte;
      } else {
        coup(d.de, d.a);
        ASSERT_EQ(p->List1->count(), lignes + 1) << d.de << d.a;
        ASSERT_FALSE(recu_pair(5).isEmpty());
      }
    }
    lit_pair();
  }
  // The peer's draw offer, accepted here: the game is over.
  void nulle_acceptee() {
    BoitesEnTest::repond(OUI);
    envoie_pair("/");
    EXPECT_EQ(recu_pair(2), QByteArray("!A"));
  }
  // The knights go out and back twice from the start: the start position
  // stands for the third time after the peer's last move (this side White).
  static std::vector<Demi> aller_retour() {
    return {{false, "g1", "f3", ""}, {true, "g8", "f6", "Ng8-f6"}, {false, "f3", "g1", ""},
            {true, "f6", "g8", "Nf6-g8"}, {false, "g1", "f3", ""}, {true, "g8", "f6", "Ng8-f6"},
            {false, "f3", "g1", ""}, {true, "f6", "g8", "Nf6-g8"}};
  }
};

// Looking at an earlier move never changes the position moves are judged
// and played on: the peer's move and ours bring the current one back first.
TEST_F(MemePartie, AnEarlierPositionLookedAtIsNeverPlayedOn) {
  struct Cas {
    const char* nom;
    Demi ensuite;  // after 1.e4 e5 (2.Nf3 when the peer moves), line 0 double-clicked
    int raison;    // the box of a refused move, 0 when it plays
  };
  const std::vector<Cas> cas = {
      {"peer move legal now only", {true, "d8", "f6", "Qd8-f6"}, 0},
      {"peer move legal then only", {true, "e7", "e6", "e7-e6"}, 722},
      {"own move", {false, "d2", "d4", ""}, 0},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    partie_serveur();
    joue({{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5"}});
    if (c.ensuite.pair) joue({{false, "g1", "f3", ""}});
    const std::string courante = historique_positions.back();
    const int lignes = p->List1->count();
    double_clic_ligne(0);
    ASSERT_NE(position_montree(), courante);
    BoitesEnTest::efface();
    if (c.ensuite.pair) {
      if (c.raison) BoitesEnTest::repond(NON);
      envoie_pair(coup_pair(c.ensuite.de, c.ensuite.a, c.ensuite.texte));
      laisse_passer();
    } else {
      // The first click shows the current position again and lifts nothing.
      clic(c.ensuite.de);
      EXPECT_EQ(etat_clic, 0);
      EXPECT_EQ(position_montree(), courante);
      coup(c.ensuite.de, c.ensuite.a);
      EXPECT_EQ(recu_pair(5).left(5), reseau::vers_octets(QStringLiteral("#") + chiffres(c.ensuite.de, c.ensuite.a)));
    }
    EXPECT_EQ(BoitesEnTest::textes(),
              c.raison ? QStringList{refus_attendu(QString::fromLatin1(c.ensuite.texte), c.raison)} : QStringList{});
    EXPECT_EQ(p->List1->count(), lignes + (c.raison ? 0 : 1));
    EXPECT_EQ(p->List1->currentRow(), p->List1->count() - 1);
    // The board, its array and the history agree on the game's position.
    EXPECT_EQ(position_montree(), historique_positions.back());
    EXPECT_EQ(chaine_position_de([](int c, int l) { return tab_echiquier(c, l); }), historique_positions.back());
    EXPECT_EQ(static_cast<int>(historique_positions.size()), p->List1->count() + 1);
    recommence();
  }
}

// A move the network cuts anywhere, the rest 300 ms later, plays once.
TEST_F(MemePartie, AMoveCutAtAnyByteArrivesWhole) {
  const QByteArray e4 = "#57551.e2-e4";
  for (qsizetype k = 1; k < e4.size(); ++k) {
    SCOPED_TRACE(k);
    partie_client();
    envoie_pair(e4.left(k));
    laisse_passer(300);
    envoie_pair(e4.mid(k));
    ASSERT_TRUE(attend([this] { return p->List1->count() == 1; }));
    laisse_passer();
    EXPECT_EQ(lignes_liste(), QStringList{QStringLiteral(" 1.e2-e4")});
    EXPECT_TRUE(journal().isEmpty());
    recommence();
  }
}

// A connection that has not asked for a game within the time limit is
// closed, and the port goes to a real one.
TEST_F(MemePartie, ASilentConnectionLeavesThePortToARealOne) {
  struct Cas {
    QByteArray octets;  // what the first connection sends
    bool fermee;        // closed at the time limit
  };
  for (const Cas& c : {Cas{"", true}, Cas{"xyz", true}, Cas{">[Eve] hello", true}, Cas{"?Eve", false}}) {
    SCOPED_TRACE(c.octets.constData());
    const quint16 port = ecoute_par_dialogue();
    plateforme::Minuterie& delai = Reseau::instance().minuterie_demande();
    pair = connecte_pair(port);
    ASSERT_TRUE(attend([] { return Reseau::instance().phase() == Phase::DEMANDE; }));
    EXPECT_EQ(delai.Interval(), Reseau::DELAI_DEMANDE_MS);
    if (!c.fermee) BoitesEnTest::repond(OUI);
    envoie_pair(c.octets);
    laisse_passer();
    // Meanwhile a real peer is refused: the port is held.
    auto reel = connecte_pair(port);
    EXPECT_EQ(recu_pair(1, reel.get()), QByteArray("-"));
    EXPECT_EQ(delai.tick(), c.fermee);
    laisse_passer();
    EXPECT_EQ(texte_commentaire().contains(texte(730)), c.fermee);
    EXPECT_EQ(Reseau::instance().phase(), c.fermee ? Phase::ATTENTE : Phase::PARTIE);
    if (c.fermee) {
      EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
      reel = connecte_pair(port);
      BoitesEnTest::repond(OUI);
      envoie_pair("?Alice", reel.get());
      EXPECT_EQ(recu_pair(10, reel.get()), QByteArray("@Joueur1\r\n"));
      EXPECT_EQ(Reseau::instance().pseudo_adverse(), QStringLiteral("Alice"));
    }
    recommence();
    decharge_comment();
  }
}

// A refused move of the peer is told in a box, from which the user keeps the
// game going or ends it.
TEST_F(MemePartie, ARefusedMoveIsToldAndTheGameCanEndThere) {
  struct Cas {
    bool fin_ici, apres_nulle;
  };
  for (const Cas& c : {Cas{false, false}, Cas{true, false}, Cas{false, true}}) {
    SCOPED_TRACE(testing::Message() << c.fin_ici << c.apres_nulle);
    partie_serveur();
    joue({{false, "e2", "e4", ""}});
    if (c.apres_nulle) nulle_acceptee();
    BoitesEnTest::efface();
    BoitesEnTest::repond(c.fin_ici ? OUI : NON);
    envoie_pair(coup_pair("e7", "e4", "e7-e4"));
    ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
    EXPECT_EQ(BoitesEnTest::textes()[0], refus_attendu(QStringLiteral("e7-e4"), c.apres_nulle ? 725 : 723));
    // No is the default button: a stray Enter keeps the game.
    EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::OUI_NON + boite::EXCLAMATION + boite::DEFAUT_2);
    if (c.fin_ici) {
      ASSERT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
      EXPECT_EQ(Reseau::instance().phase(), Phase::FERMEE);
      EXPECT_EQ(p->horloge_en_marche(), -1);
      EXPECT_FALSE(p->Echiquier->Enabled());
    } else if (!c.apres_nulle) {
      envoie_pair(coup_pair("e7", "e5", "e7-e5"));
      EXPECT_TRUE(attend([this] { return p->List1->count() == 2; }));
    }
    // Nothing more is told: the end was the user's.
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::vues().size(), 1);
    recommence();
  }
}

// What the peer sent just before it closed is handled before the end is
// told; a peer that leaves a game (it resigned, closed its board, or the game
// was over) has left it, in either role.
TEST_F(MemePartie, ThePeersLastMessagesCountAndThenItHasLeft) {
  struct Cas {
    bool serveur;
    QByteArray octets;  // sent just before the close
    bool apres_nulle;
    int boite;  // the one box, after the messages
  };
  const QByteArray e5 = "#2725e7-e5";
  const std::vector<Cas> cas = {
      {true, e5, false, 728}, {true, reseau::vers_octets(QStringLiteral(">[Bob] adieu")), false, 728}, {false, "-", false, 322},
      {true, "", true, 728},  {false, "", true, 728},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.serveur << c.octets.constData() << c.apres_nulle);
    if (c.serveur) {
      partie_serveur();
      joue({{false, "e2", "e4", ""}});
    } else {
      partie_client(QStringLiteral("Bob"), c.octets.isEmpty());
    }
    lit_pair();
    if (c.apres_nulle) nulle_acceptee();
    BoitesEnTest::efface();
    int lignes = -1;
    QString chat;
    BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
      lignes = p->List1->count();
      chat = p->Text1->toPlainText();
    });
    BoitesEnTest::repond(OK);
    pair->write(c.octets);
    pair->disconnectFromHost();
    ASSERT_TRUE(attend([] { return !BoitesEnTest::vues().isEmpty(); }));
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(c.boite)});
    if (c.serveur && !c.apres_nulle) {
      EXPECT_EQ(lignes, c.octets == e5 ? 2 : 1);
      EXPECT_EQ(chat.isEmpty(), c.octets == e5);
    }
    EXPECT_EQ(Reseau::instance().phase(), c.boite == 322 ? Phase::REFUSEE : Phase::FERMEE);
    recommence();
  }
}

// A repetition is asked only of the side that made it; its Yes ends the game
// on both boards, with the clocks stopped when the claim arrives.
TEST_F(MemePartie, ARepetitionIsAskedOfTheMoverOnly) {
  struct Cas {
    bool nous;         // this side makes the third repetition
    bool repetee;      // the peer's last move repeated the position
    int reponse;       // this side's answer to its question
    QByteArray suite;  // what the peer sends after its last move
  };
  const std::vector<Cas> cas = {
      {false, true, 0, "!A"}, {false, true, 0, ""}, {false, false, 0, "!A"}, {true, true, OUI, ""}, {true, true, NON, ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.nous << c.repetee << c.reponse << c.suite.constData());
    partie_serveur();
    std::vector<Demi> demis = aller_retour();
    if (!c.repetee) demis.pop_back();
    // Any question while the peer repeats fails the test.
    BoitesEnTest::efface();
    joue(demis);
    journal();
    const bool nulle = c.nous ? c.reponse == OUI : c.repetee && !c.suite.isEmpty();
    if (!c.nous) {
      qint64 reste = -1;
      BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
        reste = p->reste_horloge_ms(true);
        plateforme::MinuteriesEnTest::avance(11 * 60 * 1000);
      });
      if (nulle) BoitesEnTest::repond(OK);
      envoie_pair(c.suite);
      laisse_passer();
      EXPECT_EQ(BoitesEnTest::textes(), nulle ? QStringList{texte(729)} : QStringList{});
      if (nulle) {
        EXPECT_EQ(p->reste_horloge_ms(true), reste);
      }
      EXPECT_EQ(journal().join(' ').contains(QStringLiteral("draw answer ignored")), !c.suite.isEmpty() && !nulle);
    } else {
      // The move waits for the answer: the peer, still waiting for it, cannot
      // move meanwhile. Then it goes, "!A" after a Yes; after a No the peer answers it.
      QByteArray pendant = "?";
      BoitesEnTest::temoin([&](const plateforme::BoiteVue&) { laisse_passer(); pendant = lit_pair(); });
      BoitesEnTest::repond(c.reponse);
      coup("g1", "f3");
      EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(337)});
      EXPECT_TRUE(pendant.isEmpty());
      const QByteArray attendu = reseau::vers_octets("#" + chiffres("g1", "f3") + lignes_liste()[8].trimmed()) + (nulle ? "!A" : "");
      EXPECT_EQ(recu_pair(static_cast<int>(attendu.size())), attendu);
      if (!nulle) joue({{true, "b8", "c6", "Nb8-c6"}});
    }
    EXPECT_EQ(resultat_partie, nulle ? "1/2-1/2" : "*");
    EXPECT_EQ(lignes_liste().last() == QStringLiteral("1/2-1/2"), nulle);
    recommence();
  }
}

// The move that mates or stalemates reaches the peer at once: the box of the
// end may stay open as long as the user likes.
TEST_F(MemePartie, AMoveThatEndsTheGameReachesThePeerWhileItsBoxIsOpen) {
  auto fin = [this](std::initializer_list<const char*> pieces, const char* de, const char* a, const QString& boite) {
    partie_serveur();
    lit_pair();
    place(pieces, NOIR);
    BoitesEnTest::efface();
    QByteArray pendant;
    BoitesEnTest::temoin([&](const plateforme::BoiteVue&) { pendant = lit_pair(); });
    BoitesEnTest::repond(OK);
    coup(de, a);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{boite});
    EXPECT_EQ(pendant, reseau::vers_octets(QStringLiteral("#") + chiffres(de, a) + lignes_liste().value(0).trimmed()));
    recommence();
  };
  fin({"Kg1", "Ra1", "kh8", "pg7", "ph7"}, "a1", "a8", texte(167) + QStringLiteral(" !!! ") + texte(146));
  fin({"Kf7", "Qd3", "kh8"}, "d3", "g6", QStringLiteral("PAT !! ") + texte(168));
}
