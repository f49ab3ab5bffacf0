#include "platform/chemins.h"

#include <QCoreApplication>
#include <QDir>

namespace plateforme {

namespace {
QString& dossier_impose() {
  static QString d;
  return d;
}
}  // namespace

QString chemin_appli() {
  if (!dossier_impose().isEmpty()) return dossier_impose();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}

void definit_chemin_appli(const QString& dossier) { dossier_impose() = dossier; }

QString chemin_natif(const QString& chemin) {
  QString s = chemin;
  s.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return s;
}

QString chemin_absolu(const QString& chemin) {
  if (chemin.startsWith(QLatin1Char('\\')))
    return QDir::cleanPath(chemin_appli() + chemin_natif(chemin));
  const QString s = chemin_natif(chemin);
  if (QDir::isAbsolutePath(s)) return QDir::cleanPath(s);
  return QDir::cleanPath(chemin_appli() + QLatin1Char('/') + s);
}

}  // namespace plateforme
