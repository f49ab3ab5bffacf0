// The main of every test program: an offscreen QApplication, and any message
// box that no test expected fails the running test with its text.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/boites.h"
#include "platform/plateforme.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvandel"));
  QApplication::setOrganizationName(QStringLiteral("MorvandelTests"));
  plateforme::installe();
  plateforme::BoitesEnTest::active([](const QString& texte) {
    ADD_FAILURE() << "unexpected box: " << texte.toStdString();
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
