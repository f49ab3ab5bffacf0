#include "tests/common/serveur_http.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest/QTest>

ServeurHttp::ServeurHttp() {
  serveur_ = new QTcpServer(this);
  serveur_->listen(QHostAddress::LocalHost, 0);
  connect(serveur_, &QTcpServer::newConnection, this, &ServeurHttp::nouvelle_connexion);
}

ServeurHttp::~ServeurHttp() = default;

quint16 ServeurHttp::port() const { return serveur_->serverPort(); }

QString ServeurHttp::adresse(const QString& chemin) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(chemin);
}

void ServeurHttp::ferme() { serveur_->close(); }

void ServeurHttp::nouvelle_connexion() {
  while (QTcpSocket* s = serveur_->nextPendingConnection()) {
    client_parti_ = false;
    connect(s, &QTcpSocket::disconnected, this, [this, s] {
      client_parti_ = true;
      s->deleteLater();
    });
    connect(s, &QTcpSocket::readyRead, this, [this, s] {
      const QByteArray recu = s->property("recu").toByteArray() + s->readAll();
      s->setProperty("recu", recu);
      if (!recu.contains("\r\n\r\n")) return;
      ++requetes_;
      derniere_ = recu;
      s->setProperty("recu", QByteArray());
      if (silencieux_) return;
      s->write(reponse_);
      s->disconnectFromHost();
    });
  }
}

QByteArray reponse_http(int statut, const QByteArray& raison, const QByteArray& corps, bool sans_longueur) {
  QByteArray r = "HTTP/1.1 " + QByteArray::number(statut) + ' ' + raison + "\r\n";
  r += "Content-Type: text/xml\r\n";
  if (!sans_longueur) r += "Content-Length: " + QByteArray::number(corps.size()) + "\r\n";
  r += "Connection: close\r\n\r\n";
  return r + corps;
}

bool attend(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }

bool attend_un_peu(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 2000); }
