// Renders the board control to a picture file, to look at the pieces and the
// board as the user will see them: the start position, White at the bottom
// on the left and Black at the bottom on the right, with a move drawn on each.
//
//   mvd_apercu_echiquier <program folder> <output.png> [board picture file]
#include <QApplication>
#include <QPainter>
#include <QTextStream>

#include "boardcontrol/echiquier.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTextStream erreur(stderr);
  if (argc < 3) {
    erreur << "usage: mvd_apercu_echiquier <program folder> <output.png> [board picture file]" << Qt::endl;
    return 2;
  }
  const QString racine = QString::fromLocal8Bit(argv[1]);
  const QString plateau = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  QImage sortie(2 * Echiquier::COTE_NORMAL + 10, Echiquier::COTE_NORMAL, QImage::Format_RGB32);
  sortie.fill(Qt::white);
  QPainter p(&sortie);
  for (int couleur = 2; couleur <= 3; ++couleur) {
    Echiquier e;
    try {
      e.init_echiquier(couleur, racine + QStringLiteral("/images/pieces/Morvandel/"), plateau);
    } catch (const std::exception& ex) {
      erreur << ex.what() << Qt::endl;
      return 1;
    }
    e.Piece(5, 7, 1);
    e.Piece(5, 5, couleur == 2 ? 8 : 2);
    e.trace_ligne(5, 7, 5, 5, 65535, 0.5f, 1, 2);
    e.trace_cercle(5, 5, 65535, 0.5f, 1, 2);
    e.trace_cercle(7, 1, 255, 0.5f, 1, 2);
    e.trace_shape(4, 4, 65280, 0, 1, 2);
    p.drawPixmap((couleur - 2) * (Echiquier::COTE_NORMAL + 10), 0, e.grab());
  }
  p.end();
  return sortie.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
