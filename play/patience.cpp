#include "play/patience.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "localisation/libelles.h"
#include "openings/liens_ouvertures.h"
#include "platform/evenements.h"
#include "platform/fenetres.h"
#include "play/boite_image.h"

namespace {
// How the opening base's long jobs reach the progress window.
class ProgressionPatience : public FenetreProgression {
 public:
  void montre(const QString& titre) override {
    patience& p = patience::instance();
    p.setWindowTitle(titre);
    p.show();
  }
  void definit_libelle(const QString& texte) override { patience::instance().Label1->setText(texte); }
  void progression(double pourcentage) override { affiche_progression(*patience::instance().Picture1, pourcentage); }
  void ferme() override { patience::decharge(); }
};

}  // namespace

FenetreProgression* progression_patience() {
  static ProgressionPatience adaptateur;
  return &adaptateur;
}

void affiche_progression(BoiteImage& zone, double pourcentage) {
  QImage& image = zone.image();
  image.fill(zone.BackColor);
  const int largeur = image.width();
  const int hauteur = image.height();
  const long entier = std::lround(pourcentage);
  const QString texte = (entier == 0 ? QString() : QString::number(entier)) + QStringLiteral("%");
  {
    QPainter p(&image);
    // Plain pixels in the drawing colour, so that the bar inverts them exactly.
    QFont police = zone.font();
    police.setStyleStrategy(QFont::NoAntialias);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police);
    p.setPen(zone.ForeColor);
    const QFontMetrics fm(police);
    const int x = largeur / 2 - fm.horizontalAdvance(texte) / 2;
    const int y = (hauteur - fm.height()) / 2;
    p.drawText(QPoint(x, y + fm.ascent()), texte);
    // The bar: every pixel under it becomes NOT(drawing colour XOR pixel).
    const int fin = static_cast<int>(std::lround(pourcentage * largeur / 100.0));
    if (fin > 0) {
      p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      p.fillRect(QRect(0, 0, fin, hauteur), zone.ForeColor);
    }
  }
  zone.update();
  zone.repaint();
}

void sablier(int etat) {
  if (etat == 1)
    plateforme::curseur_attente(true);
  else if (etat == 0)
    plateforme::curseur_attente(false);
}

patience::patience(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("patience"));
  setModal(false);
  setWindowTitle(QStringLiteral("Chargement de "));
  auto* disposition = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Picture1 = new BoiteImage(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setFixedHeight(22);
  Picture1->setMinimumWidth(260);
  Command1 = new QPushButton(QStringLiteral("&Arrêter"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  disposition->addWidget(Label1);
  disposition->addWidget(Picture1);
  disposition->addWidget(Command1, 0, Qt::AlignHCenter);
  connect(Command1, &QPushButton::clicked, this, &patience::Command1_Click);
  Form_Load();
}

void patience::Form_Load() {
  affiche_libelles(this);
  Picture1->ForeColor = QColor(0, 0, 255);
}

patience& patience::instance() {
  if (patience* p = existante()) return *p;
  auto* p = new patience(QApplication::activeWindow());
  fenetres::enregistre(p);
  return *p;
}

patience* patience::existante() { return fenetres::existante<patience>(); }

void patience::decharge() {
  if (patience* p = existante()) {
    p->hide();
    delete p;
  }
}

void patience::Progress(BoiteImage& zone, double pourcentage) { affiche_progression(zone, pourcentage); }

void patience::Command1_Click() { arret_demande = true; }
