// The tip of the day: one tip drawn at random from the tips file ASTUCES.TXT
// of the program folder (Windows-1252, one tip per line), a button for
// another one, and the per-user choice "Show Tips at Startup".
//
// The window exists once (fenetres::instance<frmTip>()) and is shown without
// waiting for it to close. The menu command always shows it, whatever the
// choice holds, so the box can always be ticked back on.
#pragma once

#include <QDialog>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

class frmTip : public QDialog {
  Q_OBJECT

 public:
  frmTip();

  QLabel* Label1 = nullptr;      // "Savez-vous..."
  QLabel* imgTip = nullptr;      // the picture beside the heading
  QLabel* lblTipText = nullptr;  // the tip
  QCheckBox* chkLoadTipsAtStartup = nullptr;
  QPushButton* cmdNextTip = nullptr;
  QPushButton* cmdOK = nullptr;

  // The tips read from the file, in file order (an empty line is a tip too).
  const QStringList& astuces() const { return astuces_; }
  // 1-based position of the tip shown.
  int astuce_courante() const { return courante_; }

  // Loads the tips of `fichier` and shows one. False when the name is empty
  // or no such file exists. A file that exists but cannot be read shows why
  // in place of the tip and gives true: the explanation of a missing file
  // would be wrong.
  bool LoadTips(const QString& fichier);
  // Draws a tip at random (the same one may come twice) and shows it.
  void astuce_suivante();
  void DisplayCurrentTip();

 public slots:
  void cmdNextTip_Click();
  void cmdOK_Click();
  void chkLoadTipsAtStartup_Click();

 private:
  void Form_Load();
  QStringList astuces_;
  int courante_ = 1;
  QRandomGenerator hasard_;
};

// The per-user choice: "1" or "0", read with the default 1.
bool astuces_au_demarrage();
