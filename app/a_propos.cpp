#include "app/a_propos.h"

#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/messages.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/lancement.h"

namespace {

// 2000 twips, at 15 twips a pixel.
constexpr int AU_DESSUS_DU_CENTRE = 2000 / 15;

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte) {
  auto* e = fenetres::nomme(new QLabel(texte, parent), nom);
  e->setTextFormat(Qt::PlainText);
  e->setWordWrap(true);
  return e;
}

}  // namespace

void LabelLien::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

frmAbout::frmAbout() : QDialog(fenetres::existante<Menu>()) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("A propos de Morvandel"));

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  try {
    // The white king of the program's own pieces.
    const QString roi = QDir(plateforme::chemin_appli()).filePath(QStringLiteral("images/pieces/Morvandel/7.ico"));
    picIcon->setPixmap(QPixmap::fromImage(mvdechiquier::charge_image(roi, 64)));
  } catch (const std::exception&) {
    // without the picture the box says the same
  }
  lblTitle = etiquette(this, "lblTitle", QString());
  QFont grand = lblTitle->font();
  grand.setBold(true);
  grand.setPointSizeF(grand.pointSizeF() * 1.6);
  lblTitle->setFont(grand);
  lblVersion = etiquette(this, "lblVersion", QString());
  Label1 = etiquette(this, "Label1", QString());
  Label5 = etiquette(this, "Label5", QString());

  Frame1 = new QGroupBox(QStringLiteral("Remerciements à..."), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  lblOuvertures = etiquette(
      Frame1, "lblOuvertures",
      QStringLiteral("Les lignes d'ouverture (codes ECO, noms et coups) viennent du recueil "
                     "« chess-openings » de Lichess (https://github.com/lichess-org/chess-openings), "
                     "versé au domaine public sous CC0 1.0."));
  lblQt = etiquette(Frame1, "lblQt",
                    QStringLiteral("Construit avec Qt %1 (The Qt Company Ltd et ses contributeurs), utilisé sous "
                                   "la licence GNU LGPL version 3 ; les sources de Qt sont disponibles sur "
                                   "https://download.qt.io.")
                        .arg(QString::fromLatin1(qVersion())));
  lblProjet = etiquette(Frame1, "lblProjet",
                        QStringLiteral("Les sons, les pièces et l'échiquier de Morvandel ont été réalisés "
                                       "par l'équipe du projet."));
  auto* remerciements = new QVBoxLayout(Frame1);
  remerciements->addWidget(lblOuvertures);
  remerciements->addWidget(lblQt);
  remerciements->addWidget(lblProjet);

  Label4 = etiquette(this, "Label4", QStringLiteral("WEB site -"));
  Label4->setWordWrap(false);
  Label3 = new LabelLien(QString::fromLatin1(ADRESSE_SITE), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setTextFormat(Qt::PlainText);
  Label3->setCursor(Qt::PointingHandCursor);
  QFont souligne = Label3->font();
  souligne.setUnderline(true);
  Label3->setFont(souligne);
  Label3->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&Infos système..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

  auto* titres = new QVBoxLayout;
  titres->addWidget(lblTitle);
  titres->addWidget(lblVersion);
  titres->addWidget(Label5);
  titres->addWidget(Label1);
  auto* haut = new QHBoxLayout;
  haut->addWidget(picIcon, 0, Qt::AlignTop);
  haut->addLayout(titres, 1);
  auto* site = new QHBoxLayout;
  site->addWidget(Label4);
  site->addWidget(Label3);
  site->addStretch(1);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch(1);
  boutons->addWidget(cmdOK);
  boutons->addWidget(cmdSysInfo);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(Frame1);
  tout->addLayout(site);
  tout->addLayout(boutons);
  setMinimumWidth(520);

  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  connect(Label3, &LabelLien::clicked, this, &frmAbout::Label3_Click);

  Form_Load();
}

void frmAbout::Form_Load() {
  affiche_libelles(this);
  adjustSize();
  // Centred across the screen, a little above its middle.
  fenetres::centre_sur_ecran(this, AU_DESSUS_DU_CENTRE);
  Label1->setText(Label1->text() + QLatin1Char('\n') + texte(923));
  lblVersion->setText(texte(83) + QLatin1Char(' ') + texte_version());
  lblTitle->setText(QString::fromUtf8(NOM_PROGRAMME));
}

void frmAbout::StartSysInfo() {
  const QString outil = plateforme::outil_infos_systeme();
  if (outil.isEmpty() || !plateforme::lance_programme(outil))
    plateforme::boite_message(QString::fromUtf8(MESSAGE_SANS_INFOS_SYSTEME), boite::OK_SEUL);
}

void frmAbout::cmdOK_Click() { close(); }
void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
// The desktop's answer is not examined.
void frmAbout::Label3_Click() { plateforme::ouvre_adresse(QString::fromLatin1(ADRESSE_SITE)); }

void Menu::menu_a_propos_Click() {
  frmAbout& f = fenetres::instance<frmAbout>();
  f.show();
  f.raise();
  f.activateWindow();
}
