// The correspondence manager `corres`: the games of the correspondence base
// in a list, and the description of the game clicked below it. From it the
// user creates, modifies, deletes and prints games, loads one onto the board,
// enters the opponent's move (saisie_coup) and prepares the next move to send
// (prepare).
//
// The window exists once (fenetres::instance<corres>()); the other
// correspondence windows read its fields, public members named as the
// program names them. The game every command on one game acts on is the
// game the description shows (cle_affichee()): the one the last list click
// read. A click whose read fails, a refresh of the list and "&Nouvelle" leave
// none, and those commands go off.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class corres : public QWidget {
  Q_OBJECT

 public:
  corres();
  ~corres() override;

  // The key (Cle) of the game the description shows, 0 when it shows none.
  qint64 cle_affichee() const { return cle_affichee_; }
  // The notation chosen by Option1: 1 French, 2 English, 0 neither.
  int notation() const;
  // The list's mode flag: on when the window was opened to load a game, off
  // while a new game is entered.
  bool mode_chargement = false;

  QTreeWidget* List1 = nullptr;  // the games; column 0 holds the row number, data key "ref"+Cle
  QGroupBox* Frame1 = nullptr;   // the description
  QLineEdit* Text5 = nullptr;    // own reference "0000", never written back
  QLineEdit* Text17 = nullptr;   // opponent's reference
  QCheckBox* Check2 = nullptr;   // the user has White
  QLineEdit* Text2 = nullptr;    // White's name
  QLineEdit* Text3 = nullptr;    // Black's name
  QLineEdit* Text4 = nullptr;    // White's address
  QLineEdit* Text1 = nullptr;    // Black's address
  QLineEdit* Text7 = nullptr;    // White's rating
  QLineEdit* Text6 = nullptr;    // Black's rating
  QLineEdit* MaskEdBox3 = nullptr;  // start date dd/mm/yyyy
  QLineEdit* MaskEdBox4 = nullptr;  // end date
  QLineEdit* Text10 = nullptr;   // days the game has lasted
  QLineEdit* Text12 = nullptr;   // result
  QCheckBox* Check1 = nullptr;   // warn by mail
  QLineEdit* Text13 = nullptr;   // last move sent
  QLineEdit* Text8 = nullptr;    // its date
  QLineEdit* Text15 = nullptr;   // days since
  QLineEdit* Text14 = nullptr;   // last move received
  QLineEdit* Text11 = nullptr;   // its date
  QLineEdit* Text16 = nullptr;   // days since
  QGroupBox* Frame2 = nullptr;
  QList<QRadioButton*> Option1;  // [1] French, [2] English ([0] null)
  QPlainTextEdit* Text9 = nullptr;  // the move list
  QPushButton* Command1 = nullptr;  // print the list
  QPushButton* Command2 = nullptr;  // quit
  QPushButton* Command3 = nullptr;  // new
  QPushButton* Command4 = nullptr;  // modify
  QPushButton* Command5 = nullptr;  // delete
  QPushButton* Command6 = nullptr;  // enter the opponent's move
  QPushButton* Command7 = nullptr;  // play and send
  QPushButton* Command8 = nullptr;  // validate
  QPushButton* picture1 = nullptr;  // load the game onto the board

 public slots:
  void List1_Click();
  void List1_ColumnClick(int colonne);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command8_Click();
  void Check2_Click();
  void picture1_Click();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void construit();
  void Form_Load();
  void choisit_notation(int notation);
  void perd_focus(QLineEdit* champ);
  // No game shown: the commands on one game off, no row selected; with
  // `vide`, the description emptied too.
  void sans_partie(bool vide);
  // Fills the list from the base; no game is shown afterwards.
  void liste_parties();
  friend void liste_parties_corres();
  qint64 cle_affichee_ = 0;
};

// Rebuilds the manager's game list from the base and resets its buttons
// (nothing when the manager is not loaded). A base path that names no file
// shows the English warning and leaves the list empty.
void liste_parties_corres();

// The manager, loaded when missing, shown in the main window's area (the
// new-game and open commands in correspondence mode).
void montre_corres();
