// The window `prepare`: answering a correspondence game. It loads the game
// selected in the manager onto the board, where the user plays the move and
// copies the position; the position string pasted into Text1 is checked and
// drawn as a text diagram (grille); "&Générer le message" opens the message
// window, which reads grille and Text1.
//
// The window exists once (fenetres::instance<prepare>()). It works on the
// game the manager showed when it opened: cle() keeps that game's key, so
// the mail updates the game it was prepared for, and the game is loaded
// onto the board only while the manager still shows it.
#pragma once

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class prepare : public QWidget {
  Q_OBJECT

 public:
  prepare();
  ~prepare() override;

  // The key (Cle) of the game this window prepares, 0 when none was selected.
  qint64 cle() const { return cle_; }

  QGroupBox* Frame1 = nullptr;   // "&Charger la partie N° " and the references
  QPushButton* Command3 = nullptr;  // load the game on the board
  QLabel* Label2 = nullptr;
  QGroupBox* Frame2 = nullptr;   // the paste area, enabled by the load
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;    // the pasted position string
  QLabel* grille = nullptr;      // its text diagram
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Command2 = nullptr;  // "&Générer le message"
  QPushButton* Command1 = nullptr;  // quit

 public slots:
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Text1_Change();

 private:
  void Form_Load();
  qint64 cle_ = 0;
};

// The window, loaded when missing, shown in the main window's area.
void montre_prepare();
