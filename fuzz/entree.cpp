// The libFuzzer entry of one target, chosen by MVD_CIBLE at build time.
#include <QApplication>
#include <cstdlib>

#include "fuzz/cibles/cibles.h"

#ifndef MVD_CIBLE
#error "MVD_CIBLE names the target"
#endif

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Kept for the whole run: Qt needs its application object.
  static QApplication* app = new QApplication(*argc, *argv);
  (void)app;
  fuzz::faute_arrete(true);
  fuzz::prepare(QCoreApplication::applicationDirPath().toStdString());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  fuzz::MVD_CIBLE(donnees, taille);
  fuzz::apres_entree();
  return 0;
}
