// The main of every test program: an offscreen QApplication, and any message
// box that no test expected fails the running test with its text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/branchement.h"
#include "platform/boites.h"
#include "platform/lancement.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  // Whatever a test forgets, the user's own configuration folder is never
  // touched: the configuration folder of the run is a temporary one.
  QTemporaryDir configuration;
  qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  QApplication::setOrganizationName(QStringLiteral("MorvandelTests"));
  branche_tout();
  plateforme::BoitesEnTest::active([](const QString& texte) {
    ADD_FAILURE() << "unexpected box: " << texte.toStdString();
  });
  // No test opens a browser or a viewer: the requests are recorded.
  plateforme::LancementsEnTest::active();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
