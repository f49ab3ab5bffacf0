// What the game-command tests share: a board control and a move list as the
// board window holds them, and reading the board by chess square names.
#pragma once

#include <QListWidget>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>

#include "boardcontrol/echiquier.h"
#include "play/controles_partie.h"
#include "tests/common/aide_tests.h"

class TestCommandes : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The board set up with `couleur` at the bottom, as the board window's load
  // leaves it (start position on the control, on tab_echiquier and as history
  // entry 0).
  void nouvelle_partie(int couleur);

  // The code on a chess square ("e4"), read on the board control; the same
  // square of tab_echiquier must agree with it.
  int code_en(const char* nom);
  // The screen square of a chess square in the current orientation.
  static void ecran(const char* nom, int& colonne, int& ligne);

  QStringList lignes() const;

  std::unique_ptr<mvdechiquier::Echiquier> echiquier_;
  std::unique_ptr<QListWidget> liste_;
  ControlesPartie controles_;
};

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }

// The folder of the program's piece icons beside the test build.
QString dossier_pieces();

// The codes of a board drawn as the screen shows it, checked square by square
// against both the control and tab_echiquier.
void attend_diagramme(const mvdechiquier::Echiquier& e, const char* const lignes[8]);
