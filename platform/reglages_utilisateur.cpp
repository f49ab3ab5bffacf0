#include "platform/reglages_utilisateur.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace plateforme {

namespace {
QString& dossier_impose() {
  static QString d;
  return d;
}

// Section and key names are used as they stand; QSettings only needs the
// slash of "Recent Files/RecentFile1" to be ours, so a slash inside a name
// becomes a blank.
QString nom_propre(QString s) {
  s.replace(QLatin1Char('/'), QLatin1Char(' '));
  s.replace(QLatin1Char('\\'), QLatin1Char(' '));
  return s;
}

QString chemin_cle(const QString& section, const QString& cle) {
  return nom_propre(section) + QLatin1Char('/') + nom_propre(cle);
}
}  // namespace

void definit_dossier_reglages(const QString& dossier) { dossier_impose() = dossier; }

QString dossier_reglages() {
  if (!dossier_impose().isEmpty()) return dossier_impose();
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString fichier_reglages(const QString& application) {
  const QString app = nom_propre(application);
  return QDir(dossier_reglages()).filePath(app + QLatin1Char('/') + app + QStringLiteral(".conf"));
}

QString lit_reglage(const QString& application, const QString& section, const QString& cle, const QString& defaut) {
  QSettings s(fichier_reglages(application), QSettings::IniFormat);
  const QVariant v = s.value(chemin_cle(section, cle));
  return v.isValid() ? v.toString() : defaut;
}

void ecrit_reglage(const QString& application, const QString& section, const QString& cle, const QString& valeur) {
  QSettings s(fichier_reglages(application), QSettings::IniFormat);
  s.setValue(chemin_cle(section, cle), valeur);
  s.sync();
}

void efface_reglage(const QString& application, const QString& section, const QString& cle) {
  QSettings s(fichier_reglages(application), QSettings::IniFormat);
  s.remove(chemin_cle(section, cle));
  s.sync();
}

std::vector<std::pair<QString, QString>> lit_section(const QString& application, const QString& section) {
  QSettings s(fichier_reglages(application), QSettings::IniFormat);
  s.beginGroup(nom_propre(section));
  // Keys in natural order: the same text, then the trailing number as a
  // number (RecentFile2 before RecentFile10).
  QStringList cles = s.childKeys();
  auto decoupe = [](const QString& k) {
    int i = k.size();
    while (i > 0 && k[i - 1].isDigit()) --i;
    return std::make_pair(k.left(i), i < k.size() ? k.mid(i).toLongLong() : -1LL);
  };
  std::stable_sort(cles.begin(), cles.end(), [&](const QString& a, const QString& b) {
    const auto da = decoupe(a), db = decoupe(b);
    if (da.first != db.first) return da.first < db.first;
    return da.second < db.second;
  });
  std::vector<std::pair<QString, QString>> r;
  for (const QString& k : cles) r.emplace_back(k, s.value(k).toString());
  s.endGroup();
  return r;
}

}  // namespace plateforme
