#include <QApplication>
#include <QStringList>

#include "app/fenetres.h"
#include "app/menu.h"
#include "platform/plateforme.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  plateforme::installe();

  // The whole command line is one path (a path with blanks may come split).
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  Menu& menu = fenetres::instance<Menu>();
  menu.show();
  if (!menu.MDIForm_Load(arguments.join(QLatin1Char(' ')))) return 0;
  return app.exec();
}
