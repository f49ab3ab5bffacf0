#include "play/stats.h"

#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "localisation/libelles.h"
#include "platform/fenetres.h"
#include "localisation/textes_langue.h"
#include "play/boite_image.h"
#include "play/controles_partie.h"

namespace {


constexpr int TWIPS = 15;

QLabel* etiquette(QWidget* parent, const char* nom, int x, int y, int l, int h) {
  return fenetres::controle<QLabel>(parent, QString::fromLatin1(nom), x, y, l, h);
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, int x, int y) {
  auto* b = fenetres::controle<QPushButton>(parent, QString::fromLatin1(nom), x, y, 100, 26);
  b->setText(texte);
  return b;
}

void icone(QLabel* l, const QString& fichier) {
  try {
    l->setPixmap(QPixmap::fromImage(
        mvdechiquier::charge_image(fichier, 32).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  } catch (const std::exception&) {
    l->clear();  // a piece set without that icon: the place stays empty
  }
}

}  // namespace

QString variation_note(float precedente, float note) {
  if (precedente == 0.0f) return QStringLiteral("0%");
  const double v = (static_cast<double>(note) - precedente) / precedente * 100.0;
  return QString::number(static_cast<long long>(std::llround(v))) + QLatin1Char('%');
}

stats* stats::existante() { return fenetres::existante<stats>(); }

stats::stats() {
  fenetres::enregistre(this);
  setObjectName(QStringLiteral("stats"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Statistiques - Partie en cours"));
  setFixedSize(640, 400);

  roi_haut = etiquette(this, "roi_haut", 8, 8, 32, 32);
  roi_bas = etiquette(this, "roi_bas", 8, 280, 32, 32);
  pos_roi_haut_ = roi_haut->pos();
  pos_roi_bas_ = roi_bas->pos();
  legende_haute = etiquette(this, "legende_haute", 4, 42, 44, 16);
  legende_basse = etiquette(this, "legende_basse", 4, 262, 44, 16);
  picture1 = new BoiteImage(this);
  picture1->setObjectName(QStringLiteral("picture1"));
  picture1->setGeometry(50, 8, 380, 304);
  List2 = new QTreeWidget(this);
  List2->setObjectName(QStringLiteral("List2"));
  List2->setGeometry(440, 8, 192, 304);
  List2->setRootIsDecorated(false);
  Label1 = etiquette(this, "Label1", 8, 322, 620, 20);
  Command2 = bouton(this, "Command2", QStringLiteral("&Actualiser"), 420, 360);
  Command1 = bouton(this, "Command1", QStringLiteral("&Quitter"), 530, 360);
  connect(Command1, &QPushButton::clicked, this, &stats::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &stats::Command2_Click);
  construit();
}

stats::~stats() {
  fenetres::retire(this);
}

void stats::Command1_Click() {
  // Shown in the main window's area, the frame goes with the window.
  if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sous->close();
  else
    close();
}
void stats::Command2_Click() { construit(); }

QPointF stats::point_pixel(double x, double y) const {
  const int largeur = std::max(nb_points_, 1);
  const QSize t = picture1->size();
  return {x * (t.width() - 1) / largeur, y * (t.height() - 1) / HAUTEUR};
}

void stats::construit() {
  // 1. Captions.
  affiche_libelles(this);
  // 2. The list: no rows, three columns.
  List2->clear();
  List2->setColumnCount(3);
  List2->setHeaderLabels({QStringLiteral("N°"), QStringLiteral("Note"), QStringLiteral("Var%")});
  const int largeurs[3] = {300, 700, 700};
  for (int i = 0; i < 3; ++i) {
    List2->setColumnWidth(i, largeurs[i] / TWIPS + 8);
    List2->headerItem()->setTextAlignment(i, i == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  // 3. Kings and legends, back in their places.
  const QString dossier = dossier_icones();
  icone(roi_haut, dossier + QStringLiteral("13.ico"));
  icone(roi_bas, dossier + QStringLiteral("7.ico"));
  roi_haut->move(pos_roi_haut_);
  roi_bas->move(pos_roi_bas_);
  legende_haute->setText(QStringLiteral("+3000"));
  legende_basse->setText(QStringLiteral("+3000"));
  Label1->clear();
  picture1->efface();
  nb_points_ = 0;

  // 4. Nothing played, or no note recorded: nothing more.
  if (numero_coup <= 0 || notes_coups.empty()) return;
  // 5. The last move number with a note; Black's kings at the top after a White move.
  int n = numero_coup;
  if (dernier_trait == BLANC) {
    n = numero_coup - 1;
    roi_haut->move(pos_roi_bas_);
    roi_bas->move(pos_roi_haut_);
  }
  // The chart reads only the notes there are.
  n = std::min(n, static_cast<int>(notes_coups.size()) - 1);
  nb_points_ = n;

  // 6. The summary, from the human's side: the notes favour the machine.
  const float v = notes_coups[static_cast<size_t>(n)];
  int fin = 305;
  if ((couleur_joueur == BLANC && v < 0) || (couleur_joueur == NOIR && v > 0))
    fin = 303;
  else if (v == 0)
    fin = 304;
  Label1->setText(texte(302) + QString::number(numero_coup) + texte(fin));

  // 7 and 8. The chart: middle line, grid, ticks.
  QImage& image = picture1->image();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 1));
  const int largeur = std::max(n, 1);
  p.drawLine(point_pixel(0, 3000), point_pixel(largeur, 3000));
  for (int y = 0; y <= HAUTEUR; y += 500) p.drawLine(point_pixel(0, y), point_pixel(largeur, y));
  for (int x = 1; x <= n; ++x) p.drawLine(point_pixel(x, 3050), point_pixel(x, 2950));

  // 9 and 10. The rows and the red curve, within the box.
  p.setPen(QPen(QColor(255, 0, 0), 2));
  auto hauteur = [](float note) { return 3000.0 + std::clamp(static_cast<double>(note), -3000.0, 3000.0); };
  for (int k = 1; k <= n; ++k) {
    const float note = notes_coups[static_cast<size_t>(k)];
    auto* ligne = new QTreeWidgetItem(List2);
    ligne->setData(0, Qt::UserRole, QStringLiteral("ref%1").arg(k + 1));
    ligne->setText(0, QString::number(k));
    ligne->setText(1, QString::number(static_cast<double>(note), 'f', 2));
    ligne->setText(2, variation_note(notes_coups[static_cast<size_t>(k - 1)], note));
    ligne->setTextAlignment(1, Qt::AlignRight);
    ligne->setTextAlignment(2, Qt::AlignRight);
    if (k < n) p.drawLine(point_pixel(k, hauteur(note)), point_pixel(k + 1, hauteur(notes_coups[static_cast<size_t>(k + 1)])));
  }
  p.end();
  picture1->update();
}

stats* ouvre_stats() {
  stats* s = stats::existante();
  if (!s) s = new stats();
  s->show();
  s->raise();
  s->activateWindow();
  return s;
}
