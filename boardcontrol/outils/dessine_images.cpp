// Draws the pictures the board control ships with, into a source folder:
//   data/images/pieces/Morvandel/2.ico .. 13.ico   the default piece set
//   data/images/echiquier/echiquier.bmp            the board picture file
//   boardcontrol/images/echiquier_integre.png      the picture built into the control
// The pieces come from the chess glyphs of DejaVu Sans (a free font): the
// filled glyph gives the silhouette, the outlined glyph the inner lines.
// The boards are wood drawn from a small noise function, the same on every run.
//
//   mvd_dessine_images <source folder> [font file]
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <utility>
#include <cstdint>

#include "boardcontrol/echiquier.h"

namespace {

QTextStream erreur(stderr);

// --- Pieces ---------------------------------------------------------------

// The glyphs by piece type: pawn, rook, knight, bishop, queen, king.
constexpr char16_t GLYPHE_CONTOUR[6] = {0x2659, 0x2656, 0x2658, 0x2657, 0x2655, 0x2654};
constexpr char16_t GLYPHE_PLEIN[6] = {0x265F, 0x265C, 0x265E, 0x265D, 0x265B, 0x265A};

QPainterPath chemin_glyphe(const QFont& police, char16_t c) {
  QPainterPath p;
  p.addText(0, 0, police, QString(QChar(c)));
  p.setFillRule(Qt::OddEvenFill);  // the only rule that keeps every inner line of these glyphs
  return p;
}

// The whole area a glyph covers, its holes filled: the union of its contours.
QPainterPath silhouette(const QPainterPath& glyphe) {
  QPainterPath s;
  s.setFillRule(Qt::WindingFill);
  for (const QPolygonF& contour : glyphe.toSubpathPolygons()) {
    QPainterPath c;
    c.addPolygon(contour);
    c.closeSubpath();
    s = s.united(c);
  }
  return s.simplified();
}

// One piece at a given size: type 0..5, white or black.
QImage dessine_piece(const QFont& police, int type, bool blanc, int cote) {
  const QPainterPath plein = chemin_glyphe(police, GLYPHE_PLEIN[type]);
  const QPainterPath contour = chemin_glyphe(police, GLYPHE_CONTOUR[type]);
  const QPainterPath corps = silhouette(contour);
  // Every piece is scaled by the same factor (the king's height) so that a
  // pawn stays smaller than a king; each one stands on the same base line.
  const QRectF roi = chemin_glyphe(police, GLYPHE_CONTOUR[5]).boundingRect();
  const QRectF boite = corps.boundingRect();
  const double echelle = cote * 0.86 / roi.height();
  const double base = cote * 0.93;

  QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(cote / 2.0, base);
  p.scale(echelle, echelle);
  p.translate(-boite.center().x(), -boite.bottom());
  const double pixel = 1.0 / echelle;  // one pixel in glyph units

  if (blanc) {
    // The ivory body, then the glyph's own black lines.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 248, 236));
    p.drawPath(corps);
    p.setBrush(QColor(16, 16, 16));
    p.drawPath(contour);
    // Some outlined glyphs fill a part solid (the bishop's mitre): what is
    // much thicker than a line gets the body's colour, keeping a black rim.
    QPainterPathStroker rongeur;
    rongeur.setWidth(police.pixelSize() * 0.065);
    rongeur.setJoinStyle(Qt::RoundJoin);
    QPainterPath massif = contour.subtracted(rongeur.createStroke(contour));
    p.setBrush(QColor(252, 248, 236));
    p.drawPath(massif);
  } else {
    // A light halo keeps the piece clear on the dark squares; the body in a
    // light grey shows through the details of the filled glyph drawn over it.
    p.setPen(QPen(QColor(255, 255, 255, 140), 2.0 * pixel, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(190, 186, 178));
    p.drawPath(corps);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 22, 20));
    p.drawPath(plein);
  }
  p.end();
  return image;
}

bool ecrit_pieces(const QFont& police, const QString& dossier) {
  QDir().mkpath(dossier);
  const int tailles[] = {36, 48, 72, 144};
  for (int code = 2; code <= 13; ++code) {
    const bool blanc = code >= 8;
    const int type = (code - 2) % 6;
    QList<QImage> images;
    for (int t : tailles) images.append(dessine_piece(police, type, blanc, t));
    const QString chemin = dossier + QStringLiteral("/%1.ico").arg(code);
    if (!mvdechiquier::ecrit_ico(chemin, images)) {
      erreur << "cannot write " << chemin << Qt::endl;
      return false;
    }
  }
  return true;
}

// --- Wood -----------------------------------------------------------------

double hache(int x, int y, int graine) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(graine) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth value noise in 0..1.
double bruit(double x, double y, int graine) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const double fx = x - xi, fy = y - yi;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = hache(xi, yi, graine), b = hache(xi + 1, yi, graine);
  const double c = hache(xi, yi + 1, graine), d = hache(xi + 1, yi + 1, graine);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

QColor melange(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The grain of one square at a point inside it (u, v in pixels from its
// corner): 0 the dark late wood, 1 the light early wood.
double grain(double u, double v, int graine, bool travers) {
  if (travers) std::swap(u, v);
  const double ondule = 3.0 * bruit(u / 23.0, v / 7.0, graine) + 1.2 * bruit(u / 6.0, v / 3.0, graine + 7);
  const double cerne = 0.5 + 0.5 * std::sin((v + ondule * 2.2) * 0.9 + hache(graine, 1, 3) * 6.28);
  const double fibre = bruit(u / 1.5, v / 9.0, graine + 13);
  return 0.62 * cerne + 0.38 * fibre;
}

// A board of 8 x 8 squares; square c (0..7) spans [bords[c], bords[c + 1]).
QImage dessine_plateau(int largeur, int hauteur, const QList<int>& bords_x, const QList<int>& bords_y,
                       QColor clair_sombre, QColor clair_vif, QColor fonce_sombre, QColor fonce_vif,
                       double variation, int graine) {
  QImage image(largeur, hauteur, QImage::Format_RGB888);
  image.fill(Qt::black);
  for (int l = 0; l < 8; ++l)
    for (int c = 0; c < 8; ++c) {
      const bool clair = (c + l) % 2 == 0;  // the top-left square is light
      const int g = graine + c * 17 + l * 131;
      const double teinte = (hache(c, l, graine) - 0.5) * variation;  // square to square
      const bool travers = (c + l) % 2 == 1 ? (l % 2 == 0) : (c % 2 == 0);
      for (int y = bords_y[l]; y < bords_y[l + 1]; ++y)
        for (int x = bords_x[c]; x < bords_x[c + 1]; ++x) {
          const double t = grain(x - bords_x[c], y - bords_y[l], g, travers) + teinte;
          image.setPixelColor(x, y, clair ? melange(clair_sombre, clair_vif, t) : melange(fonce_sombre, fonce_vif, t));
        }
    }
  return image;
}

// The picture built into the control: 295 x 294 pixels, tan and brown
// squares of about 36.5 pixels, a one-pixel frame black at the top left,
// white at the bottom right.
QImage image_integree() {
  const int largeur = 295, hauteur = 294;
  QList<int> bx, by;
  for (int i = 0; i <= 8; ++i) {
    bx.append(1 + static_cast<int>(std::lround(i * (largeur - 2) / 8.0)));
    by.append(1 + static_cast<int>(std::lround(i * (hauteur - 2) / 8.0)));
  }
  QImage image = dessine_plateau(largeur, hauteur, bx, by, QColor(206, 156, 90), QColor(222, 173, 107),
                                 QColor(107, 82, 41), QColor(123, 90, 41), 0.35, 4242);
  for (int x = 0; x < largeur; ++x) {
    image.setPixelColor(x, 0, Qt::black);
    image.setPixelColor(x, hauteur - 1, Qt::white);
  }
  for (int y = 0; y < hauteur; ++y) {
    image.setPixelColor(0, y, Qt::black);
    image.setPixelColor(largeur - 1, y, Qt::white);
  }
  image.setPixelColor(largeur - 1, 0, Qt::black);
  image.setPixelColor(0, hauteur - 1, Qt::black);
  return image;
}

// The board picture file: 297 x 297 pixels, squares of 37 pixels on the
// control's own grid, light maple and walnut, a dark edge at the right and
// bottom.
QImage image_fichier() {
  const int cote = 297;
  QList<int> b;
  for (int i = 0; i <= 8; ++i) b.append(i * 37);
  QImage image = dessine_plateau(cote, cote, b, b, QColor(214, 178, 128), QColor(240, 217, 181),
                                 QColor(128, 84, 50), QColor(168, 116, 72), 0.25, 777);
  for (int i = 0; i < cote; ++i) {
    image.setPixelColor(i, cote - 1, QColor(60, 40, 24));
    image.setPixelColor(cote - 1, i, QColor(60, 40, 24));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    erreur << "usage: mvd_dessine_images <source folder> [font file]" << Qt::endl;
    return 2;
  }
  const QString racine = QString::fromLocal8Bit(argv[1]);
  const QString fichier_police =
      argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  const int id = QFontDatabase::addApplicationFont(fichier_police);
  if (id < 0) {
    erreur << "cannot read the font " << fichier_police << Qt::endl;
    return 1;
  }
  QFont police(QFontDatabase::applicationFontFamilies(id).value(0));
  police.setPixelSize(200);
  police.setHintingPreference(QFont::PreferNoHinting);

  if (!ecrit_pieces(police, racine + QStringLiteral("/data/images/pieces/Morvandel"))) return 1;
  QDir().mkpath(racine + QStringLiteral("/data/images/echiquier"));
  if (!image_fichier().save(racine + QStringLiteral("/data/images/echiquier/echiquier.bmp"), "BMP")) return 1;
  QDir().mkpath(racine + QStringLiteral("/boardcontrol/images"));
  if (!image_integree().save(racine + QStringLiteral("/boardcontrol/images/echiquier_integre.png"), "PNG")) return 1;
  return 0;
}
