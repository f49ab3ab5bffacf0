#include <QApplication>
#include <QMainWindow>

#include "platform/plateforme.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  plateforme::installe();
  QMainWindow fenetre;
  fenetre.setWindowTitle(QStringLiteral("Morvandel"));
  fenetre.resize(1000, 720);
  fenetre.show();
  return app.exec();
}
