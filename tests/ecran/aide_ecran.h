// Windows as a user sees them on a real X server with real fonts: the
// program started at its default size in one of its eight languages, and
// what a window shows that the user cannot read or reach.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

#include "tests/common/aide_courriel.h"
#include "tests/common/aide_tests.h"

class Menu;
class QWidget;

// The program started as a user starts it, main window at its default size
// (1000 x 720) and shown, in the language of key `cle_langue_essai` (1..8),
// with the shipped opening base, a correspondence base holding two running
// games (the user to move in the first the manager lists, the opponent in
// the second), and the board pictures.
class TestEcran : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Starts the program in language `cle` (the settings file says so).
  void demarre_en(int cle);
  Menu& menu();
  // Lets the windows settle: shows, layouts, moves.
  static void laisse_faire();

 private:
  std::unique_ptr<FauxSendmail> sendmail_;  // the mail window asks for a transport
};

// What is wrong with `fenetre` as the screen shows it, one line per fault
// (empty when it is whole):
// - a visible control whose text does not fit it: its size hint (for a push
//   button, what its text and frame need, without the style's smallest width)
//   beyond its geometry; a wrapped label too short for its lines; a grid
//   column narrower than its values or its heading;
// - a label that shows the "&" of its shortcut (it has no buddy control);
// - a visible control that lies, even in part, outside the window;
// - the window, with its frame, outside the screen's free area, or for a
//   child window of the main window outside the main window's area.
QStringList defauts_fenetre(QWidget* fenetre);
