// The connection dialog of a network game: this side listens (and plays
// White) or connects to the listening side (and plays Black), with the
// address, the port and the nickname. Its connect button starts listening or
// connecting and opens the board window; cancel changes nothing.
//
// The window exists once (fenetres::instance<connexion>()) and is shown
// without waiting for it to close. The settings in memory take what was
// typed; the settings file is not written.
#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class connexion : public QDialog {
  Q_OBJECT

 public:
  connexion();

  QGroupBox* Frame1 = nullptr;
  QList<QRadioButton*> Option1;  // 1 this side listens, 0 it connects
  QLabel* Label12 = nullptr;
  QLineEdit* Text1 = nullptr;    // the listening side's address
  QLabel* Label11 = nullptr;
  QLineEdit* Text2 = nullptr;    // the port
  QLabel* Label13 = nullptr;
  QLineEdit* Text3 = nullptr;    // the nickname
  QLabel* Label1 = nullptr;      // who must start first
  QPushButton* SSCommand2 = nullptr;  // connect
  QPushButton* SSCommand1 = nullptr;  // cancel

 public slots:
  void SSCommand1_Click();
  void SSCommand2_Click();

 private:
  void Form_Load();
};

// Shows the dialog (the new-game command in a network game).
void montre_connexion();

// The port of a network game as typed: 1..65535, else 0.
int port_reseau(const QString& texte);

// A line field that takes at most `maximum` characters and says so: what is
// typed, pasted or dropped beyond it is refused whole (the field keeps its
// text) and text `texte_refus`, with the limit for its %1, is shown; nothing
// is ever cut silently. A text set by the program may hold one character
// more, so that its caller sees it is too long.
void limite_saisie(QLineEdit* champ, int maximum, int texte_refus);
