#include <QApplication>
#include <QStringList>

#include "app/branchement.h"
#include "app/menu.h"
#include "network/branchement.h"
#include "platform/fenetres.h"
#include "openings/base_eco.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  branche_tout();

  // The whole command line is one path (a path with blanks may come split).
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  Menu& menu = fenetres::instance<Menu>();
  menu.show();
  int fin = 0;
  if (menu.MDIForm_Load(arguments.join(QLatin1Char(' ')))) fin = app.exec();
  // The sockets of a network game close while the application still exists.
  reseau::debranche_reseau();
  // The opening database stays open for the whole run; it is closed while
  // the database driver still exists.
  db_eco.ferme();
  return fin;
}
