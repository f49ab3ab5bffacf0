// What the tests of the main window and the settings share.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tests/common/aide_tests.h"

class Menu;

class TestApp : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A file of the test's program folder.
  QString chemin(const QString& nom) const;
  // Writes the settings file of the program folder, lines joined by CRLF.
  void ecrit_ini(const QStringList& lignes);
  // An opening database where start-up looks for it (base/eco.db).
  void cree_base_eco();
  // The main window, started with the given command line. Returns what its
  // load returned.
  bool demarre(const QString& ligne_commande = QString());
  Menu& menu();
};

QByteArray octets(const QString& chemin);
QStringList lignes_crlf(const QString& chemin);

// Compiles the French locale into a temporary folder once and switches the
// C library's numbers to it (false when the system cannot make it).
bool passe_en_locale_francaise();
void revient_locale_c();
