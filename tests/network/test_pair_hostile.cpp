// A peer that does not keep to the game: malformed messages, moves out of
// turn or against the rules, garbage, a flood of connection requests, and
// messages split or joined by the network.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QHostAddress>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "openings/comment.h"
#include "tests/network/aide_reseau.h"

using boite::OK;
using boite::OUI;
using plateforme::BoitesEnTest;
using reseau::Phase;
using reseau::Reseau;

namespace {

// What the board and the game record are.
struct Etat {
  std::string chaine;
  std::string partie;
  int lignes;
  int trait;
  bool operator==(const Etat&) const = default;
};

}  // namespace

class PairHostile : public TestReseau {
 protected:
  // A game where this side (White, listening) has played e2-e4: the peer is
  // to move.
  void prepare() {
    partie_serveur();
    recu_pair(10);
    coup("e2", "e4");
    recu_pair(5 + 7);
    lit_pair();
    journal();
    BoitesEnTest::efface();
  }
  Etat etat() const {
    return {historique_positions.back(), texte_partie, p->List1->count(), dernier_trait};
  }
};

TEST_F(PairHostile, MalformedAndRefusedMovesChangeNothing) {
  prepare();
  struct Cas {
    const char* nom;
    QByteArray octets;
    int raison;  // a refused move is told in a box with this reason, 0 none
  };
  const std::vector<Cas> cas = {
      {"unknown verb", "xyz", 0},
      {"square outside 1..8", "#4795e7-e5", 0},
      {"square zero", "#0745e7-e5", 0},
      {"short move", "#47zz", 0},
      {"move text that is no move", "#4745hello", 0},
      {"oversized chat", ">" + QByteArray(3000, 'a'), 0},
      {"illegal by the rules", coup_pair("e7", "e4", "e7-e4"), 723},
      {"a piece of this side", coup_pair("e4", "e5", "e4-e5"), 722},
      {"an empty square", coup_pair("e5", "e4", "e5-e4"), 722},
      {"onto its own pawn", coup_pair("e8", "e7", "Re8-e7"), 723},
  };
  const Etat avant = etat();
  for (const Cas& c : cas) {
    BoitesEnTest::efface();
    // The user keeps the game going.
    if (c.raison) BoitesEnTest::repond(boite::NON);
    envoie_pair(c.octets);
    laisse_passer();
    EXPECT_EQ(etat(), avant) << c.nom;
    EXPECT_FALSE(journal().isEmpty()) << c.nom;
    ASSERT_EQ(BoitesEnTest::vues().size(), c.raison ? 1 : 0) << c.nom;
    if (c.raison) {
      EXPECT_EQ(BoitesEnTest::textes()[0], refus_attendu(QString::fromLatin1(c.octets.mid(5)), c.raison)) << c.nom;
    }
  }
  // The peer's legal move still plays, once; a second one is out of turn.
  envoie_pair(coup_pair("e7", "e5", "e7-e5"));
  ASSERT_TRUE(attend([this] { return p->List1->count() == 2; }));
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::NON);
  envoie_pair(coup_pair("d7", "d5", "d7-d5"));
  laisse_passer();
  EXPECT_EQ(p->List1->count(), 2);
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{refus_attendu(QStringLiteral("d7-d5"), 721)});
  EXPECT_TRUE(journal().join(' ').contains(QStringLiteral("not the opponent's turn")));
  EXPECT_EQ(Reseau::instance().phase(), Phase::PARTIE);
}

// A peer's pawn reaching the last rank, White's (this side Black) or Black's
// (this side White), needs a letter of a piece it may become.
TEST_F(PairHostile, APromotionOnEitherLastRankHasItsLetterChecked) {
  struct Cas {
    bool serveur;       // this side listens and has White
    const char* texte;  // the peer's move text
    int devient;        // what the square holds after it, CASE_VIDE when refused
  };
  const std::vector<Cas> cas = {
      {true, "b2-b1=K", CASE_VIDE},          {true, "b2-b1=P", CASE_VIDE},
      {true, "b2-b1", CASE_VIDE},            {true, "b2-b1=D", DAME_NOIRE},
      {true, "b2-b1=N", CAVALIER_NOIR},      {false, "b7-b8=R+", TOUR_BLANCHE},
      {false, "b7-b8=K", CASE_VIDE},         {false, "b7-b8=", CASE_VIDE},
      {false, "b7-b8=Q", DAME_BLANCHE},      {false, "b7-b8=x", CASE_VIDE},
  };
  for (bool serveur : {true, false}) {
    partie_en_tant_que(serveur);
    lit_pair();
    journal();
    for (const Cas& c : cas) {
      if (c.serveur != serveur) continue;
      SCOPED_TRACE(c.texte);
      const bool blanc = couleur_joueur == BLANC;
      ASSERT_EQ(blanc, serveur);
      // The peer's pawn one step from its last rank, the peer to move.
      place({"Ke1", "ke8", blanc ? "pb2" : "Pb7"}, couleur_joueur);
      const char* depart = blanc ? "b2" : "b7";
      const char* arrivee = blanc ? "b1" : "b8";
      const int pion = blanc ? PION_NOIR : PION_BLANC;
      const int lignes = p->List1->count();
      BoitesEnTest::efface();
      // A refused letter is told in a box; the user keeps the game going.
      if (c.devient == CASE_VIDE) BoitesEnTest::repond(boite::NON);
      envoie_pair(coup_pair(depart, arrivee, c.texte));
      if (c.devient == CASE_VIDE) {
        // A move without its letter waits for it, up to the long limit.
        laisse_passer();
        silences(Reseau::DELAI_DEMANDE_MS / Reseau::delai_silence_ms);
        laisse_passer();
        EXPECT_TRUE(journal().join(' ').contains(QStringLiteral("bad promotion letter")));
        ASSERT_EQ(BoitesEnTest::textes().size(), 1);
        EXPECT_TRUE(BoitesEnTest::textes()[0].contains(texte(724))) << BoitesEnTest::textes()[0].toStdString();
        EXPECT_EQ(p->List1->count(), lignes);
        EXPECT_EQ(tableau(depart), pion);
      } else {
        ASSERT_TRUE(attend([&] { return p->List1->count() == lignes + 1; }));
        EXPECT_EQ(tableau(depart), CASE_VIDE);
        EXPECT_TRUE(journal().isEmpty());
      }
      EXPECT_EQ(tableau(arrivee), c.devient);
      EXPECT_EQ(controle(arrivee), c.devient);
    }
    recommence();
  }
}

TEST_F(PairHostile, GarbageIsDroppedAndPastTheCapTheConnectionGoes) {
  prepare();
  const Etat avant = etat();
  // A megabyte with no verb in it: dropped as it comes, the game goes on.
  envoie_pair(QByteArray(1 << 20, 'z'));
  envoie_pair(reseau::vers_octets(QStringLiteral(">[Bob] encore là")));
  ASSERT_TRUE(attend([this] { return !p->Text1->toPlainText().isEmpty(); }));
  EXPECT_EQ(etat(), avant);
  const QStringList lignes = journal();
  EXPECT_FALSE(lignes.isEmpty());
  EXPECT_LE(lignes.size(), 51);
  // A megabyte of anything but "/" (a draw offer in it would be a real
  // question): some verb opens a message that never ends.
  QRandomGenerator hasard(26);
  QByteArray bruit(1 << 20, '\0');
  for (char& o : bruit) {
    o = static_cast<char>(hasard.bounded(256));
    if (o == '/') o = 'z';
  }
  BoitesEnTest::repond(OK);
  pair->write(bruit);
  ASSERT_TRUE(attend([] { return Reseau::instance().phase() == Phase::FERMEE; }, 20000));
  // The loss is said once.
  ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
  laisse_passer();
  EXPECT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(journal().join(' ').contains(QStringLiteral("connection dropped")));
  EXPECT_EQ(etat(), avant);
}

TEST_F(PairHostile, FurtherConnectionRequestsAreRefusedAndTheGameGoesOn) {
  prepare();
  std::vector<std::unique_ptr<QTcpSocket>> intrus;
  for (int i = 0; i < 100; ++i) {
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(QHostAddress::LocalHost, Reseau::instance().port_ecoute());
    // Each tries a move at once.
    s->write(coup_pair("d7", "d5", "d7-d5"));
    intrus.push_back(std::move(s));
  }
  // Each one gets the refusal and is closed; none takes a move over.
  ASSERT_TRUE(attend([&intrus] {
    for (auto& s : intrus)
      if (s->state() != QAbstractSocket::UnconnectedState) return false;
    return true;
  }, 20000));
  for (auto& s : intrus) EXPECT_EQ(s->readAll(), QByteArray("-"));
  envoie_pair(coup_pair("e7", "e5", "e7-e5"));
  ASSERT_TRUE(attend([this] { return p->List1->count() == 2; }));
  laisse_passer();
  EXPECT_EQ(p->List1->count(), 2);
  EXPECT_EQ(controle("d7"), PION_NOIR);
  EXPECT_EQ(Reseau::instance().pseudo_adverse(), QStringLiteral("Bob"));
}

TEST_F(PairHostile, MessagesSplitOrJoinedByTheNetworkAreCutByTheirGrammar) {
  prepare();
  // A move over two reads.
  const QByteArray e5 = coup_pair("e7", "e5", "e7-e5");
  envoie_pair(e5.left(3));
  laisse_passer();
  envoie_pair(e5.mid(3));
  ASSERT_TRUE(attend([this] { return p->List1->count() == 2; }));
  coup("g1", "f3");
  recu_pair(5 + 6);
  lit_pair();
  // A move, a draw offer and a chat line in one read.
  BoitesEnTest::repond(boite::NON);
  envoie_pair(coup_pair("b8", "c6", "Cb8-c6+") + "/" + reseau::vers_octets(QStringLiteral(">[Bob] à toi/")));
  EXPECT_EQ(recu_pair(2), QByteArray("!R"));
  EXPECT_EQ(p->List1->count(), 4);
  EXPECT_EQ(controle("c6"), CAVALIER_NOIR);
  // The chat line ends where the data ends, once the sender is silent.
  ASSERT_TRUE(attend([this] { return !p->Text1->toPlainText().isEmpty(); }));
  EXPECT_EQ(lignes_chat(), QStringList{QStringLiteral("[Bob] à toi/")});
  // A line cut by a pause goes on on its own line.
  envoie_pair(">[Bob] bon");
  silences(1);
  envoie_pair("jour");
  laisse_passer();
  EXPECT_EQ(lignes_chat().last(), QStringLiteral("[Bob] bonjour"));
  EXPECT_TRUE(journal().isEmpty());
}

TEST_F(PairHostile, AMessageArrivingWhileAQuestionIsOpenWaitsForIt) {
  prepare();
  // While the draw question is open the peer moves and chats: nothing of it
  // is carried out before the answer.
  int lignes_pendant = -1;
  BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
    envoie_pair(coup_pair("e7", "e5", "e7-e5") + ">[Bob] vite");
    laisse_passer();
    lignes_pendant = p->List1->count();
  });
  BoitesEnTest::repond(boite::NON);
  envoie_pair("/");
  ASSERT_TRUE(attend([this] { return p->List1->count() == 2; }));
  EXPECT_EQ(lignes_pendant, 1);
  EXPECT_EQ(recu_pair(2), QByteArray("!R"));
  EXPECT_EQ(lignes_chat(), QStringList{QStringLiteral("[Bob] vite")});
}

// A message whose end is known to be missing waits for it over the pauses:
// the acceptance for its CRLF (the game starts with the whole name), a
// pawn's move to the last rank for its "=" and letter (it is played with
// its piece).
TEST_F(PairHostile, AMessageWaitsForItsKnownEndOverPauses) {
  partie_client(QStringLiteral("srv"), false);
  recu_pair(static_cast<int>(reseau::message_demande(QStringLiteral("Joueur1")).size()));
  for (const char* morceau : {"@sr", "v\r\n"}) {
    envoie_pair(morceau);
    silences(5);
  }
  ASSERT_TRUE(attend([] { return Reseau::instance().phase() == Phase::PARTIE; }));
  EXPECT_EQ(Reseau::instance().pseudo_adverse(), QStringLiteral("srv\r\n"));
  EXPECT_FALSE(journal().join(' ').contains(QStringLiteral("unknown verb")));
  recommence();

  partie_serveur();
  const QByteArray coup = coup_pair("g2", "h1", "g2xh1=D");
  const qsizetype egal = coup.indexOf('=');
  // Byte by byte (0), cut before the "=", cut before the letter.
  for (const qsizetype coupe : {qsizetype(0), egal, egal + 1}) {
    SCOPED_TRACE(coupe);
    place({"Ke1", "ke8", "pg2", "Rh1"}, couleur_joueur);
    BoitesEnTest::efface();
    for (qsizetype i = 0, n = 0; i < coup.size(); i += n) {
      n = coupe == 0 ? 1 : (i == 0 ? coupe : coup.size() - i);
      envoie_pair(coup.mid(i, n));
      silences(1);
    }
    ASSERT_TRUE(attend([this] { return p->List1->count() == 1; }));
    EXPECT_EQ(tableau("h1"), DAME_NOIRE);
    EXPECT_TRUE(BoitesEnTest::textes().isEmpty());
    p->List1->clear();
  }
  // A rook's move to the last rank, written without its letter, waits for
  // no promotion: it is played after one quiet while.
  place({"Ke2", "ke8", "ra8"}, couleur_joueur);
  envoie_pair(coup_pair("a8", "a1", "a8-a1"));
  silences(1);
  EXPECT_TRUE(attend([this] { return p->List1->count() == 1; }, 1000, false));
  EXPECT_EQ(tableau("a1"), TOUR_NOIRE);
}
