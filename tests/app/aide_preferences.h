// What the tests of the preferences dialog and of the engine parameter files
// share: a started main window with the pictures installed, and the dialog's
// controls reached by their names.
#pragma once

#include <QString>
#include <QStringList>

#include "tests/app/aide_app.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;
class pref;

class TestPreferences : public TestApp {
 protected:
  // Pictures and the opening base installed, the settings file written with
  // `lignes_ini`, the main window started.
  void demarre_avec(const QStringList& lignes_ini);
  // Opens the dialog through its menu item.
  pref& ouvre();
  pref& dialogue();

  QWidget* controle(const QString& nom);
  QLineEdit* texte(const QString& nom);
  QCheckBox* coche(const QString& nom);
  QComboBox* liste(const QString& nom);
  // Types into a field (replacing its text) and moves the focus away, as the
  // user does before the field is checked.
  void tape(const QString& nom, const QString& valeur);
  // Presses OK, answering the success message.
  void valide();
  // The settings file's lines without the section lines.
  QStringList lignes_fichier(const QString& chemin);
};

// A file of `lignes` joined by CRLF.
void ecrit_fichier(const QString& chemin, const QStringList& lignes);
// The settings in memory as the writer would write them for the current
// profile (no file written).
QStringList etat_ecrit();
