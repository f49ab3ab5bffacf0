// Letting the event loop run during long work, and the hourglass pointer.
#pragma once

// The stop request of long jobs: each job clears it when it starts and tests
// it between items; the progress window's stop button sets it.
extern bool arret_demande;

namespace plateforme {

// Lets pending events run (redraws, timers, clicks).
void laisse_passer();
// Hourglass on (true) or back to the default pointer (false).
void curseur_attente(bool actif);
bool curseur_attente_actif();

// Counters for tests.
long nb_laisse_passer();
long nb_curseur_attente();

}  // namespace plateforme
