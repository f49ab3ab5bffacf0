#include <QApplication>
#include <QStringList>

#include "app/fenetres.h"
#include "app/menu.h"
#include "gamefiles/charge_pgn.h"
#include "openings/base_eco.h"
#include "platform/plateforme.h"
#include "play/nouvelle_partie.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  plateforme::installe();

  // The whole command line is one path (a path with blanks may come split).
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  Menu& menu = fenetres::instance<Menu>();
  menu.show();
  branche_commandes_machine();
  branche_fichiers_parties();
  int fin = 0;
  if (menu.MDIForm_Load(arguments.join(QLatin1Char(' ')))) fin = app.exec();
  // The opening database stays open for the whole run; it is closed while
  // the database driver still exists.
  db_eco.ferme();
  return fin;
}
