// The about box: the program's title and version, the author line and a
// notice, what the program is, the credits (the opening lines, Qt, the
// program's own sounds and pictures), the web site, an OK button and a
// button that starts the desktop's system-information tool.
//
// The window exists once (fenetres::instance<frmAbout>()) and is shown
// without waiting for it to close.
#pragma once

#include <QDialog>
#include <QLabel>

class QGroupBox;
class QPushButton;

// A label that reports a click of the mouse, for the web-site address.
class LabelLien : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout();

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* Label1 = nullptr;  // the author line, then the notice
  QLabel* Label5 = nullptr;  // what the program is
  QGroupBox* Frame1 = nullptr;  // "Remerciements à..."
  QLabel* lblOuvertures = nullptr;
  QLabel* lblQt = nullptr;
  QLabel* lblProjet = nullptr;
  QLabel* Label4 = nullptr;  // "WEB site -"
  LabelLien* Label3 = nullptr;  // the web-site address
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;

  // Starts the desktop's system-information tool, or says it is not there.
  void StartSysInfo();

 public slots:
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Label3_Click();

 private:
  void Form_Load();
};

// The message when no system-information tool can be started.
inline constexpr const char* MESSAGE_SANS_INFOS_SYSTEME =
    "Les informations système ne sont pas disponibles actuellement";
