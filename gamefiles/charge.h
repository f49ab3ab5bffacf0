// The load-and-filter form: the PGN file and the tag filter ([FILTRE]
// settings) a listing uses, the game limit, and the button that lists the
// passing games in the board window.
//
// It opens in the mode of mode_charge: 0 loads (the listing), 1 extracts and
// saves (the save-results frame: the passing games copied to a new PGN or
// XML file, gamefiles/conversion_pgn.h). The fields take the settings when the form loads;
// the settings take the fields only from its load and save-filter buttons,
// and only save-filter writes the settings file.
#pragma once

#include <QList>
#include <QWidget>

#include "gamefiles/filtre_pgn.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class charge : public QWidget {
  Q_OBJECT

 public:
  charge();

  QLineEdit* Text1 = nullptr;   // the PGN file
  QPushButton* Command3 = nullptr;  // browse
  QPushButton* voir = nullptr;      // open the file in the text editor
  QCheckBox* Check1 = nullptr;      // the filter fields may be changed
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text2 = nullptr;  // White
  QLabel* Label2 = nullptr;
  QLineEdit* Text3 = nullptr;  // Black
  QCheckBox* Check2 = nullptr;  // either colour
  QLabel* Label4 = nullptr;
  QLineEdit* Text5 = nullptr;  // ECO
  QLabel* Label5 = nullptr;
  QLineEdit* Text6 = nullptr;  // result
  QLabel* Label8 = nullptr;
  QLineEdit* Text7 = nullptr;  // date
  QLabel* Label9 = nullptr;
  QLineEdit* Text8 = nullptr;  // site
  QLabel* Label10 = nullptr;
  QLineEdit* Text9 = nullptr;  // round
  QLabel* Label11 = nullptr;
  QLineEdit* Text10 = nullptr;  // event
  QLabel* Label3 = nullptr;
  QLineEdit* Text4 = nullptr;  // the game limit
  QLabel* Label6 = nullptr;
  QPushButton* Command5 = nullptr;  // empty the filter fields
  QPushButton* Command6 = nullptr;  // save the filter
  QPushButton* Command2 = nullptr;  // list the games
  QGroupBox* Frame2 = nullptr;      // save / convert
  QGroupBox* Frame3 = nullptr;
  QList<QRadioButton*> Option1;     // 1 PGN, 2 XML (element 0 unused)
  QCheckBox* Check3 = nullptr;
  QCheckBox* Check4 = nullptr;
  QPushButton* Command4 = nullptr;  // save the results
  QLabel* Label7 = nullptr;
  QPushButton* Command1 = nullptr;  // close

 public slots:
  void Check1_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Option1_Click(int Index);
  void Text4_LostFocus();
  void Text9_LostFocus();
  void voir_Click();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void Form_Load();
  void active_boutons_fichier();
  void prend_criteres();
};

// The criteria of the [FILTRE] settings as they stand.
pgn::CriteresFiltre criteres_reglages();

// The form in the mode of mode_charge, shown in the main window.
void affiche_charge();
