// The printer set-up of the desktop: the system's print dialog, where the
// user picks the printer and its options. What is chosen there is the
// platform's own printer setting; the program stores nothing.
// In tests (boxes in test mode) no dialog is shown: each request is counted.
#pragma once

class QPrinter;
class QWidget;

namespace plateforme {

// Shows the printer set-up over `parent`; returns when the user closes it.
void reglage_imprimante(QWidget* parent = nullptr);

// A print job takes the printer, page size and output file last chosen in
// the set-up (nothing when the set-up was never shown).
void applique_reglage_imprimante(QPrinter& cible);

// --- Seam for tests -----------------------------------------------------
class ReglagesImprimanteEnTest {
 public:
  static int demandes();  // the set-ups asked for since the last efface()
  static void efface();
};

}  // namespace plateforme
