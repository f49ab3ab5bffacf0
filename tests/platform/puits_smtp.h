// A mail sink on 127.0.0.1: speaks enough SMTP for a real transport (msmtp)
// to hand it a message, and keeps what it was given. It lives in the test's
// thread: it answers while the program waits for its transport.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;

class PuitsSmtp : public QObject {
  Q_OBJECT
 public:
  struct Recu {
    QString expediteur;       // MAIL FROM
    QStringList destinataires;  // RCPT TO
    QByteArray donnees;       // DATA, dots unstuffed, CRLF lines
  };

  PuitsSmtp();
  quint16 port() const;
  const QList<Recu>& recus() const { return recus_; }
  // Every command line the clients sent, in order.
  const QStringList& commandes() const { return commandes_; }

 private:
  void nouvelle_connexion();
  QTcpServer* serveur_ = nullptr;
  QList<Recu> recus_;
  QStringList commandes_;
};
