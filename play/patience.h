// The progress window of long jobs, the percentage bar and the hourglass.
//
// A long job clears arret_demande, shows the window with its own title,
// writes Label1 and calls affiche_progression(Picture1, share done) between
// items, lets events run, stops when arret_demande is set, and at the end
// draws 100 and closes the window (patience::decharge()).
#pragma once

#include <QDialog>

// The stop request arret_demande lives with the event-loop services.
#include "platform/evenements.h"

class BoiteImage;
class FenetreProgression;
class QLabel;
class QPushButton;

// Draws the percentage bar on a picture box: the percentage (0 to 100)
// written in the middle ("###%": no digit for 0), and a bar from the left
// edge to that share of the width that inverts what it covers.
void affiche_progression(BoiteImage& zone, double pourcentage);

// The progress window as the opening base's long jobs see it.
FenetreProgression* progression_patience();

// 1: the hourglass over the whole program; 0: the default pointer again;
// any other value does nothing.
void sablier(int etat);

class patience : public QDialog {
  Q_OBJECT

 public:
  // The one progress window, created (and loaded) on first use.
  static patience& instance();
  // Null while the window does not exist.
  static patience* existante();
  // Closes and destroys the window.
  static void decharge();

  // The same drawing as affiche_progression.
  void Progress(BoiteImage& zone, double pourcentage);

  QPushButton* Command1 = nullptr;
  BoiteImage* Picture1 = nullptr;
  QLabel* Label1 = nullptr;

 public slots:
  void Command1_Click();

 private:
  explicit patience(QWidget* parent = nullptr);
  void Form_Load();
};
