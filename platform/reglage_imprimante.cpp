#include "platform/reglage_imprimante.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/boites.h"

namespace plateforme {

namespace {
bool& choisi() {
  static bool c = false;
  return c;
}
int& compte() {
  static int n = 0;
  return n;
}
// The printer the set-up works on, kept for the run so that the next set-up
// starts from the last choice.
QPrinter& imprimante() {
  static QPrinter p;
  return p;
}
}  // namespace

void reglage_imprimante(QWidget* parent) {
  ++compte();
  if (BoitesEnTest::actif()) return;
  QPrintDialog dialogue(&imprimante(), parent);
  if (dialogue.exec() == QDialog::Accepted) choisi() = true;
}

void applique_reglage_imprimante(QPrinter& cible) {
  if (!choisi()) return;
  const QPrinter& r = imprimante();
  cible.setOutputFormat(r.outputFormat());
  if (r.outputFormat() == QPrinter::NativeFormat) cible.setPrinterName(r.printerName());
  cible.setOutputFileName(r.outputFileName());
  cible.setPageLayout(r.pageLayout());
}

int ReglagesImprimanteEnTest::demandes() { return compte(); }
void ReglagesImprimanteEnTest::efface() { compte() = 0; }

}  // namespace plateforme
