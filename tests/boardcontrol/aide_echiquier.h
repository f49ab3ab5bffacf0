// What the board control tests share: icon sets drawn in solid colours so
// that every square's picture can be told apart on the grabbed widget, board
// pictures of one colour, and a record of the control's mouse events.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "boardcontrol/echiquier.h"

// The colour of the test icon of a piece code.
QColor couleur_test(int code);

// Writes 2.ico .. 13.ico into `dossier`, each one square of couleur_test(code)
// at `cote` pixels, fully opaque. Returns the folder with a trailing "/".
QString ecrit_jeu_test(const QString& dossier, int cote = 36);

// Writes a one-colour picture file.
void ecrit_plateau_uni(const QString& chemin, const QColor& couleur, int cote = Echiquier::COTE_NORMAL);

// The widget as the user sees it.
QImage capture(Echiquier& e);

// Whether two colours are the same within a small tolerance per channel.
bool proche(const QColor& a, const QColor& b, int tolerance = 3);

// Prints a colour in a failure message.
std::string texte_couleur(const QColor& c);

// One mouse event of the control.
struct EvenementSouris {
  char genre;  // 'C' Click, 'D' MouseDown, 'U' MouseUp
  int colonne, ligne, index, bouton, touches;
  float x, y;
  bool operator==(const EvenementSouris&) const = default;
};

// Records every event the control raises.
class Ecouteur {
 public:
  explicit Ecouteur(Echiquier& e);
  std::vector<EvenementSouris> evenements;
};

// A fixture with a control at its normal size, an icon folder of test
// colours and a grey board picture.
class TestEchiquier : public ::testing::Test {
 protected:
  void SetUp() override;
  QString dossier() const { return dossier_.path(); }
  // The colour shown at the centre of a square's image.
  QColor centre(int colonne, int ligne);
  // Writes the grey board and sets up the board with `couleur` at the bottom.
  void prepare(int couleur);

  QTemporaryDir dossier_;
  Echiquier echiquier;
  QString jeu;       // icon folder, with a trailing "/"
  QString plateau;   // grey board picture file
  static inline const QColor GRIS{100, 100, 100};
};
