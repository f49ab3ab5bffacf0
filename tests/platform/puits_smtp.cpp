#include "tests/platform/puits_smtp.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace {

QString adresse_entre_chevrons(const QString& ligne) {
  static const QRegularExpression re(QStringLiteral("<([^>]*)>"));
  const auto m = re.match(ligne);
  return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

PuitsSmtp::PuitsSmtp() {
  serveur_ = new QTcpServer(this);
  serveur_->listen(QHostAddress::LocalHost, 0);
  connect(serveur_, &QTcpServer::newConnection, this, &PuitsSmtp::nouvelle_connexion);
}

quint16 PuitsSmtp::port() const { return serveur_->serverPort(); }

void PuitsSmtp::nouvelle_connexion() {
  while (QTcpSocket* s = serveur_->nextPendingConnection()) {
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    // Per connection: the bytes not yet read as lines, the mail being
    // received, whether DATA is running.
    struct Etat {
      QByteArray tampon;
      Recu courant;
      bool donnees = false;
    };
    auto etat = std::make_shared<Etat>();
    s->write("220 puits.test ESMTP\r\n");
    connect(s, &QTcpSocket::readyRead, this, [this, s, etat] {
      etat->tampon += s->readAll();
      qsizetype fin;
      while ((fin = etat->tampon.indexOf("\r\n")) >= 0) {
        const QByteArray ligne = etat->tampon.left(fin);
        etat->tampon.remove(0, fin + 2);
        if (etat->donnees) {
          if (ligne == ".") {
            etat->donnees = false;
            recus_.append(etat->courant);
            etat->courant = Recu{};
            s->write("250 2.0.0 Ok: queued\r\n");
          } else {
            etat->courant.donnees += (ligne.startsWith('.') ? ligne.mid(1) : ligne) + "\r\n";
          }
          continue;
        }
        const QString commande = QString::fromUtf8(ligne);
        commandes_ << commande;
        const QString verbe = commande.left(4).toUpper();
        if (verbe == QLatin1String("EHLO")) {
          s->write("250-puits.test\r\n250-8BITMIME\r\n250 SIZE 10485760\r\n");
        } else if (verbe == QLatin1String("HELO") || verbe == QLatin1String("RSET") || verbe == QLatin1String("NOOP")) {
          s->write("250 Ok\r\n");
        } else if (verbe == QLatin1String("MAIL")) {
          etat->courant.expediteur = adresse_entre_chevrons(commande);
          s->write("250 2.1.0 Ok\r\n");
        } else if (verbe == QLatin1String("RCPT")) {
          etat->courant.destinataires << adresse_entre_chevrons(commande);
          s->write("250 2.1.5 Ok\r\n");
        } else if (verbe == QLatin1String("DATA")) {
          etat->donnees = true;
          s->write("354 End data with <CR><LF>.<CR><LF>\r\n");
        } else if (verbe == QLatin1String("QUIT")) {
          s->write("221 2.0.0 Bye\r\n");
          s->disconnectFromHost();
        } else {
          s->write("502 5.5.2 Command not recognized\r\n");
        }
      }
    });
  }
}
