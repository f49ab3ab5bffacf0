#include "platform/telechargement.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "platform/minuterie.h"
#include "platform/langue_messages.h"

namespace plateforme {

Telechargement::Telechargement(QObject* parent) : QObject(parent) {
  reseau_ = new QNetworkAccessManager(this);
  minuterie_ = new Minuterie(this);
  connect(minuterie_, &Minuterie::Timer, this, [this] {
    echoue(texte_message(822).arg(DELAI_MS / 1000));
  });
}

Telechargement::~Telechargement() { abandonne(); }

bool Telechargement::lance(const QString& adresse, QString* erreur) {
  abandonne();
  const QUrl url(adresse.trimmed(), QUrl::StrictMode);
  const QString schema = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() || (schema != QLatin1String("http") && schema != QLatin1String("https"))) {
    if (erreur) *erreur = texte_message(823).arg(adresse);
    return false;
  }
  recu_.clear();
  QNetworkRequest requete(url);
  requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  requete.setMaximumRedirectsAllowed(5);
  reponse_ = reseau_->get(requete);
  connect(reponse_, &QNetworkReply::metaDataChanged, this, [this] {
    const QVariant longueur = reponse_->header(QNetworkRequest::ContentLengthHeader);
    if (longueur.isValid() && longueur.toLongLong() > taille_max_)
      echoue(texte_message(824).arg(taille_max_ / 1024));
  });
  connect(reponse_, &QNetworkReply::readyRead, this, &Telechargement::lit);
  connect(reponse_, &QNetworkReply::finished, this, &Telechargement::fin);
  minuterie_->Interval(DELAI_MS);
  return true;
}

void Telechargement::abandonne() {
  minuterie_->Interval(0);
  if (!reponse_) return;
  QNetworkReply* r = reponse_;
  reponse_ = nullptr;
  r->disconnect(this);
  r->abort();
  r->deleteLater();
}

void Telechargement::lit() {
  if (!reponse_) return;
  recu_ += reponse_->readAll();
  if (recu_.size() > taille_max_) echoue(texte_message(824).arg(taille_max_ / 1024));
}

void Telechargement::fin() {
  if (!reponse_) return;
  recu_ += reponse_->readAll();
  const int statut = reponse_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (reponse_->error() != QNetworkReply::NoError) {
    QString raison;
    if (statut >= 400)
      raison = texte_message(825).arg(statut).arg(
          reponse_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    else
      // Qt's own words ("Too many redirects", ...) after the program's.
      raison = avec_detail(texte_message(826), reponse_->errorString());
    echoue(raison);
    return;
  }
  if (recu_.size() > taille_max_) {
    echoue(texte_message(824).arg(taille_max_ / 1024));
    return;
  }
  const QByteArray document = recu_;
  abandonne();
  recu_.clear();
  emit recu(document);
}

void Telechargement::echoue(const QString& raison) {
  abandonne();
  recu_.clear();
  emit echec(raison);
}

}  // namespace plateforme
