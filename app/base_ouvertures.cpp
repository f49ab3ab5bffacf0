#include "app/base_ouvertures.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
const char* const CONNEXION = "morvandel_ouvertures";
}

bool ouvre_base_ouvertures(const QString& chemin, QString& erreur) {
  ferme_base_ouvertures();
  if (!QFileInfo(chemin).isFile()) {
    erreur = QStringLiteral("Impossible de trouver le fichier '") + chemin + QStringLiteral("'.");
    return false;
  }
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(CONNEXION));
    db.setDatabaseName(chemin);
    bool ok = db.open();
    if (ok) {
      // Opening is lazy: a damaged file shows at the first read.
      QSqlQuery q(db);
      ok = q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
      if (!ok) erreur = q.lastError().text();
    } else {
      erreur = db.lastError().text();
    }
    if (ok) return true;
    db.close();
  }
  QSqlDatabase::removeDatabase(QLatin1String(CONNEXION));
  if (erreur.trimmed().isEmpty()) erreur = QStringLiteral("Base de données endommagée : ") + chemin;
  return false;
}

bool base_ouvertures_ouverte() {
  return QSqlDatabase::contains(QLatin1String(CONNEXION)) &&
         QSqlDatabase::database(QLatin1String(CONNEXION), false).isOpen();
}

void ferme_base_ouvertures() {
  if (!QSqlDatabase::contains(QLatin1String(CONNEXION))) return;
  {
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(CONNEXION), false);
    db.close();
  }
  QSqlDatabase::removeDatabase(QLatin1String(CONNEXION));
}
