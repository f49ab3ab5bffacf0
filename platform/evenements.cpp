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
long pause_tous_les = 0;
std::function<void(long)> temoin_pause;
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

Cadence::Cadence() { montre_.start(); }

bool Cadence::pause_due() {
  ++items_;
  if (pause_tous_les > 0) {
    // Before item n + 1, 2n + 1...: after every n items done.
    if (items_ == 1 || (items_ - 1) % pause_tous_les != 0) return false;
    if (temoin_pause) temoin_pause((items_ - 1) / pause_tous_les);
    return true;
  }
  if (montre_.elapsed() < 50) return false;
  montre_.restart();
  return true;
}

void PausesEnTest::tous_les(long items) { pause_tous_les = items > 0 ? items : 0; }
void PausesEnTest::temoin(std::function<void(long)> f) { temoin_pause = std::move(f); }

void PausesEnTest::efface() {
  pause_tous_les = 0;
  temoin_pause = nullptr;
}

}  // namespace plateforme
