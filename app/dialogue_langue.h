// The language dialog of the first start: one button per language. A choice
// applies the language to the main window, stores it in the settings file and
// clears the first-start flag; the exit button ends the program (the dialog
// is then rejected and the settings file is left as it was).
//
// Its texts are fixed: it is not localised.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

class Language : public QDialog {
  Q_OBJECT

 public:
  explicit Language(QWidget* parent = nullptr);

  QGroupBox* Frame = nullptr;
  QPushButton* Command1[9] = {};  // 1..8: the language keys
  QPushButton* Command2 = nullptr;
  QLabel* Image[10] = {};
  QLabel* Label4 = nullptr;
  QLabel* Label3 = nullptr;

 public slots:
  void Form_Load();
  void Command1_Click(int Index);
  void Command2_Click();
  void Label3_Click();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;
};
