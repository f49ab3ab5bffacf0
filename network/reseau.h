// The sockets of a network game and what arrives on them.
//
// One object for the run (Reseau::instance()). The listening side listens on
// its port and takes one game connection; every further request is refused
// ("-") and closed, never allowed to take over the game. The connecting side
// connects from a port of the system's choice. Both sides keep one capped
// buffer for their game connection, cut it into messages (Decoupeur) and
// handle them one at a time outside the read slot: never while a modal
// question is open or a move is being recorded, and after a piece lifted by
// the user has been put back.
//
// The listening side gives a connection DELAI_DEMANDE_MS to send its game
// request; one that stays silent is closed, and the side listens again.
//
// A move from the peer is played on the game's current position (the board
// comes back to it when an earlier one is looked at), checked (its turn, its
// piece, the rules) and goes through the one move path of the game
// (joue_coup_partie); a refused one is told in a box with its reason, from
// which the user may end the game. Chat lines, draw offers and answers count
// only once the game has started on the board window of this connection;
// "!A"/"!R" while our own offer waits, and "!A" also right after the peer's
// move that repeated a position for the third time (the peer's claim).
// Once the connection is gone (closed by the peer, lost, or closed here)
// nothing is written to it again; what the peer sent before it went is
// handled first, then the end is told once: the opponent has left when the
// peer closed a game that had started, else the connection failed. The
// clocks, the board, the chat and the draw offer stop.
#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

#include "network/protocole.h"

namespace plateforme {
class Minuterie;
}

class QTcpServer;
class QTcpSocket;
class plateau;

namespace reseau {

enum class Phase {
  AUCUNE,     // no network game
  ATTENTE,    // listening side: listening, no game connection yet
  CONNEXION,  // connecting side: the connection is being made
  DEMANDE,    // the game request is on its way (sent, or awaited)
  QUESTION,   // listening side: our user is asked about the request
  PARTIE,     // the game runs
  REFUSEE,    // connecting side: the request was refused
  FERMEE,     // the game connection is gone
};

class Reseau : public QObject {
  Q_OBJECT

 public:
  static Reseau& instance();
  // Closes everything and forgets the object (tests, end of the run).
  static void detruit();
  // The object when it exists, else null (never creates it).
  static Reseau* existante();

  // Listening side: listens on `port` of every address (0: a free port of
  // the system's choice). False, with the reason, when it cannot.
  bool ecoute(quint16 port, QString* erreur);
  quint16 port_ecoute() const;
  // Connecting side: connects to `hote` at `port`; the outcome comes later.
  void connecte(const QString& hote, quint16 port);
  // The board window of this game; messages for another board are ignored.
  void associe_plateau(plateau* p);

  // Sends a message of the game (move, chat line, draw offer) on the game
  // connection; false, and nothing written, when no game runs on an open one.
  bool envoie(const QString& message);
  // Closes the game connection and stops listening; nothing is reported.
  void ferme();

  Phase phase() const { return phase_; }
  // A game runs on an open connection.
  bool partie_active() const;
  // Our draw offer waits for its answer.
  bool nul_en_attente() const { return nul_propose_; }
  QString pseudo_adverse() const { return pseudo_adverse_; }

  // How long the sender must be silent before a message whose end the
  // grammar cannot see is taken (milliseconds). A message whose end is known
  // to be missing waits for it up to DELAI_DEMANDE_MS of silence.
  static int delai_silence_ms;
  // How long the listening side waits for the request of a connection.
  static constexpr int DELAI_DEMANDE_MS = 30000;
  // The timer of that wait (it runs while a connection has not asked).
  plateforme::Minuterie& minuterie_demande() { return *delai_demande_; }
  // The timer of the sender's silence (it runs while bytes wait).
  plateforme::Minuterie& minuterie_silence() { return *silence_; }
  // The bytes read from the game connection so far.
  qint64 octets_lus() const { return octets_lus_; }
  // For tests: every message cut out of the stream goes to `f` in place of
  // its handling (`suite`: it continues the message before); null undoes it.
  void temoin(std::function<void(const QByteArray& message, bool suite)> f) { temoin_ = std::move(f); }

  ~Reseau() override;

 private:
  Reseau();

  // The chat send button of the board window.
  void envoie_chat();
  void nouvelle_connexion();
  void branche_socket(QTcpSocket* s);
  void lecture();
  void silence();
  // How a connection ended.
  enum class Fin { DEPART, ECHEC, DONNEES };
  void perte_connexion(const QString& cause, Fin fin);
  void conclut_perte();
  void demande_muette();
  // The game stops on the board: clocks, board and chat.
  void arrete_partie_plateau();
  void erreur_socket(QAbstractSocket::SocketError e);
  void connexion_etablie();
  void prends_messages(bool silence);
  void planifie();
  void traite_file();
  void ecrit(const QString& message);
  // Closes the game connection; the messages still to handle go too unless
  // `garde_file`.
  void ferme_socket(bool garde_file = false);
  void journal(const QString& ligne);
  void change_phase(Phase p);

  // What each verb does (reception.cpp).
  // `suite`: the bytes continue the message handled before.
  void traite(const QByteArray& octets, bool suite);
  void recoit_demande(const QString& message);
  void recoit_acceptation(const QString& message);
  void recoit_refus();
  void recoit_coup(const QString& message);
  void recoit_chat(const QString& message);
  void recoit_offre_nulle();
  void recoit_reponse_nulle(const QString& message);
  void demarre_partie(const QString& pseudo);
  // Tells the user, with text `raison`, and lets them end the game.
  void refuse_coup(const QString& texte, int raison, const char* pour_journal);
  void conclut_nulle_adverse(int texte_boite);
  bool plateau_present() const;

  QTcpServer* serveur_ = nullptr;
  QPointer<QTcpSocket> socket_;
  QPointer<plateau> plateau_;
  Decoupeur decoupeur_;
  std::deque<std::pair<QByteArray, bool>> file_;
  plateforme::Minuterie* silence_ = nullptr;
  // Quiet whiles counted since the last bytes.
  int silences_ = 0;
  qint64 octets_lus_ = 0;
  // The last line of the chat log is the peer's and may still go on.
  bool chat_ouvert_ = false;
  std::function<void(const QByteArray&, bool)> temoin_;
  QTimer reprise_;
  plateforme::Minuterie* delai_demande_ = nullptr;
  bool en_traitement_ = false;
  bool serveur_role_ = false;
  bool nul_propose_ = false;
  bool perte_signalee_ = false;
  bool ferme_ici_ = false;
  // The connection is gone; its end is told once its last messages are handled.
  bool perte_en_attente_ = false;
  Fin fin_ = Fin::DEPART;
  bool erreur_vue_ = false;
  QString pseudo_adverse_;
  QString derniere_erreur_;
  int lignes_journal_ = 0;
  int refus_ = 0;
  Phase phase_ = Phase::AUCUNE;
};

}  // namespace reseau
