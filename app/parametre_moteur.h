// The engine parameter files: two files in the settings file's syntax, one
// per engine profile, so that two differently tuned machine players can play
// each other (profile 1 White, profile 2 Black). The window parametre names
// the two files, shows either in the desktop's viewer and loads them.
//
// Loading is all or nothing: both files are read and every value checked by
// the settings reader's rules before either profile changes; a file with a
// value its key does not take is refused whole, naming the file, the line and
// the key. Keys outside the 36 engine keys are ignored, a missing key leaves
// the profile's value as it was, a key given twice takes its last value.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The two files last loaded (elements 1 and 2), empty until then.
extern QString fichiers_parametres[3];

// The keys an engine parameter file sets, in the order of the settings file.
const QStringList& cles_parametres_moteur();

// The settings one file gives, in file order, each with its line number.
struct ReglageFichier {
  QString cle;
  QString valeur;
  int ligne;  // from 1
};

// Reads and checks one engine parameter file. False with `erreur` set when the
// file cannot be read or holds a value its key does not take.
bool lit_parametres_moteur(const QString& chemin, QList<ReglageFichier>& reglages, QString& erreur);

// Loads the two files into profiles 1 and 2, both or none: on success
// profil2_charge is set and fichiers_parametres names them; false with
// `erreur` set otherwise, and nothing changed.
bool charge_parametres_moteur(const QString& chemin1, const QString& chemin2, QString& erreur);

class parametre : public QWidget {
  Q_OBJECT

 public:
  parametre();
  ~parametre() override;

  // Captions and title, and the two paths: the files last loaded once a
  // second profile is loaded, else the settings file twice.
  void Form_Load();

  QGroupBox* Frame2[3] = {};     // 1, 2
  QLineEdit* Text1[3] = {};      // 1, 2: the file of each profile
  QPushButton* Command3[3] = {};  // 1, 2: browse
  QPushButton* voir[3] = {};      // 1, 2: view
  QPushButton* Command2 = nullptr;  // load
  QPushButton* Command1 = nullptr;  // close
  QLabel* Label1 = nullptr;

 public slots:
  void Command3_Click(int Index);
  void voir_Click(int Index);
  void Command2_Click();
  void Command1_Click();
};

// The main window's command: shows the window, loading it when not open.
void menu_moteur_Click();
