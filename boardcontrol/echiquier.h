// The board control: an 8 x 8 board that shows a board picture, one piece
// icon per square, and lines, circles and a highlight frame drawn over it.
//
// It knows nothing of chess: it keeps one piece code per square (1 empty,
// 2..13 the pieces), shows the icon file of that code, and reports mouse
// input by square. Squares are addressed as the screen shows them: colonne 1
// to 8 from the left, ligne 1 to 8 from the top.
//
// Drawing surface: after init_echiquier the board uses board units running
// from 1 to 9 in both directions, so square (colonne, ligne) covers
// [colonne, colonne + 1) x [ligne, ligne + 1) and adding 0.5 gives its centre.
//
// Layers, back to front: the board picture, the lasting lines and circles,
// the 64 square images (icons), the highlight frame. A line therefore passes
// under the pieces and shows only on empty squares, through the transparent
// parts of an icon and in the thin gaps between the square images.
//
// Errors are thrown as ErreurEchiquier; a call that fails changes nothing.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace mvdechiquier {

// An error of the control, with the runtime's error number.
class ErreurEchiquier : public std::runtime_error {
 public:
  enum : int {
    INDICE_HORS_PLAGE = 9,     // square outside the board
    FICHIER_INTROUVABLE = 53,  // picture file missing
    VALEUR_INCORRECTE = 380,   // piece code outside 1..13
    IMAGE_INCORRECTE = 481,    // picture file unreadable
  };
  // `texte` is the library's own account, in English, for a log; `objet` is
  // what the error is about (the picture's path, the value refused, the
  // square), for a host that words the error in the user's language.
  ErreurEchiquier(int numero, const QString& texte, const QString& objet = QString());
  int numero() const { return numero_; }
  const QString& objet() const { return objet_; }

 private:
  int numero_;
  QString objet_;
};

// A colour value as the host passes it: blue * 65536 + green * 256 + red.
// Only the three low bytes count.
QColor couleur_rgb(std::int32_t valeur);
// The reverse: the value of a colour.
std::int32_t valeur_rgb(const QColor& couleur);

// Reads a picture file: for an icon file with several sizes, the smallest
// one at least `cote` pixels wide (else the largest). Throws ErreurEchiquier
// (53 missing, 481 unreadable).
QImage charge_image(const QString& chemin, int cote = 0);

// Writes an icon file holding the given pictures (one entry each, stored as
// PNG, at most 256 pixels a side). Returns false when the file cannot be written.
bool ecrit_ico(const QString& chemin, const QList<QImage>& images);

// The picture built into the control, shown until a board file is loaded.
QImage image_integree();

class Echiquier : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE Enabled)

 public:
  explicit Echiquier(QWidget* parent = nullptr);
  ~Echiquier() override;

  // Size of the control at its normal resolution: 297 x 297 pixels.
  static constexpr int COTE_NORMAL = 297;
  QSize sizeHint() const override { return {COTE_NORMAL, COTE_NORMAL}; }

  // --- Properties -----------------------------------------------------
  // The flag the host sets: while it is false the board takes no mouse input.
  // Not the widget's own enabled state.
  bool Enabled() const { return enabled_; }
  void Enabled(bool valeur) { enabled_ = valeur; }

  // The code stored for a square; colonne and ligne 0..8 (0 is the border of
  // the array, never drawn). Throws ErreurEchiquier 9 outside 0..8.
  int Piece(int colonne, int ligne) const;
  // Stores a code (1..13) on a square (1..8, 1..8) and shows its icon, read
  // again from PathImage + code + ".ico"; code 1 shows nothing. A bad square
  // (9), a bad code (380) or an icon that cannot be read (53, 481) throws and
  // leaves the square as it was.
  void Piece(int colonne, int ligne, int valeur);

  // Stores one code (1..13) in all 64 squares and shows them, column by
  // column. Throws as Piece does, before changing anything.
  void Init(int valeur);

  // The folder of the piece icons given to the last init_echiquier.
  QString PathImage() const { return path_image_; }

  // Reads now the icon of every piece code from the folder, at the current
  // size, so that the squares set afterwards (while the folder, the size and
  // the files stay the same) cannot fail on a picture. Throws as Piece does;
  // changes nothing.
  void lit_icones() const;

  // --- Methods --------------------------------------------------------
  // Sets up the board: keeps the icon folder (ending with a separator),
  // loads the board picture `fichier_echiquier` (an empty name keeps the
  // current picture), and places the start position with colour `couleur`
  // at the bottom (2 White, 3 Black, anything else an empty board). A new
  // board picture comes without the lines and circles drawn on the old one.
  // All or nothing: when a picture cannot be read it throws and nothing changes.
  void init_echiquier(int couleur, const QString& path_image, const QString& fichier_echiquier);

  // A lasting line from (x1 + delta, y1 + delta) to (x2 + delta, y2 + delta)
  // in board units. style: 0 solid, 1 dash, 2 dot, 3 dash-dot,
  // 4 dash-dot-dot, 5 invisible, 6 inside solid; a style other than solid
  // shows only at width 1. epais: width in pixels at the normal size.
  void trace_ligne(float x1, float y1, float x2, float y2, std::int32_t couleur, float delta,
                   std::uint8_t style, std::uint8_t epais);
  // A lasting circle centred on (x1 + delta, y1 + delta), radius delta.
  void trace_cercle(float x1, float y1, std::int32_t couleur, float delta, std::uint8_t style,
                    std::uint8_t epais);
  // Shows the highlight frame, one square in size, with its top-left corner
  // at (x1, y1). style: 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot,
  // 5 dash-dot-dot, 6 inside solid. delta is not used.
  void trace_shape(float x1, float y1, std::int32_t couleur, float delta, std::uint8_t style,
                   std::uint8_t epais);
  // Removes every line and circle and hides the highlight frame; the pieces stay.
  void clear_all();

  // --- Geometry (pixels of this widget) ---------------------------------
  // Side of one square of the grid and of a square image.
  int pas_grille() const;
  int cote_image() const;
  // Where the image of a square lies.
  QRect rect_image(int colonne, int ligne) const;
  // The pixel point of a board point.
  QPointF point_ecran(double x, double y) const;
  // Image number (1..64) under a widget point, 0 when the point is between
  // or outside the square images.
  int image_sous(const QPoint& p) const;

  // Whether the highlight frame is shown, and how many lasting drawings there are.
  bool pointeur_visible() const { return pointeur_.visible; }
  int nb_traces() const { return static_cast<int>(traces_.size()); }

 signals:
  // A square image clicked with the left button (pressed and released on it).
  void Click(int colonne, int ligne);
  // A mouse button pressed or released on a square image. Index is the image
  // number (ligne - 1) * 8 + colonne; Button 1 left, 2 right, 4 middle;
  // Shift 1 Shift, 2 Ctrl, 4 Alt; x and y the pointer in the image, in pixels.
  void MouseDown(int colonne, int ligne, int Index, int Button, int Shift, float x, float y);
  void MouseUp(int colonne, int ligne, int Index, int Button, int Shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Trace {
    bool cercle = false;
    QPointF a, b;  // line: both ends; circle: centre and (radius, radius), in board units
    QColor couleur;
    int style = 0;
    int epais = 1;
  };
  struct Pointeur {
    bool visible = false;
    QPointF coin;
    QColor couleur;
    int style = 1;
    int epais = 1;
  };

  static void verifie_indices(int colonne, int ligne, bool bord_permis);
  static void verifie_code(int valeur);
  QImage icone(int code) const;  // throws; read from disk once per folder and size
  QRect rect_image(int index) const;
  QPointF point_dans_image(int index, const QPointF& p) const;
  static int boutons(Qt::MouseButtons b);
  static int touches(Qt::KeyboardModifiers m);

  std::array<int, 81> cases_{};       // element colonne + 9 * ligne
  std::array<QImage, 65> images_{};   // by image number; null shows nothing
  QString path_image_;
  // The icons read, by code, for one folder and one size in pixels, each
  // with the date and size of its file: a file changed is read again.
  struct IconeLue {
    QImage image;
    QDateTime modifie;
    qint64 taille = -1;
  };
  mutable std::array<IconeLue, 14> icones_lues_{};
  mutable QString dossier_icones_;
  mutable int cote_icones_ = 0;
  QImage image_plateau_;
  QList<Trace> traces_;
  Pointeur pointeur_;
  bool enabled_ = true;
  int image_pressee_ = 0;  // image number the mouse went down on, 0 none
};

}  // namespace mvdechiquier

using mvdechiquier::Echiquier;
