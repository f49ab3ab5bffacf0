#include "platform/lancement.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace plateforme {

namespace {
struct Etat {
  bool actif = false;
  bool refuse = false;
  QStringList demandes;
};
Etat& etat() {
  static Etat e;
  return e;
}
}  // namespace

bool ouvre_fichier_externe(const QString& chemin) {
  if (etat().actif) {
    etat().demandes << QStringLiteral("fichier:") + chemin;
    return !etat().refuse;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

bool ouvre_adresse(const QString& adresse) {
  if (etat().actif) {
    etat().demandes << QStringLiteral("adresse:") + adresse;
    return !etat().refuse;
  }
  return QDesktopServices::openUrl(QUrl(adresse));
}

bool lance_programme(const QString& programme, const QStringList& arguments) {
  if (etat().actif) {
    QString demande = QStringLiteral("programme:") + programme;
    for (const QString& a : arguments) demande += QLatin1Char(' ') + a;
    etat().demandes << demande;
    return !etat().refuse;
  }
  return QProcess::startDetached(programme, arguments);
}

QString outil_infos_systeme() {
  // The tools that show the machine, the most complete first.
  for (const char* nom : {"kinfocenter", "hardinfo", "xfce4-about", "mate-system-monitor", "gnome-system-monitor"}) {
    const QString chemin = QStandardPaths::findExecutable(QString::fromLatin1(nom));
    if (!chemin.isEmpty()) return chemin;
  }
  return QString();
}

void LancementsEnTest::active() { etat().actif = true; }
void LancementsEnTest::desactive() { etat() = Etat{}; }
QStringList LancementsEnTest::demandes() { return etat().demandes; }
void LancementsEnTest::efface() {
  etat().demandes.clear();
  etat().refuse = false;
}
void LancementsEnTest::refuse(bool oui) { etat().refuse = oui; }

}  // namespace plateforme
