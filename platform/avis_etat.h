// One signal for "something the main window's items depend on has changed":
// a window loaded or unloaded, the machine starting or ending a search, a
// game ending, the play mode, the opening base, a command plugged in. Any
// layer may raise it; the main window listens and derives its items again.
#pragma once

#include <QObject>

namespace plateforme {

class AvisEtat : public QObject {
  Q_OBJECT

 signals:
  void change();
};

AvisEtat& avis_etat();
// Raises the signal (at once, in the calling thread).
void signale_changement();

}  // namespace plateforme
