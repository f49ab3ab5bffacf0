#include "app/dialogue_langue.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/modes.h"
#include "play/parametres.h"
#include "chess/messages.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/lancement.h"

namespace {

// A small flag in bands: vertical or horizontal, with relative widths.
QPixmap drapeau(bool vertical, std::initializer_list<std::pair<QColor, int>> bandes) {
  const int l = 36, h = 24;
  QPixmap p(l, h);
  p.fill(Qt::white);
  QPainter peintre(&p);
  int total = 0;
  for (const auto& b : bandes) total += b.second;
  int fait = 0;
  for (const auto& [couleur, part] : bandes) {
    const int debut = (vertical ? l : h) * fait / total;
    fait += part;
    const int fin = (vertical ? l : h) * fait / total;
    if (vertical)
      peintre.fillRect(debut, 0, fin - debut, h, couleur);
    else
      peintre.fillRect(0, debut, l, fin - debut, couleur);
  }
  peintre.setPen(Qt::gray);
  peintre.drawRect(0, 0, l - 1, h - 1);
  return p;
}

QPixmap image_langue(int cle) {
  const QColor bleu(0, 85, 164), rouge(206, 17, 38), vert(0, 140, 69), jaune(255, 196, 0);
  switch (cle) {
    case 1: return drapeau(true, {{bleu, 1}, {Qt::white, 1}, {rouge, 1}});
    case 2: {
      QPixmap p = drapeau(true, {{Qt::white, 1}});
      QPainter peintre(&p);
      peintre.fillRect(15, 0, 6, 24, rouge);
      peintre.fillRect(0, 9, 36, 6, rouge);
      return p;
    }
    case 3: return drapeau(true, {{vert, 1}, {Qt::white, 1}, {rouge, 1}});
    case 4: return drapeau(false, {{rouge, 1}, {jaune, 2}, {rouge, 1}});
    case 5: return drapeau(false, {{Qt::black, 1}, {rouge, 1}, {jaune, 1}});
    case 6: return drapeau(true, {{QColor(0, 102, 0), 2}, {rouge, 3}});
    case 7: return drapeau(false, {{Qt::white, 1}, {bleu, 1}, {rouge, 1}});
    case 8: return drapeau(false, {{Qt::white, 1}, {QColor(220, 20, 60), 1}});
    default: return QPixmap();
  }
}

}  // namespace

Language::Language(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Language"));
  setModal(true);

  Frame = new QGroupBox(QStringLiteral("Choisissez une langue / Preference language"), this);
  Frame->setObjectName(QStringLiteral("Frame"));
  auto* grille = new QGridLayout(Frame);
  const char* const noms[9] = {nullptr,    "Français",   "English", "Italiano", "Español",
                               "Deutsch",  "Portuguese", "Russian", "Pole"};
  for (int i = 0; i <= 9; ++i) {
    Image[i] = fenetres::nomme(new QLabel(this), "Image", i);
  }
  for (int i = 1; i <= 8; ++i) {
    Command1[i] = fenetres::nomme(new QPushButton(QString::fromUtf8(noms[i]), Frame), "Command1", i);
    Image[i]->setParent(Frame);
    Image[i]->setPixmap(image_langue(i));
    const int ligne = (i - 1) / 2, colonne = ((i - 1) % 2) * 2;
    grille->addWidget(Image[i], ligne, colonne);
    grille->addWidget(Command1[i], ligne, colonne + 1);
    connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }

  // The two pieces at the top.
  QFont piece = font();
  piece.setPointSize(piece.pointSize() * 3);
  Image[0]->setText(QString::fromUtf8("\u2654"));
  Image[9]->setText(QString::fromUtf8("\u265A"));
  Image[0]->setFont(piece);
  Image[9]->setFont(piece);

  Command2 = new QPushButton(QStringLiteral("E&xit"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  connect(Command2, &QPushButton::clicked, this, &Language::Command2_Click);

  Label4 = new QLabel(QStringLiteral("WEB:"), this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label3 = new QLabel(QString::fromLatin1(ADRESSE_SITE), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setCursor(Qt::PointingHandCursor);
  Label3->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  Label3->installEventFilter(this);

  auto* haut = new QHBoxLayout;
  haut->addWidget(Image[0]);
  haut->addStretch();
  haut->addWidget(Image[9]);
  auto* bas = new QHBoxLayout;
  bas->addWidget(Label4);
  bas->addWidget(Label3);
  bas->addStretch();
  bas->addWidget(Command2);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(Frame);
  tout->addLayout(bas);

  Form_Load();
}

void Language::Form_Load() {
  setWindowTitle(QString::fromUtf8(NOM_PROGRAMME) + QStringLiteral(" v") + texte_version() +
                 QStringLiteral(" - ") + QStringLiteral(" Welcome!"));
}

void Language::Command1_Click(int Index) {
  cle_langue = Index;
  first_startup = 0;
  applique_langue();
  affiche_libelles(&fenetres::instance<Menu>());
  sauve_parametres(fichier_ini);
  change_mode();
  accept();
}

void Language::Command2_Click() { reject(); }

void Language::Label3_Click() { plateforme::ouvre_adresse(QString::fromLatin1(ADRESSE_SITE)); }

bool Language::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == Label3 && evenement->type() == QEvent::MouseButtonRelease) {
    Label3_Click();
    return true;
  }
  return QDialog::eventFilter(objet, evenement);
}
