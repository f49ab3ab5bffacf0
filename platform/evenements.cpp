#include "platform/evenements.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

bool arret_demande = false;

namespace plateforme {

namespace {
long compteur_passages = 0;
long compteur_attente = 0;
bool attente = false;
}  // namespace

void laisse_passer() {
  ++compteur_passages;
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void curseur_attente(bool actif) {
  if (actif == attente) return;
  attente = actif;
  if (actif) ++compteur_attente;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (actif)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::restoreOverrideCursor();
}

bool curseur_attente_actif() { return attente; }
long nb_laisse_passer() { return compteur_passages; }
long nb_curseur_attente() { return compteur_attente; }

}  // namespace plateforme
