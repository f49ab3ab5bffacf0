// A stand-in web server on 127.0.0.1 for the tests of fetches by address:
// it answers every request with the bytes the test gives (status line,
// headers and body as they are, then it closes the connection), or keeps
// silent.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

class ServeurHttp : public QObject {
  Q_OBJECT

 public:
  ServeurHttp();
  ~ServeurHttp() override;

  // The address of a document on this server.
  QString adresse(const QString& chemin = QStringLiteral("/version.xml")) const;
  quint16 port() const;

  // The bytes sent to every request from now on; silence() answers nothing
  // and keeps the connection open.
  void repond(const QByteArray& reponse) { reponse_ = reponse; silencieux_ = false; }
  void silence() { silencieux_ = true; }
  // Stops listening: the port refuses connections.
  void ferme();

  int requetes() const { return requetes_; }
  QByteArray derniere_requete() const { return derniere_; }
  // True once the client has closed (or aborted) the last connection.
  bool client_parti() const { return client_parti_; }

 private:
  void nouvelle_connexion();
  QTcpServer* serveur_ = nullptr;
  QByteArray reponse_;
  bool silencieux_ = false;
  int requetes_ = 0;
  QByteArray derniere_;
  bool client_parti_ = false;
};

// An HTTP answer: status line, Content-Type (and Content-Length unless
// sans_longueur), Connection: close, then the body.
QByteArray reponse_http(int statut, const QByteArray& raison, const QByteArray& corps, bool sans_longueur = false);

// Waits, letting events run, until `condition` holds; false after 10 s.
bool attend(const std::function<bool()>& condition);
// The same for at most 2 s.
bool attend_un_peu(const std::function<bool()>& condition);
