// Correspondence play under test: a correspondence base of the test's own
// (base_corres), today fixed to 12/03/2026, the user "Moi" of the engine
// profile, the board window's images, sounds and timers in test mode.
#pragma once

#include <QString>
#include <QStringList>

#include "correspondence/base_corres.h"
#include "tests/common/aide_tests.h"

class corres;
class plateau;
class prepare;

class TestCorres : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A game of "Moi" (White when `jai_blanc`) against "Lui", started on
  // 01/03/2026, with `coups` in the letters of `notation`; its key.
  qint64 ajoute(const QString& coups, bool jai_blanc = true, int notation = 2, const QString& resultat = "*");
  PartieCorres lue(qint64 cle) const;

  // The manager opened as the open command opens it.
  corres& manager();
  // Selects the list row of game `cle` and clicks it.
  void clique(qint64 cle);
  // A column of the manager's list, top to bottom; the icon keys.
  QStringList colonne(int n) const;
  QStringList icones() const;
  // The board window's move list.
  QStringList lignes_plateau() const;
  // Both clicks of a move on the board window, by chess squares.
  void coup(const char* depart, const char* arrivee);
  // The preparation window of game `cle`, its game loaded on the board.
  prepare& prepare_partie(qint64 cle);

  corres* c = nullptr;
};
