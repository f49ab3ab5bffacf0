// The window `saisie_coup`: the move the opponent sent by mail, recorded in
// the game the manager showed when the window opened, the one its
// description names. The move is
// checked with the rules after the stored moves before anything is stored.
#pragma once

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class saisie_coup : public QWidget {
  Q_OBJECT

 public:
  saisie_coup();
  ~saisie_coup() override;

  // The key (Cle) of the game the move is for, 0 when none was selected.
  qint64 cle() const { return cle_; }

  QGroupBox* Frame1 = nullptr;   // its caption: the game's references
  QLabel* Label4 = nullptr;      // the game's description
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Text2 = nullptr;    // the opponent's move
  QLabel* Label6 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QList<QRadioButton*> Option1;  // 0 coordinates, 1 French, 2 English: shown only
  QLabel* Label5 = nullptr;
  QLineEdit* MaskEdBox3 = nullptr;  // date received, dd/mm/yyyy
  QLabel* Label3 = nullptr;
  QLineEdit* Text1 = nullptr;    // optional position string
  QLabel* grille = nullptr;      // its diagram
  QPushButton* Command2 = nullptr;  // validate and store
  QPushButton* Command1 = nullptr;  // quit

 public slots:
  void Command1_Click();
  void Command2_Click();
  void Text1_Change();

 private:
  void Form_Load();
  qint64 cle_ = 0;
  bool jai_blanc_ = false;
  int notation_ = 0;
};

// The window, loaded when missing, shown in the main window's area.
void montre_saisie_coup();
