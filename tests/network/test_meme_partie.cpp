// Both boards of a network game keep one game: an earlier position looked
// at, a move cut by the network, a silent connection, chat that looks like a
// move, a refused move, the end of the connection, a repetition and a draw
// leave the two sides with the same moves, result and clocks.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QLineEdit>
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

namespace {

QByteArray b(const QString& s) { return reseau::vers_octets(s); }

}  // namespace

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
  // The knights go out and back twice from the start: the start position
  // stands for the third time after the peer's last move (this side White).
  static std::vector<Demi> aller_retour() {
    return {{false, "g1", "f3", ""}, {true, "g8", "f6", "Ng8-f6"}, {false, "f3", "g1", ""},
            {true, "f6", "g8", "Nf6-g8"}, {false, "g1", "f3", ""}, {true, "g8", "f6", "Ng8-f6"},
            {false, "f3", "g1", ""}, {true, "f6", "g8", "Nf6-g8"}};
  }
  // The position, the game record and the result, as both boards must keep them.
  struct Etat {
    std::string position;
    std::string partie;
    std::string resultat;
    int lignes;
    bool operator==(const Etat&) const = default;
  };
  Etat etat() const { return {historique_positions.back(), texte_partie, resultat_partie, p->List1->count()}; }
};

// Looking at an earlier move never changes the position moves are judged
// and played on: the peer's move and ours bring the current one back first.
TEST_F(MemePartie, AnEarlierPositionLookedAtIsNeverPlayedOn) {
  struct Cas {
    const char* nom;
    std::vector<Demi> avant;  // the game up to the double-click
    int ligne;                // the line double-clicked
    Demi ensuite;             // the move that follows
    int raison;               // the box of a refused move, 0 when it plays
  };
  const std::vector<Cas> cas = {
      // Legal only now: e7 is empty since e7-e5.
      {"peer move legal now only",
       {{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5"}, {false, "g1", "f3", ""}},
       0,
       {true, "d8", "f6", "Qd8-f6"},
       0},
      // Legal only on the position looked at: refused, never played there.
      {"peer move legal then only",
       {{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5"}, {false, "g1", "f3", ""}},
       0,
       {true, "e7", "e6", "e7-e6"},
       722},
      // Our move from the current position: nothing is cut or asked.
      {"own move", {{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5"}}, 0, {false, "d2", "d4", ""}, 0},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    partie_serveur();
    recu_pair(10);
    joue(c.avant);
    const std::string courante = historique_positions.back();
    const int lignes = p->List1->count();
    double_clic_ligne(c.ligne);
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
      EXPECT_TRUE(lit_pair().isEmpty());
      coup(c.ensuite.de, c.ensuite.a);
      EXPECT_EQ(recu_pair(5).left(5), b(QStringLiteral("#") + chiffres(c.ensuite.de, c.ensuite.a)));
    }
    EXPECT_EQ(BoitesEnTest::textes(),
              c.raison ? QStringList{refus_attendu(QString::fromLatin1(c.ensuite.texte), c.raison)} : QStringList{});
    EXPECT_EQ(p->List1->count(), lignes + (c.raison ? 0 : 1));
    EXPECT_EQ(p->List1->currentRow(), p->List1->count() - 1);
    // The board, its array and the history agree on the game's position.
    EXPECT_EQ(position_montree(), historique_positions.back());
    EXPECT_EQ(chaine_position_de([](int c, int l) { return tab_echiquier(c, l); }), historique_positions.back());
    if (c.raison) {
      EXPECT_EQ(historique_positions.back(), courante);
    }
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
    ASSERT_EQ(p->List1->count(), 1);
    EXPECT_EQ(lignes_liste()[0].trimmed(), QStringLiteral("1.e2-e4"));
    EXPECT_EQ(controle("e4"), PION_BLANC);
    EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
    EXPECT_TRUE(journal().isEmpty());
    recommence();
  }
}

// A connection that does not ask for a game within the time limit is closed
// and the port is free for a real one.
TEST_F(MemePartie, ASilentConnectionLeavesThePortToARealOne) {
  struct Cas {
    const char* nom;
    QByteArray octets;  // what the first connection sends
    bool fermee;        // closed at the time limit
  };
  const std::vector<Cas> cas = {
      {"nothing", "", true},
      {"garbage", "xyz", true},
      {"chat before asking", ">[Eve] hello", true},
      {"a request", "?Eve", false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const quint16 port = ecoute_par_dialogue();
    plateforme::Minuterie& delai = Reseau::instance().minuterie_demande();
    EXPECT_EQ(delai.Interval(), 0);
    pair = connecte_pair(port);
    ASSERT_TRUE(attend([] { return Reseau::instance().phase() == Phase::DEMANDE; }));
    EXPECT_EQ(delai.Interval(), Reseau::DELAI_DEMANDE_MS);
    // A request in time stops the count: its game starts.
    if (!c.fermee) BoitesEnTest::repond(OUI);
    if (!c.octets.isEmpty()) envoie_pair(c.octets);
    laisse_passer();
    // Meanwhile a real peer is refused: the port is held.
    auto reel = connecte_pair(port);
    EXPECT_EQ(recu_pair(1, reel.get()), QByteArray("-"));
    EXPECT_EQ(delai.tick(), c.fermee);
    laisse_passer();
    EXPECT_EQ(texte_commentaire().contains(texte(730)), c.fermee);
    if (!c.fermee) {
      EXPECT_EQ(Reseau::instance().phase(), Phase::PARTIE);
      EXPECT_EQ(pair->state(), QAbstractSocket::ConnectedState);
      recommence();
      continue;
    }
    EXPECT_EQ(Reseau::instance().phase(), Phase::ATTENTE);
    EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
    // Then the next one is asked and plays.
    reel = connecte_pair(port);
    BoitesEnTest::efface();
    BoitesEnTest::repond(OUI);
    envoie_pair("?Alice", reel.get());
    EXPECT_EQ(recu_pair(10, reel.get()), QByteArray("@Joueur1\r\n"));
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(327) + QStringLiteral("Alice' ?")});
    EXPECT_EQ(Reseau::instance().phase(), Phase::PARTIE);
    recommence();
    decharge_comment();
  }
}

// Chat text that holds a move or our nickname's marker goes out so that the
// peer reads one chat line; our log shows what went.
TEST_F(MemePartie, ChatThatLooksLikeAMoveStaysChat) {
  struct Cas {
    QString tape;
    QString envoye;  // the text after the nickname on the wire
    QString echo;    // our own log's line
  };
  const std::vector<Cas> cas = {
      {QStringLiteral("my plan is #4745e7-e5 later"), QStringLiteral("my plan is # 4745e7-e5 later"),
       QStringLiteral("my plan is # 4745e7-e5 later")},
      {QStringLiteral("  #57551.e2-e4!  "), QStringLiteral("# 57551.e2-e4!"), QStringLiteral("  # 57551.e2-e4!  ")},
      {QStringLiteral("me again >[Joueur1] x"), QStringLiteral("me again > [Joueur1] x"),
       QStringLiteral("me again > [Joueur1] x")},
      {QStringLiteral(" #1 fan"), QStringLiteral("#1 fan"), QStringLiteral(" #1 fan")},
  };
  partie_serveur();
  recu_pair(10);
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape.toStdString());
    p->Text2->setText(c.tape);
    p->Command5->click();
    const QByteArray attendu = b(QStringLiteral(">[Joueur1] ") + c.envoye);
    const QByteArray recu = recu_pair(static_cast<int>(attendu.size()));
    EXPECT_EQ(recu, attendu);
    // The peer's reading of it, followed by a move of ours: two messages.
    reseau::Decoupeur d;
    d.pseudo_adverse(ip_nom_utilisateur);
    ASSERT_TRUE(d.ajoute(recu + "#57551.e2-e4"));
    QByteArray m;
    std::vector<QByteArray> messages;
    while (d.suivant(m, true)) messages.push_back(m);
    EXPECT_EQ(messages, (std::vector<QByteArray>{attendu, "#57551.e2-e4"}));
    EXPECT_EQ(lignes_chat().last(), c.echo);
  }
  EXPECT_EQ(p->List1->count(), 0);
}

// A refused move of the peer is told in a box; the user keeps the game going
// or ends it there.
TEST_F(MemePartie, ARefusedMoveIsToldAndTheGameCanEndThere) {
  struct Cas {
    const char* nom;
    bool fin_ici;  // the user ends the game from the box
    bool apres_nulle;
  };
  for (const Cas& c : {Cas{"kept on", false, false}, Cas{"ended", true, false}, Cas{"after a draw", false, true}}) {
    SCOPED_TRACE(c.nom);
    partie_serveur();
    recu_pair(10);
    joue({{false, "e2", "e4", ""}});
    if (c.apres_nulle) {
      BoitesEnTest::repond(OUI);
      envoie_pair("/");
      EXPECT_EQ(recu_pair(2), QByteArray("!A"));
    }
    BoitesEnTest::efface();
    BoitesEnTest::repond(c.fin_ici ? OUI : NON);
    envoie_pair(coup_pair("e7", "e4", "e7-e4"));
    ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
    EXPECT_EQ(BoitesEnTest::textes()[0], refus_attendu(QStringLiteral("e7-e4"), c.apres_nulle ? 725 : 723));
    EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::OUI_NON + boite::EXCLAMATION);
    laisse_passer();
    EXPECT_EQ(Reseau::instance().phase(), c.fin_ici ? Phase::FERMEE : Phase::PARTIE);
    if (c.fin_ici) {
      ASSERT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
      EXPECT_EQ(p->horloge_en_marche(), -1);
      EXPECT_FALSE(p->Echiquier->Enabled());
      EXPECT_FALSE(p->message->isEnabled());
    } else if (!c.apres_nulle) {
      // The peer's right move still plays.
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
// told: its last move, its chat line, its refusal.
TEST_F(MemePartie, TheLastMessagesBeforeTheCloseCount) {
  struct Cas {
    const char* nom;
    bool serveur;
    QByteArray octets;
    int reponse;          // the answer to the first box
    QStringList boites;   // every box, in order
  };
  const QByteArray e5 = QByteArray("#2725e7-e5");
  const std::vector<Cas> cas = {
      {"a move then the close", true, e5, OK, {texte(728)}},
      {"a chat line then the close", true, b(QStringLiteral(">[Bob] au revoir")), OK, {texte(728)}},
      {"a refusal then the close", false, "-", OK, {texte(322)}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    int lignes_a_la_boite = -1;
    QString chat_a_la_boite;
    if (c.serveur) {
      partie_serveur();
      recu_pair(10);
      joue({{false, "e2", "e4", ""}});
    } else {
      partie_client(QStringLiteral("Bob"), false);
      recu_pair(8);
    }
    BoitesEnTest::efface();
    BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
      lignes_a_la_boite = p->List1->count();
      chat_a_la_boite = p->Text1->toPlainText();
    });
    BoitesEnTest::repond(c.reponse);
    pair->write(c.octets);
    ferme_pair(false);
    ASSERT_TRUE(attend([] { return !BoitesEnTest::vues().isEmpty(); }));
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::textes(), c.boites);
    if (c.serveur) {
      EXPECT_EQ(lignes_a_la_boite, c.octets == e5 ? 2 : 1);
      EXPECT_EQ(chat_a_la_boite.isEmpty(), c.octets == e5);
    }
    recommence();
  }
}

// The peer that leaves (it resigned, closed its board, or the game was over)
// has left the game, in either role; a connection that fails says so.
TEST_F(MemePartie, APeerThatLeavesHasLeftTheGame) {
  struct Cas {
    bool serveur;
    bool apres_nulle;
    bool brutal;  // a reset instead of an orderly close: the socket reports both alike
  };
  const std::vector<Cas> cas = {{true, false, false}, {false, false, false}, {true, true, false},
                                {false, true, false}, {true, false, true}, {false, false, true}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.serveur << c.apres_nulle << c.brutal);
    partie_en_tant_que(c.serveur);
    lit_pair();
    if (c.apres_nulle) {
      BoitesEnTest::repond(OUI);
      envoie_pair("/");
      EXPECT_EQ(recu_pair(2), QByteArray("!A"));
    }
    BoitesEnTest::efface();
    BoitesEnTest::repond(OK);
    ferme_pair(c.brutal);
    ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
    laisse_passer();
    ASSERT_EQ(BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(BoitesEnTest::textes()[0], texte(728));
    EXPECT_EQ(Reseau::instance().phase(), Phase::FERMEE);
    recommence();
  }
  // Our own resignation says nothing here: the peer sees the close.
  for (bool serveur : {true, false}) {
    partie_en_tant_que(serveur);
    lit_pair();
    BoitesEnTest::efface();
    BoitesEnTest::repond(OUI);
    abandonne_partie(false);
    EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(92)});
    recommence();
  }
}

// A repetition is asked only of the side that made it; its Yes ends the game
// on both boards.
TEST_F(MemePartie, ARepetitionIsAskedOfTheMoverOnly) {
  struct Cas {
    const char* nom;
    bool nous;         // this side makes the third repetition
    bool repetee;      // the peer's last move repeated the position
    int reponse;       // this side's answer to the question
    QByteArray suite;  // what the peer sends after its last move
  };
  const std::vector<Cas> cas = {
      {"the peer claims it", false, true, 0, "!A"},
      {"the peer plays on", false, true, 0, ""},
      {"a claim without a repetition", false, false, 0, "!A"},
      {"this side claims it", true, true, OUI, ""},
      {"this side plays on", true, true, NON, ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    partie_serveur();
    recu_pair(10);
    std::vector<Demi> demis = aller_retour();
    if (!c.repetee) demis.pop_back();
    // Any question here fails: none is expected while the peer repeats.
    BoitesEnTest::efface();
    joue(demis);
    EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
    journal();
    if (!c.nous) {
      const bool nulle = c.suite == "!A" && c.repetee;
      if (nulle) BoitesEnTest::repond(OK);
      if (!c.suite.isEmpty()) envoie_pair(c.suite);
      laisse_passer();
      EXPECT_EQ(BoitesEnTest::textes(), nulle ? QStringList{texte(729)} : QStringList{});
      EXPECT_EQ(resultat_partie, nulle ? "1/2-1/2" : "*");
      EXPECT_EQ(lignes_liste().last() == QStringLiteral("1/2-1/2"), nulle);
      EXPECT_EQ(journal().join(' ').contains(QStringLiteral("draw answer ignored")), !c.suite.isEmpty() && !nulle);
    } else {
      BoitesEnTest::repond(c.reponse);
      coup("g1", "f3");
      const QByteArray coup_envoye = b(QStringLiteral("#") + chiffres("g1", "f3"));
      QByteArray recu = recu_pair(static_cast<int>(coup_envoye.size()));
      recu += lit_pair();
      EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(337)});
      EXPECT_TRUE(recu.startsWith(coup_envoye)) << recu.constData();
      EXPECT_EQ(recu.endsWith("!A"), c.reponse == OUI) << recu.constData();
      EXPECT_EQ(resultat_partie, c.reponse == OUI ? "1/2-1/2" : "*");
    }
    recommence();
  }
}

// A draw ends the clocks of both boards when its answer arrives, however
// long the box that tells it stays open.
TEST_F(MemePartie, ADrawStopsTheClocksWhenItsAnswerArrives) {
  for (bool repetition : {false, true}) {
    SCOPED_TRACE(repetition);
    partie_serveur();
    recu_pair(10);
    if (repetition) {
      joue(aller_retour());
    } else {
      joue({{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5"}});
      BoitesEnTest::repond(OUI);
      propose_nulle();
      EXPECT_EQ(recu_pair(1), QByteArray("/"));
    }
    qint64 basse = -1, haute = -1;
    BoitesEnTest::efface();
    BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
      basse = p->reste_horloge_ms(true);
      haute = p->reste_horloge_ms(false);
      // The user reads the box for eleven minutes.
      plateforme::MinuteriesEnTest::avance(11 * 60 * 1000);
    });
    BoitesEnTest::repond(OK);
    envoie_pair("!A");
    ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
    EXPECT_EQ(BoitesEnTest::textes()[0], texte(repetition ? 729 : 324));
    EXPECT_EQ(p->horloge_en_marche(), -1);
    EXPECT_EQ(p->reste_horloge_ms(true), basse);
    EXPECT_EQ(p->reste_horloge_ms(false), haute);
    EXPECT_EQ(resultat_partie, "1/2-1/2");
    recommence();
  }
}

// The peer's move is shown as it was sent: its own marks, no evaluation of
// ours, and its capture en passant told.
TEST_F(MemePartie, ThePeersMoveIsShownAsSent) {
  struct Cas {
    const char* nom;
    std::vector<Demi> partie;
    QString ligne;   // the last line of the move list
    QString coup;    // the short move in the caption
    bool en_passant;
  };
  const std::vector<Cas> cas = {
      {"a good move", {{false, "e2", "e4", ""}, {true, "e7", "e5", "e7-e5!"}}, QStringLiteral("    ..... e7-e5!"),
       QStringLiteral("e5"), false},
      {"a doubtful move", {{false, "e2", "e4", ""}, {true, "f7", "f6", "f7-f6?"}}, QStringLiteral("    ..... f7-f6?"),
       QStringLiteral("f6"), false},
      {"en passant",
       {{false, "a2", "a3", ""}, {true, "d7", "d5", "d7-d5"}, {false, "a3", "a4", ""}, {true, "d5", "d4", "d5-d4"},
        {false, "e2", "e4", ""}, {true, "d4", "e3", "d4xe3e.p."}},
       QStringLiteral("    ..... d4xe3e.p."), QStringLiteral("dxe3e.p."), true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    partie_serveur();
    recu_pair(10);
    derniere_note = 5.0f;
    joue(c.partie);
    EXPECT_EQ(lignes_liste().last(), c.ligne);
    EXPECT_EQ(p->windowTitle(), texte(169) + QStringLiteral(" - [") + c.coup + QStringLiteral("] - ") + texte(170) +
                                    QStringLiteral(" : []"));
    EXPECT_EQ(derniere_note, 0.0f);
    const QString ligne_ep = QStringLiteral("- ") + texte(162) + nom_piece(PION_NOIR) + texte(165) + texte(163);
    EXPECT_EQ(texte_commentaire().contains(ligne_ep), c.en_passant);
    if (c.en_passant) {
      EXPECT_EQ(controle("e4"), CASE_VIDE);
    }
    recommence();
  }
}
