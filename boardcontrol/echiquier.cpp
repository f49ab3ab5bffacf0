#include "boardcontrol/echiquier.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <utility>

static void enregistre_ressources() {
  static const bool fait = [] {
    Q_INIT_RESOURCE(mvdechiquier);
    return true;
  }();
  (void)fait;
}

namespace mvdechiquier {

namespace {

// The square images are 540 units wide on a grid of 555.
constexpr double RAPPORT_IMAGE = 540.0 / 555.0;
constexpr int PREMIER_CODE = 1;
constexpr int DERNIER_CODE = 13;
static_assert(DERNIER_CODE < 14, "one cached icon per code");

// Start position by the colour at the bottom: the top row, then the row below it.
constexpr int RANGEE_HAUT_BLANC_EN_BAS[8] = {3, 4, 5, 6, 7, 5, 4, 3};
constexpr int RANGEE_BAS_BLANC_EN_BAS[8] = {9, 10, 11, 12, 13, 11, 10, 9};
constexpr int RANGEE_HAUT_NOIR_EN_BAS[8] = {9, 10, 11, 13, 12, 11, 10, 9};
constexpr int RANGEE_BAS_NOIR_EN_BAS[8] = {3, 4, 5, 7, 6, 5, 4, 3};

int indice_case(int colonne, int ligne) { return colonne + 9 * ligne; }
int indice_image(int colonne, int ligne) { return (ligne - 1) * 8 + colonne; }

// Line styles of the lasting drawings.
Qt::PenStyle style_trait(int style) {
  switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;  // 0 solid, 6 inside solid, anything else
  }
}

// Border styles of the highlight frame.
Qt::PenStyle style_bord(int style) {
  switch (style) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DashLine;
    case 3: return Qt::DotLine;
    case 4: return Qt::DashDotLine;
    case 5: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;  // 1 solid, 6 inside solid
  }
}

}  // namespace

ErreurEchiquier::ErreurEchiquier(int numero, const QString& texte, const QString& objet)
    : std::runtime_error(texte.toStdString()), numero_(numero), objet_(objet) {}

QColor couleur_rgb(std::int32_t valeur) {
  const auto v = static_cast<std::uint32_t>(valeur);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t valeur_rgb(const QColor& couleur) {
  return couleur.blue() * 65536 + couleur.green() * 256 + couleur.red();
}

QImage charge_image(const QString& chemin, int cote) {
  if (!QFileInfo(chemin).isFile())
    throw ErreurEchiquier(ErreurEchiquier::FICHIER_INTROUVABLE, QStringLiteral("File not found: ") + chemin, chemin);
  QImageReader lecteur(chemin);
  QImage choisie;
  const int nb = std::max(1, lecteur.imageCount());
  for (int i = 0; i < nb; ++i) {
    if (i > 0 && !lecteur.jumpToImage(i)) break;
    QImage image = lecteur.read();
    if (image.isNull()) continue;
    if (choisie.isNull()) {
      choisie = image;
      continue;
    }
    const int w = image.width(), wc = choisie.width();
    // The smallest picture that is large enough, else the largest one.
    const bool meilleure = (wc < cote) ? (w > wc) : (w >= cote && w < wc);
    if (meilleure) choisie = image;
  }
  if (choisie.isNull())
    throw ErreurEchiquier(ErreurEchiquier::IMAGE_INCORRECTE, QStringLiteral("Unreadable picture: ") + chemin, chemin);
  return choisie.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool ecrit_ico(const QString& chemin, const QList<QImage>& images) {
  QList<QByteArray> donnees;
  for (const QImage& image : images) {
    if (image.isNull() || image.width() > 256 || image.height() > 256) return false;
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&tampon, "PNG")) return false;
    donnees.append(png);
  }
  if (donnees.isEmpty()) return false;
  QByteArray fichier;
  auto mot = [&fichier](quint16 v) {
    fichier.append(static_cast<char>(v & 0xFF)).append(static_cast<char>(v >> 8));
  };
  auto long_mot = [&](quint32 v) {
    mot(static_cast<quint16>(v & 0xFFFF));
    mot(static_cast<quint16>(v >> 16));
  };
  mot(0);  // reserved
  mot(1);  // an icon
  mot(static_cast<quint16>(donnees.size()));
  quint32 decalage = 6 + 16 * static_cast<quint32>(donnees.size());
  for (int i = 0; i < donnees.size(); ++i) {
    const QImage& image = images[i];
    fichier.append(static_cast<char>(image.width() == 256 ? 0 : image.width()));
    fichier.append(static_cast<char>(image.height() == 256 ? 0 : image.height()));
    fichier.append('\0').append('\0');  // no palette, reserved
    mot(1);                             // planes
    mot(32);                            // bits per pixel
    long_mot(static_cast<quint32>(donnees[i].size()));
    long_mot(decalage);
    decalage += static_cast<quint32>(donnees[i].size());
  }
  for (const QByteArray& d : donnees) fichier.append(d);
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(fichier) == fichier.size();
}

QImage image_integree() {
  enregistre_ressources();
  QImage image(QStringLiteral(":/mvdechiquier/echiquier_integre.png"));
  return image.convertToFormat(QImage::Format_RGB32);
}

// --- The control ---------------------------------------------------------

Echiquier::Echiquier(QWidget* parent) : QWidget(parent), image_plateau_(image_integree()) {
  setObjectName(QStringLiteral("Echiquier"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  resize(sizeHint());
}

Echiquier::~Echiquier() = default;

void Echiquier::verifie_indices(int colonne, int ligne, bool bord_permis) {
  const int bas = bord_permis ? 0 : 1;
  if (colonne < bas || colonne > 8 || ligne < bas || ligne > 8)
    throw ErreurEchiquier(ErreurEchiquier::INDICE_HORS_PLAGE,
                          QStringLiteral("Index out of range (square %1, %2)").arg(colonne).arg(ligne),
                          QStringLiteral("%1, %2").arg(colonne).arg(ligne));
}

void Echiquier::verifie_code(int valeur) {
  if (valeur < PREMIER_CODE || valeur > DERNIER_CODE)
    throw ErreurEchiquier(ErreurEchiquier::VALEUR_INCORRECTE,
                          QStringLiteral("Invalid property value (piece code %1)").arg(valeur),
                          QString::number(valeur));
}

QImage Echiquier::icone(int code) const {
  if (code == 1) return {};
  const int cote = static_cast<int>(std::ceil(cote_image() * devicePixelRatioF()));
  if (dossier_icones_ != path_image_ || cote_icones_ != cote) {
    icones_lues_ = {};
    dossier_icones_ = path_image_;
    cote_icones_ = cote;
  }
  const QString chemin = path_image_ + QString::number(code) + QStringLiteral(".ico");
  const QFileInfo fichier(chemin);
  IconeLue& lue = icones_lues_.at(static_cast<std::size_t>(code));
  if (lue.image.isNull() || !fichier.isFile() || lue.modifie != fichier.lastModified() || lue.taille != fichier.size()) {
    lue = {};
    QImage image = charge_image(chemin, cote);
    lue = {std::move(image), fichier.lastModified(), fichier.size()};
  }
  return lue.image;
}

void Echiquier::lit_icones() const {
  for (int code = PREMIER_CODE; code <= DERNIER_CODE; ++code) icone(code);
}

int Echiquier::Piece(int colonne, int ligne) const {
  verifie_indices(colonne, ligne, true);
  return cases_[indice_case(colonne, ligne)];
}

void Echiquier::Piece(int colonne, int ligne, int valeur) {
  verifie_indices(colonne, ligne, false);
  verifie_code(valeur);
  QImage image = icone(valeur);  // read first: a failure leaves the square as it was
  cases_[indice_case(colonne, ligne)] = valeur;
  const int n = indice_image(colonne, ligne);
  images_[n] = std::move(image);
  update(rect_image(n));
}

void Echiquier::Init(int valeur) {
  verifie_code(valeur);
  const QImage image = icone(valeur);
  for (int colonne = 1; colonne <= 8; ++colonne)
    for (int ligne = 1; ligne <= 8; ++ligne) {
      cases_[indice_case(colonne, ligne)] = valeur;
      images_[indice_image(colonne, ligne)] = image;
    }
  update();
}

void Echiquier::init_echiquier(int couleur, const QString& path_image, const QString& fichier_echiquier) {
  // Everything is read before anything changes.
  QString dossier = path_image;
  dossier.replace(QLatin1Char('\\'), QLatin1Char('/'));
  QImage plateau = image_plateau_;
  if (!fichier_echiquier.isEmpty()) {
    QString fichier = fichier_echiquier;
    fichier.replace(QLatin1Char('\\'), QLatin1Char('/'));
    plateau = charge_image(fichier).convertToFormat(QImage::Format_RGB32);
  }

  std::array<int, 81> cases = cases_;  // the border keeps what it holds
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) cases[indice_case(c, l)] = 1;
  if (couleur == 2 || couleur == 3) {
    const bool blanc = couleur == 2;
    const int* haut = blanc ? RANGEE_HAUT_BLANC_EN_BAS : RANGEE_HAUT_NOIR_EN_BAS;
    const int* bas = blanc ? RANGEE_BAS_BLANC_EN_BAS : RANGEE_BAS_NOIR_EN_BAS;
    const int pion_haut = blanc ? 2 : 8;
    const int pion_bas = blanc ? 8 : 2;
    for (int c = 1; c <= 8; ++c) {
      cases[indice_case(c, 1)] = haut[c - 1];
      cases[indice_case(c, 2)] = pion_haut;
      cases[indice_case(c, 7)] = pion_bas;
      cases[indice_case(c, 8)] = bas[c - 1];
    }
  }

  const QString ancien_dossier = path_image_;
  path_image_ = dossier;  // icone() reads from the new folder
  std::array<QImage, 65> images{};
  try {
    QImage par_code[DERNIER_CODE + 1];
    bool lu[DERNIER_CODE + 1] = {};
    for (int n = 1; n <= 64; ++n) {
      const int code = cases[indice_case((n - 1) % 8 + 1, (n - 1) / 8 + 1)];
      if (!lu[code]) {
        par_code[code] = icone(code);
        lu[code] = true;
      }
      images[n] = par_code[code];
    }
  } catch (...) {
    path_image_ = ancien_dossier;
    throw;
  }

  // The lines and circles are drawn on the picture: a new picture has none.
  if (!fichier_echiquier.isEmpty()) traces_.clear();
  image_plateau_ = std::move(plateau);
  cases_ = cases;
  images_ = std::move(images);
  update();
}

void Echiquier::trace_ligne(float x1, float y1, float x2, float y2, std::int32_t couleur, float delta,
                            std::uint8_t style, std::uint8_t epais) {
  Trace t;
  t.a = QPointF(x1 + delta, y1 + delta);
  t.b = QPointF(x2 + delta, y2 + delta);
  t.couleur = couleur_rgb(couleur);
  t.style = style;
  t.epais = epais;
  traces_.append(t);
  update();
}

void Echiquier::trace_cercle(float x1, float y1, std::int32_t couleur, float delta, std::uint8_t style,
                             std::uint8_t epais) {
  Trace t;
  t.cercle = true;
  t.a = QPointF(x1 + delta, y1 + delta);
  t.b = QPointF(delta, delta);
  t.couleur = couleur_rgb(couleur);
  t.style = style;
  t.epais = epais;
  traces_.append(t);
  update();
}

void Echiquier::trace_shape(float x1, float y1, std::int32_t couleur, float delta, std::uint8_t style,
                            std::uint8_t epais) {
  pointeur_.visible = true;
  pointeur_.coin = QPointF(x1, y1);
  pointeur_.couleur = couleur_rgb(couleur);
  pointeur_.style = style;
  pointeur_.epais = epais;
  update();
}

void Echiquier::clear_all() {
  traces_.clear();
  pointeur_.visible = false;
  update();
}

// --- Geometry ------------------------------------------------------------

int Echiquier::pas_grille() const { return std::max(1, std::min(width(), height()) / 8); }

int Echiquier::cote_image() const {
  return std::max(1, static_cast<int>(std::lround(pas_grille() * RAPPORT_IMAGE)));
}

QRect Echiquier::rect_image(int index) const {
  const int pas = pas_grille();
  return QRect(((index - 1) % 8) * pas, ((index - 1) / 8) * pas, cote_image(), cote_image());
}

QRect Echiquier::rect_image(int colonne, int ligne) const {
  verifie_indices(colonne, ligne, false);
  return rect_image(indice_image(colonne, ligne));
}

QPointF Echiquier::point_ecran(double x, double y) const {
  const double pas = pas_grille();
  return QPointF((x - 1.0) * pas, (y - 1.0) * pas);
}

int Echiquier::image_sous(const QPoint& p) const {
  if (p.x() < 0 || p.y() < 0) return 0;
  const int pas = pas_grille();
  const int colonne = p.x() / pas + 1, ligne = p.y() / pas + 1;
  if (colonne > 8 || ligne > 8) return 0;
  if (p.x() - (colonne - 1) * pas >= cote_image() || p.y() - (ligne - 1) * pas >= cote_image()) return 0;
  return indice_image(colonne, ligne);
}

QPointF Echiquier::point_dans_image(int index, const QPointF& p) const {
  return p - QPointF(rect_image(index).topLeft());
}

// --- Drawing -------------------------------------------------------------

void Echiquier::paintEvent(QPaintEvent*) {
  QPainter peintre(this);
  peintre.setRenderHint(QPainter::SmoothPixmapTransform);
  peintre.drawImage(rect(), image_plateau_);

  // Pen widths are given in pixels of the normal size.
  const double echelle = pas_grille() / 37.0;
  peintre.setRenderHint(QPainter::Antialiasing);
  peintre.setBrush(Qt::NoBrush);
  for (const Trace& t : traces_) {
    const int epais = std::max(1, t.epais);
    QPen stylo(t.couleur, epais * echelle, epais > 1 ? Qt::SolidLine : style_trait(t.style), Qt::FlatCap);
    if (t.style == 5) stylo.setStyle(Qt::NoPen);
    peintre.setPen(stylo);
    if (t.cercle) {
      const double r = t.b.x() * pas_grille();
      peintre.drawEllipse(point_ecran(t.a.x(), t.a.y()), r, r);
    } else {
      peintre.drawLine(point_ecran(t.a.x(), t.a.y()), point_ecran(t.b.x(), t.b.y()));
    }
  }

  peintre.setRenderHint(QPainter::Antialiasing, false);
  for (int n = 1; n <= 64; ++n)
    if (!images_[n].isNull()) peintre.drawImage(QRectF(rect_image(n)), images_[n]);

  if (pointeur_.visible) {
    const int epais = std::max(1, pointeur_.epais);
    QPen stylo(pointeur_.couleur, epais * echelle, style_bord(pointeur_.style), Qt::SquareCap, Qt::MiterJoin);
    peintre.setPen(stylo);
    const QPointF coin = point_ecran(pointeur_.coin.x(), pointeur_.coin.y());
    QRectF cadre(coin, QSizeF(pas_grille(), pas_grille()));
    // The border lies inside the frame.
    const double m = stylo.widthF() / 2.0;
    peintre.drawRect(cadre.adjusted(m, m, -m, -m));
  }
}

// --- Mouse ---------------------------------------------------------------

int Echiquier::boutons(Qt::MouseButtons b) {
  return (b.testFlag(Qt::LeftButton) ? 1 : 0) | (b.testFlag(Qt::RightButton) ? 2 : 0) |
         (b.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int Echiquier::touches(Qt::KeyboardModifiers m) {
  return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

void Echiquier::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const int n = image_sous(event->position().toPoint());
  // The first button down decides which image gets the rest of the gesture.
  if (event->buttons() == event->button()) image_pressee_ = n;
  if (!enabled_ || n == 0) return;
  const QPointF p = point_dans_image(n, event->position());
  emit MouseDown((n - 1) % 8 + 1, (n - 1) / 8 + 1, n, boutons(event->button()), touches(event->modifiers()),
                 static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void Echiquier::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const int n = image_pressee_;
  if (event->buttons() == Qt::NoButton) image_pressee_ = 0;
  if (!enabled_ || n == 0) return;
  // The image the button went down on gets the release, wherever it happens;
  // a click needs the left button released on that same image.
  const QPointF p = point_dans_image(n, event->position());
  const int colonne = (n - 1) % 8 + 1, ligne = (n - 1) / 8 + 1;
  emit MouseUp(colonne, ligne, n, boutons(event->button()), touches(event->modifiers()),
               static_cast<float>(p.x()), static_cast<float>(p.y()));
  if (event->button() == Qt::LeftButton && image_sous(event->position().toPoint()) == n) emit Click(colonne, ligne);
}

}  // namespace mvdechiquier
