// Letting the event loop run during long work, and the hourglass pointer.
#pragma once

#include <QtGlobal>
#include <QElapsedTimer>
#include <functional>

// The stop request of long jobs: each job clears it when it starts and tests
// it between items; the progress window's stop button sets it.
extern bool arret_demande;

namespace plateforme {

// Lets pending events run (redraws, timers, clicks).
void laisse_passer();
// True when a job that asks very often should let events run now: at least
// intervalle_passages_ms() since laisse_passer last ran. Cheap enough to be
// asked millions of times a second (the clock is read one call in 32).
bool passage_du();
// The time between two runs of the event loop in long work: short enough for
// the window to answer at once, long enough for the work to go on.
constexpr qint64 intervalle_passages_ms() { return 15; }

// Hourglass on (true) or back to the default pointer (false).
void curseur_attente(bool actif);
bool curseur_attente_actif();

// Counters for tests.
long nb_laisse_passer();
long nb_curseur_attente();

// In tests a yield is due at every call; a test that sets an interval gets
// it counted on instant_ms(), the test clock (MinuteriesEnTest::avance).
class PassagesEnTest {
 public:
  static void active(qint64 intervalle_ms = 0);
  static void desactive();
};

// The pace of a long job's pauses (to show its progress and let events run):
// the job asks pause_due() before each item, which is true about every 50 ms
// of work. In tests PausesEnTest::tous_les(n) makes it true after every n
// items instead, so that what a pause does (a click on the stop button, say)
// falls at a known point of the job, however fast the machine and the build.
class Cadence {
 public:
  Cadence();
  bool pause_due();

 private:
  QElapsedTimer montre_;
  long items_ = 0;
};

class PausesEnTest {
 public:
  // A pause after every `items` items of each job started from now on; 0
  // gives the pauses back to the clock.
  static void tous_les(long items);
  // Called at each pause with its number in its job (1 for the first),
  // before the job makes it.
  static void temoin(std::function<void(long)> f);
  // Pauses by the clock again, no witness.
  static void efface();
};

}  // namespace plateforme
