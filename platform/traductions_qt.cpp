#include "platform/traductions_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plateforme {

namespace {
QTranslator* traducteur_en_place = nullptr;
}

bool charge_traductions_qt(const QString& code) {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  if (traducteur_en_place) {
    QCoreApplication::removeTranslator(traducteur_en_place);
    delete traducteur_en_place;
    traducteur_en_place = nullptr;
  }
  const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  // Portuguese ships as Brazilian Portuguese only.
  const QStringList essais = code == "pt" ? QStringList{"pt", "pt_BR"} : QStringList{code};
  for (const QString& essai : essais) {
    auto* traducteur = new QTranslator(app);
    if (traducteur->load("qtbase_" + essai, dossier)) {
      QCoreApplication::installTranslator(traducteur);
      traducteur_en_place = traducteur;
      return true;
    }
    delete traducteur;
  }
  return false;
}

}  // namespace plateforme
