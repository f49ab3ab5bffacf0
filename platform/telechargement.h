// Fetching one small document from a web address (http or https) with a
// time limit and a size cap. The answer comes back through a signal; the
// object can be deleted at any time, which abandons the transfer without a
// signal.
//
// The time limit runs on a window timer (platform/minuterie.h): in tests the
// test ticks it instead of waiting.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace plateforme {

class Minuterie;

class Telechargement : public QObject {
  Q_OBJECT

 public:
  static constexpr qint64 TAILLE_MAX = 64 * 1024;
  // The cap for a game list, which may hold many games.
  static constexpr qint64 TAILLE_MAX_LISTE = 4 * 1024 * 1024;
  static constexpr int DELAI_MS = 15000;

  explicit Telechargement(QObject* parent = nullptr);
  ~Telechargement() override;

  // Starts the transfer. An address that is not a valid http or https
  // address fails at once: false, no signal, the reason in `erreur`.
  bool lance(const QString& adresse, QString* erreur = nullptr);
  // Abandons the transfer under way, without a signal.
  void abandonne();
  bool en_cours() const { return reponse_ != nullptr; }

  // The timer of the time limit: one tick ends the transfer.
  Minuterie* minuterie() const { return minuterie_; }
  // The size cap of this transfer (TAILLE_MAX unless set).
  void definit_taille_max(qint64 octets) { taille_max_ = octets; }

 signals:
  // The whole document (at most TAILLE_MAX bytes).
  void recu(const QByteArray& document);
  // The reason of a failure, in words for the user.
  void echec(const QString& raison);

 private:
  void lit();
  void fin();
  void echoue(const QString& raison);

  QNetworkAccessManager* reseau_ = nullptr;
  QNetworkReply* reponse_ = nullptr;
  Minuterie* minuterie_ = nullptr;
  QByteArray recu_;
  qint64 taille_max_ = TAILLE_MAX;
};

}  // namespace plateforme
