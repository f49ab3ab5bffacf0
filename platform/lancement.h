// Handing a file or a web address to the desktop: a text file opens in the
// user's viewer, an address in the web browser, help pages in the browser.
// The call does not wait. In tests the requests are recorded instead.
#pragma once

#include <QString>
#include <QStringList>

namespace plateforme {

// Opens a local file with the desktop's program for it; false when the
// desktop refused.
bool ouvre_fichier_externe(const QString& chemin);
// Opens a web address (or any URL) with the desktop's handler.
bool ouvre_adresse(const QString& adresse);

// --- Seam for tests -----------------------------------------------------
class LancementsEnTest {
 public:
  // From now on nothing is started: the requests are recorded ("fichier:"
  // or "adresse:" followed by the path or address) and succeed.
  static void active();
  static void desactive();
  static QStringList demandes();
  static void efface();
};

}  // namespace plateforme
