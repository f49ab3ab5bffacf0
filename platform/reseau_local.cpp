#include "platform/reseau_local.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace plateforme {

QString adresse_ip_locale() {
  QString boucle;
  for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
    if (a.protocol() != QAbstractSocket::IPv4Protocol) continue;
    if (!a.isLoopback()) return a.toString();
    if (boucle.isEmpty()) boucle = a.toString();
  }
  return boucle;
}

}  // namespace plateforme
