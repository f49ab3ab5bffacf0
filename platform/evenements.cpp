#include "platform/evenements.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <chrono>

#include "platform/minuterie.h"

bool arret_demande = false;

namespace plateforme {

namespace {
long compteur_passages = 0;
long compteur_attente = 0;
bool attente = false;

bool en_test = false;
qint64 intervalle_essai = 0;

// The time of the last run of the event loop, on the clock in use.
qint64 dernier_passage = 0;
unsigned appels = 0;

qint64 maintenant_ms() {
  if (en_test) return instant_ms();
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
long pause_tous_les = 0;
std::function<void(long)> temoin_pause;
}  // namespace

void laisse_passer() {
  ++compteur_passages;
  dernier_passage = maintenant_ms();
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

bool passage_du() {
  if (en_test) return intervalle_essai <= 0 || maintenant_ms() - dernier_passage >= intervalle_essai;
  if (++appels % 32 != 0) return false;
  return maintenant_ms() - dernier_passage >= intervalle_passages_ms();
}

void PassagesEnTest::active(qint64 intervalle_ms) {
  en_test = true;
  intervalle_essai = intervalle_ms;
  dernier_passage = maintenant_ms();
}

void PassagesEnTest::desactive() {
  en_test = false;
  intervalle_essai = 0;
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
