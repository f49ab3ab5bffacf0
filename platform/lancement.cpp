#include "platform/lancement.h"

#include <QDesktopServices>
#include <QUrl>

namespace plateforme {

namespace {
struct Etat {
  bool actif = false;
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
    return true;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

bool ouvre_adresse(const QString& adresse) {
  if (etat().actif) {
    etat().demandes << QStringLiteral("adresse:") + adresse;
    return true;
  }
  return QDesktopServices::openUrl(QUrl(adresse));
}

void LancementsEnTest::active() { etat().actif = true; }
void LancementsEnTest::desactive() { etat() = Etat{}; }
QStringList LancementsEnTest::demandes() { return etat().demandes; }
void LancementsEnTest::efface() { etat().demandes.clear(); }

}  // namespace plateforme
