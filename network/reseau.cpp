#include "network/reseau.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/repetitions.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "network/connexion.h"
#include "openings/comment.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/partie.h"
#include "play/plateau.h"

Q_LOGGING_CATEGORY(journal_reseau, "morvandel.reseau")

namespace reseau {

namespace {

std::unique_ptr<Reseau>& unique() {
  static std::unique_ptr<Reseau> r;
  return r;
}

// Past this many lines about one connection, the log says so once and stops.
constexpr int LIGNES_JOURNAL_MAX = 50;
// What one read takes from the socket at most.
constexpr qint64 LECTURE_MAX = 65536;

}  // namespace

int Reseau::delai_silence_ms = 60;

Reseau& Reseau::instance() {
  if (!unique()) unique().reset(new Reseau());
  return *unique();
}

void Reseau::detruit() { unique().reset(); }

Reseau* Reseau::existante() { return unique().get(); }

Reseau::Reseau() {
  silence_ = new plateforme::Minuterie(this);
  silence_->setObjectName(QStringLiteral("silence"));
  connect(silence_, &plateforme::Minuterie::Timer, this, &Reseau::silence);
  // A message that had to wait (a question open, a move being recorded) is
  // tried again a little later.
  reprise_.setSingleShot(true);
  reprise_.setInterval(50);
  connect(&reprise_, &QTimer::timeout, this, &Reseau::traite_file);
  delai_demande_ = new plateforme::Minuterie(this);
  delai_demande_->setObjectName(QStringLiteral("delai_demande"));
  connect(delai_demande_, &plateforme::Minuterie::Timer, this, &Reseau::demande_muette);
}

Reseau::~Reseau() {
  ferme();
}

void Reseau::journal(const QString& ligne) {
  if (lignes_journal_ > LIGNES_JOURNAL_MAX) return;
  if (++lignes_journal_ > LIGNES_JOURNAL_MAX)
    qCWarning(journal_reseau).noquote() << "further lines about this connection are not logged";
  else
    qCWarning(journal_reseau).noquote() << ligne;
}

void Reseau::change_phase(Phase p) {
  if (phase_ == p) return;
  phase_ = p;
  plateforme::signale_changement();
}

bool Reseau::partie_active() const {
  return phase_ == Phase::PARTIE && socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void Reseau::associe_plateau(plateau* p) {
  plateau_ = p;
  if (!p) return;
  connect(p->Command5, &QPushButton::clicked, this, &Reseau::envoie_chat, Qt::UniqueConnection);
  limite_saisie(p->Text2, LONGUEUR_CHAT_MAX, 928);
}

void Reseau::envoie_chat() {
  if (!plateau_present()) return;
  QLineEdit* saisie = plateau_->Text2;
  if (saisie->text().isEmpty()) return;
  // Nothing of it may read as a message of its own on the peer's side; a
  // line too long for one message goes as several, which the peer shows as
  // consecutive lines.
  const QStringList messages = messages_chat(ip_nom_utilisateur, saisie->text());
  // A nickname made too long since the game began (the preferences) sends nothing.
  if (messages.isEmpty()) {
    plateforme::boite_message(texte(927).arg(LONGUEUR_PSEUDO_MAX), boite::EXCLAMATION);
    return;
  }
  for (const QString& m : messages)
    if (!envoie(m)) return;
  // Our own log shows the line exactly as typed, without the nickname.
  QPlainTextEdit* log = plateau_->Text1;
  log->appendPlainText(saisie->text());
  chat_ouvert_ = false;
  log->setFocus();
  log->moveCursor(QTextCursor::End);
  log->ensureCursorVisible();
  saisie->clear();
}

bool Reseau::plateau_present() const { return plateau_ && plateau_ == plateau::existante(); }

// --- Listening and connecting ---------------------------------------------------------

bool Reseau::ecoute(quint16 port, QString* erreur) {
  ferme();
  serveur_role_ = true;
  serveur_ = new QTcpServer(this);
  if (!serveur_->listen(QHostAddress::Any, port)) {
    if (erreur) *erreur = serveur_->errorString();
    delete serveur_;
    serveur_ = nullptr;
    return false;
  }
  connect(serveur_, &QTcpServer::newConnection, this, &Reseau::nouvelle_connexion);
  lignes_journal_ = 0;
  change_phase(Phase::ATTENTE);
  return true;
}

quint16 Reseau::port_ecoute() const { return serveur_ ? serveur_->serverPort() : 0; }

void Reseau::connecte(const QString& hote, quint16 port) {
  ferme();
  serveur_role_ = false;
  lignes_journal_ = 0;
  auto* s = new QTcpSocket(this);
  branche_socket(s);
  connect(s, &QTcpSocket::connected, this, &Reseau::connexion_etablie);
  change_phase(Phase::CONNEXION);
  // The system chooses the local port: the listening port of this computer
  // stays free for a copy that listens.
  s->connectToHost(hote, port);
}

void Reseau::branche_socket(QTcpSocket* s) {
  socket_ = s;
  s->setReadBufferSize(LECTURE_MAX);
  decoupeur_ = Decoupeur();
  // A pawn's move to the last rank waits for its promotion letter; the
  // game's current position tells a pawn.
  decoupeur_.pion_deplace([](const CoupRecu& c) {
    if (historique_positions.empty()) return true;
    const int code = piece_de_chaine(historique_positions.back(), c.col_s, c.lig_s);
    return code < 0 || type_piece(code) == TYPE_PION;
  });
  file_.clear();
  octets_lus_ = 0;
  silences_ = 0;
  chat_ouvert_ = false;
  nul_propose_ = false;
  perte_signalee_ = false;
  perte_en_attente_ = false;
  erreur_vue_ = false;
  ferme_ici_ = false;
  derniere_erreur_.clear();
  pseudo_adverse_.clear();
  connect(s, &QTcpSocket::readyRead, this, &Reseau::lecture);
  // The peer closing its end (it resigned, closed its board or its program)
  // is a departure; an error before it makes the end a failure.
  connect(s, &QTcpSocket::disconnected, this, [this, s] {
    if (s == socket_) perte_connexion(derniere_erreur_, erreur_vue_ ? Fin::ECHEC : Fin::DEPART);
  });
  connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError e) {
    if (s == socket_) erreur_socket(e);
  });
}

void Reseau::nouvelle_connexion() {
  while (serveur_ && serveur_->hasPendingConnections()) {
    QTcpSocket* s = serveur_->nextPendingConnection();
    if (!s) break;
    // One game connection: a request comes in only while none is there and
    // no game has been played on this board.
    if (socket_ || phase_ != Phase::ATTENTE) {
      if (++refus_ <= 20)
        qCWarning(journal_reseau).noquote()
            << QStringLiteral("connection request from %1 refused: a game connection is in use")
                   .arg(s->peerAddress().toString());
      s->write(vers_octets(message_refus()));
      s->flush();
      s->disconnectFromHost();
      connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
      if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
      continue;
    }
    s->setParent(this);
    s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    branche_socket(s);
    change_phase(Phase::DEMANDE);
    // A connection that never asks must not hold the port.
    delai_demande_->Interval(DELAI_DEMANDE_MS);
  }
}

void Reseau::demande_muette() {
  delai_demande_->Interval(0);
  if (!serveur_role_ || phase_ != Phase::DEMANDE || !socket_) return;
  journal(QStringLiteral("no game request within %1 s: connection from %2 closed")
              .arg(DELAI_DEMANDE_MS / 1000)
              .arg(socket_->peerAddress().toString()));
  ferme_socket();
  change_phase(Phase::ATTENTE);
  ajoute_ligne_commentaire(texte(730));
}

void Reseau::connexion_etablie() {
  if (!socket_) return;
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  change_phase(Phase::DEMANDE);
  ecrit(message_demande(ip_nom_utilisateur));
}

// --- Closing -------------------------------------------------------------------------------

void Reseau::ferme_socket(bool garde_file) {
  QTcpSocket* s = socket_;
  socket_ = nullptr;
  silence_->Interval(0);
  delai_demande_->Interval(0);
  if (!garde_file) file_.clear();
  if (!s) return;
  s->disconnect(this);
  // What was written still goes out; then the socket goes.
  if (s->state() == QAbstractSocket::ConnectedState) {
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    s->disconnectFromHost();
    if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
  } else {
    s->abort();
    s->deleteLater();
  }
}

void Reseau::ferme() {
  ferme_ici_ = true;
  perte_en_attente_ = false;
  ferme_socket();
  if (serveur_) {
    serveur_->close();
    delete serveur_;
    serveur_ = nullptr;
  }
  nul_propose_ = false;
  plateau_ = nullptr;
  change_phase(Phase::AUCUNE);
}

void Reseau::erreur_socket(QAbstractSocket::SocketError e) {
  if (!socket_) return;
  derniere_erreur_ = socket_->errorString();
  // The peer closing is seen by the disconnection; any error that leaves the
  // socket unconnected (refused, unreachable, reset) ends the connection here.
  if (e == QAbstractSocket::RemoteHostClosedError) return;
  erreur_vue_ = true;
  if (socket_->state() == QAbstractSocket::UnconnectedState) perte_connexion(derniere_erreur_, Fin::ECHEC);
}

void Reseau::perte_connexion(const QString& cause, Fin fin) {
  if (!socket_) return;
  // What arrived before the end is still the peer's: its last move, or its
  // refusal, counts before the end is told.
  if (fin != Fin::DONNEES) {
    while (socket_->bytesAvailable() > 0)
      if (!decoupeur_.ajoute(socket_->read(LECTURE_MAX))) break;
    // Nothing more comes: what waits for its end goes on as it stands.
    prends_messages(true);
    decoupeur_.fin_attente();
    prends_messages(true);
  }
  journal(QStringLiteral("connection closed: %1").arg(cause.isEmpty() ? QStringLiteral("by the peer") : cause));
  ferme_socket(true);
  nul_propose_ = false;
  fin_ = fin;
  derniere_erreur_ = cause;
  perte_en_attente_ = true;
  // Told once the socket's own signal is over, as every message of the peer.
  QMetaObject::invokeMethod(this, &Reseau::traite_file, Qt::QueuedConnection);
}

void Reseau::arrete_partie_plateau() {
  if (!plateau_present()) return;
  arret_timers();
  plateau_->Echiquier->Enabled(false);
  plateau_->message->setEnabled(false);
}

void Reseau::conclut_perte() {
  perte_en_attente_ = false;
  const Phase avant = phase_;
  // Listening side before any game: the request went away; wait for another.
  if (serveur_role_ && (avant == Phase::DEMANDE || avant == Phase::QUESTION)) {
    change_phase(Phase::ATTENTE);
    return;
  }
  if (avant == Phase::REFUSEE || avant == Phase::AUCUNE || avant == Phase::ATTENTE || avant == Phase::FERMEE) return;
  change_phase(Phase::FERMEE);
  if (perte_signalee_ || ferme_ici_) return;
  perte_signalee_ = true;
  if (avant == Phase::PARTIE) arrete_partie_plateau();
  // The peer that leaves a game it played (resigned, its board closed, the
  // game over) has left; anything else is a failure of the connection.
  if (avant == Phase::PARTIE && fin_ == Fin::DEPART) {
    plateforme::boite_message(texte(728), boite::EXCLAMATION);
    return;
  }
  const QString cause = derniere_erreur_;
  plateforme::boite_message(texte(326) + QStringLiteral("\r\n\r\n") +
                                (serveur_role_ ? QStringLiteral("Cause : ") : QStringLiteral("? : ")) +
                                (cause.isEmpty() ? QStringLiteral("?") : cause),
                            boite::EXCLAMATION);
}

// --- Writing ---------------------------------------------------------------------------------

void Reseau::ecrit(const QString& message) {
  if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState) return;
  socket_->write(vers_octets(message));
  socket_->flush();
}

bool Reseau::envoie(const QString& message) {
  if (!partie_active()) {
    journal(QStringLiteral("nothing sent, no game on an open connection: %1").arg(message.left(40)));
    return false;
  }
  if (message == message_propose_nul()) nul_propose_ = true;
  ecrit(message);
  return true;
}

// --- Reading ---------------------------------------------------------------------------------

void Reseau::lecture() {
  // Everything there is, now: no new signal comes for bytes already waiting.
  while (socket_ && socket_->bytesAvailable() > 0) {
    const QByteArray lu = socket_->read(LECTURE_MAX);
    octets_lus_ += lu.size();
    if (!decoupeur_.ajoute(lu)) {
      journal(QStringLiteral("more than %1 bytes without a complete message: connection dropped")
                  .arg(Decoupeur::PLAFOND));
      perte_connexion(texte(924), Fin::DONNEES);
      return;
    }
    prends_messages(false);
  }
  // The silence is counted afresh from the last bytes.
  silences_ = 0;
  silence_->Interval(decoupeur_.en_attente() > 0 ? delai_silence_ms : 0);
  planifie();
}

void Reseau::silence() {
  ++silences_;
  if (static_cast<qint64>(silences_) * delai_silence_ms >= DELAI_DEMANDE_MS) {
    decoupeur_.fin_attente();
  } else if (silences_ == 1 && decoupeur_.attend_deux_silences()) {
    return;
  }
  prends_messages(true);
  if (decoupeur_.en_attente() == 0) silence_->Interval(0);
  planifie();
}

void Reseau::prends_messages(bool silence) {
  QByteArray m;
  bool suite = false;
  while (decoupeur_.suivant(m, silence, &suite)) file_.emplace_back(m, suite);
  for (const QString& r : decoupeur_.rejets()) journal(r);
}

void Reseau::planifie() {
  if (!file_.empty()) QMetaObject::invokeMethod(this, &Reseau::traite_file, Qt::QueuedConnection);
}

void Reseau::traite_file() {
  if (en_traitement_) return;
  // Not in the middle of a question or of a move being recorded.
  if (QApplication::activeModalWidget() || coup_en_traitement()) {
    if (!file_.empty() || perte_en_attente_) reprise_.start();
    return;
  }
  en_traitement_ = true;
  while (!file_.empty()) {
    const auto [m, suite] = file_.front();
    file_.pop_front();
    traite(m, suite);
  }
  en_traitement_ = false;
  // The end of the connection comes after everything the peer sent.
  if (perte_en_attente_) conclut_perte();
}

}  // namespace reseau
