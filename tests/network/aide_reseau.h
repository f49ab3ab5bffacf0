// A network game under test: this program (its dialog, sockets and board
// window) against a peer that the test drives as a raw socket on 127.0.0.1,
// on ports the system chooses. The game state is one per process, so the
// peer is never a second copy of the program.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <initializer_list>
#include <memory>

#include "play/plateau.h"
#include "tests/common/aide_tests.h"

class TestReseau : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // This side listens (through the connection dialog, on a free port) and
  // the peer connects; with `demande` the peer sends "?" + its nickname.
  // `reponse` answers the question of the request (boite::OUI / NON).
  void partie_serveur(const QString& pseudo_pair = QStringLiteral("Bob"), int reponse = 6);
  // This side connects (through the dialog) to the peer's server; the peer
  // accepts it and answers "@" + its nickname + CRLF when `accepte`.
  void partie_client(const QString& pseudo_pair = QStringLiteral("Bob"), bool accepte = true);
  // A game against "Bob" that starts, this side listening or connecting.
  void partie_en_tant_que(bool serveur);

  // Ends the game of a case that plays several: the network state, the board
  // window, the peer's sockets and the boxes seen go; the network is plugged
  // in afresh.
  void recommence();

  // The listening side opened through the dialog; its port.
  quint16 ecoute_par_dialogue();
  // A free port of 127.0.0.1 at this moment.
  static quint16 port_libre();

  // The peer's socket: connected to this side's port, or taken from the
  // peer's own server.
  std::unique_ptr<QTcpSocket> connecte_pair(quint16 port);
  void envoie_pair(const QByteArray& octets, QTcpSocket* s = nullptr);
  // Waits (the event loop running) until the peer has received `attendu`
  // in all, then returns and forgets everything received.
  QByteArray recu_pair(int octets_attendus, QTcpSocket* s = nullptr);
  // Everything the peer has received so far, without waiting.
  QByteArray lit_pair(QTcpSocket* s = nullptr);
  // Runs the event loop until `condition` holds (false after the time out);
  // the silence timer ticks as the clock would, unless not `silences`.
  static bool attend(const std::function<bool()>& condition, int ms = 5000, bool silences = true);
  // Once this side has read what the peer sent, `n` ticks of the silence
  // timer: the peer has been quiet that long.
  void silences(int n);
  // Runs the event loop a little: whatever was sent has been handled.
  static void laisse_passer(int ms = 150);

  // A move of the peer in ITS screen coordinates (its colour at the bottom),
  // given by chess squares: "#" + four digits + the text.
  static QByteArray coup_pair(const char* depart, const char* arrivee, const char* texte);
  // The digits this side sends for a move between two chess squares.
  static QString chiffres(const char* depart, const char* arrivee);
  // Both clicks of a move on this side's board; one click.
  void coup(const char* depart, const char* arrivee);
  void clic(const char* nom_case);
  int controle(const char* nom_case) const;
  // The piece of tab_echiquier on a square.
  static int tableau(const char* nom_case);
  // A position of the game under way: the pieces by FEN letter and square
  // ("Ke1", "pb2"), `trait` the colour that moved last; board, history and
  // move texts start from it.
  void place(std::initializer_list<const char*> pieces, int trait);

  // The box of a refused move of the peer: its text and the reason (text
  // number), then that the boards no longer agree and the question.
  static QString refus_attendu(const QString& texte_coup, int raison);
  // A double-click on line `ligne` of the move list.
  void double_clic_ligne(int ligne);
  // The pieces the board control shows (chaine_position).
  std::string position_montree() const;

  QStringList lignes_liste() const;
  QStringList lignes_chat() const;
  // The log lines of the network since the last call.
  static QStringList journal();

  plateau* p = nullptr;
  std::unique_ptr<QTcpSocket> pair;
  std::unique_ptr<QTcpServer> serveur_pair;
  // What the peer sent on this game connection.
  qint64 envoyes_ = 0;
};
