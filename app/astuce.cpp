#include "app/astuce.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "app/menu.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "platform/reglages_utilisateur.h"

namespace {

const char* const FICHIER_ASTUCES = "ASTUCES.TXT";

QString appli() { return QString::fromLatin1(APPLI_REGLAGES); }
QString section() { return QStringLiteral("Options"); }
QString cle() { return QStringLiteral("Show Tips at Startup"); }

}  // namespace

bool astuces_au_demarrage() {
  bool ok = false;
  const int v = plateforme::lit_reglage(appli(), section(), cle(), QStringLiteral("1")).trimmed().toInt(&ok);
  // A value that is not a number is taken as the default.
  return !ok || v != 0;
}

frmTip::frmTip() : QDialog(fenetres::existante<Menu>()) {
  setObjectName(QStringLiteral("frmTip"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Trucs et astuces"));

  imgTip = new QLabel(this);
  imgTip->setObjectName(QStringLiteral("imgTip"));
  imgTip->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  Label1 = new QLabel(QStringLiteral("Savez-vous..."), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont gras = Label1->font();
  gras.setBold(true);
  gras.setPointSizeF(gras.pointSizeF() * 1.3);
  Label1->setFont(gras);
  lblTipText = new QLabel(this);
  lblTipText->setObjectName(QStringLiteral("lblTipText"));
  lblTipText->setWordWrap(true);
  lblTipText->setTextFormat(Qt::PlainText);
  lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTipText->setMinimumSize(380, 120);
  chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Afficher les astuces au démarrage"), this);
  chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
  cmdNextTip = new QPushButton(QStringLiteral("&Astuce suivante"), this);
  cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);

  auto* entete = new QHBoxLayout;
  entete->addWidget(imgTip);
  entete->addWidget(Label1, 1);
  auto* boutons = new QVBoxLayout;
  boutons->addWidget(cmdOK);
  boutons->addWidget(cmdNextTip);
  boutons->addStretch(1);
  auto* milieu = new QHBoxLayout;
  milieu->addWidget(lblTipText, 1);
  milieu->addLayout(boutons);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(entete);
  tout->addLayout(milieu, 1);
  tout->addWidget(chkLoadTipsAtStartup);

  connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
  // Only a click by the user writes the choice, not the load setting the box.
  connect(chkLoadTipsAtStartup, &QCheckBox::clicked, this, &frmTip::chkLoadTipsAtStartup_Click);

  Form_Load();
}

void frmTip::Form_Load() {
  affiche_libelles(this);
  // The box shows the stored choice; the window shows a tip either way.
  chkLoadTipsAtStartup->setChecked(astuces_au_demarrage());
  hasard_.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
  const QString fichier = QString::fromLatin1(FICHIER_ASTUCES);
  if (!LoadTips(QDir(plateforme::chemin_appli()).filePath(fichier))) {
    lblTipText->setText(fichier + texte(292) + QStringLiteral("\r\n\r\n") + texte(293) + fichier + texte(294));
  }
}

bool frmTip::LoadTips(const QString& fichier) {
  if (fichier.isEmpty() || !QFileInfo::exists(fichier)) return false;
  QStringList lignes;
  QString erreur;
  if (!plateforme::lit_lignes(fichier, lignes, &erreur)) {
    astuces_.clear();
    lblTipText->setText(QDir::toNativeSeparators(fichier) + QStringLiteral(" : ") + erreur);
    return true;
  }
  astuces_ = lignes;
  astuce_suivante();
  return true;
}

void frmTip::astuce_suivante() {
  const int n = static_cast<int>(astuces_.size());
  courante_ = n > 0 ? static_cast<int>(hasard_.bounded(n)) + 1 : 1;
  DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
  if (!astuces_.isEmpty()) lblTipText->setText(astuces_.at(courante_ - 1));
}

void frmTip::cmdNextTip_Click() { astuce_suivante(); }

void frmTip::cmdOK_Click() { close(); }

void frmTip::chkLoadTipsAtStartup_Click() {
  plateforme::ecrit_reglage(appli(), section(), cle(),
                            chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void Menu::menu_astuce_Click() {
  frmTip& f = fenetres::instance<frmTip>();
  f.show();
  f.raise();
  f.activateWindow();
}
