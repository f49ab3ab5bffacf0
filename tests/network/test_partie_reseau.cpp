// A network game against a scripted peer on 127.0.0.1: the request and its
// answer in both roles, a game with both castlings, en passant and promotion
// mirrored, chat, draw offers, resignation and lost connections.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "network/connexion.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "openings/comment.h"
#include "platform/minuterie.h"
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

TEST_F(TestReseau, TheListeningSideAcceptsARequestAndStartsTheGame) {
  partie_serveur(QStringLiteral("Zoë"), OUI);
  ASSERT_EQ(BoitesEnTest::textes(), QStringList{texte(327) + QStringLiteral("Zoë' ?")});
  EXPECT_EQ(recu_pair(10), b(QStringLiteral("@Joueur1\r\n")));
  EXPECT_EQ(Reseau::instance().phase(), Phase::PARTIE);
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_EQ(p->windowTitle(), texte(320));
  EXPECT_TRUE(p->message->isEnabled());
  EXPECT_TRUE(p->Echiquier->Enabled());
  EXPECT_EQ(p->duree_partie->text(), QStringLiteral("00:00:00"));
  EXPECT_EQ(p->horloge_en_marche(), 1);  // White's clock, at the bottom
  EXPECT_TRUE(texte_commentaire().contains(texte(321) + QStringLiteral("Zoë\n")));
  EXPECT_TRUE(texte_commentaire().contains(texte(152)));
}

TEST_F(TestReseau, BeforeTheGameStartsBoardChatAndDrawOfferStayOff) {
  const quint16 port = ecoute_par_dialogue();
  EXPECT_TRUE(p->windowTitle().endsWith(QStringLiteral("]... attente de réponse ...")));
  EXPECT_FALSE(p->Echiquier->Enabled());
  EXPECT_FALSE(p->message->isEnabled());
  pair = connecte_pair(port);
  // Chat, moves and draw offers of a peer that has not asked for a game.
  const QByteArray ligne_avant = b(QStringLiteral(">[Bob] hi")) + coup_pair("e7", "e5", "e7-e5") + "/";
  envoie_pair(ligne_avant);
  laisse_passer();
  EXPECT_TRUE(p->Text1->toPlainText().isEmpty());
  EXPECT_EQ(controle("e7"), PION_NOIR);
  EXPECT_EQ(journal().size(), 3);
  propose_nulle();  // nothing asked, nothing sent
  EXPECT_TRUE(lit_pair().isEmpty());
}

TEST_F(TestReseau, ARefusedRequestFreesTheListeningSideForAnother) {
  partie_serveur(QStringLiteral("Bob"), NON);
  EXPECT_EQ(recu_pair(1), QByteArray("-"));
  EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState || pair->waitForDisconnected(10); }));
  EXPECT_EQ(Reseau::instance().phase(), Phase::ATTENTE);
  // A second requester is asked in turn.
  auto autre = connecte_pair(Reseau::instance().port_ecoute());
  BoitesEnTest::repond(OUI);
  envoie_pair("?Alice", autre.get());
  EXPECT_EQ(recu_pair(10, autre.get()), QByteArray("@Joueur1\r\n"));
  EXPECT_EQ(Reseau::instance().pseudo_adverse(), QStringLiteral("Alice"));
}

TEST_F(TestReseau, TheConnectingSideSendsItsRequestAndStartsOnAcceptance) {
  ip_nom_utilisateur = QStringLiteral("Hélène");
  partie_client(QStringLiteral("Bob"), true);
  EXPECT_EQ(couleur_joueur, NOIR);
  // It connects from a port of its own, never the listening port.
  EXPECT_NE(pair->peerPort(), serveur_pair->serverPort());
  EXPECT_EQ(p->windowTitle(), texte(320));
  // The nickname keeps the line end that ends the acceptance.
  EXPECT_TRUE(texte_commentaire().contains(texte(321) + QStringLiteral("Bob\n\n")));
  EXPECT_TRUE(texte_commentaire().contains(texte(153)));
  EXPECT_EQ(p->horloge_en_marche(), 0);  // White's clock, at the top
}

TEST_F(TestReseau, TheConnectingSideReportsARefusalOnceAndKeepsItsBoard) {
  partie_client(QStringLiteral("Bob"), false);
  EXPECT_EQ(recu_pair(8), b(QStringLiteral("?Joueur1")));
  BoitesEnTest::repond(OK);
  envoie_pair("-");
  pair->disconnectFromHost();
  laisse_passer();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(322)});
  EXPECT_EQ(Reseau::instance().phase(), Phase::REFUSEE);
  EXPECT_TRUE(plateau::existante());
}

TEST_F(TestReseau, AConnectionRefusedByTheHostIsReported) {
  montre_connexion();
  connexion* d = fenetres::existante<connexion>();
  d->Option1[0]->setChecked(true);
  d->Text1->setText(QStringLiteral("127.0.0.1"));
  d->Text2->setText(QString::number(port_libre()));
  BoitesEnTest::repond(OK);
  d->SSCommand2->click();
  p = plateau::existante();
  ASSERT_TRUE(p);
  ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
  EXPECT_TRUE(BoitesEnTest::textes()[0].startsWith(texte(326) + QStringLiteral("\r\n\r\n? : ")));
  EXPECT_TRUE(p->windowTitle().endsWith(QStringLiteral("attente de réponse du serveur...")));
}

// The program has Black and connects; the peer has White. Every move of the
// peer comes in White's screen coordinates and lands mirrored; every move
// of this side goes out in Black's.
TEST_F(TestReseau, AGameWithCastlingEnPassantAndPromotionIsMirroredBothWays) {
  partie_client(QStringLiteral("Bob"), true);
  struct Demi {
    bool pair;
    const char* de;
    const char* a;
    const char* texte;  // the peer's text, or what this side must send
  };
  const std::vector<Demi> partie = {
      {true, "e2", "e4", "1.e2-e4"},   {false, "d7", "d5", "d7-d5"},     {true, "e4", "e5", "2.e4-e5"},
      {false, "f7", "f5", "f7-f5"},    {true, "e5", "f6", "3.e5xf6e.p."}, {false, "b8", "c6", "Nb8-c6"},
      {true, "g1", "f3", "4.Cg1-f3!"}, {false, "c8", "e6", "Bc8-e6"},    {true, "f1", "e2", "5.Ff1-e2"},
      {false, "d8", "d7", "Qd8-d7"},   {true, "e1", "g1", "6.O-O"},      {false, "e8", "c8", "O-O-O"},
      {true, "f6", "g7", "7.f6xg7?"}, {false, "c8", "b8", "Kc8-b8"},    {true, "g7", "h8", "8.g7xh8=D"},
  };
  for (const Demi& d : partie) {
    if (d.pair) {
      envoie_pair(coup_pair(d.de, d.a, d.texte));
      const size_t lignes = static_cast<size_t>(p->List1->count()) + 1;
      ASSERT_TRUE(attend([&] { return static_cast<size_t>(p->List1->count()) == lignes; })) << d.texte;
    } else {
      coup(d.de, d.a);
      // The text as this side's list shows it; a judgement mark may end it.
      const QString attendu = QStringLiteral("#") + chiffres(d.de, d.a) + QString::fromLatin1(d.texte);
      QByteArray recu = recu_pair(static_cast<int>(attendu.size()));
      recu += lit_pair();
      ASSERT_TRUE(recu == b(attendu) || recu == b(attendu) + "?" || recu == b(attendu) + "!") << recu.constData();
    }
  }
  // The peer's en passant took the pawn on f5; its castling moved its rook;
  // its "=D" gave a White queen whatever this side's letters.
  EXPECT_EQ(controle("f5"), CASE_VIDE);
  EXPECT_EQ(tab_echiquier(case_de_nom("f5").colonne, case_de_nom("f5").ligne), CASE_VIDE);
  EXPECT_EQ(controle("f1"), TOUR_BLANCHE);
  EXPECT_EQ(controle("h1"), CASE_VIDE);
  EXPECT_EQ(controle("d8"), TOUR_NOIRE);
  EXPECT_EQ(controle("a8"), CASE_VIDE);
  EXPECT_EQ(controle("h8"), DAME_BLANCHE);
  // The record is written here, from the moves checked here.
  EXPECT_EQ(texte_partie, "1.e4 d5 2.e5 f5 3.exf6e.p. Nc6 4.Nf3 Be6 5.Be2 Qd7 6.O-O O-O-O 7.fxg7 Kb8 8.gxh8=Q");
  EXPECT_EQ(lignes_liste().last().trimmed(), QStringLiteral("8.g7xh8=Q"));
  // The peer's lines keep its own marks; its moves get no evaluation here;
  // its capture en passant is told.
  EXPECT_EQ(lignes_liste()[6].trimmed(), QStringLiteral("4.Ng1-f3!"));
  EXPECT_EQ(lignes_liste()[12].trimmed(), QStringLiteral("7.f6xg7?"));
  EXPECT_EQ(p->windowTitle(), texte(169) + QStringLiteral(" - [8.gxh8=Q] - ") + texte(170) + QStringLiteral(" : []"));
  EXPECT_EQ(derniere_note, 0.0f);
  EXPECT_TRUE(texte_commentaire().contains(QStringLiteral("- ") + texte(162) + nom_piece(PION_BLANC) + texte(165) +
                                           texte(163)));
  EXPECT_EQ(numero_coup, 8);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_TRUE(journal().isEmpty());
}

TEST_F(TestReseau, ChatLinesGoBothWaysAsPlainText) {
  ip_nom_utilisateur = QStringLiteral("Hélène");
  partie_serveur(QStringLiteral("<b>Zoë</b>"), OUI);
  recu_pair(9);
  envoie_pair(b(QStringLiteral(">[<b>Zoë</b>] Ça va ? <i>oui</i>")));
  ASSERT_TRUE(attend([this] { return !p->Text1->toPlainText().isEmpty(); }));
  EXPECT_EQ(lignes_chat(), QStringList{QStringLiteral("[<b>Zoë</b>] Ça va ? <i>oui</i>")});
  p->Text2->setText(QStringLiteral("  à bientôt  "));
  p->Command5->click();
  EXPECT_EQ(recu_pair(19), b(QStringLiteral(">[Hélène] à bientôt")));
  EXPECT_EQ(lignes_chat().last(), QStringLiteral("  à bientôt  "));
  EXPECT_TRUE(p->Text2->text().isEmpty());
  // A move in the text would be read as one: it goes out, and shows, so that it cannot.
  p->Text2->setText(QStringLiteral("plan: #4745e7-e5"));
  p->Command5->click();
  EXPECT_EQ(recu_pair(27), b(QStringLiteral(">[Hélène] plan: # 4745e7-e5")));
  EXPECT_EQ(lignes_chat().last(), QStringLiteral("plan: #4745e7-e5"));
  // An empty line sends nothing.
  p->Command5->click();
  EXPECT_TRUE(lit_pair().isEmpty());
}

// A line too long for one message goes as several that each fit the
// receiver's limit. Sent back to this side (the peer bears our nickname),
// with a pause inside the first, they show as consecutive lines that make up
// the whole line, and the game goes on. A paste past the field's limit is
// refused whole, and said.
TEST_F(TestReseau, ALongChatLineArrivesWholeAsConsecutiveLines) {
  auto recue = [this] {
    QStringList l = lignes_chat().mid(1);
    for (QString& s : l) s.remove(0, 10);
    return l.join(QString()).replace(QStringLiteral("# "), QStringLiteral("#")).replace(QStringLiteral("> ["), ">[");
  };
  for (const int longueur : {3000, 20000, 20001}) {
    partie_serveur(ip_nom_utilisateur);
    lit_pair();
    const QString tape = QStringLiteral("é#4745e7-e5 >[Joueur1] x").repeated(longueur / 24 + 1).left(longueur);
    QGuiApplication::clipboard()->setText(tape);
    BoitesEnTest::efface();
    if (longueur > 20000) BoitesEnTest::repond(boite::OK);
    p->Text2->paste();
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::textes(), longueur > 20000 ? QStringList{texte(928).arg(20000)} : QStringList{});
    EXPECT_EQ(p->Text2->text(), longueur > 20000 ? QString() : tape);
    if (longueur > 20000) break;
    p->Command5->click();
    EXPECT_EQ(lignes_chat(), QStringList{tape});
    const QByteArray recu = recu_pair(longueur) + lit_pair();
    envoie_pair(recu.left(2009));
    silences(1);
    envoie_pair(recu.mid(2009));
    EXPECT_TRUE(attend([&] { return recue() == tape; })) << recue().size();
    coup("e2", "e4");
    EXPECT_TRUE(recu_pair(5).startsWith('#'));
    envoie_pair(coup_pair("e7", "e5", "e7-e5"));
    EXPECT_TRUE(attend([this] { return p->List1->count() == 2; }));
    EXPECT_TRUE(journal().isEmpty());
    recommence();
  }
}

TEST_F(TestReseau, DrawOffersAreAnsweredBothWays) {
  struct Cas {
    bool offre_ici;
    int reponse;  // of this side's user, or of the peer
    bool croise;  // our offer follows 1.e4, and the peer's 1...e5 crosses it
    bool tenue;   // our d-pawn is held when we offer
  };
  for (const Cas c : {Cas{true, NON, false, true}, Cas{true, OUI, false, false}, Cas{true, OUI, true, false},
                      Cas{false, NON, false, false}, Cas{false, OUI, false, false}}) {
    partie_serveur();
    recu_pair(10);
    BoitesEnTest::efface();
    if (c.offre_ici) {
      if (c.croise) { coup("e2", "e4"); recu_pair(12); }
      if (c.tenue) clic("d2");
      BoitesEnTest::repond(OUI);
      propose_nulle();
      EXPECT_EQ(recu_pair(1), QByteArray("/"));
      if (c.croise) envoie_pair(coup_pair("e7", "e5", "e7-e5"));
      ASSERT_TRUE(attend([&] { return p->List1->count() == (c.croise ? 2 : 0); }));
      // Until the answer, about the position both boards show, no move of ours goes.
      BoitesEnTest::repond(OK);
      c.tenue ? clic("d4") : coup("d2", "d4");
      EXPECT_EQ(BoitesEnTest::textes().last(), texte(926));
      EXPECT_EQ(controle("d2"), PION_BLANC);
      // The answer stops the clocks at once, however long its box stays open.
      qint64 reste = -1;
      BoitesEnTest::temoin([&](const plateforme::BoiteVue& v) {
        if (v.texte != texte(324)) return;
        reste = p->reste_horloge_ms(true);
        plateforme::MinuteriesEnTest::avance(11 * 60 * 1000);
      });
      BoitesEnTest::repond(OK);
      envoie_pair(c.reponse == OUI ? "!A" : "!R");
      ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 3; }));
      EXPECT_EQ(BoitesEnTest::textes()[2], texte(c.reponse == OUI ? 324 : 325));
      if (c.reponse == OUI) {
        EXPECT_EQ(p->reste_horloge_ms(true), reste);
      }
    } else {
      BoitesEnTest::repond(c.reponse);
      envoie_pair("/");
      EXPECT_EQ(recu_pair(2), QByteArray(c.reponse == OUI ? "!A" : "!R"));
      EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(323)});
    }
    EXPECT_EQ(resultat_partie, c.reponse == OUI ? "1/2-1/2" : "*");
    EXPECT_EQ(lignes_liste().contains(QStringLiteral("1/2-1/2")), c.reponse == OUI);
    EXPECT_EQ(p->horloge_en_marche(), c.reponse == OUI ? -1 : 1);
    EXPECT_EQ(lignes_liste().size(), c.croise ? 3 : c.reponse == OUI);
    recommence();
  }
}

TEST_F(TestReseau, DrawAnswersCountOnlyWhileOurOfferWaits) {
  partie_serveur();
  recu_pair(10);
  // No offer of ours: an answer changes nothing.
  envoie_pair("!A");
  laisse_passer();
  EXPECT_EQ(resultat_partie, "*");
  // "?" and "@" once the game runs: no question, no new start.
  envoie_pair("?Mallory");
  laisse_passer();
  EXPECT_EQ(Reseau::instance().pseudo_adverse(), QStringLiteral("Bob"));
  EXPECT_EQ(p->horloge_en_marche(), 1);
  EXPECT_EQ(journal().size(), 2);
  // One answer per offer.
  BoitesEnTest::repond(OUI);
  propose_nulle();
  recu_pair(1);
  BoitesEnTest::repond(OK);
  envoie_pair("!R!A");
  laisse_passer();
  EXPECT_EQ(BoitesEnTest::textes().last(), texte(325));
  EXPECT_EQ(resultat_partie, "*");
}

TEST_F(TestReseau, ResigningClosesTheConnectionOnBothSides) {
  for (bool serveur : {true, false}) {
    partie_en_tant_que(serveur);
    lit_pair();
    BoitesEnTest::repond(OUI);
    abandonne_partie(false);
    EXPECT_FALSE(plateau::existante());
    EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; })) << serveur;
    recommence();
  }
}

TEST_F(TestReseau, AConnectionEndedByThePeerIsToldOnceAndStopsTheGame) {
  for (bool serveur : {true, false}) {
    partie_en_tant_que(serveur);
    lit_pair();
    BoitesEnTest::efface();
    BoitesEnTest::repond(OK);
    pair->disconnectFromHost();
    ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; })) << serveur;
    laisse_passer();
    EXPECT_EQ(BoitesEnTest::vues().size(), 1);
    // The peer left the game it played: no failure of the connection.
    EXPECT_EQ(BoitesEnTest::textes()[0], texte(728)) << serveur;
    EXPECT_EQ(p->horloge_en_marche(), -1);
    EXPECT_FALSE(p->Timer5->en_marche());
    EXPECT_FALSE(p->Echiquier->Enabled());
    EXPECT_FALSE(p->message->isEnabled());
    EXPECT_EQ(Reseau::instance().phase(), Phase::FERMEE);
    // Nothing is written to a closed connection: no offer, no chat.
    propose_nulle();
    EXPECT_FALSE(Reseau::instance().envoie(QStringLiteral(">[x] y")));
    recommence();
  }
}

// A peer that sends bytes the program cannot cut into messages is cut off;
// the user reads why in the interface's language.
TEST_F(TestReseau, UnPairQuiEnvoieDesDonneesIllisiblesEstCoupeEtLeMessageLeDitDansLaLangue) {
  passe_en_langue(2);
  partie_en_tant_que(true);
  lit_pair();
  BoitesEnTest::efface();
  BoitesEnTest::repond(OK);
  pair->write(">" + QByteArray(2 * reseau::Decoupeur::PLAFOND, 'a'));
  ASSERT_TRUE(attend([] { return BoitesEnTest::vues().size() == 1; }));
  EXPECT_EQ(BoitesEnTest::textes()[0], texte(326) + QStringLiteral("\r\n\r\nCause : ") + texte(924));
  EXPECT_EQ(Reseau::instance().phase(), Phase::FERMEE);
  recommence();
}

TEST_F(TestReseau, ClosingTheBoardWindowClosesTheConnection) {
  partie_serveur();
  recu_pair(10);
  fenetres::decharge<plateau>();
  EXPECT_TRUE(attend([this] { return pair->state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(Reseau::instance().phase(), Phase::AUCUNE);
  EXPECT_EQ(Reseau::instance().port_ecoute(), 0);
}
