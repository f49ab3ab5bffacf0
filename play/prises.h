// The captured-pieces window: which pieces each side has lost, as rows of
// piece icons, counted from the board control when the window loads.
//
// The window exists once: ouvre_prises() creates it (counting the board) or
// brings the open one forward without counting again; closing it deletes it.
#pragma once

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;

// Run-time icons of each row, and the pieces counted on the board by type
// (index code - 8 for White, code - 2 for Black: 0 pawn, 1 rook, 2 knight,
// 3 bishop, 4 queen, 5 king).
extern int nb_prises_blanc;
extern int nb_prises_noir;
extern int compte_blancs[9];
extern int compte_noirs[9];

class prises : public QWidget {
  Q_OBJECT

 public:
  prises();
  ~prises() override;

  static prises* existante();

  QGroupBox* Frame1 = nullptr;  // White's captures: the Black pieces missing
  QGroupBox* Frame2 = nullptr;  // Black's captures: the White pieces missing
  // Element 0 is the design element (hidden); 1, 2... the icons, each with
  // its piece code in the property "code".
  QList<QLabel*> prise_blanc;
  QList<QLabel*> prise_noir;

  // Rebuilds both rows from the board control of the board window: for each
  // type, queens first, then bishops, knights, rooks and pawns, one icon per
  // piece missing from the initial set (8 pawns, 2 rooks, 2 knights, 2
  // bishops, 1 queen), 40 pixels apart from the left. A piece beyond the
  // initial set of its type is a promoted pawn: it lowers the pawns counted
  // as missing instead. No board window: both rows stay empty.
  void affiche_prises();

 private:
  void Form_Load();
};

// The window, created and counted when missing, shown and brought forward.
prises* ouvre_prises();
