#include "platform/dialogues_fichiers.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <deque>

#include "platform/boites.h"

namespace plateforme {

namespace {
struct Etat {
  std::deque<QString> reponses;
  QList<DialogueVu> vus;
};
Etat& etat() {
  static Etat e;
  return e;
}

QString dialogue(bool sauver, const QString& titre, const QString& filtre, const QString& dossier,
                 const QString& nom, bool demande_ecrasement = false) {
  if (BoitesEnTest::actif()) {
    etat().vus.append({sauver, titre, filtre, dossier, nom, sauver && demande_ecrasement});
    if (etat().reponses.empty()) {
      // Reported like a message box nobody expected; the dialog is cancelled.
      boite_message(QStringLiteral("Dialogue de fichier inattendu : ") + titre);
      return QString();
    }
    const QString r = etat().reponses.front();
    etat().reponses.pop_front();
    return r;
  }
  QString depart = dossier;
  if (!nom.isEmpty()) depart = dossier.isEmpty() ? nom : dossier + QLatin1Char('/') + nom;
  if (sauver)
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titre, depart, filtre_qt(filtre), nullptr,
                                        demande_ecrasement ? QFileDialog::Options()
                                                           : QFileDialog::Options(QFileDialog::DontConfirmOverwrite));
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), titre, depart, filtre_qt(filtre));
}
}  // namespace

QString choisit_fichier_a_ouvrir(const QString& titre, const QString& filtre, const QString& dossier,
                                 const QString& nom) {
  return dialogue(false, titre, filtre, dossier, nom);
}

QString choisit_fichier_a_sauver(const QString& titre, const QString& filtre, const QString& dossier,
                                 const QString& nom, bool demande_ecrasement) {
  return dialogue(true, titre, filtre, dossier, nom, demande_ecrasement);
}

QString filtre_qt(const QString& filtre) {
  const QStringList parts = filtre.split(QLatin1Char('|'));
  QStringList sortie;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString desc = parts[i].trimmed();
    const QString motif = parts[i + 1].trimmed();
    sortie << (desc.contains(motif) ? desc : desc + QStringLiteral(" (") + motif + QLatin1Char(')'));
  }
  return sortie.join(QStringLiteral(";;"));
}

void DialoguesEnTest::repond(const QString& chemin) { etat().reponses.push_back(chemin); }
const QList<DialogueVu>& DialoguesEnTest::vus() { return etat().vus; }
void DialoguesEnTest::efface() { etat() = Etat{}; }
int DialoguesEnTest::reponses_restantes() { return static_cast<int>(etat().reponses.size()); }

}  // namespace plateforme
